#include "sysinfo/topic_table.h"

#include <algorithm>

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

namespace {

// clang-format off
constexpr TopicRow kTopics[] = {
    // name               sheet         refresh report published    collector
    {"Machine",          "tsWksta",     6,      1,     "Machine",   Owned<TMachine>()},
    {"Operating System", "tsOS",        4,      2,     "OS",        Owned<TOperatingSystem>()},
    {"CPU",              "tsCPU",       2,      3,     "CPU",       Owned<TCPU>()},
    {"Memory",           "tsMemory",    3,      4,     "Memory",    Owned<TMemory>()},
    {"Display",          "tsDisplay",   8,      5,     "Display",   Owned<TDisplay>()},
    {"APM",              "tsAPM",       11,     6,     "APM",       Owned<TAPM>()},
    {"Media",            "tsMedia",     9,      7,     "Media",     Owned<TMedia>()},
    {"Network",          "tsNetwork",   7,      8,     "Network",   Owned<TNetwork>()},
    {"Devices",          "tsDevices",   1,      9,     "Devices",   Owned<TDevices>()},
    {"Printers",         "tsPrinters",  14,     14,    "Printers",  Owned<TPrinters>()},
    {"Engines",          "tsEngines",   10,     10,    "Engines",   Owned<TEngines>()},
    {"Drives",           "tsDrives",    5,      12,    "Disk",      Owned<TDisk>()},
    {"Time Zone",        "tsTZ",        0,      0,     "",          PartOf<TOperatingSystem, TTimeZone, &TOperatingSystem::TimeZone>()},
    {"Processess",       "tsProcs",     13,     13,    "Processes", Owned<TProcesses>()},
    {"Startup",          "tsStartup",   16,     16,    "Startup",   Owned<TStartup>()},
    {"Software",         "tsSoftware",  15,     15,    "Software",  Owned<TSoftware>()},
    // Shown on the Engines page.
    {"DirectX",          "",            12,     11,    "DirectX",   Owned<TDirectX>()},
};
// clang-format on

std::vector<const TopicRow*> InRankOrder(int TopicRow::*rank)
{
    std::vector<const TopicRow*> rows;
    for (const TopicRow& row : kTopics)
        if (row.*rank > 0)
            rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [&](const TopicRow* a, const TopicRow* b) { return a->*rank < b->*rank; });
    return rows;
}

} // namespace

std::span<const TopicRow> TopicRows()
{
    return kTopics;
}

std::vector<const TopicRow*> RowsInRefreshOrder()
{
    return InRankOrder(&TopicRow::refreshRank);
}

std::vector<const TopicRow*> RowsInReportOrder()
{
    return InRankOrder(&TopicRow::reportRank);
}

} // namespace qm
