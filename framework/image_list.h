#pragma once
// A list of small pictures of one size for list views, trees and tabs: from a
// strip in the executable's resources, and icons added at run time.
#include <windows.h>

#include <commctrl.h>

#include "framework/component.h"
#include "platform/unique_resource.h"

namespace qm {

inline void DestroyImageList(HIMAGELIST list)
{
    ImageList_Destroy(list);
}
using ImageListHandle = UniqueResource<NullIsEmptyTraits<HIMAGELIST, DestroyImageList>>;

class TImageList : public Component {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    // The bitmap resource whose strip of Width-wide pictures fills the list;
    // its colour clFuchsia shows what is behind.
    const std::string& Bitmap() const { return bitmap_; }
    void SetBitmap(const std::string& resource);

    HIMAGELIST Handle();
    int Count();
    // Adds a copy of `icon`; returns its index or -1.
    int AddIcon(HICON icon);
    void Clear();

private:
    void CheckBitmap() const;
    void Create();

    int width_ = 16, height_ = 16;
    std::string bitmap_;
    ImageListHandle list_;
};

// A control's link to an image list of its window, named in the description
// and found once the whole description is in.
class ImageListLink {
public:
    const std::string& Name() const { return name_; }
    TImageList* List() const { return list_; }
    // While loading only the name is kept; afterwards the list is looked up.
    void SetName(Component& owner, const std::string& name);
    // After loading: the named list; throws EFormDescription when there is none.
    void Resolve(Component& owner);
    void Set(TImageList* list) { list_ = list; }
    HIMAGELIST Handle() const;

private:
    std::string name_;
    TImageList* list_ = nullptr;
};

} // namespace qm
