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
        ObjectProperty<M, TMemory, [](M& m, bool) { return m.info_.Memory.get(); }>("Memory"),
        ObjectProperty<M, TOperatingSystem, [](M& m, bool) { return m.info_.OS.get(); }>("OS"),
        ObjectProperty<M, TDisk, [](M& m, bool) { return m.info_.Disk.get(); }>("Disk"),
        ObjectProperty<M, TMachine, [](M& m, bool) { return m.info_.Machine.get(); }>("Machine"),
        ObjectProperty<M, TDisplay, [](M& m, bool) { return m.info_.Display.get(); }>("Display"),
        ObjectProperty<M, TMedia, [](M& m, bool) { return m.info_.Media.get(); }>("Media"),
        ObjectProperty<M, TDevices, [](M& m, bool) { return m.info_.Devices.get(); }>("Devices"),
        ObjectProperty<M, TAPM, [](M& m, bool) { return m.info_.APM.get(); }>("APM"),
        ObjectProperty<M, TNetwork, [](M& m, bool) { return m.info_.Network.get(); }>("Network"),
        ObjectProperty<M, TEngines, [](M& m, bool) { return m.info_.Engines.get(); }>("Engines"),
        ObjectProperty<M, TDirectX, [](M& m, bool) { return m.info_.DirectX.get(); }>("DirectX"),
        ObjectProperty<M, TProcesses, [](M& m, bool) { return m.info_.Processes.get(); }>("Processes"),
        ObjectProperty<M, TPrinters, [](M& m, bool) { return m.info_.Printers.get(); }>("Printers"),
        ObjectProperty<M, TSoftware, [](M& m, bool) { return m.info_.Software.get(); }>("Software"),
        ObjectProperty<M, TStartup, [](M& m, bool) { return m.info_.Startup.get(); }>("Startup"),
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
