#pragma once
// The layered frame of the instrument widgets (border, outer edge, inner
// edge, each with its outline and spacing), and the LED's gradient.
#include <string_view>
#include <vector>

#include "framework/colors.h"
#include "framework/geometry.h"
#include "framework/properties.h"

namespace qm {

enum class BevelStyle { None, Lowered, Raised };
enum class BevelOutline { Outer, Inner, None };

struct TVrBevel {
    int borderWidth = 0;
    Color borderColor = clBtnFace;
    BevelStyle outerStyle = BevelStyle::Raised;
    int outerWidth = 1;
    Color outerHighlight = clBtnHighlight;
    Color outerShadow = clBtnShadow;
    BevelOutline outerOutline = BevelOutline::Outer;
    int outerSpace = 0;
    Color outerColor = clBtnFace;
    BevelStyle innerStyle = BevelStyle::None;
    int innerWidth = 1;
    Color innerHighlight = clLime;
    Color innerShadow = clGreen;
    BevelOutline innerOutline = BevelOutline::None;
    int innerSpace = 0;
    Color innerColor = clBtnFace;
    bool visible = true;

    static const TypeInfo& StaticType();
};

// One frame: `width` pixels inside `bounds`, top/left and bottom/right colours.
struct BevelFrame {
    Rect bounds;
    int width;
    Color topLeft, bottomRight;
};

// The frames in drawing order; `inside` receives what is left within them.
std::vector<BevelFrame> LayoutBevel(const TVrBevel& bevel, const Rect& area, Rect& inside);

// Row `row` of `rows` in a vertical gradient from `top` to `bottom`.
Color GradientRow(Color top, Color bottom, int row, int rows);

} // namespace qm
