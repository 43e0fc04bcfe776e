#pragma once
// When the main window's banner comes back: on every third activation of the
// application counted so far, while it is hidden.

namespace qm {

class BannerRule {
public:
    static constexpr int kCountCap = 200000000;

    // One application activation. True when the banner must be shown now.
    bool Activate(bool bannerVisible)
    {
        if (count_ < kCountCap)
            ++count_;
        if (count_ % 3 == 0 && !bannerVisible) {
            ++count_; // past the cap test on purpose, as counted before
            return true;
        }
        return false;
    }

    int Count() const { return count_; }
    void Reset(int count = 0) { count_ = count; }

private:
    int count_ = 0;
};

} // namespace qm
