#pragma once
// Pictures for the instrument widgets, by index: bitmap resources of the
// executable named in the description. Widgets that use a list hear when it
// changes or goes away.
#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "platform/unique_resource.h"

namespace qm {

class TVrBitmapList : public Component {
public:
    ~TVrBitmapList() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    const std::vector<std::string>& Bitmaps() const { return names_; }
    void SetBitmaps(const std::vector<std::string>& names);
    int Count() const { return static_cast<int>(names_.size()); }
    // The picture at `index`; null outside the list or for a missing resource.
    HBITMAP Picture(int index);

    // Called with true when the pictures change, with false when the list is freed.
    using Listener = std::function<void(bool alive)>;
    void AddListener(const void* key, Listener listener);
    void RemoveListener(const void* key);

private:
    std::vector<std::string> names_;
    std::vector<qm::Bitmap> loaded_;
    std::vector<std::pair<const void*, Listener>> listeners_;
};

} // namespace qm
