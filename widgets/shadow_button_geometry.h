#pragma once
// Face and shadow of a button drawn as a face over an offset shadow.
#include "framework/geometry.h"

namespace qm {

enum class ShadowDirection { TopLeft, TopRight, BottomLeft, BottomRight };

struct ShadowButtonShapes {
    Rect face;
    Rect shadow;
};

ShadowButtonShapes LayoutShadowButton(const Rect& client, int penWidth, int depth, int depthAdjust,
                                      ShadowDirection direction, bool pressed);

} // namespace qm
