#include <gtest/gtest.h>

#include <intrin.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <sstream>

#include "app/app_classes.h"
#include "child_processes.h"
#include "platform/registry_key.h"
#include "platform/text_encoding.h"
#include "platform/unique_resource.h"
#include "sysinfo/msysteminfo.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/system_info.h"
#include "test_support.h"

namespace qm {
namespace {

std::vector<std::string> Headers(const StringList& lines)
{
    std::vector<std::string> headers;
    for (const std::string& line : lines.Lines())
        if (line.starts_with("["))
            headers.push_back(line);
    return headers;
}

TEST(SystemInfo, AFreshContainerReportsAllSixteenTopicsInOrder)
{
    SystemInfo info; // reads nothing from the system until refreshed
    StringList lines;
    info.Report(lines, ReportLocale{});
    EXPECT_EQ(Headers(lines),
              (std::vector<std::string>{"[Machine]",
                                        "[Operating System]",
                                        "[NT Specific]",
                                        "[Environment]",
                                        "[Folders]",
                                        "[Time Zone]",
                                        "[CPU]",
                                        "[CPU Features]",
                                        "[CPU Cache]",
                                        "[Memory]",
                                        "[Display]",
                                        "[Video Modes]",
                                        "[Curve Capabilities]",
                                        "[Line Capabilities]",
                                        "[Polygonal Capabilities]",
                                        "[Raster Capabilities]",
                                        "[Text Capabilities]",
                                        "[Advanced Power Management]",
                                        "[Media]",
                                        "[Sound]",
                                        "[Network]",
                                        "[Winsock]",
                                        "[Devices]",
                                        "[ODBC]",
                                        "[BDE]",
                                        "[DAO]",
                                        "[ADO]",
                                        "[DirectX]",
                                        "[Disks]",
                                        "[Processes]",
                                        "[Printers]",
                                        "[Installed Software]",
                                        "[User Startup]",
                                        "[Common Startup]",
                                        "[HKLM Run]",
                                        "[HKCU Run]",
                                        "[Run Once]"}));
    EXPECT_NE(lines.IndexOf("PhysMemTotal=0"), -1);
    EXPECT_NE(lines.IndexOf("Count=0"), -1);
    EXPECT_NE(lines.IndexOf("ProductType=Unknown"), -1);
    EXPECT_NE(lines.IndexOf("StdName=12/30/1899"), -1);
}

TEST(SystemInfo, RefreshReadsEveryBuiltCollectorAndPicksTheSystemDrive)
{
    test::FakeServices services;
    services.SetMemory(40ull << 20, 256ull << 20);
    services.version = {1, 4, 10, (4u << 24) | (10u << 16) | 2222u, " A "};
    SystemInfo info;
    info.RefreshData(services);
    EXPECT_EQ(info.Get<TMemory>().PhysicalTotal, 268435456);
    EXPECT_EQ(info.Get<TOperatingSystem>().Platform, "Windows 9x");
    EXPECT_EQ(info.Get<TOperatingSystem>().BuildNumber, 2222); // the low word only
    EXPECT_GT(info.Get<TCPU>().Count, 0);
    EXPECT_GT(info.Get<TCPU>().Frequency, 0);
    EXPECT_FALSE(info.Get<TOperatingSystem>().Folders->Lines().empty());

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof(windows));
    EXPECT_EQ(info.Get<TDisk>().Drive, std::string(windows, 2));

    StringList lines;
    info.Report(lines, ReportLocale{',', PlainDateTimeText});
    EXPECT_NE(lines.IndexOf("PhysMemTotal=268,435,456"), -1);
    EXPECT_NE(lines.IndexOf("Version=4.10"), -1);
    EXPECT_TRUE(services.messages.empty());
}

TEST(SystemInfo, RefreshAllReadsTheCollectorsInItsOrder)
{
    test::FakeServices services;
    SystemInfo info;
    std::vector<std::string> read;
    info.RefreshData(services, [&](const CollectorRef& collector) { read.emplace_back(collector.ClassName()); });
    EXPECT_EQ(read, (std::vector<std::string>{"TDevices", "TCPU", "TMemory", "TOperatingSystem", "TDisk", "TMachine",
                                              "TNetwork", "TDisplay", "TMedia", "TEngines", "TAPM", "TDirectX",
                                              "TProcesses", "TPrinters", "TSoftware", "TStartup"}));
}

TEST(SystemInfo, OnlyTheChosenAreReadAndTheTimeZoneWithTheSystemWhenBothAreChosen)
{
    test::FakeServices services;
    SystemInfo info;
    const CollectorRef zone(info.Get<TTimeZone>()), os(info.Get<TOperatingSystem>()), cpu(info.Get<TCPU>());
    std::vector<std::string> read;
    auto record = [&](const CollectorRef& collector) { read.emplace_back(collector.ClassName()); };
    info.RefreshOnly(services, {zone, cpu}, record);
    EXPECT_EQ(read, (std::vector<std::string>{"TCPU", "TTimeZone"}));
    read.clear();
    info.RefreshOnly(services, {zone, os}, record);
    EXPECT_EQ(read, (std::vector<std::string>{"TOperatingSystem"}));
}

// The topic table is the one list of topics: every place takes its share.
TEST(TopicTable, EachRankOnceAndEachPartWithItsOwner)
{
    std::vector<int> refresh, report;
    std::vector<std::string_view> sheets, published;
    for (const TopicRow& row : TopicRows()) {
        if (row.collector.owner) {
            EXPECT_EQ(row.refreshRank, 0) << row.name;
            EXPECT_EQ(row.reportRank, 0) << row.name;
            EXPECT_TRUE(row.published.empty()) << row.name;
            EXPECT_EQ(std::count_if(TopicRows().begin(), TopicRows().end(),
                                    [&](const TopicRow& other) { return other.collector.kind == row.collector.owner; }),
                      1)
                << row.name;
            continue;
        }
        refresh.push_back(row.refreshRank);
        report.push_back(row.reportRank);
        published.push_back(row.published);
        if (!row.sheet.empty())
            sheets.push_back(row.sheet);
    }
    std::sort(refresh.begin(), refresh.end());
    std::sort(report.begin(), report.end());
    std::vector<int> ranks(refresh.size());
    std::iota(ranks.begin(), ranks.end(), 1);
    EXPECT_EQ(refresh, ranks);
    EXPECT_EQ(report, ranks);
    std::sort(sheets.begin(), sheets.end());
    EXPECT_EQ(std::adjacent_find(sheets.begin(), sheets.end()), sheets.end());
    std::sort(published.begin(), published.end());
    EXPECT_EQ(published, (std::vector<std::string_view>{"APM", "CPU", "Devices", "DirectX", "Disk", "Display",
                                                         "Engines", "Machine", "Media", "Memory", "Network", "OS",
                                                         "Printers", "Processes", "Software", "Startup"}));
}

TEST(TopicTable, TheContainerPublishesEveryCollectorUnderItsName)
{
    test::FakeServices services;
    Application app(services);
    RegisterAppClasses(app.Classes());
    auto& form = app.CreateForm<test::TextForm>("object F: TQuarrimondTestForm\n"
                                                " object Info: TMSystemInfo\n"
                                                "  Memory.PhysicalTotal = 12345\n"
                                                "  OS.Platform = 'stored'\n"
                                                "  Printers.DefaultIndex = 3\n"
                                                " end\n"
                                                "end\n");
    SystemInfo& info = form.Find<TMSystemInfo>("Info").Info();
    EXPECT_EQ(info.Get<TMemory>().PhysicalTotal, 12345);
    EXPECT_EQ(info.Get<TOperatingSystem>().Platform, "stored");
    EXPECT_EQ(info.Get<TPrinters>().DefaultIndex, 3);
}

// Memory that cannot be read: the failure is reported once, under the
// collector's class name, and the other collectors still refresh.
class FailingMemory : public test::FakeServices {
public:
    MemoryStatus ReadMemoryStatus() override { throw std::runtime_error("no memory status"); }
};

TEST(SystemInfo, ACollectorFailureReachesTheReporterAndTheRestGoOn)
{
    FailingMemory services;
    SystemInfo info;
    info.RefreshData(services);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].caption, "TMemory.GetInfo");
    EXPECT_EQ(services.messages[0].text, "no memory status");
    EXPECT_EQ(services.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(services.messages[0].hasOwner);
    EXPECT_GT(info.Get<TCPU>().Count, 0);
    EXPECT_FALSE(info.Get<TOperatingSystem>().Platform.empty());
}

TEST(SystemInfo, StoredCollectorValuesStandUntilTheFirstRefresh)
{
    test::FakeServices services;
    Application app(services);
    RegisterAppClasses(app.Classes());
    auto& form = app.CreateForm<test::TextForm>("object F: TQuarrimondTestForm\n"
                                                " object Info: TMSystemInfo\n"
                                                "  About = 'stored'\n"
                                                "  CPU.FDIVBug = True\n"
                                                "  CPU.CodeName = 'Klamath'\n"
                                                "  CPU.Transistors = 7\n"
                                                " end\n"
                                                "end\n");
    TMSystemInfo& container = form.Find<TMSystemInfo>("Info");
    EXPECT_EQ(container.Info().Get<TCPU>().CodeName, "Klamath");
    EXPECT_EQ(container.Info().Get<TCPU>().Transistors, 7);
    EXPECT_TRUE(container.Info().Get<TCPU>().FDIVBug);
    EXPECT_NE(container.About(), "stored");
    EXPECT_FALSE(container.About().empty());
    container.Info().Get<TCPU>().GetInfo(services);
    EXPECT_FALSE(container.Info().Get<TCPU>().FDIVBug); // this processor divides correctly
}

TEST(OperatingSystem, FoldersEnvironmentAndZoneFromThisSystem)
{
    test::FakeServices services;
    services.version = WindowsServices().OsVersion();
    TOperatingSystem os;
    os.GetInfo(services);
    const auto& folders = os.Folders->Lines();
    // Seven registry entries, the three directories, 29 shell folders, the profile.
    ASSERT_EQ(folders.size(), 40u);
    EXPECT_TRUE(folders[0].starts_with("CommonFiles="));
    EXPECT_TRUE(folders[6].starts_with("Wallpaper="));
    // NT's own key lacks the program folders; they come from the Windows key.
    RegistryKey windowsKey;
    ASSERT_TRUE(windowsKey.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"));
    const std::string programFiles = windowsKey.ReadString("ProgramFilesDir").value_or("");
    ASSERT_FALSE(programFiles.empty());
    EXPECT_EQ(folders[1], "ProgramFiles=" + programFiles);
    char windows[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof(windows));
    GetTempPathA(sizeof(temp), temp);
    EXPECT_EQ(folders[7], std::string("Windows=") + windows);
    EXPECT_TRUE(folders[8].starts_with("System="));
    EXPECT_EQ(folders[9], std::string("Temp=") + temp);
    EXPECT_TRUE(folders[9].ends_with("\\"));
    EXPECT_TRUE(folders[10].starts_with("AppData="));
    EXPECT_EQ(folders[26], "Internet="); // virtual: no path
    EXPECT_TRUE(folders[38].starts_with("Templates="));
    const std::string desktop = folders[20].substr(std::string("Desktop=").size());
    ASSERT_FALSE(desktop.empty());
    EXPECT_EQ(folders[39], "Profile=" + desktop.substr(0, desktop.rfind('\\')));
    EXPECT_EQ(TheStartupValues().ProfilePath, desktop.substr(0, desktop.rfind('\\')));

    SetEnvironmentVariableA("QUARRIMOND_PROBE", "a=b");
    os.GetInfo(services);
    EXPECT_NE(os.Environment->IndexOf("QUARRIMOND_PROBE=a=b"), -1);
    EXPECT_EQ(os.Folders->Count(), 40u); // cleared, not appended to

    TIME_ZONE_INFORMATION zone{};
    GetTimeZoneInformation(&zone);
    EXPECT_EQ(os.TimeZone->Bias, zone.Bias);
    EXPECT_FALSE(os.TimeZone->DisplayName.empty()) << "no entry of the zone list matched this zone";
    EXPECT_TRUE(services.messages.empty());
}

TEST(OperatingSystem, ProductTypeFromTheProductOptions)
{
    test::FakeServices services;
    services.version = {2, 6, 1, 7601, ""};
    TNTSpecific nt;
    nt.GetInfo(services); // not 5.x: the record is not used, the registry is
    RegistryKey options;
    ASSERT_TRUE(options.Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions"));
    EXPECT_EQ(nt.ProductType, ProductTypeFromText(options.ReadString("ProductType").value_or("")));

    TNTSpecific fromRecord;
    services.version = {2, 5, 0, 2195, "Service Pack 4"};
    services.version.extended = true;
    services.version.productType = 3;
    services.version.suiteMask = 0x0012;
    services.version.servicePackMajor = 4;
    fromRecord.GetInfo(services);
    EXPECT_EQ(fromRecord.ProductType, TNtProductType::ptServer);
    EXPECT_TRUE(HasSuite(fromRecord.InstalledSuites, TNTSuite::suEnterprise));
    EXPECT_TRUE(HasSuite(fromRecord.InstalledSuites, TNTSuite::suTerminal));
    EXPECT_FALSE(HasSuite(fromRecord.InstalledSuites, TNTSuite::suSmallBusiness));
    EXPECT_EQ(fromRecord.ServicePackMajorVersion, 4);
}

TEST(Processor, ThisProcessorAsWindowsSeesIt)
{
    test::FakeServices services;
    TCPU cpu;
    cpu.GetInfo(services);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    EXPECT_EQ(cpu.Count, static_cast<int>(system.dwNumberOfProcessors));
    EXPECT_EQ(cpu.VendorSignature.size(), 12u);
    EXPECT_GT(cpu.Frequency, 100);
    EXPECT_TRUE(cpu.Features->FPU);
    EXPECT_TRUE(cpu.Features->TSC);
    EXPECT_FALSE(cpu.FDIVBug);
    EXPECT_TRUE(services.messages.empty());
    // Family as Windows itself names it; a processor with a name of its own
    // is called by it; its level 2 cache is found wherever it is described.
    int brand[4] = {};
    __cpuid(brand, 0x80000000);
    std::string brandText;
    for (unsigned leaf = 0x80000002u; static_cast<unsigned>(brand[0]) >= 0x80000004u && leaf <= 0x80000004u; ++leaf) {
        int part[4] = {};
        __cpuid(part, static_cast<int>(leaf));
        brandText.append(reinterpret_cast<const char*>(part), sizeof(part));
    }
    // Under an emulator the instruction answers for the emulated processor
    // while Windows describes the machine's own.
    char level[16] = {};
    GetEnvironmentVariableA("PROCESSOR_LEVEL", level, sizeof(level));
    if (level[0] && brandText.find("QEMU") == std::string::npos)
        EXPECT_EQ(cpu.Family, std::atoi(level));
    if (!brandText.empty())
        EXPECT_FALSE(cpu.VendorID.empty());
    EXPECT_GT(cpu.Cache->Level2, 0);
}

class ClassDevices : public ::testing::Test {
protected:
    static constexpr char kRoot[] = "SOFTWARE\\QuarrimondTest\\Class";
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\QuarrimondTest");
        Add("0001", "Class", "Net");
        Add("0002", "Class", "Display");
        Add("0002\\0000", "DriverDesc", "Card A");
        Add("0002\\0001", "DriverDesc", "Card B");
        Add("0002\\0002", "DriverDesc", "Card A");
        Add("0002\\0003", "Other", "x");
        Add("0003", "Class", "display"); // a second match is never used
        Add("0003\\0000", "DriverDesc", "Card C");
    }
    void TearDown() override { SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\QuarrimondTest"); }
    static void Add(const std::string& path, const char* name, const char* value)
    {
        RegistryKey key;
        ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\" + path));
        ASSERT_TRUE(key.WriteString(name, value));
    }
};

TEST_F(ClassDevices, TheFirstMatchingClassListsItsDevicesOnce)
{
    ASSERT_TRUE(TheStartupValues().IsNT);
    std::string subkey = "stale";
    std::vector<std::string> list{"stale"};
    GetClassDevices(kRoot, "DISPLAY", "DriverDesc", subkey, list);
    EXPECT_EQ(subkey, "0002");
    EXPECT_EQ(list, (std::vector<std::string>{"Card A", "Card B"}));
    GetClassDevices(kRoot, "Modem", "DriverDesc", subkey, list);
    EXPECT_EQ(subkey, "");
    EXPECT_TRUE(list.empty());
    GetClassDevices("SOFTWARE\\QuarrimondTest\\Absent", "Net", "DriverDesc", subkey, list);
    EXPECT_TRUE(list.empty());
}

TEST(SharedRoutines, ShortcutsVersionsAndNames)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string link = std::string(temp) + "quarrimond-test.lnk";
    const std::string target = std::string(temp) + "quarrimond-target.txt";
    {
        std::ofstream(target) << "x";
    }
    CoInitialize(nullptr);
    {
        IShellLinkA* shell = nullptr;
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shell)),
                  S_OK);
        shell->SetPath(target.c_str());
        shell->SetArguments("/quiet /x");
        IPersistFile* file = nullptr;
        shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        ASSERT_EQ(file->Save(WideFromAnsi(link).c_str(), TRUE), S_OK);
        file->Release();
        shell->Release();
    }
    CoUninitialize();
    std::string resolved, arguments;
    EXPECT_TRUE(SUCCEEDED(ResolveShortcut(link, resolved, arguments)));
    EXPECT_EQ(lstrcmpiA(resolved.c_str(), target.c_str()), 0) << resolved;
    EXPECT_EQ(arguments, "/quiet /x");
    EXPECT_FALSE(SUCCEEDED(ResolveShortcut(std::string(temp) + "no-such.lnk", resolved, arguments)));
    DeleteFileA(link.c_str());
    DeleteFileA(target.c_str());

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string description = "stale";
    EXPECT_EQ(GetFileVerInfo(self, description), QM_PROJECT_VERSION ".0");
    EXPECT_EQ(description, "Quarrimond memory monitor and system information");
    EXPECT_EQ(GetFileVerInfo("", description), "");
    EXPECT_EQ(description, "");

    RegistryKey names;
    ASSERT_TRUE(names.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName"));
    EXPECT_EQ(GetComputerNameText(), names.ReadString("ComputerName").value_or("?"));
    EXPECT_EQ(TheStartupValues().ComputerName, GetComputerNameText());
    EXPECT_EQ(TheStartupValues().UserName, GetUserNameText());
    EXPECT_FALSE(GetUserNameText().empty());
}

TEST(ReportTool, WritesTheAllTopicsReportWithCrLf)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string file = std::string(temp) + "quarrimond-report-test.txt";
    DeleteFileA(file.c_str());
    EXPECT_EQ(test::RunReportTool("\"" + file + "\""), 0u);
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string report = text.str();
    EXPECT_TRUE(report.starts_with("[Machine]\r\nName=")) << report.substr(0, 80);
    EXPECT_NE(report.find("\r\n[Operating System]\r\nPlatform=Windows NT\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n[Memory]\r\nPhysMemTotal="), std::string::npos);
    // The start-up groups end it; their last is the Run Once keys'.
    const size_t runOnce = report.rfind("\r\n[Run Once]\r\nCount=");
    ASSERT_NE(runOnce, std::string::npos);
    EXPECT_LT(report.rfind("\r\n[User Startup]\r\n"), runOnce);
    EXPECT_TRUE(report.ends_with("\r\n"));
    EXPECT_EQ(report.find("\n\n"), std::string::npos);
    in.close();
    DeleteFileA(file.c_str());
}

TEST(ReportTool, HelpAndBadArguments)
{
    EXPECT_EQ(test::RunReportTool("--help"), 0u);
    EXPECT_EQ(test::RunReportTool("one two"), 2u);
    EXPECT_EQ(test::RunReportTool("Z:\\no\\such\\folder\\report.txt"), 2u);
}

} // namespace
} // namespace qm
