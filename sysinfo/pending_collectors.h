#pragma once
// Collectors whose readings are not built yet: they refresh nothing and
// report only their section header, so a report keeps its shape.
#include <string>
#include <string_view>

#include "framework/string_list.h"
#include "sysinfo/report_format.h"

namespace qm {

class SystemServices;

class PendingCollector {
public:
    explicit PendingCollector(std::string_view section) : section_(section) {}
    void GetInfo(SystemServices&) {}
    void Report(StringList& lines) const { AddSection(lines, section_); }

private:
    std::string section_;
};

struct TDisk : PendingCollector {
    TDisk() : PendingCollector("Disks") {}
    // The drive the per-drive figures describe, e.g. "C:".
    void SelectDrive(const std::string& drive) { Drive = drive; }
    std::string Drive;
};
struct TMachine : PendingCollector {
    TMachine() : PendingCollector("Machine") {}
};
struct TNetwork : PendingCollector {
    TNetwork() : PendingCollector("Network") {}
};
struct TDisplay : PendingCollector {
    TDisplay() : PendingCollector("Display") {}
};
struct TMedia : PendingCollector {
    TMedia() : PendingCollector("Media") {}
};
struct TDevices : PendingCollector {
    TDevices() : PendingCollector("Devices") {}
};
struct TEngines : PendingCollector {
    TEngines() : PendingCollector("ODBC") {}
};
struct TAPM : PendingCollector {
    TAPM() : PendingCollector("Advanced Power Management") {}
};
struct TDirectX : PendingCollector {
    TDirectX() : PendingCollector("DirectX") {}
};
struct TProcesses : PendingCollector {
    TProcesses() : PendingCollector("Processes") {}
};
struct TPrinters : PendingCollector {
    TPrinters() : PendingCollector("Printers") {}
};
struct TSoftware : PendingCollector {
    TSoftware() : PendingCollector("Installed Software") {}
};
struct TStartup : PendingCollector {
    TStartup() : PendingCollector("User Startup") {}
};

} // namespace qm
