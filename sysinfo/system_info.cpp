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
{}

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
    Disk->SelectDrive(SystemDriveOf(OS->Folders->Lines()));
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

void SystemInfo::Report(StringList& lines, const ReportLocale& locale) const
{
    Machine->Report(lines);
    OS->Report(lines, locale);
    CPU->Report(lines);
    Memory->Report(lines, locale.thousandsSeparator);
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
