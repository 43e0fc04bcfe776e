#include "widgets/vr_user_led.h"

namespace qm {

TVrUserLed::TVrUserLed()
{
    SetBounds(Rect::FromBounds(0, 0, 20, 10));
    bevel_.innerStyle = BevelStyle::None;
    bevel_.innerHighlight = clLime;
    bevel_.innerShadow = clGreen;
}

const TypeInfo& TVrPaletteEx::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        ColorProperty<TVrPaletteEx, &TVrPaletteEx::low1>("Low1"),
        ColorProperty<TVrPaletteEx, &TVrPaletteEx::low2>("Low2"),
        ColorProperty<TVrPaletteEx, &TVrPaletteEx::high1>("High1"),
        ColorProperty<TVrPaletteEx, &TVrPaletteEx::high2>("High2"),
    };
    static constexpr TypeInfo kType = RecordType("TVrPaletteEx", kProperties);
    return kType;
}

const TypeInfo& TVrUserLed::StaticType()
{
    static constexpr std::string_view kDrawStyleNames[] = {"dsNormal", "dsOwnerDraw"};
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TVrUserLed, &TVrUserLed::Active, &TVrUserLed::SetActive>("Active"),
        ObjectProperty<TVrUserLed, TVrPaletteEx, [](TVrUserLed& led, bool) { return &led.palette_; },
                       [](TVrUserLed& led) { led.UpdateControlCanvas(); }>("PaletteEx"),
        ObjectProperty<TVrUserLed, TVrBevel, [](TVrUserLed& led, bool) { return &led.bevel_; },
                       [](TVrUserLed& led) { led.UpdateControlCanvas(); }>("Bevel"),
        ColorProperty<TVrUserLed, &TVrUserLed::OutlineColor, &TVrUserLed::SetOutlineColor>("OutlineColor"),
        IntProperty<TVrUserLed, &TVrUserLed::OutlineWidth, &TVrUserLed::SetOutlineWidth>("OutlineWidth"),
        EnumProperty<TVrUserLed, &TVrUserLed::DrawStyle, &TVrUserLed::SetDrawStyle>("DrawStyle", kDrawStyleNames),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TVrUserLed, &TVrUserLed::OnChange>("OnChange"),
        MakeEvent<TVrUserLed, &TVrUserLed::OnDraw>("OnDraw"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TVrUserLed>("TVrUserLed", &TVrGraphicControl::StaticType, kProperties, kEvents);
    return kType;
}

void TVrUserLed::SetOutlineColor(Color color)
{
    outlineColor_ = color;
    UpdateControlCanvas();
}

void TVrUserLed::SetOutlineWidth(int width)
{
    outlineWidth_ = width;
    UpdateControlCanvas();
}

void TVrUserLed::SetDrawStyle(LedDrawStyle style)
{
    drawStyle_ = style;
    UpdateControlCanvas();
}

void TVrUserLed::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    UpdateControlCanvas();
    ValueChanged();
    if (OnChange)
        OnChange(*this);
}

void TVrUserLed::Paint(Canvas& canvas)
{
    Rect r = ClientRect();
    if (drawStyle_ == LedDrawStyle::dsOwnerDraw) {
        canvas.FillRect(r, GetColor());
        if (OnDraw)
            OnDraw(*this, canvas, r);
        return;
    }
    if (outlineWidth_ > 0) {
        canvas.FrameRect(r, outlineColor_, outlineWidth_);
        r = r.Inflated(-outlineWidth_, -outlineWidth_);
    }
    Rect face;
    for (const BevelFrame& frame : LayoutBevel(bevel_, r, face))
        canvas.Frame3D(frame.bounds, frame.topLeft, frame.bottomRight, frame.width);
    Color top = active_ ? palette_.high1 : palette_.low1;
    Color bottom = active_ ? palette_.high2 : palette_.low2;
    const int rows = face.Height();
    for (int k = 0; k < rows; ++k)
        canvas.FillRect({face.left, face.top + k, face.right, face.top + k + 1}, GradientRow(top, bottom, k, rows));
}

AccessibleFacts TVrUserLed::AccessibleDescription()
{
    AccessibleFacts facts = TControl::AccessibleDescription();
    facts.role = AccessibleRole::Indicator;
    facts.value = active_ ? "On" : "Off";
    return facts;
}

} // namespace qm
