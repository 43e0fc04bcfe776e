#include "widgets/scope_geometry.h"

#include <cmath>

namespace qm {

int ScopeBaseY(int height, int baseOffset)
{
    long double offset = static_cast<long double>(height) / 100.0L * baseOffset;
    return height - static_cast<int>(std::llrint(offset)) - 1;
}

std::vector<int> ScopeVerticalGrid(int width, int gridSize, int offset)
{
    std::vector<int> xs;
    if (gridSize < 1)
        return xs;
    for (long long x = -offset; x <= width; x += gridSize)
        xs.push_back(static_cast<int>(x));
    return xs;
}

std::vector<int> ScopeHorizontalGrid(int height, int baseY, int gridSize)
{
    std::vector<int> ys;
    if (gridSize < 1)
        return ys;
    for (long long y = static_cast<long long>(baseY) - gridSize;; y -= gridSize) {
        ys.push_back(static_cast<int>(y));
        if (y < 0)
            break;
    }
    for (long long y = static_cast<long long>(baseY) + gridSize;; y += gridSize) {
        ys.push_back(static_cast<int>(y));
        if (y > height)
            break;
    }
    return ys;
}

int ScopeSampleY(int value, int height, const ScopeScale& scale)
{
    long double range = static_cast<long double>(scale.maxValue) - scale.minValue;
    long double percent =
        range == 0 ? 0 : std::trunc((static_cast<long double>(value) - scale.minValue) * 100.0L / range);
    long double h = std::trunc(height * (percent * 0.01L));
    return height - static_cast<int>(h);
}

std::vector<ScopePoint> ScopeTrace(const ScopeHistory& history, int width, int height, const ScopeScale& scale,
                                   ScopeStyle style)
{
    std::vector<ScopePoint> points;
    const int step = scale.frequency > 0 ? scale.frequency : 1;
    const int baseY = ScopeBaseY(height, scale.baseOffset);
    long long x = static_cast<long long>(width) + step;
    points.push_back({static_cast<int>(x), baseY});
    int next = 0;
    while (x > 0) {
        if (next < history.Count()) {
            int y = ScopeSampleY(history.At(next++), height, scale);
            points.push_back({static_cast<int>(x - step), y});
            x -= step;
            if (style == ScopeStyle::Bar)
                points.push_back({static_cast<int>(x - step), y});
        } else {
            points.push_back({static_cast<int>(x - step), baseY});
            break;
        }
    }
    return points;
}

} // namespace qm
