#pragma once
// The track bar's model: where a value sits on the track, which value a pixel
// means, the gutter, the thumb and the tick marks, and what the keys do.
#include <vector>

#include "framework/geometry.h"

namespace qm {

enum class TVrOrientation { voVertical, voHorizontal };
enum class TVrProgressStyle { psBottomLeft, psTopRight };
enum class TVrTickMarks { tmNone, tmBoth, tmBottomRight, tmTopLeft };

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

struct TrackGeometry {
    int width = 175, height = 45; // client size
    int borderWidth = 10;
    int gutterWidth = 9;
    int thumbWidth = 9, thumbHeight = 17;
    TVrOrientation orientation = TVrOrientation::voHorizontal;
    TVrProgressStyle style = TVrProgressStyle::psBottomLeft;
    int minValue = 0, maxValue = 100;
    int frequency = 10;
    bool fixedPoints = false;
    int scaleOffset = 5;

    bool Horizontal() const { return orientation == TVrOrientation::voHorizontal; }
    Rect Track() const;
    // Where the thumb's travel starts, and how far it goes.
    int Start() const;
    int Travel() const;

    int ValueToPixel(int value) const;
    int PixelToValue(int pixel) const;
    // The value the thumb takes when moved to `pixel` along the track.
    int ValueForThumbAt(int pixel) const;
    Rect Thumb(int position) const;
    Rect Gutter() const;
};

// A position kept within [min, max]: raised to the minimum first, then
// lowered to the maximum, so an inverted range ends at the maximum.
int ClampPosition(int position, int minValue, int maxValue);

struct TickLine {
    int x1, y1, x2, y2; // the second point is excluded, as in LineTo
};

// The ticks of one side: above/left of the gutter (`before`), or below/right.
std::vector<TickLine> TickLines(const TrackGeometry& geometry, bool before);
// The values that carry a tick, in order.
std::vector<int> TickValues(const TrackGeometry& geometry);

enum class TrackKey { Home, End, Left, Right, Up, Down };
// The position after a key, before clamping; the same position for keys
// that do nothing in this orientation.
int PositionAfterKey(const TrackGeometry& geometry, int position, TrackKey key);

} // namespace qm
