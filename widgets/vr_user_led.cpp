#include "widgets/vr_user_led.h"

namespace qm {

TVrUserLed::TVrUserLed()
{
    SetBounds(Rect::FromBounds(0, 0, 20, 10));
    bevel_.innerStyle = BevelStyle::None;
    bevel_.innerHighlight = clLime;
    bevel_.innerShadow = clGreen;
}

bool TVrUserLed::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Active")
        SetActive(value.AsBool());
    else if (name == "PaletteEx.Low1")
        palette_.low1 = ParseColor(value);
    else if (name == "PaletteEx.Low2")
        palette_.low2 = ParseColor(value);
    else if (name == "PaletteEx.High1")
        palette_.high1 = ParseColor(value);
    else if (name == "PaletteEx.High2")
        palette_.high2 = ParseColor(value);
    else if (name == "OutlineColor")
        outlineColor_ = ParseColor(value);
    else if (name == "OutlineWidth")
        outlineWidth_ = value.AsInt();
    else if (name == "DrawStyle") {
        const std::string& style = value.AsIdentifier();
        if (style != "dsNormal" && style != "dsOwnerDraw")
            throw EFormDescription("unknown draw style " + style);
        drawStyle_ = style == "dsNormal" ? LedDrawStyle::dsNormal : LedDrawStyle::dsOwnerDraw;
    } else if (name.starts_with("Bevel.")) {
        if (!ApplyBevelProperty(bevel_, name.substr(6), value))
            return false;
    } else
        return TVrGraphicControl::ApplyProperty(name, value);
    UpdateControlCanvas();
    return true;
}

bool TVrUserLed::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event == "OnChange")
        OnChange = handlers.Get<void(Component&)>(handler);
    else if (event == "OnDraw")
        OnDraw = handlers.Get<void(Component&, Canvas&, const Rect&)>(handler);
    else
        return TVrGraphicControl::BindEvent(event, handlers, handler);
    return true;
}

void TVrUserLed::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    UpdateControlCanvas();
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

} // namespace qm
