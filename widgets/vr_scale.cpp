#include "widgets/vr_scale.h"

namespace qm {

namespace {

constexpr std::string_view kTickMarks[] = {"tmNone", "tmBoth", "tmBottomRight", "tmTopLeft"};
constexpr std::string_view kOrientations[] = {"voHorizontal", "voVertical"};
constexpr std::string_view kLayouts[] = {"tlTop", "tlCenter", "tlBottom"};
constexpr UINT kAlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
constexpr UINT kLayoutFlags[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};

} // namespace

TVrScale::TVrScale()
{
    SetBounds(Rect::FromBounds(0, 0, 200, 30));
    SetColor(clBlack);
    FontSpec font;
    font.name = "Arial";
    font.height = -9; // 7 pt
    font.color = clGreen;
    SetFont(font);
}

const TypeInfo& TVrScale::StaticType()
{
    using S = TVrScale;
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<S, OptionValue<&S::options_, &ScaleOptions::minValue>,
                    StoreOptionAndRepaint<&S::options_, &ScaleOptions::minValue>>("MinValue"),
        IntProperty<S, OptionValue<&S::options_, &ScaleOptions::maxValue>,
                    StoreOptionAndRepaint<&S::options_, &ScaleOptions::maxValue>>("MaxValue"),
        IntProperty<S, OptionValue<&S::options_, &ScaleOptions::ticks>,
                    StoreOptionAndRepaint<&S::options_, &ScaleOptions::ticks>>("Ticks"),
        IntProperty<S, &S::ticksWidth_, StoreAndRepaint<&S::ticksWidth_>>("TicksWidth"),
        IntProperty<S, &S::ticksHeight_, StoreAndRepaint<&S::ticksHeight_>>("TicksHeight"),
        EnumProperty<S, &S::tickMarks_, StoreAndRepaint<&S::tickMarks_>>("TickMarks", kTickMarks),
        EnumProperty<S, &S::Orientation, &S::SetOrientation>("Orientation", kOrientations),
        IntProperty<S, OptionValue<&S::options_, &ScaleOptions::digits>,
                    StoreOptionAndRepaint<&S::options_, &ScaleOptions::digits>>("Digits"),
        BoolProperty<S, OptionValue<&S::options_, &ScaleOptions::leadingZero>,
                     StoreOptionAndRepaint<&S::options_, &ScaleOptions::leadingZero>>("LeadingZero"),
        EnumProperty<S, &S::alignment_, StoreAndRepaint<&S::alignment_>>("Alignment", kTextAlignmentNames),
        EnumProperty<S, &S::layout_, StoreAndRepaint<&S::layout_>>("Layout", kLayouts),
        ColorProperty<S, &S::scaleColor_, StoreAndRepaint<&S::scaleColor_>>("ScaleColor"),
        IntProperty<S, &S::scaleOffset_, StoreAndRepaint<&S::scaleOffset_>>("ScaleOffset"),
        IntProperty<S, OptionValue<&S::options_, &ScaleOptions::peakLevel>,
                    StoreOptionAndRepaint<&S::options_, &ScaleOptions::peakLevel>>("PeakLevel"),
        ColorProperty<S, OptionValue<&S::options_, &ScaleOptions::peakColor>,
                      StoreOptionAndRepaint<&S::options_, &ScaleOptions::peakColor>>("PeakColor"),
        BoolProperty<S, OptionValue<&S::options_, &ScaleOptions::showSign>,
                     StoreOptionAndRepaint<&S::options_, &ScaleOptions::showSign>>("ShowSign"),
    };
    static constexpr TypeInfo kType = ComponentType<S>("TVrScale", &TVrGraphicImageControl::StaticType, kProperties);
    return kType;
}

ScaleOrientation TVrScale::Orientation() const
{
    return options_.vertical ? ScaleOrientation::voVertical : ScaleOrientation::voHorizontal;
}

void TVrScale::SetOrientation(ScaleOrientation orientation)
{
    options_.vertical = orientation == ScaleOrientation::voVertical;
    UpdateControlCanvas();
}

void TVrScale::PaintContents(Canvas& canvas)
{
    ScaleOptions options = options_;
    options.fontColor = GetFont().color;
    const int width = Width(), height = Height();
    for (const ScaleLabel& label : LayoutScale(options, width, height)) {
        canvas.DrawText(label.text, label.cell, FontHandle(), label.color,
                        kAlignmentFlags[static_cast<int>(alignment_)] | kLayoutFlags[static_cast<int>(layout_)] |
                            DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        if (tickMarks_ == TickMarks::tmNone)
            continue;
        // A tick across the middle of the cell, from the chosen edge(s).
        const bool fromStart = tickMarks_ == TickMarks::tmTopLeft || tickMarks_ == TickMarks::tmBoth;
        const bool fromEnd = tickMarks_ == TickMarks::tmBottomRight || tickMarks_ == TickMarks::tmBoth;
        const int across = options.vertical ? width : height;
        const int middle =
            options.vertical ? (label.cell.top + label.cell.bottom) / 2 : (label.cell.left + label.cell.right) / 2;
        auto tick = [&](int from) {
            if (options.vertical)
                canvas.FillRect({from, middle, from + ticksHeight_, middle + ticksWidth_}, scaleColor_);
            else
                canvas.FillRect({middle, from, middle + ticksWidth_, from + ticksHeight_}, scaleColor_);
        };
        if (fromStart)
            tick(scaleOffset_);
        if (fromEnd)
            tick(across - scaleOffset_ - ticksHeight_);
    }
}

} // namespace qm
