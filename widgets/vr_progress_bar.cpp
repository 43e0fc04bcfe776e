#include "widgets/vr_progress_bar.h"

namespace qm {

TVrProgressBar::TVrProgressBar()
{
    SetBounds(Rect::FromBounds(0, 0, 200, 16));
    SetColor(clBlack);
    bevel_.outerStyle = BevelStyle::Lowered;
    bevel_.outerOutline = BevelOutline::None;
}

bool TVrProgressBar::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Position")
        SetPosition(value.AsInt());
    else if (name == "MinValue")
        minValue_ = value.AsInt();
    else if (name == "MaxValue")
        maxValue_ = value.AsInt();
    else if (name == "Step")
        step_ = value.AsInt();
    else if (name == "StartColor")
        startColor_ = ParseColor(value);
    else if (name == "EndColor")
        endColor_ = ParseColor(value);
    else
        return TVrGraphicImageControl::ApplyProperty(name, value);
    UpdateControlCanvas();
    return true;
}

void TVrProgressBar::SetPosition(int position)
{
    position = position < minValue_ ? minValue_ : position;
    position = position > maxValue_ ? maxValue_ : position;
    if (position == position_)
        return;
    position_ = position;
    UpdateControlCanvas();
}

void TVrProgressBar::PaintContents(Canvas& canvas)
{
    Rect inside;
    for (const BevelFrame& frame : LayoutBevel(bevel_, ClientRect(), inside))
        canvas.Frame3D(frame.bounds, frame.topLeft, frame.bottomRight, frame.width);
    if (maxValue_ <= minValue_ || inside.Width() <= 0)
        return;
    const int filled =
        static_cast<int>(static_cast<long long>(inside.Width()) * (position_ - minValue_) / (maxValue_ - minValue_));
    for (int x = 0; x < filled; ++x)
        canvas.FillRect({inside.left + x, inside.top, inside.left + x + 1, inside.bottom},
                        GradientRow(startColor_, endColor_, x, inside.Width()));
}

} // namespace qm
