#include "widgets/vr_num.h"

#include "framework/resources.h"
#include "widgets/strip_recolor.h"

namespace qm {

namespace {

constexpr const char* kStripNames[] = {"NUM13x24", "NUM11x20", "NUM7x13", "NUM12x17", "NUM5x7"};

constexpr std::string_view kNumStyleNames[] = {"ns13x24", "ns11x20", "ns7x13", "ns12x17", "ns5x7"};
constexpr std::string_view kNumAlignmentNames[] = {"naLeftJustify", "naCenter", "naRightJustify"};

} // namespace

TVrCustomNum::TVrCustomNum()
{
    SetBounds(Rect::FromBounds(0, 0, 100, 26));
    SetColor(clBlack);
    LoadStrip();
}

const TypeInfo& TVrPalette::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        ColorProperty<TVrPalette, &TVrPalette::low>("Low"),
        ColorProperty<TVrPalette, &TVrPalette::high>("High"),
    };
    static constexpr TypeInfo kType = RecordType("TVrPalette", kProperties);
    return kType;
}

const TypeInfo& TVrCustomNum::StaticType()
{
    using N = TVrCustomNum;
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<N, &N::Value, &N::SetValue>("Value"),
        IntProperty<N, &N::Min, &N::SetMin>("Min"),
        IntProperty<N, &N::Max, &N::SetMax>("Max"),
        IntProperty<N, &N::Digits, &N::SetDigits>("Digits"),
        IntProperty<N, [](const N& n) { return n.options_.spacing; },
                    [](N& n, int spacing) {
                        n.options_.spacing = spacing;
                        n.AdjustSize();
                        n.UpdateControlCanvas();
                    }>("Spacing"),
        EnumProperty<N, &N::GetStyle, &N::SetStyle>("Style", kNumStyleNames),
        // The strip is recoloured once the palette is complete.
        ObjectProperty<N, TVrPalette, [](N& n, bool) { return &n.palette_; }, [](N& n) { n.SetPalette(n.palette_); }>(
            "Palette"),
        EnumProperty<N, [](const N& n) { return n.options_.alignment; },
                     [](N& n, NumAlignment a) {
                         n.options_.alignment = a;
                         n.UpdateControlCanvas();
                     }>("Alignment", kNumAlignmentNames),
        BoolProperty<N, [](const N& n) { return n.options_.leadingZero; },
                     [](N& n, bool on) {
                         n.options_.leadingZero = on;
                         n.UpdateControlCanvas();
                     }>("LeadingZero"),
        BoolProperty<N, [](const N& n) { return n.options_.zeroBlank; },
                     [](N& n, bool on) {
                         n.options_.zeroBlank = on;
                         n.UpdateControlCanvas();
                     }>("ZeroBlank"),
        BoolProperty<N, &N::autoSize_,
                     [](N& n, bool on) {
                         n.autoSize_ = on;
                         n.AdjustSize();
                     }>("AutoSize"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<N, &N::OnChange>("OnChange"),
    };
    static constexpr TypeInfo kType =
        ComponentType<N>("TVrCustomNum", &TVrGraphicImageControl::StaticType, kProperties, kEvents);
    return kType;
}

const TypeInfo& TVrNum::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TVrNum>("TVrNum", &TVrCustomNum::StaticType, {});
    return kType;
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
    ValueChanged();
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
        canvas.DrawKeyed(Rect::FromBounds(cell.x, cell.y, cw, ch), source.Get(),
                         Rect::FromBounds(cell.cell * cw, 0, cw, ch), RGB(0, 0, 0));
}

AccessibleFacts TVrCustomNum::AccessibleDescription()
{
    AccessibleFacts facts = TControl::AccessibleDescription();
    facts.role = AccessibleRole::StaticText;
    facts.value = std::to_string(value_);
    return facts;
}

} // namespace qm
