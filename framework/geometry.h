#pragma once
// Plain rectangles in client pixels, left/top inclusive, right/bottom exclusive.

namespace qm {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    static constexpr Rect FromBounds(int left, int top, int width, int height)
    {
        return {left, top, left + width, top + height};
    }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Where a window of the given size sits centred in `area` (a monitor's work
// area, whose origin may be negative). One larger than the area keeps its
// top-left corner, and so its caption, inside it.
constexpr Rect CentredIn(const Rect& area, int width, int height)
{
    int left = area.left + (area.Width() - width) / 2;
    int top = area.top + (area.Height() - height) / 2;
    if (left < area.left)
        left = area.left;
    if (top < area.top)
        top = area.top;
    return Rect::FromBounds(left, top, width, height);
}

// Scales a designed length (at 96 dpi) to the screen's resolution, rounding half away.
constexpr int ScaleFromDesign(int designed, int screenDpi)
{
    long long n = static_cast<long long>(designed) * screenDpi;
    return static_cast<int>(n >= 0 ? (n + 48) / 96 : -((-n + 48) / 96));
}

// Back from the screen's resolution to designed pixels, rounding half away
// (a mouse position over a scaled window).
constexpr int ScaleToDesign(int screen, int screenDpi)
{
    if (screenDpi <= 0)
        return screen;
    long long n = static_cast<long long>(screen) * 96;
    return static_cast<int>(n >= 0 ? (n + screenDpi / 2) / screenDpi : -((-n + screenDpi / 2) / screenDpi));
}

// A designed rectangle at the screen's resolution. Edges are scaled, not
// sizes: controls that touch at 96 dpi still touch, with no gap or overlap.
constexpr Rect ScaleRectFromDesign(const Rect& r, int screenDpi)
{
    return {ScaleFromDesign(r.left, screenDpi), ScaleFromDesign(r.top, screenDpi), ScaleFromDesign(r.right, screenDpi),
            ScaleFromDesign(r.bottom, screenDpi)};
}

} // namespace qm
