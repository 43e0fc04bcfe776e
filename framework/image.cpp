#include "framework/image.h"

#include "framework/resources.h"

namespace qm {

TImage::TImage()
{
    SetBounds(Rect::FromBounds(0, 0, 105, 105));
    SetParentColor(true);
}

const TypeInfo& TImage::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TImage, &TImage::Picture, &TImage::SetPicture>("Picture"),
        BoolProperty<TImage, &TImage::Transparent, &TImage::SetTransparent>("Transparent"),
        BoolProperty<TImage, &TImage::AutoSize, &TImage::SetAutoSize>("AutoSize"),
    };
    static constexpr TypeInfo kType = ComponentType<TImage>("TImage", &TControl::StaticType, kProperties);
    return kType;
}

void TImage::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TImage::SetAutoSize(bool on)
{
    autoSize_ = on;
    FitToPicture();
}

void TImage::FitToPicture()
{
    if (autoSize_ && picture_) {
        SIZE size = BitmapSize(picture_.Get());
        SetBounds(Rect::FromBounds(Left(), Top(), size.cx, size.cy));
    }
}

void TImage::SetPicture(const std::string& resourceName)
{
    if (resourceName.empty()) {
        picture_.Reset();
        icon_.Reset();
        pictureName_.clear();
        Invalidate();
        return;
    }
    Bitmap picture = LoadBitmapResource(resourceName);
    if (!picture)
        throw EFormDescription("no picture resource " + resourceName);
    picture_ = std::move(picture);
    icon_.Reset();
    pictureName_ = resourceName;
    FitToPicture();
    Invalidate();
}

void TImage::SetIcon(HICON icon)
{
    icon_.Reset(icon);
    picture_.Reset();
    pictureName_.clear();
    Invalidate();
}

void TImage::Paint(Canvas& canvas)
{
    PaintParentBackground(canvas);
    if (icon_) {
        DrawIconEx(canvas.Handle(), 0, 0, icon_.Get(), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!picture_)
        return;
    SIZE size = BitmapSize(picture_.Get());
    MemoryDC source(canvas.Handle());
    SelectGuard select(source.Get(), picture_.Get());
    if (transparent_) {
        COLORREF key = GetPixel(source.Get(), 0, size.cy - 1);
        const Rect whole = Rect::FromBounds(0, 0, size.cx, size.cy);
        canvas.DrawKeyed(whole, source.Get(), whole, key);
    } else {
        BitBlt(canvas.Handle(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    }
}

} // namespace qm
