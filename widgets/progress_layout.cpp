#include "widgets/progress_layout.h"

#include <algorithm>

namespace qm {

int ProgressPercent(int position, int minValue, int maxValue)
{
    if (maxValue == minValue)
        return 0;
    return RoundHalfEven(static_cast<double>(position - minValue) * 100 / (maxValue - minValue));
}

std::vector<Rect> ProgressBlocks(const Rect& inner, int percent, TVrOrientation orientation, bool smooth)
{
    std::vector<Rect> blocks;
    if (orientation == TVrOrientation::voHorizontal) {
        const int filled = RoundHalfEven(static_cast<double>(inner.Width()) * percent / 100);
        if (smooth) {
            if (filled > 1)
                blocks.push_back({inner.left + 1, inner.top + 1, inner.left + filled, inner.bottom - 1});
            return blocks;
        }
        const int pitch = (inner.Height() / 3) * 2;
        if (pitch <= 0)
            return blocks;
        for (int x = inner.left; x < inner.left + filled; x += pitch)
            blocks.push_back({x + 1, inner.top + 1, std::min(x + pitch - 1, inner.right - 1), inner.bottom - 1});
        return blocks;
    }
    const int filled = RoundHalfEven(static_cast<double>(inner.Height()) * percent / 100);
    if (smooth) {
        if (filled > 1)
            blocks.push_back({inner.left + 1, inner.bottom - filled, inner.right - 1, inner.bottom - 1});
        return blocks;
    }
    const int pitch = (inner.Width() / 3) * 2;
    if (pitch <= 0)
        return blocks;
    for (int y = inner.bottom; y > inner.bottom - filled; y -= pitch)
        blocks.push_back({inner.left + 1, std::max(y - pitch + 1, inner.top + 1), inner.right - 1, y - 1});
    return blocks;
}

Color GradientColumn(Color start, Color end, int x, int width)
{
    auto channel = [&](int shift) {
        const int from = static_cast<int>((start >> shift) & 0xFF);
        const int to = static_cast<int>((end >> shift) & 0xFF);
        const int value = width <= 0 ? from : RoundHalfEven(from + static_cast<double>(to - from) * x / width);
        return static_cast<Color>(std::clamp(value, 0, 255)) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

} // namespace qm
