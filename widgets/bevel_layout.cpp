#include "widgets/bevel_layout.h"

namespace qm {

namespace {

void AddFrame(std::vector<BevelFrame>& frames, Rect& r, int width, Color topLeft, Color bottomRight)
{
    if (width <= 0)
        return;
    frames.push_back({r, width, topLeft, bottomRight});
    r = r.Inflated(-width, -width);
}

void AddPart(std::vector<BevelFrame>& frames, Rect& r, BevelStyle style, int width, Color highlight, Color shadow,
             BevelOutline outline, int space, Color color)
{
    if (outline == BevelOutline::Outer)
        AddFrame(frames, r, 1, clBlack, clBlack);
    if (style != BevelStyle::None) {
        bool raised = style == BevelStyle::Raised;
        AddFrame(frames, r, width, raised ? highlight : shadow, raised ? shadow : highlight);
    }
    if (outline == BevelOutline::Inner)
        AddFrame(frames, r, 1, clBlack, clBlack);
    AddFrame(frames, r, space, color, color);
}

BevelStyle ParseBevelStyle(const FormValue& value)
{
    const std::string& name = value.AsIdentifier();
    if (name == "bsNone")
        return BevelStyle::None;
    if (name == "bsLowered")
        return BevelStyle::Lowered;
    if (name == "bsRaised")
        return BevelStyle::Raised;
    throw EFormDescription("unknown bevel style " + name);
}

BevelOutline ParseBevelOutline(const FormValue& value)
{
    const std::string& name = value.AsIdentifier();
    if (name == "osOuter")
        return BevelOutline::Outer;
    if (name == "osInner")
        return BevelOutline::Inner;
    if (name == "osNone")
        return BevelOutline::None;
    throw EFormDescription("unknown outline " + name);
}

} // namespace

bool ApplyBevelProperty(TVrBevel& b, std::string_view name, const FormValue& v)
{
    if (name == "BorderWidth")
        b.borderWidth = v.AsInt();
    else if (name == "BorderColor")
        b.borderColor = ParseColor(v);
    else if (name == "OuterStyle")
        b.outerStyle = ParseBevelStyle(v);
    else if (name == "OuterWidth")
        b.outerWidth = v.AsInt();
    else if (name == "OuterHighlight")
        b.outerHighlight = ParseColor(v);
    else if (name == "OuterShadow")
        b.outerShadow = ParseColor(v);
    else if (name == "OuterOutline")
        b.outerOutline = ParseBevelOutline(v);
    else if (name == "OuterSpace")
        b.outerSpace = v.AsInt();
    else if (name == "OuterColor")
        b.outerColor = ParseColor(v);
    else if (name == "InnerStyle")
        b.innerStyle = ParseBevelStyle(v);
    else if (name == "InnerWidth")
        b.innerWidth = v.AsInt();
    else if (name == "InnerHighlight")
        b.innerHighlight = ParseColor(v);
    else if (name == "InnerShadow")
        b.innerShadow = ParseColor(v);
    else if (name == "InnerOutline")
        b.innerOutline = ParseBevelOutline(v);
    else if (name == "InnerSpace")
        b.innerSpace = v.AsInt();
    else if (name == "InnerColor")
        b.innerColor = ParseColor(v);
    else if (name == "Visible")
        b.visible = v.AsBool();
    else
        return false;
    return true;
}

std::vector<BevelFrame> LayoutBevel(const TVrBevel& bevel, const Rect& area, Rect& inside)
{
    std::vector<BevelFrame> frames;
    Rect r = area;
    if (bevel.visible) {
        AddFrame(frames, r, bevel.borderWidth, bevel.borderColor, bevel.borderColor);
        AddPart(frames, r, bevel.outerStyle, bevel.outerWidth, bevel.outerHighlight, bevel.outerShadow,
                bevel.outerOutline, bevel.outerSpace, bevel.outerColor);
        AddPart(frames, r, bevel.innerStyle, bevel.innerWidth, bevel.innerHighlight, bevel.innerShadow,
                bevel.innerOutline, bevel.innerSpace, bevel.innerColor);
    }
    inside = r;
    return frames;
}

Color GradientRow(Color top, Color bottom, int row, int rows)
{
    if (rows <= 0)
        return top;
    auto channel = [&](int a, int b) { return a + row * (b - a) / rows; };
    return MakeColor(channel(RedOf(top), RedOf(bottom)), channel(GreenOf(top), GreenOf(bottom)),
                     channel(BlueOf(top), BlueOf(bottom)));
}

} // namespace qm
