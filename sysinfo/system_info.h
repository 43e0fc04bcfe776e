#pragma once
// The engine's sixteen collectors, refreshed and reported in their two
// orders, and the topics a single-topic report can be about.
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "sysinfo/collector.h"
#include "sysinfo/msi_apm.h"
#include "sysinfo/msi_cpu.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/msi_directx.h"
#include "sysinfo/msi_disk.h"
#include "sysinfo/msi_display.h"
#include "sysinfo/msi_machine.h"
#include "sysinfo/msi_media.h"
#include "sysinfo/msi_memory.h"
#include "sysinfo/msi_network.h"
#include "sysinfo/msi_os.h"
#include "sysinfo/msi_processes.h"

namespace qm {

class SystemServices;

// One topic of the information window: its name as the window's tab says it
// and the collector whose report it writes.
struct Topic {
    std::string_view name;
    CollectorRef collector;
};

class SystemInfo {
public:
    SystemInfo();
    ~SystemInfo();
    SystemInfo(const SystemInfo&) = delete;
    SystemInfo& operator=(const SystemInfo&) = delete;

    // Every collector in the refresh order, each reporting its own failure,
    // with the system drive chosen on the disk collector after the disks.
    // `starting` hears of each collector just before it reads.
    void RefreshData(SystemServices& services, const std::function<void(const CollectorRef&)>& starting = {});
    // Only the chosen collectors, in the refresh order (a topic outside it, the
    // time zone, after them); with the disks, the system drive is selected.
    void RefreshOnly(SystemServices& services, const std::vector<CollectorRef>& chosen,
                     const std::function<void(const CollectorRef&)>& starting = {});
    // Every section in the report order, without refreshing first.
    void Report(StringList& lines, const ReportLocale& locale);
    // One collector's sections. The disk report selects every drive in turn:
    // afterwards the disk fields are again those of the drive selected before.
    void ReportOne(const CollectorRef& collector, StringList& lines, const ReportLocale& locale);

    // The collectors in the order each consumer walks them.
    const std::vector<CollectorRef>& InRefreshOrder() const { return refreshOrder_; }
    const std::vector<CollectorRef>& InReportOrder() const { return reportOrder_; }
    // The window's sixteen topics in tab order ("Machine" ... "Software").
    const std::vector<Topic>& Topics() const { return topics_; }

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

private:
    std::vector<CollectorRef> refreshOrder_, reportOrder_;
    std::vector<Topic> topics_;
};

} // namespace qm
