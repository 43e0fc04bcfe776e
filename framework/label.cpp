#include "framework/label.h"

namespace qm {

namespace {

constexpr std::string_view kShadowPositionNames[] = {"spLeftTop", "spLeftBottom", "spRightBottom", "spRightTop"};

} // namespace

const TypeInfo& TLabel::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TLabel, &TLabel::AutoSize, &TLabel::SetAutoSize>("AutoSize"),
        BoolProperty<TLabel, &TLabel::Transparent, &TLabel::SetTransparent>("Transparent"),
        EnumProperty<TLabel, &TLabel::Alignment, &TLabel::SetAlignment>("Alignment", kTextAlignmentNames),
        IntProperty<TLabel, &TLabel::ShadowSize, &TLabel::SetShadowSize>("ShadowSize"),
        EnumProperty<TLabel, &TLabel::ShadowPos, &TLabel::SetShadowPos>("ShadowPos", kShadowPositionNames),
        ColorProperty<TLabel, &TLabel::ShadowColor, &TLabel::SetShadowColor>("ShadowColor"),
    };
    static constexpr TypeInfo kType = ComponentType<TLabel>("TLabel", &TControl::StaticType, kProperties);
    return kType;
}

TLabel::TLabel()
{
    SetBounds(Rect::FromBounds(0, 0, 65, 13));
    SetParentColor(true);
    transparent_ = true;
}

void TLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    FitToText();
}

void TLabel::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TLabel::SetAlignment(TextAlignment alignment)
{
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetShadowSize(int size)
{
    shadowSize_ = size < 0 ? 0 : size;
    FitToText();
    Invalidate();
}

void TLabel::SetShadowPos(ShadowPosition position)
{
    shadowPos_ = position;
    Invalidate();
}

void TLabel::SetShadowColor(Color color)
{
    shadowColor_ = color;
    Invalidate();
}

void TLabel::CreateHandle(HWND parentWindow)
{
    // Sized before its window exists, so the window is made at its size
    // instead of being moved right after.
    if (autoSize_)
        MeasureAndFit();
    TControl::CreateHandle(parentWindow);
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    FitToText();
}

void TLabel::FitToText()
{
    if (autoSize_ && Handle())
        MeasureAndFit();
}

void TLabel::MeasureAndFit()
{
    // A memory device context measures as the screen does, without asking
    // the window system for one of the window's.
    MemoryDC dc;
    // Measured as it will be drawn: at the window's resolution.
    const ScaledDrawing scaled(dc.Get(), Dpi());
    Canvas canvas(dc.Get());
    SIZE size = canvas.MeasureText(Caption().empty() ? " " : Caption(), FontHandle());
    const int width = size.cx + shadowSize_, height = size.cy + shadowSize_;
    // A right-aligned label keeps its right edge as it grows or shrinks.
    const int left = alignment_ == TextAlignment::taRightJustify ? Left() + Width() - width : Left();
    SetBounds(Rect::FromBounds(left, Top(), width, height));
}

void TLabel::Paint(Canvas& canvas)
{
    if (transparent_)
        PaintParentBackground(canvas);
    else
        canvas.FillRect(ClientRect(), GetColor());
    const FontSpec& font = GetFont();
    UINT format = DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    format |= alignment_ == TextAlignment::taRightJustify ? DT_RIGHT
        : alignment_ == TextAlignment::taCenter           ? DT_CENTER
                                                          : DT_LEFT;
    Rect text = ClientRect();
    if (shadowSize_ > 0) {
        const bool left = shadowPos_ == ShadowPosition::spLeftTop || shadowPos_ == ShadowPosition::spLeftBottom;
        const bool top = shadowPos_ == ShadowPosition::spLeftTop || shadowPos_ == ShadowPosition::spRightTop;
        Rect shadow = text;
        text.right -= shadowSize_;
        text.bottom -= shadowSize_;
        shadow.right -= shadowSize_;
        shadow.bottom -= shadowSize_;
        const int dx = left ? 0 : shadowSize_, dy = top ? 0 : shadowSize_;
        shadow = Rect{shadow.left + dx, shadow.top + dy, shadow.right + dx, shadow.bottom + dy};
        const int tx = left ? shadowSize_ : 0, ty = top ? shadowSize_ : 0;
        text = Rect{text.left + tx, text.top + ty, text.right + tx, text.bottom + ty};
        canvas.DrawText(Caption(), shadow, FontHandle(), shadowColor_, format);
    }
    canvas.DrawText(Caption(), text, FontHandle(), Enabled() ? font.color : clGrayText, format);
}

} // namespace qm
