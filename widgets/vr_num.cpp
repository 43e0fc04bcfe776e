#include "widgets/vr_num.h"

#include "framework/resources.h"
#include "widgets/strip_recolor.h"

namespace qm {

namespace {

constexpr const char* kStripNames[] = {"NUM13x24", "NUM11x20", "NUM7x13", "NUM12x17", "NUM5x7"};

NumStyle ParseNumStyle(const FormValue& value)
{
    static constexpr std::string_view kNames[] = {"ns13x24", "ns11x20", "ns7x13", "ns12x17", "ns5x7"};
    return static_cast<NumStyle>(EnumIndex(value, kNames));
}

NumAlignment ParseNumAlignment(const FormValue& value)
{
    const std::string& name = value.AsIdentifier();
    if (name == "naLeftJustify")
        return NumAlignment::LeftJustify;
    if (name == "naCenter")
        return NumAlignment::Center;
    if (name == "naRightJustify")
        return NumAlignment::RightJustify;
    throw EFormDescription("unknown alignment " + name);
}

} // namespace

TVrCustomNum::TVrCustomNum()
{
    SetBounds(Rect::FromBounds(0, 0, 100, 26));
    SetColor(clBlack);
    LoadStrip();
}

bool TVrCustomNum::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Value")
        SetValue(value.AsInt());
    else if (name == "Min")
        SetMin(value.AsInt());
    else if (name == "Max")
        SetMax(value.AsInt());
    else if (name == "Digits")
        SetDigits(value.AsInt());
    else if (name == "Spacing") {
        options_.spacing = value.AsInt();
        AdjustSize();
        UpdateControlCanvas();
    } else if (name == "Style")
        SetStyle(ParseNumStyle(value));
    else if (name == "Palette.Low")
        SetPalette({ParseColor(value), palette_.high});
    else if (name == "Palette.High")
        SetPalette({palette_.low, ParseColor(value)});
    else if (name == "Alignment") {
        options_.alignment = ParseNumAlignment(value);
        UpdateControlCanvas();
    } else if (name == "LeadingZero") {
        options_.leadingZero = value.AsBool();
        UpdateControlCanvas();
    } else if (name == "ZeroBlank") {
        options_.zeroBlank = value.AsBool();
        UpdateControlCanvas();
    } else if (name == "AutoSize") {
        autoSize_ = value.AsBool();
        AdjustSize();
    } else
        return TVrGraphicImageControl::ApplyProperty(name, value);
    return true;
}

bool TVrCustomNum::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event != "OnChange")
        return TVrGraphicImageControl::BindEvent(event, handlers, handler);
    OnChange = handlers.Get<void(Component&)>(handler);
    return true;
}

void TVrCustomNum::Loaded()
{
    TVrGraphicImageControl::Loaded();
    AdjustSize();
}

void TVrCustomNum::SetValue(int value)
{
    value = ClampNum(value, min_, max_);
    if (value == value_)
        return;
    value_ = value;
    UpdateControlCanvas();
    if (OnChange)
        OnChange(*this);
}

void TVrCustomNum::SetMin(int min)
{
    if (min >= max_)
        return;
    min_ = min;
    options_.hasSign = min_ < 0;
    SetValue(value_);
    UpdateControlCanvas();
}

void TVrCustomNum::SetMax(int max)
{
    if (max <= min_)
        return;
    max_ = max;
    SetValue(value_);
    UpdateControlCanvas();
}

void TVrCustomNum::SetDigits(int digits)
{
    if (digits < 1 || digits > 16)
        return;
    options_.digits = digits;
    AdjustSize();
    UpdateControlCanvas();
}

void TVrCustomNum::SetStyle(NumStyle style)
{
    style_ = style;
    LoadStrip();
    AdjustSize();
    UpdateControlCanvas();
}

void TVrCustomNum::SetPalette(const TVrPalette& palette)
{
    palette_ = palette;
    LoadStrip();
    UpdateControlCanvas();
}

void TVrCustomNum::LoadStrip()
{
    strip_ = LoadBitmapResource(kStripNames[static_cast<int>(style_)]);
    if (!strip_)
        throw EFormDescription(std::string("no picture resource ") + kStripNames[static_cast<int>(style_)]);
    DIBSECTION dib{};
    if (GetObjectA(strip_.Get(), sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 24 && dib.dsBm.bmBits) {
        GdiFlush();
        RecolorStrip(static_cast<std::uint8_t*>(dib.dsBm.bmBits), dib.dsBm.bmWidth, dib.dsBm.bmHeight,
                     static_cast<size_t>(dib.dsBm.bmWidthBytes), palette_.low, palette_.high);
    }
    SIZE size = BitmapSize(strip_.Get());
    cellSize_ = SIZE{size.cx / kStripCells, size.cy};
}

void TVrCustomNum::AdjustSize()
{
    if (!autoSize_ || IsLoading())
        return;
    int width = options_.digits * cellSize_.cx + (options_.digits - 1) * options_.spacing;
    SetBounds(Rect::FromBounds(Left(), Top(), width, cellSize_.cy));
}

void TVrCustomNum::PaintContents(Canvas& canvas)
{
    if (!strip_)
        return;
    MemoryDC source(canvas.Handle());
    SelectGuard select(source.Get(), strip_.Get());
    const int cw = cellSize_.cx, ch = cellSize_.cy;
    for (const NumCell& cell : LayoutNum(value_, options_, Width(), Height(), cw, ch))
        TransparentBlt(canvas.Handle(), cell.x, cell.y, cw, ch, source.Get(), cell.cell * cw, 0, cw, ch, RGB(0, 0, 0));
}

} // namespace qm
