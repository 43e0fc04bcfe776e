#include "framework/image_list.h"

#include "framework/resources.h"
#include "framework/window_object.h"

namespace qm {

const TypeInfo& TImageList::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TImageList, &TImageList::Width, &TImageList::SetWidth>("Width"),
        IntProperty<TImageList, &TImageList::Height, &TImageList::SetHeight>("Height"),
        StringProperty<TImageList, &TImageList::Bitmap, &TImageList::SetBitmap>("Bitmap"),
    };
    static constexpr TypeInfo kType = ComponentType<TImageList>("TImageList", &Component::StaticType, kProperties);
    return kType;
}

void TImageList::SetBitmap(const std::string& resource)
{
    bitmap_ = resource;
    list_.Reset();
    if (!IsLoading())
        CheckBitmap();
}

void TImageList::Loaded()
{
    CheckBitmap();
}

void TImageList::CheckBitmap() const
{
    // The list itself is made when first used: a window never shown needs
    // neither it nor the library behind it. A wrong name still fails now.
    if (!bitmap_.empty() && !HasBitmapResource(bitmap_))
        throw EFormDescription("no picture resource " + bitmap_);
}

void TImageList::Create()
{
    EnsureCommonControls();
    list_.Reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 8, 8));
    if (bitmap_.empty())
        return;
    qm::Bitmap strip = LoadBitmapResource(bitmap_);
    if (!strip)
        throw EFormDescription("no picture resource " + bitmap_);
    ImageList_AddMasked(list_.Get(), strip.Get(), RGB(255, 0, 255));
}

HIMAGELIST TImageList::Handle()
{
    if (!list_)
        Create();
    return list_.Get();
}

int TImageList::Count()
{
    return ImageList_GetImageCount(Handle());
}

int TImageList::AddIcon(HICON icon)
{
    return icon ? ImageList_ReplaceIcon(Handle(), -1, icon) : -1;
}

void TImageList::Clear()
{
    ImageList_RemoveAll(Handle());
}

void ImageListLink::SetName(Component& owner, const std::string& name)
{
    name_ = name;
    if (!owner.IsLoading())
        list_ = name.empty() ? nullptr : dynamic_cast<TImageList*>(owner.ResolveReference(name));
}

void ImageListLink::Resolve(Component& owner)
{
    if (name_.empty())
        return;
    list_ = dynamic_cast<TImageList*>(owner.ResolveReference(name_));
    if (!list_)
        throw EFormDescription(owner.Name() + ": no image list named " + name_);
}

HIMAGELIST ImageListLink::Handle() const
{
    return list_ ? list_->Handle() : nullptr;
}

} // namespace qm
