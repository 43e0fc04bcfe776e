#include "widgets/shadow_button_geometry.h"

namespace qm {

ShadowButtonShapes LayoutShadowButton(const Rect& client, int penWidth, int depth, int depthAdjust,
                                      ShadowDirection direction, bool pressed)
{
    const bool right = direction == ShadowDirection::BottomRight || direction == ShadowDirection::TopRight;
    const bool down = direction == ShadowDirection::BottomRight || direction == ShadowDirection::BottomLeft;
    Rect face = client.Inflated(-penWidth, -penWidth);
    if (right)
        face.right -= depth;
    else
        face.left += depth;
    if (down)
        face.bottom -= depth;
    else
        face.top += depth;

    const int dx = right ? 1 : -1, dy = down ? 1 : -1;
    auto moved = [](Rect r, int x, int y) { return Rect{r.left + x, r.top + y, r.right + x, r.bottom + y}; };
    Rect shadow = moved(face, dx * depth, dy * depth);
    if (pressed) {
        shadow = moved(shadow, -dx * depthAdjust, -dy * depthAdjust);
        face = moved(face, dx * depthAdjust, dy * depthAdjust);
    }
    return {face, shadow};
}

} // namespace qm
