#include "widgets/vr_progress_bar.h"

namespace qm {

TVrProgressBar::TVrProgressBar()
{
    SetBounds(Rect::FromBounds(0, 0, 200, 16));
    SetColor(clBlack);
    bevel_.outerStyle = BevelStyle::Lowered;
    bevel_.outerOutline = BevelOutline::None;
}

const TypeInfo& TVrProgressBar::StaticType()
{
    using P = TVrProgressBar;
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<P, &P::Position, &P::SetPosition>("Position"),
        IntProperty<P, &P::minValue_, StoreAndRepaint<&P::minValue_>>("MinValue"),
        IntProperty<P, &P::maxValue_, StoreAndRepaint<&P::maxValue_>>("MaxValue"),
        IntProperty<P, &P::step_, StoreAndRepaint<&P::step_>>("Step"),
        ColorProperty<P, &P::startColor_, StoreAndRepaint<&P::startColor_>>("StartColor"),
        ColorProperty<P, &P::endColor_, StoreAndRepaint<&P::endColor_>>("EndColor"),
    };
    static constexpr TypeInfo kType =
        ComponentType<P>("TVrProgressBar", &TVrGraphicImageControl::StaticType, kProperties);
    return kType;
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
