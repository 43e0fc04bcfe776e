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

bool TVrGraphicImageControl::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Transparent") {
        SetTransparent(value.AsBool());
        return true;
    }
    return TVrGraphicControl::ApplyProperty(name, value);
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
