#pragma once
// The engine's collectors, one per row of the topic table, refreshed and
// reported in the table's two orders.
#include <functional>
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
#include "sysinfo/topic_table.h"

namespace qm {

class SystemServices;

// A topic with a page of the information window: its name as the window's
// tab says it, the page and the collector whose report it writes.
struct Topic {
    std::string_view name;
    std::string_view sheet;
    CollectorRef collector;
};

class SystemInfo {
public:
    // Makes every collector the table owns, in table order; reads nothing.
    SystemInfo();
    // Frees them in the same order.
    ~SystemInfo();
    SystemInfo(const SystemInfo&) = delete;
    SystemInfo& operator=(const SystemInfo&) = delete;

    // The collector of class C (a part of another collector too).
    template <class C> C& Get() const { return *static_cast<C*>(Object(kCollectorKind<C>)); }
    void* Object(const CollectorKind& kind) const;
    CollectorRef Collector(const TopicRow& row) const;

    // Every collector in the refresh order, each reporting its own failure,
    // with the system drive chosen on the disk collector after the disks.
    // `starting` hears of each collector just before it reads.
    void RefreshData(SystemServices& services, const std::function<void(const CollectorRef&)>& starting = {});
    // Only the chosen collectors, in the refresh order (a part after them,
    // unless its owner is chosen too); with the disks, the system drive is
    // selected.
    void RefreshOnly(SystemServices& services, const std::vector<CollectorRef>& chosen,
                     const std::function<void(const CollectorRef&)>& starting = {});
    // Every section in the report order, without refreshing first.
    void Report(StringList& lines, const ReportLocale& locale);
    // One collector's sections. The disk report selects every drive in turn:
    // afterwards the disk fields are again those of the drive selected before.
    void ReportOne(const CollectorRef& collector, StringList& lines, const ReportLocale& locale);

    // The collectors in the order each consumer walks them.
    std::vector<CollectorRef> InRefreshOrder() const;
    std::vector<CollectorRef> InReportOrder() const;
    // The topics with a page, in tab order ("Machine" ... "Software").
    std::vector<Topic> Topics() const;

private:
    // By row of the table; null for a part of another collector.
    std::vector<void*> owned_;
};

} // namespace qm
