#include "framework/panel.h"

namespace qm {

namespace {

Bevel ParseBevel(const FormValue& value)
{
    const std::string& name = value.AsIdentifier();
    if (name == "bvNone")
        return Bevel::None;
    if (name == "bvLowered")
        return Bevel::Lowered;
    if (name == "bvRaised")
        return Bevel::Raised;
    throw EFormDescription("unknown bevel " + name);
}

void DrawBevel(Canvas& canvas, Rect& r, Bevel bevel, int width)
{
    if (bevel == Bevel::None)
        return;
    bool raised = bevel == Bevel::Raised;
    canvas.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
    r = r.Inflated(-width, -width);
}

} // namespace

TPanel::TPanel()
{
    SetBounds(Rect::FromBounds(0, 0, 185, 41));
}

bool TPanel::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "BevelOuter") {
        outer_ = ParseBevel(value);
        return true;
    }
    if (name == "BevelInner") {
        inner_ = ParseBevel(value);
        return true;
    }
    if (name == "BevelWidth") {
        bevelWidth_ = value.AsInt();
        return true;
    }
    return TControl::ApplyProperty(name, value);
}

Rect TPanel::ClientRect() const
{
    int edge = (outer_ != Bevel::None ? bevelWidth_ : 0) + (inner_ != Bevel::None ? bevelWidth_ : 0);
    return TControl::ClientRect().Inflated(-edge, -edge);
}

void TPanel::Paint(Canvas& canvas)
{
    Rect r = TControl::ClientRect();
    canvas.FillRect(r, GetColor());
    DrawBevel(canvas, r, outer_, bevelWidth_);
    DrawBevel(canvas, r, inner_, bevelWidth_);
}

} // namespace qm
