#include "framework/label.h"

namespace qm {

TLabel::TLabel()
{
    SetBounds(Rect::FromBounds(0, 0, 65, 13));
    SetParentColor(true);
    transparent_ = true;
}

bool TLabel::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "AutoSize") {
        autoSize_ = value.AsBool();
        return true;
    }
    if (name == "Transparent") {
        transparent_ = value.AsBool();
        return true;
    }
    // Shadow options of the decorated label: drawn plainly here.
    if (name == "ShadowSize" || name == "ShadowPos" || name == "ShadowColor")
        return true;
    return TControl::ApplyProperty(name, value);
}

void TLabel::CreateHandle(HWND parentWindow)
{
    TControl::CreateHandle(parentWindow);
    FitToText();
}

void TLabel::FitToText()
{
    if (!autoSize_ || !Handle())
        return;
    WindowDC dc(Handle());
    Canvas canvas(dc.Get());
    SIZE size = canvas.MeasureText(Caption().empty() ? " " : Caption(), FontHandle());
    SetBounds(Rect::FromBounds(Left(), Top(), size.cx, size.cy));
}

void TLabel::Paint(Canvas& canvas)
{
    if (transparent_)
        PaintParentBackground(canvas);
    else
        canvas.FillRect(ClientRect(), GetColor());
    const FontSpec& font = GetFont();
    canvas.DrawText(Caption(), ClientRect(), FontHandle(), Enabled() ? font.color : clGrayText,
                    DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace qm
