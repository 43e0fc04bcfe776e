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

constexpr std::string_view kBevelStyleNames[] = {"bsNone", "bsLowered", "bsRaised"};
constexpr std::string_view kBevelOutlineNames[] = {"osOuter", "osInner", "osNone"};

} // namespace

const TypeInfo& TVrBevel::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TVrBevel, &TVrBevel::borderWidth>("BorderWidth"),
        ColorProperty<TVrBevel, &TVrBevel::borderColor>("BorderColor"),
        EnumProperty<TVrBevel, &TVrBevel::outerStyle>("OuterStyle", kBevelStyleNames),
        IntProperty<TVrBevel, &TVrBevel::outerWidth>("OuterWidth"),
        ColorProperty<TVrBevel, &TVrBevel::outerHighlight>("OuterHighlight"),
        ColorProperty<TVrBevel, &TVrBevel::outerShadow>("OuterShadow"),
        EnumProperty<TVrBevel, &TVrBevel::outerOutline>("OuterOutline", kBevelOutlineNames),
        IntProperty<TVrBevel, &TVrBevel::outerSpace>("OuterSpace"),
        ColorProperty<TVrBevel, &TVrBevel::outerColor>("OuterColor"),
        EnumProperty<TVrBevel, &TVrBevel::innerStyle>("InnerStyle", kBevelStyleNames),
        IntProperty<TVrBevel, &TVrBevel::innerWidth>("InnerWidth"),
        ColorProperty<TVrBevel, &TVrBevel::innerHighlight>("InnerHighlight"),
        ColorProperty<TVrBevel, &TVrBevel::innerShadow>("InnerShadow"),
        EnumProperty<TVrBevel, &TVrBevel::innerOutline>("InnerOutline", kBevelOutlineNames),
        IntProperty<TVrBevel, &TVrBevel::innerSpace>("InnerSpace"),
        ColorProperty<TVrBevel, &TVrBevel::innerColor>("InnerColor"),
        BoolProperty<TVrBevel, &TVrBevel::visible>("Visible"),
    };
    static constexpr TypeInfo kType = RecordType("TVrBevel", kProperties);
    return kType;
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
