#include "widgets/vr_graphic_control.h"

namespace qm {

void TVrGraphicControl::EndUpdate()
{
    if (updateLock_ > 0 && --updateLock_ == 0)
        UpdateControlCanvas();
}

void TVrGraphicControl::UpdateControlCanvas()
{
    if (!IsLoading() && updateLock_ == 0)
        Repaint();
}

const TypeInfo& TVrGraphicControl::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TVrGraphicControl>("TVrGraphicControl", &TControl::StaticType, {});
    return kType;
}

const TypeInfo& TVrGraphicImageControl::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TVrGraphicImageControl, &TVrGraphicImageControl::Transparent,
                     &TVrGraphicImageControl::SetTransparent>("Transparent"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TVrGraphicImageControl>("TVrGraphicImageControl", &TVrGraphicControl::StaticType, kProperties);
    return kType;
}

void TVrGraphicImageControl::SetTransparent(bool on)
{
    transparent_ = on;
    UpdateControlCanvas();
}

void TVrGraphicImageControl::Paint(Canvas& canvas)
{
    if (transparent_)
        PaintParentBackground(canvas);
    else
        canvas.FillRect(ClientRect(), GetColor());
    PaintContents(canvas);
}

} // namespace qm
