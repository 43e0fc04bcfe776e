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
        IntProperty<TPanel, &TPanel::BorderWidth, &TPanel::SetBorderWidth>("BorderWidth"),
        BoolProperty<TPanel, &TPanel::SingleBorder, &TPanel::SetSingleBorder>("SingleBorder"),
        EnumProperty<TPanel, &TPanel::Alignment, &TPanel::SetAlignment>("Alignment", kTextAlignmentNames),
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

void TPanel::SetBorderWidth(int width)
{
    borderWidth_ = width < 0 ? 0 : width;
    Realign();
    Invalidate();
}

void TPanel::SetSingleBorder(bool on)
{
    singleBorder_ = on;
    Realign();
    Invalidate();
}

void TPanel::SetAlignment(TextAlignment alignment)
{
    alignment_ = alignment;
    Invalidate();
}

Rect TPanel::ClientRect() const
{
    int edge = (outer_ != Bevel::bvNone ? bevelWidth_ : 0) + (inner_ != Bevel::bvNone ? bevelWidth_ : 0) +
        borderWidth_ + (singleBorder_ ? 1 : 0);
    return TControl::ClientRect().Inflated(-edge, -edge);
}

void TPanel::Paint(Canvas& canvas)
{
    Rect r = TControl::ClientRect();
    canvas.FillRect(r, GetColor());
    if (singleBorder_) {
        canvas.FrameRect(r, clBlack);
        r = r.Inflated(-1, -1);
    }
    DrawBevel(canvas, r, outer_, bevelWidth_);
    DrawBevel(canvas, r, inner_, bevelWidth_);
    if (Caption().empty())
        return;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    format |= alignment_ == TextAlignment::taCenter   ? DT_CENTER
        : alignment_ == TextAlignment::taRightJustify ? DT_RIGHT
                                                      : DT_LEFT;
    canvas.DrawText(Caption(), r, FontHandle(), GetFont().color, format);
}

} // namespace qm
