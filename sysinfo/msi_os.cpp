#include "sysinfo/msi_os.h"

#include <windows.h>

#include <shlobj.h>

#include <ctime>

#include "platform/registry_key.h"
#include "platform/system_services.h"
#include "platform/text_encoding.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

constexpr char kNtCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kWindowsCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// A name of a fixed-size record, which need not end in a NUL.
std::string AnsiText(const wchar_t* text, size_t capacity)
{
    size_t length = 0;
    while (length < capacity && text[length])
        ++length;
    return AnsiFromWide(std::wstring_view(text, length));
}

SystemTimeRecord RecordOf(const SYSTEMTIME& t)
{
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

ZoneRecord SystemZone()
{
    TIME_ZONE_INFORMATION info{};
    GetTimeZoneInformation(&info);
    ZoneRecord zone;
    zone.bias = info.Bias;
    zone.standardName = AnsiText(info.StandardName, 32).substr(0, 31);
    zone.standardDate = RecordOf(info.StandardDate);
    zone.standardBias = info.StandardBias;
    zone.daylightName = AnsiText(info.DaylightName, 32).substr(0, 31);
    zone.daylightDate = RecordOf(info.DaylightDate);
    zone.daylightBias = info.DaylightBias;
    return zone;
}

std::string FolderLine(std::string_view key, const std::string& path)
{
    std::string line(key);
    line += '=';
    line += path;
    return line;
}

int CurrentYear()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wYear;
}

} // namespace

void TTimeZone::Refresh(SystemServices&)
{
    const ZoneRecord system = SystemZone();
    std::string listKey = TheStartupValues().IsNT ? kNtCurrentVersion : kWindowsCurrentVersion;
    listKey += "\\Time Zones";
    std::vector<std::string> zones;
    {
        RegistryKey list;
        if (list.Open(HKEY_LOCAL_MACHINE, listKey))
            zones = list.SubkeyNames();
    }
    for (const std::string& name : zones) {
        RegistryKey zone;
        if (!zone.Open(HKEY_LOCAL_MACHINE, listKey + "\\" + name))
            continue;
        DWORD type = 0;
        std::vector<std::uint8_t> data;
        if (!zone.ReadRaw("TZI", type, data) || type != REG_BINARY)
            continue;
        const auto tzi = ParseTzi(data.data(), data.size());
        if (!tzi)
            continue;
        const ZoneRecord candidate =
            CandidateZone(*tzi, zone.ReadString("Std").value_or(""), zone.ReadString("Dlt").value_or(""));
        if (candidate == system) {
            DisplayName = zone.ReadString("Display").value_or("");
            break;
        }
    }
    Bias = system.bias;
    StandardName = system.standardName;
    DaylightName = system.daylightName;
    if (system.daylightDate.month != 0 && system.standardDate.month != 0) {
        const int year = CurrentYear();
        DaylightStart = TransitionDate(system.daylightDate, year);
        StandardStart = TransitionDate(system.standardDate, year);
        DaylightBias = system.bias + system.daylightBias;
        StandardBias = system.bias + system.standardBias;
    }
}

void TNTSpecific::Refresh(SystemServices& services)
{
    const OsVersionInfo version = services.OsVersion();
    if (version.platform == VER_PLATFORM_WIN32_NT && version.major == 5 && version.extended) {
        if (auto type = ProductTypeFromRecord(version.productType))
            ProductType = *type;
        InstalledSuites = SuitesFromMask(version.suiteMask);
        ServicePackMajorVersion = static_cast<std::uint16_t>(version.servicePackMajor);
        ServicePackMinorVersion = static_cast<std::uint16_t>(version.servicePackMinor);
    }
    if (ProductType == TNtProductType::ptUnknown) {
        RegistryKey options;
        if (options.Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions"))
            ProductType = ProductTypeFromText(options.ReadString("ProductType").value_or(""));
    }
}

void TOperatingSystem::Refresh(SystemServices& services)
{
    Folders->Clear();
    TimeZone->GetInfo(services);
    NTSpecific->GetInfo(services);

    const OsVersionInfo version = services.OsVersion();
    MajorVersion = static_cast<int>(version.major);
    MinorVersion = static_cast<int>(version.minor);
    // Windows 9x keeps the version in the high word of the build number.
    BuildNumber = static_cast<int>(version.build & 0xFFFF);
    if (std::string name = PlatformName(version.platform); !name.empty())
        Platform = std::move(name);
    CSD = version.servicePack;

    Version.clear();
    RegisteredUser.clear();
    RegisteredOrg.clear();
    ProductID.clear();
    const bool isNT = TheStartupValues().IsNT;
    RegistryKey current;
    if (current.Open(HKEY_LOCAL_MACHINE, isNT ? kNtCurrentVersion : kWindowsCurrentVersion)) {
        if (auto text = current.ReadString(isNT ? "CurrentType" : "Version"))
            Version = *text;
        if (auto text = current.ReadString("RegisteredOrganization"))
            RegisteredOrg = *text;
        if (auto text = current.ReadString("RegisteredOwner"))
            RegisteredUser = *text;
        if (auto text = current.ReadString("ProductID"))
            ProductID = *text;
        if (auto text = current.ReadString("DVD_Region"))
            DVDRegion = *text;
        // NT keeps these folders under the Windows key, not the NT one:
        // read there what the NT key lacks, or they would always be empty.
        RegistryKey windowsKey;
        if (isNT)
            windowsKey.Open(HKEY_LOCAL_MACHINE, kWindowsCurrentVersion);
        for (const RegistryFolder& folder : ListedRegistryFolders()) {
            const std::string name(folder.valueName);
            auto path = current.ReadString(name);
            if (!path && windowsKey.IsOpen())
                path = windowsKey.ReadString(name);
            Folders->Add(FolderLine(folder.key, path.value_or("")));
        }
        current.Close();
        if (isNT && CSD == "Service Pack 6") {
            RegistryKey hotfix;
            std::optional<std::uint32_t> installed;
            if (hotfix.Open(HKEY_LOCAL_MACHINE, std::string(kNtCurrentVersion) + "\\Hotfix\\Q246009"))
                installed = hotfix.ReadDword("Installed");
            CSD = ServicePackText(isNT, CSD, installed);
        }
    }

    Folders->Add(FolderLine("Windows", WindowsDirectoryText()));
    Folders->Add(FolderLine("System", SystemDirectoryText()));
    Folders->Add(FolderLine("Temp", TempPathText()));
    std::string desktop;
    const HWND desktopWindow = GetDesktopWindow();
    for (const ShellFolder& folder : ListedShellFolders()) {
        std::string path = GetSpecialFolder(desktopWindow, folder.id);
        if (folder.id == CSIDL_DESKTOP)
            desktop = path;
        Folders->Add(FolderLine(folder.key, path));
    }
    Folders->Add(FolderLine("Profile", ProfileFromDesktop(desktop)));

    Environment->Clear();
    std::vector<std::string> environment;
    GetEnvironmentList(environment);
    for (std::string& entry : environment)
        Environment->Add(std::move(entry));
}

} // namespace qm
