#include "widgets/vr_progress_bar.h"

#include "framework/resources.h"
#include "platform/device_context.h"

namespace qm {

namespace {

constexpr std::string_view kFillNames[] = {"pfPlain", "pfGradient", "pfBitmap"};
constexpr std::string_view kOrientationNames[] = {"voVertical", "voHorizontal"};

template <auto Member>
inline constexpr auto StoreAndRefill = [](TVrProgressBar& bar, const auto& value) {
    bar.*Member = value;
    bar.MarkDirty();
};

} // namespace

TVrProgressBar::TVrProgressBar()
{
    SetBounds(Rect::FromBounds(0, 0, 200, 16));
    SetColor(clBlack);
    SetParentColor(false);
    bevel_.outerStyle = BevelStyle::Lowered;
    bevel_.innerStyle = BevelStyle::None;
    bevel_.innerSpace = 0;
    bevel_.outerOutline = BevelOutline::None;
    bevel_.innerOutline = BevelOutline::None;
}

const TypeInfo& TVrProgressBar::StaticType()
{
    using P = TVrProgressBar;
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<P, &P::MinValue, &P::SetMinValue>("MinValue"),
        IntProperty<P, &P::MaxValue, &P::SetMaxValue>("MaxValue"),
        IntProperty<P, &P::Position, &P::SetPosition>("Position"),
        IntProperty<P, &P::step_>("Step"),
        ColorProperty<P, &P::startColor_, StoreAndRefill<&P::startColor_>>("StartColor"),
        ColorProperty<P, &P::endColor_, StoreAndRefill<&P::endColor_>>("EndColor"),
        EnumProperty<P, &P::fillType_, StoreAndRefill<&P::fillType_>>("FillType", kFillNames),
        BoolProperty<P, &P::smooth_, StoreAndRepaint<&P::smooth_>>("Smooth"),
        EnumProperty<P, &P::Orientation, &P::SetOrientation>("Orientation", kOrientationNames),
        ObjectProperty<P, TVrBevel, [](P& bar, bool) { return &bar.bevel_; }, [](P& bar) { bar.MarkDirty(); }>("Bevel"),
        StringProperty<P, &P::bitmapName_,
                       [](P& bar, const std::string& name) {
                           bar.bitmapName_ = name;
                           bar.bitmap_ = LoadBitmapResource(name);
                           bar.MarkDirty();
                       }>("Bitmap"),
    };
    static constexpr EventInfo kEvents[] = {MakeEvent<P, &P::OnChange>("OnChange")};
    static constexpr TypeInfo kType =
        ComponentType<P>("TVrProgressBar", &TVrGraphicImageControl::StaticType, kProperties, kEvents);
    return kType;
}

void TVrProgressBar::SetMinValue(int value)
{
    if (value == minValue_ || value >= maxValue_)
        return;
    minValue_ = value;
    if (position_ < value)
        SetPosition(value);
    else
        UpdateControlCanvas();
}

void TVrProgressBar::SetMaxValue(int value)
{
    if (value == maxValue_ || value <= minValue_)
        return;
    maxValue_ = value;
    if (position_ > value)
        SetPosition(value);
    else
        UpdateControlCanvas();
}

void TVrProgressBar::SetPosition(int position)
{
    position = ClampPosition(position, minValue_, maxValue_);
    if (position == position_)
        return;
    position_ = position;
    UpdateControlCanvas();
    ValueChanged();
    if (OnChange)
        OnChange(*this);
}

void TVrProgressBar::SetOrientation(TVrOrientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    if (!IsLoading())
        SetBounds(Rect::FromBounds(Left(), Top(), Height(), Width()));
    MarkDirty();
}

void TVrProgressBar::MarkDirty()
{
    dirty_ = true;
    UpdateControlCanvas();
}

void TVrProgressBar::BuildFill(HDC compatible, int width, int height)
{
    fill_ = Bitmap(CreateCompatibleBitmap(compatible, width, height));
    fillSize_ = {width, height};
    dirty_ = false;
    MemoryDC dc(compatible);
    SelectGuard select(dc.Get(), fill_.Get());
    Canvas canvas(dc.Get());
    const Rect all{0, 0, width, height};
    if (fillType_ == TVrProgressBarFill::pfGradient) {
        const Color start = ToColorRef(startColor_), end = ToColorRef(endColor_);
        if (orientation_ == TVrOrientation::voHorizontal)
            for (int x = 0; x < width; ++x)
                canvas.FillRect({x, 0, x + 1, height}, GradientColumn(start, end, x, width));
        else
            for (int y = 0; y < height; ++y)
                canvas.FillRect({0, y, width, y + 1}, GradientColumn(end, start, y, height));
        return;
    }
    if (fillType_ == TVrProgressBarFill::pfBitmap && bitmap_) {
        const SIZE size = BitmapSize(bitmap_.Get());
        MemoryDC source(compatible);
        SelectGuard selectSource(source.Get(), bitmap_.Get());
        for (int y = 0; y < height; y += size.cy)
            for (int x = 0; x < width; x += size.cx)
                BitBlt(dc.Get(), x, y, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
        return;
    }
    canvas.FillRect(all, kSystemColorFlag | COLOR_HIGHLIGHT);
}

void TVrProgressBar::PaintContents(Canvas& canvas)
{
    Rect inner;
    for (const BevelFrame& frame : LayoutBevel(bevel_, ClientRect(), inner))
        canvas.Frame3D(frame.bounds, frame.topLeft, frame.bottomRight, frame.width);
    if (inner.Width() <= 0 || inner.Height() <= 0)
        return;
    if (dirty_ || fillSize_.cx != inner.Width() || fillSize_.cy != inner.Height())
        BuildFill(canvas.Handle(), inner.Width(), inner.Height());
    MemoryDC source(canvas.Handle());
    SelectGuard select(source.Get(), fill_.Get());
    for (const Rect& block :
         ProgressBlocks(inner, ProgressPercent(position_, minValue_, maxValue_), orientation_, smooth_))
        BitBlt(canvas.Handle(), block.left, block.top, block.Width(), block.Height(), source.Get(),
               block.left - inner.left, block.top - inner.top, SRCCOPY);
}

AccessibleFacts TVrProgressBar::AccessibleDescription()
{
    AccessibleFacts facts = TControl::AccessibleDescription();
    facts.role = AccessibleRole::ProgressBar;
    // As the system's progress bars say it: the share of the range done.
    const long long range = static_cast<long long>(maxValue_) - minValue_;
    const long long done = range > 0 ? (static_cast<long long>(position_) - minValue_) * 100 / range : 0;
    facts.value = std::to_string(done) + "%";
    return facts;
}

} // namespace qm
