#include "widgets/html_static_text.h"

#include "widgets/html_plain_text.h"

namespace qm {

THTMLStaticText::THTMLStaticText()
{
    SetBounds(Rect::FromBounds(0, 0, 100, 20));
    SetParentColor(true);
    SetCursor(CursorKind::Default);
}

bool THTMLStaticText::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name != "HTMLText")
        return TVrGraphicImageControl::ApplyProperty(name, value);
    html_ = value.AsString();
    UpdateControlCanvas();
    return true;
}

void THTMLStaticText::PaintContents(Canvas& canvas)
{
    canvas.DrawText(PlainTextOfHtml(html_), ClientRect(), FontHandle(), GetFont().color,
                    DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace qm
