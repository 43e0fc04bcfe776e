#pragma once
// The engine's sixteen collectors, refreshed and reported in their two orders.
#include <memory>

#include "framework/string_list.h"
#include "sysinfo/msi_cpu.h"
#include "sysinfo/msi_memory.h"
#include "sysinfo/msi_os.h"
#include "sysinfo/pending_collectors.h"
#include "sysinfo/report_locale.h"

namespace qm {

class SystemServices;

class SystemInfo {
public:
    SystemInfo();
    ~SystemInfo();
    SystemInfo(const SystemInfo&) = delete;
    SystemInfo& operator=(const SystemInfo&) = delete;

    // Every collector, each catching and reporting its own failure, then the
    // system drive chosen on the disk collector.
    void RefreshData(SystemServices& services);
    // Every section, without refreshing first.
    void Report(StringList& lines, const ReportLocale& locale) const;

    // Created in this order, freed in the same order.
    std::unique_ptr<TCPU> CPU;
    std::unique_ptr<TMemory> Memory;
    std::unique_ptr<TOperatingSystem> OS;
    std::unique_ptr<TDisk> Disk;
    std::unique_ptr<TMachine> Machine;
    std::unique_ptr<TNetwork> Network;
    std::unique_ptr<TDisplay> Display;
    std::unique_ptr<TMedia> Media;
    std::unique_ptr<TDevices> Devices;
    std::unique_ptr<TEngines> Engines;
    std::unique_ptr<TAPM> APM;
    std::unique_ptr<TDirectX> DirectX;
    std::unique_ptr<TProcesses> Processes;
    std::unique_ptr<TPrinters> Printers;
    std::unique_ptr<TSoftware> Software;
    std::unique_ptr<TStartup> Startup;
};

} // namespace qm
