#include "sysinfo/system_info.h"

#include <windows.h>

#include "platform/system_services.h"

namespace qm {

SystemInfo::SystemInfo()
    : CPU(std::make_unique<TCPU>()), Memory(std::make_unique<TMemory>()), OS(std::make_unique<TOperatingSystem>()),
      Disk(std::make_unique<TDisk>()), Machine(std::make_unique<TMachine>()), Network(std::make_unique<TNetwork>()),
      Display(std::make_unique<TDisplay>()), Media(std::make_unique<TMedia>()), Devices(std::make_unique<TDevices>()),
      Engines(std::make_unique<TEngines>()), APM(std::make_unique<TAPM>()), DirectX(std::make_unique<TDirectX>()),
      Processes(std::make_unique<TProcesses>()), Printers(std::make_unique<TPrinters>()),
      Software(std::make_unique<TSoftware>()), Startup(std::make_unique<TStartup>())
{
}

SystemInfo::~SystemInfo()
{
    CPU.reset();
    Memory.reset();
    OS.reset();
    Disk.reset();
    Machine.reset();
    Network.reset();
    Display.reset();
    Media.reset();
    Devices.reset();
    Engines.reset();
    APM.reset();
    DirectX.reset();
    Processes.reset();
    Printers.reset();
    Software.reset();
    Startup.reset();
}

void SystemInfo::RefreshData(SystemServices& services)
{
    Devices->GetInfo(services);
    CPU->GetInfo(services);
    Memory->GetInfo(services);
    OS->GetInfo(services);
    Disk->GetInfo(services);
    Machine->GetInfo(services);
    Network->GetInfo(services);
    Display->GetInfo(services);
    Media->GetInfo(services);
    Engines->GetInfo(services);
    APM->GetInfo(services);
    DirectX->GetInfo(services);
    Processes->GetInfo(services);
    Printers->GetInfo(services);
    Software->GetInfo(services);
    Startup->GetInfo(services);
}

void SystemInfo::Report(StringList& lines, char separator) const
{
    Machine->Report(lines);
    OS->Report(lines);
    CPU->Report(lines);
    Memory->Report(lines, separator);
    Display->Report(lines);
    APM->Report(lines);
    Media->Report(lines);
    Network->Report(lines);
    Devices->Report(lines);
    Engines->Report(lines);
    DirectX->Report(lines);
    Disk->Report(lines);
    Processes->Report(lines);
    Printers->Report(lines);
    Software->Report(lines);
    Startup->Report(lines);
}

char UserThousandsSeparator()
{
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator)) <= 1)
        return 0;
    return separator[0];
}

} // namespace qm
