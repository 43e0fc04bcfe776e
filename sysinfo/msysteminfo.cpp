#include "sysinfo/msysteminfo.h"

namespace qm {

TMSystemInfo::TMSystemInfo() : about_("MSystemInfo: the system-information engine of Quarrimond 4.8")
{}

TMSystemInfo::~TMSystemInfo()
{
    // The window goes before the collectors it shows.
    overview_.reset();
}

const TypeInfo& TMSystemInfo::StaticType()
{
    using M = TMSystemInfo;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<M, &M::About, [](M&, const std::string&) {}>("About"),
        // The collectors' stored values stand until the first refresh.
        ObjectProperty<M, TCPU, [](M& m, bool) { return m.info_.CPU.get(); }>("CPU"),
    };
    static constexpr TypeInfo kType = ComponentType<M>("TMSystemInfo", &Component::StaticType, kProperties);
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
