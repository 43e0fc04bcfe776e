#include "widgets/vr_scale.h"

namespace qm {

namespace {

constexpr std::string_view kTickMarks[] = {"tmNone", "tmBoth", "tmBottomRight", "tmTopLeft"};
constexpr std::string_view kOrientations[] = {"voHorizontal", "voVertical"};
constexpr std::string_view kAlignments[] = {"taLeftJustify", "taRightJustify", "taCenter"};
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

bool TVrScale::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "MinValue")
        options_.minValue = value.AsInt();
    else if (name == "MaxValue")
        options_.maxValue = value.AsInt();
    else if (name == "Ticks")
        options_.ticks = value.AsInt();
    else if (name == "TicksWidth")
        ticksWidth_ = value.AsInt();
    else if (name == "TicksHeight")
        ticksHeight_ = value.AsInt();
    else if (name == "TickMarks")
        tickMarks_ = static_cast<TickMarks>(EnumIndex(value, kTickMarks));
    else if (name == "Orientation")
        options_.vertical = EnumIndex(value, kOrientations) == 1;
    else if (name == "Digits")
        options_.digits = value.AsInt();
    else if (name == "LeadingZero")
        options_.leadingZero = value.AsBool();
    else if (name == "Alignment")
        alignment_ = kAlignmentFlags[EnumIndex(value, kAlignments)];
    else if (name == "Layout")
        layout_ = kLayoutFlags[EnumIndex(value, kLayouts)];
    else if (name == "ScaleColor")
        scaleColor_ = ParseColor(value);
    else if (name == "ScaleOffset")
        scaleOffset_ = value.AsInt();
    else if (name == "PeakLevel")
        options_.peakLevel = value.AsInt();
    else if (name == "PeakColor")
        options_.peakColor = ParseColor(value);
    else if (name == "ShowSign")
        options_.showSign = value.AsBool();
    else
        return TVrGraphicImageControl::ApplyProperty(name, value);
    UpdateControlCanvas();
    return true;
}

void TVrScale::PaintContents(Canvas& canvas)
{
    ScaleOptions options = options_;
    options.fontColor = GetFont().color;
    const int width = Width(), height = Height();
    for (const ScaleLabel& label : LayoutScale(options, width, height)) {
        canvas.DrawText(label.text, label.cell, FontHandle(), label.color,
                        alignment_ | layout_ | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
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
