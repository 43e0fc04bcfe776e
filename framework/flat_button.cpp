#include "framework/flat_button.h"

#include "framework/form.h"
#include "framework/resources.h"

namespace qm {

TFlatButton::TFlatButton()
{
    SetBounds(Rect::FromBounds(0, 0, 75, 25));
    SetParentColor(true);
}

const TypeInfo& TFlatButton::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TFlatButton, &TFlatButton::Glyph, &TFlatButton::SetGlyph>("Glyph"),
        EnumProperty<TFlatButton, &TFlatButton::ModalResult, &TFlatButton::SetModalResult>("ModalResult",
                                                                                           kModalResultNames),
    };
    static constexpr TypeInfo kType = ComponentType<TFlatButton>("TFlatButton", &TControl::StaticType, kProperties);
    return kType;
}

void TFlatButton::SetGlyph(const std::string& resource)
{
    if (resource.empty()) {
        glyph_.Reset();
        glyphName_.clear();
        Invalidate();
        return;
    }
    Bitmap glyph = LoadBitmapResource(resource);
    if (!glyph)
        throw EFormDescription("no picture resource " + resource);
    glyph_ = std::move(glyph);
    glyphName_ = resource;
    Invalidate();
}

void TFlatButton::Click()
{
    TControl::Click();
    if (modalResult_ != 0)
        if (TForm* form = OwnerForm(); form && form->IsModal())
            form->SetModalResult(modalResult_);
}

void TFlatButton::Paint(Canvas& canvas)
{
    Rect r = ClientRect();
    canvas.FillRect(r, GetColor());
    bool down = Pressed() && MouseInside();
    if (down)
        canvas.Frame3D(r, clBtnShadow, clBtnHighlight);
    else if (MouseInside() && Enabled())
        canvas.Frame3D(r, clBtnHighlight, clBtnShadow);
    int shift = down ? 1 : 0;

    int textTop = r.top + 4;
    if (glyph_) {
        SIZE size = BitmapSize(glyph_.Get());
        int x = (r.Width() - size.cx) / 2 + shift;
        int y = 6 + shift;
        MemoryDC source(canvas.Handle());
        SelectGuard select(source.Get(), glyph_.Get());
        COLORREF key = GetPixel(source.Get(), 0, size.cy - 1);
        canvas.DrawKeyed(Rect::FromBounds(x, y, size.cx, size.cy), source.Get(),
                         Rect::FromBounds(0, 0, size.cx, size.cy), key);
        textTop = y + size.cy + 3;
    }
    Rect text{r.left + 2 + shift, textTop, r.right - 2 + shift, r.bottom - 2};
    canvas.DrawText(Caption(), text, FontHandle(), Enabled() ? GetFont().color : clGrayText,
                    DT_CENTER | DT_TOP | DT_SINGLELINE);
}

} // namespace qm
