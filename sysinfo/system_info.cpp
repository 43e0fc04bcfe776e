#include "sysinfo/system_info.h"

#include <windows.h>

#include <algorithm>

#include "platform/system_services.h"
#include "sysinfo/shared_routines.h"

namespace qm {

SystemInfo::SystemInfo()
    : CPU(std::make_unique<TCPU>()), Memory(std::make_unique<TMemory>()), OS(std::make_unique<TOperatingSystem>()),
      Disk(std::make_unique<TDisk>()), Machine(std::make_unique<TMachine>()), Network(std::make_unique<TNetwork>()),
      Display(std::make_unique<TDisplay>()), Media(std::make_unique<TMedia>()), Devices(std::make_unique<TDevices>()),
      Engines(std::make_unique<TEngines>()), APM(std::make_unique<TAPM>()), DirectX(std::make_unique<TDirectX>()),
      Processes(std::make_unique<TProcesses>()), Printers(std::make_unique<TPrinters>()),
      Software(std::make_unique<TSoftware>()), Startup(std::make_unique<TStartup>())
{
    refreshOrder_ = {
        CollectorRef(*Devices),   CollectorRef(*CPU),      CollectorRef(*Memory),   CollectorRef(*OS),
        CollectorRef(*Disk),      CollectorRef(*Machine),  CollectorRef(*Network),  CollectorRef(*Display),
        CollectorRef(*Media),     CollectorRef(*Engines),  CollectorRef(*APM),      CollectorRef(*DirectX),
        CollectorRef(*Processes), CollectorRef(*Printers), CollectorRef(*Software), CollectorRef(*Startup)};
    reportOrder_ = {CollectorRef(*Machine),   CollectorRef(*OS),       CollectorRef(*CPU),      CollectorRef(*Memory),
                    CollectorRef(*Display),   CollectorRef(*APM),      CollectorRef(*Media),    CollectorRef(*Network),
                    CollectorRef(*Devices),   CollectorRef(*Engines),  CollectorRef(*DirectX),  CollectorRef(*Disk),
                    CollectorRef(*Processes), CollectorRef(*Printers), CollectorRef(*Software), CollectorRef(*Startup)};
    topics_ = {{"Machine", CollectorRef(*Machine)},
               {"Operating System", CollectorRef(*OS)},
               {"CPU", CollectorRef(*CPU)},
               {"Memory", CollectorRef(*Memory)},
               {"Display", CollectorRef(*Display)},
               {"APM", CollectorRef(*APM)},
               {"Media", CollectorRef(*Media)},
               {"Network", CollectorRef(*Network)},
               {"Devices", CollectorRef(*Devices)},
               {"Printers", CollectorRef(*Printers)},
               {"Engines", CollectorRef(*Engines)},
               {"Drives", CollectorRef(*Disk)},
               {"Time Zone", CollectorRef(*OS->TimeZone)},
               {"Processess", CollectorRef(*Processes)},
               {"Startup", CollectorRef(*Startup)},
               {"Software", CollectorRef(*Software)}};
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

void SystemInfo::RefreshData(SystemServices& services, const std::function<void(const CollectorRef&)>& starting)
{
    Disk->SetServices(services);
    for (const CollectorRef& collector : refreshOrder_) {
        if (starting)
            starting(collector);
        collector.GetInfo(services);
        // The per-drive figures describe the system drive.
        if (collector == CollectorRef(*Disk))
            Disk->SetDisk(SystemDriveOf(OS->Folders->Lines()));
    }
}

void SystemInfo::RefreshOnly(SystemServices& services, const std::vector<CollectorRef>& chosen,
                             const std::function<void(const CollectorRef&)>& starting)
{
    auto isChosen = [&](const CollectorRef& collector) {
        return std::find(chosen.begin(), chosen.end(), collector) != chosen.end();
    };
    Disk->SetServices(services);
    std::vector<CollectorRef> order;
    for (const CollectorRef& collector : refreshOrder_)
        if (isChosen(collector))
            order.push_back(collector);
    // The time zone is read with the operating system when that is chosen too.
    for (const CollectorRef& collector : chosen)
        if (std::find(order.begin(), order.end(), collector) == order.end() &&
            !(collector == CollectorRef(*OS->TimeZone) && isChosen(CollectorRef(*OS))))
            order.push_back(collector);
    for (const CollectorRef& collector : order) {
        if (starting)
            starting(collector);
        collector.GetInfo(services);
        if (collector == CollectorRef(*Disk))
            Disk->SetDisk(isChosen(CollectorRef(*OS)) ? SystemDriveOf(OS->Folders->Lines())
                                                      : SystemDriveOf({"Windows=" + WindowsDirectoryText()}));
    }
}

void SystemInfo::ReportOne(const CollectorRef& collector, StringList& lines, const ReportLocale& locale)
{
    if (!(collector == CollectorRef(*Disk))) {
        collector.Report(lines, locale);
        return;
    }
    const TDisk selected = *Disk;
    try {
        collector.Report(lines, locale);
    } catch (...) {
        *Disk = selected;
        throw;
    }
    *Disk = selected;
}

void SystemInfo::Report(StringList& lines, const ReportLocale& locale)
{
    for (const CollectorRef& collector : reportOrder_)
        collector.Report(lines, locale);
}

ReportLocale UserReportLocale()
{
    ReportLocale locale;
    char separator[8] = {};
    locale.thousandsSeparator =
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator)) > 1 ? separator[0] : 0;
    locale.dateTimeText = [](double dateTime) {
        const CivilDateTime c = DecodeDateTime(dateTime);
        SYSTEMTIME t{};
        t.wYear = static_cast<WORD>(c.year);
        t.wMonth = static_cast<WORD>(c.month);
        t.wDay = static_cast<WORD>(c.day);
        t.wHour = static_cast<WORD>(c.hour);
        t.wMinute = static_cast<WORD>(c.minute);
        t.wSecond = static_cast<WORD>(c.second);
        char date[128] = {}, time[128] = {};
        if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof(date)))
            return PlainDateTimeText(dateTime);
        std::string text = date;
        if ((c.hour || c.minute || c.second || c.milliseconds) &&
            GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, sizeof(time))) {
            text += ' ';
            text += time;
        }
        return text;
    };
    return locale;
}

} // namespace qm
