#include "widgets/vr_bitmap_list.h"

#include "framework/resources.h"

namespace qm {

TVrBitmapList::~TVrBitmapList()
{
    for (auto& [key, listener] : std::vector(listeners_))
        listener(false);
}

const TypeInfo& TVrBitmapList::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<TVrBitmapList, &TVrBitmapList::Bitmaps, &TVrBitmapList::SetBitmaps>("Bitmaps"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TVrBitmapList>("TVrBitmapList", &Component::StaticType, kProperties);
    return kType;
}

void TVrBitmapList::SetBitmaps(const std::vector<std::string>& names)
{
    names_ = names;
    loaded_.clear();
    for (auto& [key, listener] : std::vector(listeners_))
        listener(true);
}

HBITMAP TVrBitmapList::Picture(int index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    if (loaded_.empty())
        for (const std::string& name : names_)
            loaded_.push_back(LoadBitmapResource(name));
    return loaded_[static_cast<size_t>(index)].Get();
}

void TVrBitmapList::AddListener(const void* key, Listener listener)
{
    listeners_.emplace_back(key, std::move(listener));
}

void TVrBitmapList::RemoveListener(const void* key)
{
    std::erase_if(listeners_, [&](const auto& entry) { return entry.first == key; });
}

} // namespace qm
