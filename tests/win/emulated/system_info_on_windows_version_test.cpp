// Built once per emulated Windows version: the start-up values and the
// operating-system collector as that version presents itself.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>

#include "../child_processes.h"
#include "../registry_fixture.h"
#include "../test_support.h"
#include "../x_input.h"
#include "app/app_classes.h"
#include "expected_version.h"
#include "framework/button.h"
#include "framework/list_view.h"
#include "platform/forwarding_services.h"
#include "platform/registry_key.h"
#include "sysinfo/msi_processes.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/system_info.h"
#include "sysinfo/viewer/msi_overview.h"

namespace qm {
namespace {

struct Expected {
    const char* osName;
    bool isNT;
    const char* platform;
    const char* classKey;
};

Expected ForThisVersion()
{
    constexpr const char* kNtClasses = "SYSTEM\\CurrentControlSet\\Control\\Class";
    constexpr const char* k9xClasses = "SYSTEM\\CurrentControlSet\\Services\\Class";
    if (test::ExpectedPlatform() == 1) {
        if (test::ExpectedMinor() == 0)
            return {"Windows 95", false, "Windows 9x", k9xClasses};
        if (test::ExpectedMinor() == 90)
            return {"Windows Millenium Edition", false, "Windows 9x", k9xClasses};
        return {"Windows 98", false, "Windows 9x", k9xClasses};
    }
    if (test::ExpectedMajor() == 4)
        return {"Windows NT", true, "Windows NT", kNtClasses};
    if (test::ExpectedMinor() == 0)
        return {"Windows 2000", true, "Windows NT", kNtClasses};
    return {"Windows XP", true, "Windows NT", kNtClasses};
}

OSVERSIONINFOA RealVersion()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    return version;
}

TEST(SystemInfoOnThisWindows, StartupValues)
{
    const OSVERSIONINFOA version = RealVersion();
    ASSERT_EQ(version.dwPlatformId, static_cast<DWORD>(test::ExpectedPlatform()));
    ASSERT_EQ(version.dwMajorVersion, static_cast<DWORD>(test::ExpectedMajor()));
    const StartupValues& values = TheStartupValues();
    const Expected expected = ForThisVersion();
    std::printf("Windows %lu.%lu \"%s\": OSKind %d, IsNT %d, OSName \"%s\", ClassKey %s\n", version.dwMajorVersion,
                version.dwMinorVersion, version.szCSDVersion, static_cast<int>(values.OSKind), values.IsNT,
                values.OSName.c_str(), values.ClassKey.c_str());
    EXPECT_EQ(values.OSName, expected.osName);
    EXPECT_EQ(values.IsNT, expected.isNT);
    EXPECT_EQ(values.ClassKey, expected.classKey);
    switch (test::ExpectedPlatform() * 10000 + test::ExpectedMajor() * 100 + test::ExpectedMinor()) {
    case 10400:
        EXPECT_TRUE(values.OSKind == TOSKind::os95 || values.OSKind == TOSKind::os95OSR2);
        break;
    case 10410:
        EXPECT_TRUE(values.OSKind == TOSKind::os98 || values.OSKind == TOSKind::os98SE);
        break;
    case 10490:
        EXPECT_EQ(values.OSKind, TOSKind::osME);
        break;
    case 20400:
        EXPECT_EQ(values.OSKind, TOSKind::osNT4);
        break;
    case 20500:
        EXPECT_EQ(values.OSKind, TOSKind::os2K);
        EXPECT_TRUE(values.Is2K);
        break;
    case 20501:
        EXPECT_EQ(values.OSKind, TOSKind::osXP);
        EXPECT_TRUE(values.IsXP);
        break;
    default:
        ADD_FAILURE() << "no expectation for this version";
    }
}

TEST(SystemInfoOnThisWindows, OperatingSystemCollector)
{
    test::FakeServices services;
    services.version = WindowsServices().OsVersion();
    TOperatingSystem os;
    os.GetInfo(services);
    const OSVERSIONINFOA version = RealVersion();
    EXPECT_EQ(os.Platform, ForThisVersion().platform);
    EXPECT_EQ(os.MajorVersion, test::ExpectedMajor());
    EXPECT_EQ(os.MinorVersion, test::ExpectedMinor());
    EXPECT_EQ(os.BuildNumber, static_cast<int>(version.dwBuildNumber & 0xFFFF));
    EXPECT_LE(os.BuildNumber, 0xFFFF);
    EXPECT_TRUE(services.messages.empty());

    StringList lines;
    os.Report(lines);
    std::printf("Build number as reported %lu (0x%lx)\n", version.dwBuildNumber, version.dwBuildNumber);
    for (size_t i = 0; i < 12 && i < lines.Count(); ++i)
        std::printf("    %s\n", lines[i].c_str());
    EXPECT_EQ(lines[1], std::string("Platform=") + ForThisVersion().platform);
    EXPECT_NE(lines.IndexOf("[NT Specific]"), -1);
}

// Wine keeps its NT-shaped registry whatever version it presents; a real
// Windows 9x has no product options. The value is set aside for the test.
class WithoutProductOptions {
public:
    WithoutProductOptions()
    {
        if (key_.Open(HKEY_LOCAL_MACHINE, kPath, KEY_READ | KEY_WRITE)) {
            saved_ = key_.ReadString("ProductType");
            key_.DeleteValue("ProductType");
        }
    }
    ~WithoutProductOptions()
    {
        if (saved_)
            key_.WriteString("ProductType", *saved_);
    }

private:
    static constexpr const char* kPath = "System\\CurrentControlSet\\Control\\ProductOptions";
    RegistryKey key_;
    std::optional<std::string> saved_;
};

TEST(SystemInfoOnThisWindows, NTSpecificSectionIsAlwaysWritten)
{
    test::FakeServices services;
    services.version = WindowsServices().OsVersion();
    TNTSpecific nt;
    if (test::ExpectedPlatform() == 1) {
        WithoutProductOptions windows9x;
        nt.GetInfo(services);
    } else {
        nt.GetInfo(services);
    }
    StringList lines;
    nt.Report(lines);
    ASSERT_EQ(lines.Count(), 12u);
    EXPECT_EQ(lines[0], "[NT Specific]");
    if (test::ExpectedPlatform() == 1) {
        EXPECT_EQ(lines[1], "ProductType=Unknown");
        for (size_t i = 2; i < 10; ++i)
            EXPECT_TRUE(lines[i].ends_with("=0")) << lines[i];
        EXPECT_EQ(lines[10], "ServicePackMajorVersion=0");
        EXPECT_EQ(lines[11], "ServicePackMinorVersion=0");
    } else {
        EXPECT_EQ(lines[1], "ProductType=Pro/Wks");
    }
}

// Wine's NT 4 already says "6a"; the version record says "6" here, while
// the registry and the start-up values stay this system's own.
TEST(SystemInfoOnThisWindows, ServicePackSixBecomesSixAWithTheHotFixOnNT)
{
    test::FakeServices services;
    services.version = WindowsServices().OsVersion();
    services.version.servicePack = "Service Pack 6";
    const std::string hotfix = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";
    RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, hotfix));
    TOperatingSystem os;
    key.WriteDword("Installed", 0);
    os.GetInfo(services);
    EXPECT_EQ(os.CSD, "Service Pack 6");
    key.WriteDword("Installed", 1);
    os.GetInfo(services);
    EXPECT_EQ(os.CSD, test::ExpectedPlatform() == 2 ? "Service Pack 6a" : "Service Pack 6");
    key.DeleteValue("Installed");
    os.GetInfo(services);
    EXPECT_EQ(os.CSD, "Service Pack 6");
}

// Windows 9x lists a class's devices under the key its "Link" names.
TEST(SystemInfoOnThisWindows, ClassDevicesFollowTheLinkOn9x)
{
    const std::string root = "SOFTWARE\\QuarrimondTest\\Class";
    auto add = [&](const std::string& path, const char* name, const char* value) {
        RegistryKey key;
        ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, root + "\\" + path));
        ASSERT_TRUE(key.WriteString(name, value));
    };
    add("MEDIA", "Class", "Media");
    add("MEDIA", "Link", "media0");
    add("MEDIA\\0000", "DriverDesc", "Listed on NT");
    add("MEDIA0\\0000", "DriverDesc", "Listed on 9x");
    std::string subkey;
    std::vector<std::string> list;
    GetClassDevices(root, "media", "DriverDesc", subkey, list);
    if (test::ExpectedPlatform() == 1) {
        EXPECT_EQ(subkey, "MEDIA0");
        EXPECT_EQ(list, std::vector<std::string>{"Listed on 9x"});
    } else {
        EXPECT_EQ(subkey, "MEDIA");
        EXPECT_EQ(list, std::vector<std::string>{"Listed on NT"});
    }
    RegistryKey parent;
    ASSERT_TRUE(parent.Open(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_ALL_ACCESS));
    SHDeleteKeyA(parent.Handle(), "QuarrimondTest");
}

// The device registry of Windows 9x: devices under "Enum", classes under
// Services\Class with the rest behind their "Link", no "Control" keys, and the
// "Network" enumerator left out; the display's chip data from its INFO key.
TEST(SystemInfoOnThisWindows, DevicesAndDisplayOfTheFamily)
{
    if (test::ExpectedPlatform() != 1)
        GTEST_SKIP() << "the NT family's device registry is checked in win_tests";
    test::RegistryFixture registry;
    const std::string classes = "SYSTEM\\CurrentControlSet\\Services\\Class\\";
    registry.Text(HKEY_LOCAL_MACHINE, classes + "{A0A0A0A0-1111-2222-3333-444444444444}", "Class", "Ports");
    registry.Text(HKEY_LOCAL_MACHINE, classes + "{A0A0A0A0-1111-2222-3333-444444444444}", "Link", "qmports");
    registry.Text(HKEY_LOCAL_MACHINE, classes + "QMPORTS", "", "Ports (9x)");
    registry.Text(HKEY_LOCAL_MACHINE, classes + "QMPORTS\\0000", "DriverVersion", "4.10");
    registry.Text(HKEY_LOCAL_MACHINE, "Enum\\QMTEST98\\PORT\\0000", "ClassGUID",
                  "{a0a0a0a0-1111-2222-3333-444444444444}");
    registry.Text(HKEY_LOCAL_MACHINE, "Enum\\QMTEST98\\PORT\\0000", "DeviceDesc", "Port 98");
    registry.Text(HKEY_LOCAL_MACHINE, "Enum\\QMTEST98\\PORT\\0000", "Driver", "QMPORTS\\0000");
    registry.Text(HKEY_LOCAL_MACHINE, "Enum\\Network\\MSTCP\\0000", "Class", "NetTrans");
    registry.Text(HKEY_LOCAL_MACHINE, "Enum\\Network\\MSTCP\\0000", "DeviceDesc", "TCP/IP");
    registry.Text(HKEY_LOCAL_MACHINE, "Enum\\QMTEST98\\VIDEO\\0000", "Class", "Display");
    registry.Text(HKEY_LOCAL_MACHINE, "Enum\\QMTEST98\\VIDEO\\0000", "DeviceDesc", "Adapter 98");
    const std::string info = "System\\CurrentControlSet\\Services\\Class\\Display\\0000\\INFO";
    registry.Text(HKEY_LOCAL_MACHINE, info, "DacType", "DAC 98");
    registry.Text(HKEY_LOCAL_MACHINE, info, "ChipType", "Chip 98");
    registry.Dword(HKEY_LOCAL_MACHINE, info, "VideoMemory", 4u << 20);

    test::FakeServices services;
    TDevices devices;
    devices.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    std::vector<std::string> names;
    for (const TDevice& device : devices.Devices())
        names.push_back(device.DisplayName());
    EXPECT_EQ(std::find(names.begin(), names.end(), "TCP/IP"), names.end());
    const auto port = std::find_if(devices.Devices().begin(), devices.Devices().end(),
                                   [](const TDevice& d) { return d.Description == "Port 98"; });
    ASSERT_NE(port, devices.Devices().end());
    EXPECT_EQ(port->ClassName, "Ports");
    EXPECT_EQ(port->ClassDesc, "Ports (9x)");
    EXPECT_EQ(port->DriverVersion, "4.10");
    EXPECT_EQ(port->DeviceClass, 26);
    std::printf("Windows 9x devices: %d listed, Port 98 in class %s (%s)\n", devices.DeviceCount,
                port->ClassName.c_str(), port->ClassDesc.c_str());

    TDisplay display;
    display.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(display.Adapter, "Adapter 98");
    EXPECT_EQ(display.Chipset, "Chip 98");
    EXPECT_EQ(display.DAC, "DAC 98");
    EXPECT_EQ(display.Memory, 4 << 20);
}

// NT 4 names its processes through the process-status library, 2000 asks
// each process for its main module: both give whole paths. The others give
// the snapshot's executable name.
TEST(SystemInfoOnThisWindows, ThisProcessIsListedByTheVersionsOwnMeans)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program = path;
    const std::string fileName = program.substr(program.rfind('\\') + 1);
    test::FakeServices services;
    TProcesses processes;
    processes.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    const auto& entries = processes.Entries();
    const auto self = std::find_if(entries.begin(), entries.end(),
                                   [](const TProcessEntry& e) { return e.ID == GetCurrentProcessId(); });
    ASSERT_NE(self, entries.end());
    std::printf("This process: %lu=%s of %zu\n", GetCurrentProcessId(), self->Name.c_str(), entries.size());
    const bool wholePath = test::ExpectedPlatform() == 2 && test::ExpectedMajor() * 100 + test::ExpectedMinor() <= 500;
    if (wholePath)
        EXPECT_TRUE(lstrcmpiA(self->Name.c_str(), program.c_str()) == 0) << self->Name;
    else
        EXPECT_TRUE(self->Name == fileName || self->Name == program) << self->Name;
}

// The information window names processes as the family does (decimal on
// NT, "0x..." on 9x) and ends one from that text after asking.
TEST(SystemInfoOnThisWindows, OverviewEndsAProcessByTheFamilysIdentifier)
{
    test::SuspendedCopies child(1);
    ASSERT_EQ(child.Ids().size(), 1u);
    // The question is a real box; a collector's failure box would only hold the test.
    struct QuestionsOnly final : ForwardingServices {
        MessageResult ShowMessage(const MessageBoxRequest& request) override
        {
            return request.caption == "Warning" ? ForwardingServices::ShowMessage(request) : MessageResult::Ok;
        }
    } services;
    Application app(services);
    RegisterAppClasses(app.Classes());
    app.CreateForm<test::TextForm>("object MainForm: TQuarrimondTestForm\nend\n");
    TMSystemInfo container;
    container.SetOverviewFactory(OverviewFactory(app));
    container.ShowOverview();
    auto& window = dynamic_cast<TfrmMSI_Overview&>(*container.Overview());
    auto& rows = window.Find<TListView>("lvProcs");
    char expected[16];
    std::snprintf(expected, sizeof(expected), ForThisVersion().isNT ? "%lu" : "0x%lx", child.Ids()[0]);
    int row = -1;
    for (int i = 0; i < rows.Count(); ++i) {
        EXPECT_EQ(rows.ItemText(i, 0).starts_with("0x"), !ForThisVersion().isNT) << rows.ItemText(i, 0);
        if (rows.ItemText(i, 0) == expected)
            row = i;
    }
    if (row < 0 && test::ExpectedPlatform() == 2 && test::ExpectedMajor() == 4) {
        window.Close();
        test::PumpUntil([&] { return container.Overview() == nullptr; });
        GTEST_SKIP() << "NT 4 lists processes by their modules; a child held before its first instruction has none";
    }
    ASSERT_GE(row, 0) << expected;
    rows.SetSelected(row);
    {
        test::DialogAnswerer yes("Warning", test::ClickButton("&Yes"));
        window.cmTerminate(window);
        yes.Stop();
        EXPECT_EQ(yes.Answered(), 1);
    }
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, child.Ids()[0]));
    EXPECT_TRUE(!process || WaitForSingleObject(process.Get(), 10000) == WAIT_OBJECT_0);
    for (int i = 0; i < rows.Count(); ++i)
        EXPECT_NE(rows.ItemText(i, 0), expected);
    window.Close();
    test::PumpUntil([&] { return container.Overview() == nullptr; });
}

} // namespace
} // namespace qm
