#include "sysinfo/msysteminfo.h"

#include <vector>

namespace qm {

TMSystemInfo::TMSystemInfo() : about_("MSystemInfo: the system-information engine of Quarrimond 4.8")
{}

TMSystemInfo::~TMSystemInfo()
{
    // The window goes before the collectors it shows.
    overview_.reset();
}

namespace {

// The collectors, published under the table's names; their level of the
// container's table reaches into its engine.
const TypeInfo& CollectorsType()
{
    static const std::vector<PropertyInfo> properties = [] {
        std::vector<PropertyInfo> published;
        for (const TopicRow& row : TopicRows()) {
            if (row.published.empty())
                continue;
            PropertyInfo property{row.published, PropertyType::Object};
            property.nested = row.collector.kind->type;
            property.object = row.collector.published;
            published.push_back(property);
        }
        return published;
    }();
    static const TypeInfo type{"TMSystemInfo", &Component::StaticType, properties, {},
                               [](Component& c) -> void* { return &static_cast<TMSystemInfo&>(c).Info(); }};
    return type;
}

} // namespace

const TypeInfo& TMSystemInfo::StaticType()
{
    using M = TMSystemInfo;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<M, &M::About, [](M&, const std::string&) {}>("About"),
    };
    // The collectors' stored values stand until the first refresh.
    static constexpr TypeInfo kType = ComponentType<M>("TMSystemInfo", &CollectorsType, kProperties);
    return kType;
}

void TMSystemInfo::ShowOverview()
{
    if (overview_) {
        overview_->ShowAgain();
        return;
    }
    if (factory_)
        overview_ = factory_(*this, [this] { overview_.reset(); });
}

} // namespace qm
