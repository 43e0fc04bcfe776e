#pragma once
// A scope channel's samples, kept as text of fixed-width decimal fields with
// the newest first: 10 characters each, "%.10d" for values >= 0 and "%.9d"
// (sign and nine digits) for negative ones.
#include <string>
#include <vector>

namespace qm {

class ScopeHistory {
public:
    static constexpr int kFieldWidth = 10;

    // Puts a sample in front and keeps at most `bufferSize` samples.
    void Add(int value, int bufferSize);
    void Clear() { text_.clear(); }
    int Count() const { return static_cast<int>(text_.size() / kFieldWidth); }
    const std::string& Text() const { return text_; }
    // Sample `index`, 0 being the newest.
    int At(int index) const;

private:
    std::string text_;
};

// Formats one sample as its 10-character field.
std::string FormatScopeField(int value);

} // namespace qm
