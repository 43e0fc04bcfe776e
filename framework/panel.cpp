#include "framework/panel.h"

namespace qm {

namespace {

constexpr std::string_view kBevelNames[] = {"bvNone", "bvLowered", "bvRaised"};

void DrawBevel(Canvas& canvas, Rect& r, Bevel bevel, int width)
{
    if (bevel == Bevel::bvNone)
        return;
    bool raised = bevel == Bevel::bvRaised;
    canvas.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
    r = r.Inflated(-width, -width);
}

} // namespace

TPanel::TPanel()
{
    SetBounds(Rect::FromBounds(0, 0, 185, 41));
}

const TypeInfo& TPanel::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<TPanel, &TPanel::BevelOuter, &TPanel::SetBevelOuter>("BevelOuter", kBevelNames),
        EnumProperty<TPanel, &TPanel::BevelInner, &TPanel::SetBevelInner>("BevelInner", kBevelNames),
        IntProperty<TPanel, &TPanel::BevelWidth, &TPanel::SetBevelWidth>("BevelWidth"),
    };
    static constexpr TypeInfo kType = ComponentType<TPanel>("TPanel", &TControl::StaticType, kProperties);
    return kType;
}

void TPanel::SetBevelOuter(Bevel bevel)
{
    outer_ = bevel;
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(Bevel bevel)
{
    inner_ = bevel;
    Realign();
    Invalidate();
}

void TPanel::SetBevelWidth(int width)
{
    bevelWidth_ = width;
    Realign();
    Invalidate();
}

Rect TPanel::ClientRect() const
{
    int edge = (outer_ != Bevel::bvNone ? bevelWidth_ : 0) + (inner_ != Bevel::bvNone ? bevelWidth_ : 0);
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
