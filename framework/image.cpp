#include "framework/image.h"

#include "framework/resources.h"

namespace qm {

TImage::TImage()
{
    SetBounds(Rect::FromBounds(0, 0, 105, 105));
    SetParentColor(true);
}

bool TImage::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Picture") {
        SetPicture(value.AsString());
        return true;
    }
    if (name == "Transparent") {
        transparent_ = value.AsBool();
        return true;
    }
    if (name == "AutoSize") {
        autoSize_ = value.AsBool();
        if (autoSize_ && picture_) {
            SIZE size = BitmapSize(picture_.Get());
            SetBounds(Rect::FromBounds(Left(), Top(), size.cx, size.cy));
        }
        return true;
    }
    return TControl::ApplyProperty(name, value);
}

void TImage::SetPicture(const std::string& resourceName)
{
    picture_ = LoadBitmapResource(resourceName);
    if (!picture_)
        throw EFormDescription("no picture resource " + resourceName);
    if (autoSize_) {
        SIZE size = BitmapSize(picture_.Get());
        SetBounds(Rect::FromBounds(Left(), Top(), size.cx, size.cy));
    }
    Invalidate();
}

void TImage::Paint(Canvas& canvas)
{
    PaintParentBackground(canvas);
    if (!picture_)
        return;
    SIZE size = BitmapSize(picture_.Get());
    MemoryDC source(canvas.Handle());
    SelectGuard select(source.Get(), picture_.Get());
    if (transparent_) {
        COLORREF key = GetPixel(source.Get(), 0, size.cy - 1);
        TransparentBlt(canvas.Handle(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, size.cx, size.cy, key);
    } else {
        BitBlt(canvas.Handle(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    }
}

} // namespace qm
