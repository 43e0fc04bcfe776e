#pragma once
// An ordered list of text lines, joined with CR LF as Windows text files are.
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class StringList {
public:
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    size_t Count() const { return lines_.size(); }
    const std::string& operator[](size_t i) const { return lines_.at(i); }
    const std::vector<std::string>& Lines() const { return lines_; }
    // Index of the first line equal to `line`, or -1.
    int IndexOf(std::string_view line) const;

    // Every line followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, LF or a lone CR; a final line break adds no empty line.
    void SetText(std::string_view text);

private:
    std::vector<std::string> lines_;
};

// Replaces the lines of `list` with `lines`.
inline void SetLines(StringList& list, const std::vector<std::string>& lines)
{
    list.Clear();
    for (const std::string& line : lines)
        list.Add(line);
}

} // namespace qm
