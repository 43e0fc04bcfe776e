#include "widgets/track_geometry.h"

#include <algorithm>
#include <cmath>

namespace qm {

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

Rect TrackGeometry::Track() const
{
    return {borderWidth, borderWidth, width - borderWidth, height - borderWidth};
}

int TrackGeometry::Start() const
{
    return std::max(Horizontal() ? Track().left : Track().top, 0);
}

int TrackGeometry::Travel() const
{
    return Horizontal() ? Track().Width() - thumbWidth : Track().Height() - thumbHeight;
}

int TrackGeometry::ValueToPixel(int value) const
{
    const int range = maxValue - minValue;
    int pixel = Start();
    if (range != 0)
        pixel += RoundHalfEven(static_cast<double>(Travel()) * (value - minValue) / range);
    const Rect track = Track();
    if (!Horizontal() && style == TVrProgressStyle::psBottomLeft)
        pixel = track.top + track.bottom - pixel - thumbHeight;
    if (Horizontal() && style == TVrProgressStyle::psTopRight)
        pixel = track.left + track.right - pixel - thumbWidth;
    return pixel;
}

int TrackGeometry::PixelToValue(int pixel) const
{
    if (!Horizontal())
        pixel = height - pixel - thumbHeight;
    const int travel = Travel();
    const double x = travel == 0 ? 0.0 : static_cast<double>(pixel - Start()) * (maxValue - minValue) / travel;
    int value = RoundHalfEven(x);
    if (fixedPoints && frequency != 0)
        value = frequency * RoundHalfEven(static_cast<double>(value) / frequency);
    value = std::min(std::max(value, 0) + minValue, maxValue);
    if (style == TVrProgressStyle::psTopRight)
        value = maxValue + minValue - value;
    return value;
}

int TrackGeometry::ValueForThumbAt(int pixel) const
{
    pixel = std::clamp(pixel, Start(), Start() + std::max(Travel(), 0));
    if (fixedPoints)
        pixel = ValueToPixel(PixelToValue(pixel));
    return PixelToValue(pixel);
}

Rect TrackGeometry::Thumb(int position) const
{
    const int along = ValueToPixel(position);
    if (Horizontal())
        return Rect::FromBounds(along, (height - thumbHeight) / 2, thumbWidth, thumbHeight);
    return Rect::FromBounds((width - thumbWidth) / 2, along, thumbWidth, thumbHeight);
}

Rect TrackGeometry::Gutter() const
{
    if (Horizontal()) {
        const int top = (height - gutterWidth) / 2;
        return {borderWidth, top, width - borderWidth, top + gutterWidth};
    }
    const int left = (width - gutterWidth) / 2;
    return {left, borderWidth, left + gutterWidth, height - borderWidth};
}

int ClampPosition(int position, int minValue, int maxValue)
{
    position = std::max(position, minValue);
    return std::min(position, maxValue);
}

std::vector<int> TickValues(const TrackGeometry& geometry)
{
    const int range = geometry.maxValue - geometry.minValue;
    const int frequency = geometry.frequency > 0 ? geometry.frequency : 1;
    const double travel = geometry.Travel();
    int step = frequency, count = 1;
    for (int g = 1;; ++g) {
        const int intervals =
            std::max(RoundHalfEven(static_cast<double>(range) / (static_cast<double>(frequency) * g)), 0);
        count = intervals + 1;
        step = frequency * g;
        const double spacing = count == 1 ? travel : travel / intervals;
        if (spacing >= 4 || spacing >= travel)
            break;
    }
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(geometry.minValue + i * step);
    values.back() = geometry.maxValue;
    return values;
}

std::vector<TickLine> TickLines(const TrackGeometry& geometry, bool before)
{
    const Rect gutter = geometry.Gutter();
    std::vector<TickLine> lines;
    for (int value : TickValues(geometry)) {
        const bool end = value == geometry.minValue || value == geometry.maxValue;
        const int length = end ? 4 : 3;
        if (geometry.Horizontal()) {
            const int x = geometry.ValueToPixel(value) + geometry.thumbWidth / 2;
            const int from = before ? gutter.top - geometry.scaleOffset - 1 : gutter.bottom + geometry.scaleOffset;
            const int to = before ? from - length : from + length;
            lines.push_back({x, from, x, to});
        } else {
            const int y = geometry.ValueToPixel(value) + geometry.thumbHeight / 2;
            const int from = before ? gutter.left - geometry.scaleOffset - 1 : gutter.right + geometry.scaleOffset;
            const int to = before ? from - length : from + length;
            lines.push_back({from, y, to, y});
        }
    }
    return lines;
}

int PositionAfterKey(const TrackGeometry& geometry, int position, TrackKey key)
{
    const int sign = geometry.style == TVrProgressStyle::psTopRight ? -1 : 1;
    const int step = geometry.frequency * sign;
    switch (key) {
    case TrackKey::Home:
        return geometry.maxValue;
    case TrackKey::End:
        return geometry.minValue;
    case TrackKey::Left:
        return geometry.Horizontal() ? position - step : position;
    case TrackKey::Right:
        return geometry.Horizontal() ? position + step : position;
    case TrackKey::Up:
        return geometry.Horizontal() ? position : position + step;
    case TrackKey::Down:
        return geometry.Horizontal() ? position : position - step;
    }
    return position;
}

} // namespace qm
