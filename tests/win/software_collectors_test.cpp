// The network, DirectX, engine, process, printer, software and start-up
// collectors on this system: checked against what Windows answers the test
// directly, and against registry entries, files and programs the tests make.
#include <gtest/gtest.h>

#include <windows.h>
#include <winsock2.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "automation_server/automation_server.h"
#include "child_processes.h"
#include "platform/unique_resource.h"
#include "registry_fixture.h"
#include "sysinfo/msi_directx.h"
#include "sysinfo/msi_network.h"
#include "sysinfo/msi_processes.h"
#include "test_support.h"

namespace qm {
namespace {

constexpr char kClasses[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::string ThisProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FolderOfThisProgram()
{
    const std::string path = ThisProgram();
    return path.substr(0, path.rfind('\\') + 1);
}

// ---- Network -------------------------------------------------------------

TEST(Network, SocketsAndAddressesAsWindowsGivesThemToAProgram)
{
    WSADATA data{};
    ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    char name[64] = {};
    ASSERT_EQ(gethostname(name, sizeof(name)), 0);
    std::vector<std::string> addresses;
    if (const hostent* host = gethostbyname(name))
        for (char** entry = host->h_addr_list; *entry; ++entry)
            addresses.push_back(inet_ntoa(*reinterpret_cast<in_addr*>(*entry)));
    WSACleanup();

    test::FakeServices services;
    TNetwork network;
    network.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(network.WinSock->Description, data.szDescription);
    EXPECT_EQ(network.WinSock->Status, data.szSystemStatus);
    EXPECT_EQ(network.WinSock->MajorVersion, LOBYTE(data.wHighVersion));
    EXPECT_EQ(network.WinSock->MinorVersion, HIBYTE(data.wHighVersion));
    EXPECT_EQ(network.IPAddresses.Lines(), addresses);
    for (const std::string& mac : network.MACAddresses.Lines())
        EXPECT_EQ(std::count(network.MACAddresses.Lines().begin(), network.MACAddresses.Lines().end(), mac), 1);
}

TEST(Network, AdaptersAndProtocolsFromTheDevicesAndClassesTheTestInstalls)
{
    test::RegistryFixture registry;
    const std::string netGuid = "{D0D0D0D0-1111-2222-3333-444444444444}";
    const std::string transGuid = "{D1D1D1D1-1111-2222-3333-444444444444}";
    registry.Text(HKEY_LOCAL_MACHINE, kClasses + netGuid, "Class", "Net");
    // A virtual adapter first: it is listed under its description and sits nowhere.
    test::StartedDevice(registry, "NETA", {{"ClassGUID", netGuid}, {"DeviceDesc", "QM Virtual Adapter"}});
    test::StartedDevice(registry, "NETB",
                        {{"ClassGUID", netGuid},
                         {"FriendlyName", "QM Card"},
                         {"DeviceDesc", "card"},
                         {"LocationInformation", "PCI bus 2"}});
    // One protocol bound to two adapters is one protocol.
    registry.Text(HKEY_LOCAL_MACHINE, kClasses + transGuid, "Class", "NetTrans");
    registry.Text(HKEY_LOCAL_MACHINE, kClasses + transGuid + "\\0000", "DriverDesc", "QM Protocol");
    registry.Text(HKEY_LOCAL_MACHINE, kClasses + transGuid + "\\0001", "DriverDesc", "QM Protocol");

    test::FakeServices services;
    TNetwork network;
    network.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    const auto& adapters = network.Adapters.Lines();
    const auto virtualAt = std::find(adapters.begin(), adapters.end(), "QM Virtual Adapter");
    const auto cardAt = std::find(adapters.begin(), adapters.end(), "QM Card");
    ASSERT_NE(virtualAt, adapters.end());
    ASSERT_NE(cardAt, adapters.end());
    EXPECT_LT(virtualAt, cardAt); // the devices' sorted order
    EXPECT_EQ(network.CardAdapterIndex, cardAt - adapters.begin());
    EXPECT_EQ(network.Protocols.Lines(), std::vector<std::string>{"QM Protocol"});

    StringList lines;
    network.Report(lines);
    const int protocols = lines.IndexOf("ProtoCount=1");
    ASSERT_NE(protocols, -1);
    EXPECT_EQ(lines[protocols + 1], "Protocol1=QM Protocol");
    EXPECT_NE(lines.IndexOf("[Winsock]"), -1);
}

// ---- DirectX and the engines ---------------------------------------------

TEST(DirectX, TheRegisteredVersionAndDriversWithADescription)
{
    test::RegistryFixture registry;
    registry.Text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "Version", "4.07.00.0700");
    const std::string drivers = "SOFTWARE\\Microsoft\\Direct3D\\Drivers\\";
    registry.Text(HKEY_LOCAL_MACHINE, drivers + "QM Test Driver", "Description", "QM Software Rasteriser");
    registry.Key(HKEY_LOCAL_MACHINE, drivers + "QM Undescribed Driver");

    test::FakeServices services;
    TDirectX directX;
    directX.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(directX.Version, "4.07.00.0700");
    EXPECT_TRUE(Contains(directX.Direct3D.Lines(), "QM Software Rasteriser"));
    EXPECT_FALSE(Contains(directX.Direct3D.Lines(), ""));

    StringList lines;
    directX.Report(lines);
    EXPECT_EQ(lines[0], "[DirectX]");
    EXPECT_EQ(lines[1], "Version=4.07.00.0700");
    EXPECT_EQ(lines[2], "[Direct3D]");
    EXPECT_EQ(lines[3], "Count=" + std::to_string(directX.Direct3D.Count()));
    EXPECT_NE(lines.IndexOf("[DirectPlay]"), -1);
    EXPECT_NE(lines.IndexOf("[DirectMusic]"), -1);
}

TEST(DirectX, WithoutAVersionTheReportIsTheHeaderAloneAndTheBinaryFormGivesTheMajor)
{
    test::RegistryFixture registry;
    registry.Remove(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "Version");
    registry.Remove(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "InstalledVersion");
    test::FakeServices services;
    TDirectX directX;
    directX.GetInfo(services);
    StringList lines;
    directX.Report(lines);
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{"[DirectX]"});

    const BYTE sixFour[] = {6, 0, 0, 0};
    registry.Raw(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", REG_BINARY, sixFour, 4);
    directX.GetInfo(services);
    EXPECT_EQ(directX.Version, "6.0");
    const BYTE sevenEight[] = {7, 0, 0, 0, 0, 0, 0, 0};
    registry.Raw(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", REG_BINARY, sevenEight, 8);
    TDirectX fresh;
    fresh.GetInfo(services);
    EXPECT_EQ(fresh.Version, "7.0");
    EXPECT_EQ(directX.Version, "6.0"); // not cleared by a refresh
    EXPECT_TRUE(services.messages.empty());
}

// "a.b.c.d" of a file, as the version resource says it.
std::string FileVersion(const std::string& file)
{
    DWORD handle = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeA(file.c_str(), &handle));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (data.empty() || !GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &size))
        return {};
    char text[64];
    std::snprintf(text, sizeof(text), "%lu.%lu.%lu.%lu", info->dwFileVersionMS >> 16, info->dwFileVersionMS & 0xFFFF,
                  info->dwFileVersionLS >> 16, info->dwFileVersionLS & 0xFFFF);
    return text;
}

class EngineFixtures : public ::testing::Test {
protected:
    void Register(const char* programId, const char* classId)
    {
        const std::string classes = "SOFTWARE\\Classes\\";
        registry.Text(HKEY_LOCAL_MACHINE, classes + programId + "\\CLSID", "", classId);
        const std::string server = classes + "CLSID\\" + classId + "\\InprocServer32";
        registry.Text(HKEY_LOCAL_MACHINE, server, "", FolderOfThisProgram() + test::kServerFile);
        registry.Text(HKEY_LOCAL_MACHINE, server, "ThreadingModel", "Apartment");
    }

    test::RegistryFixture registry;
    test::FakeServices services;
};

TEST_F(EngineFixtures, FileVersionsOfTheRegisteredLibrariesAndTheFirstDaoFound)
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string kernel = std::string(system) + "\\kernel32.dll";
    const std::string expected = FileVersion(kernel);
    ASSERT_FALSE(expected.empty());
    registry.Text(HKEY_LOCAL_MACHINE, "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList", "ODBC32.DLL", kernel);
    // The database engine's folder holds its main library under its own name.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string bdeFolder = std::string(temp) + "qm_bde";
    CreateDirectoryA(bdeFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(kernel.c_str(), (bdeFolder + "\\IDAPI32.DLL").c_str(), FALSE));
    registry.Text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Borland\\Database Engine", "DLLPATH", bdeFolder);
    // Only DAO 3.5 is installed.
    Register("DAO.DBEngine.35", test::kAnsweringEngineText);

    TEngines engines;
    engines.GetInfo(services);
    DeleteFileA((bdeFolder + "\\IDAPI32.DLL").c_str());
    RemoveDirectoryA(bdeFolder.c_str());
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(engines.ODBC, expected);
    EXPECT_EQ(engines.BDE, expected);
    EXPECT_EQ(engines.DAO, "3.5");

    StringList lines;
    engines.Report(lines);
    EXPECT_EQ(lines.Lines(),
              (std::vector<std::string>{"[ODBC]", "Version=" + expected, "[BDE]", "Version=" + expected, "[DAO]",
                                        "Version=3.5", "[ADO]"}));
}

TEST_F(EngineFixtures, AnEngineWhoseVersionCannotBeReadEndsTheRefreshWithAMessage)
{
    Register("DAO.DBEngine.36", test::kFailingEngineText);
    Register("adodb.connection", test::kAnsweringEngineText);
    TEngines engines;
    engines.GetInfo(services);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].caption, "TEngines.GetInfo");
    EXPECT_EQ(services.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(engines.DAO, "");
    EXPECT_EQ(engines.ADO, ""); // not reached
}

TEST_F(EngineFixtures, WithoutEnginesTheFieldsKeepWhatTheyHad)
{
    Register("adodb.connection", test::kAnsweringEngineText);
    TEngines engines;
    engines.DAO = "kept";
    engines.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(engines.ADO, "3.5");
    EXPECT_EQ(engines.DAO, "kept");
}

// ---- Processes -----------------------------------------------------------

TEST(Processes, TwoCopiesOfOneProgramAreTwoEntriesWithTheirOwnIdentifiers)
{
    test::SuspendedCopies copies(2);
    ASSERT_EQ(copies.Ids().size(), 2u);
    test::FakeServices services;
    TProcesses processes;
    processes.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    const std::string program = ThisProgram();
    const std::string fileName = program.substr(program.rfind('\\') + 1);

    StringList lines;
    processes.Report(lines);
    EXPECT_EQ(lines[1], "Count=" + std::to_string(processes.ProcessCount()));
    for (DWORD id : copies.Ids()) {
        const auto& entries = processes.Entries();
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.ID == id; });
        ASSERT_NE(found, entries.end()) << id;
        // The snapshot's executable name here; some systems give the whole path.
        EXPECT_TRUE(found->Name == fileName || found->Name == program) << found->Name;
        EXPECT_NE(lines.IndexOf(std::to_string(id) + "=" + found->Name), -1);
    }
    EXPECT_NE(processes.IdentifierOf(processes.Name(0)), -1);
}

// ---- Printers ------------------------------------------------------------

TEST(Printers, PrintersFromTheSpoolerAndTheDefaultFromTheProfile)
{
    test::RegistryFixture registry;
    const std::string printers = "System\\CurrentControlSet\\Control\\Print\\Printers\\";
    for (const char* name : {"QM Office", "QM Lab Printer"}) {
        registry.Text(HKEY_LOCAL_MACHINE, printers + name, "Name", name);
        registry.Text(HKEY_LOCAL_MACHINE, printers + name, "Port",
                      std::string(name) == "QM Office" ? "LPT1:" : "FILE:");
        registry.Text(HKEY_LOCAL_MACHINE, printers + name, "Printer Driver", "QM Driver");
    }
    registry.Text(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Device",
                  "qm lab printer,winspool,FILE:");
    test::FakeServices services;
    TPrinters found;
    found.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    ASSERT_EQ(found.Names.Count(), 2u) << testing::PrintToString(found.Names.Lines());
    const int lab = found.Names.IndexOf("QM Lab Printer");
    ASSERT_NE(lab, -1);
    EXPECT_EQ(found.DefaultIndex, lab);
    EXPECT_EQ(found.Ports[lab], "FILE:");
    StringList lines;
    found.Report(lines);
    EXPECT_NE(lines.IndexOf("QM Lab Printer on FILE:=1"), -1);
    EXPECT_NE(lines.IndexOf("QM Office on LPT1:=0"), -1);
}

TEST(Printers, WithoutADefaultPrinterNoMessageAndNoDefault)
{
    test::RegistryFixture registry;
    registry.Text(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Device", "");
    test::FakeServices services;
    TPrinters printers;
    printers.DefaultIndex = 3;
    printers.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(printers.DefaultIndex, -1);
    EXPECT_EQ(printers.Names.Count(), printers.Ports.Count());
}

// ---- Installed software --------------------------------------------------

TEST(Software, DisplayNamesInRegistryOrderDuplicatesKept)
{
    constexpr char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    test::FakeServices services;
    TSoftware before;
    before.GetInfo(services);

    test::RegistryFixture registry;
    registry.Text(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "QMTest A", "DisplayName", "QM Test Tool");
    registry.Text(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "QMTest B", "DisplayName", "QM Test Tool");
    registry.Text(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "QMTest C", "Publisher", "Nobody");
    TSoftware software;
    software.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    const auto& installed = software.Installed.Lines();
    EXPECT_EQ(installed.size(), before.Installed.Count() + 2);
    EXPECT_EQ(std::count(installed.begin(), installed.end(), "QM Test Tool"), 2);
}

// Registry entries made through the Unicode functions in a chosen view of the
// machine's keys, as 32-bit and 64-bit installers make them; taken away after.
class WideEntries {
public:
    ~WideEntries()
    {
        for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(it->root, it->path.c_str(), 0, KEY_SET_VALUE | it->view, &key) == ERROR_SUCCESS) {
                RegDeleteValueW(key, it->name.c_str());
                RegCloseKey(key);
            }
        }
        for (auto it = keys_.rbegin(); it != keys_.rend(); ++it)
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, it->path.c_str(), it->view, 0);
    }
    // A subkey of `parent` with one text value.
    void Key(const std::wstring& parent, const std::wstring& name, REGSAM view, const std::wstring& value,
             const std::wstring& text)
    {
        const std::wstring path = parent + L"\\" + name;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        keys_.push_back({HKEY_LOCAL_MACHINE, path, {}, view});
        Set(key, value, text);
        RegCloseKey(key);
    }
    void Value(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, const std::wstring& text)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        values_.push_back({root, path, name, view});
        Set(key, name, text);
        RegCloseKey(key);
    }

private:
    static void Set(HKEY key, const std::wstring& name, const std::wstring& text)
    {
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    struct Entry {
        HKEY root;
        std::wstring path, name;
        REGSAM view;
    };
    std::vector<Entry> keys_, values_;
};

// Programs a 32-bit installer registered, subkey names the code page cannot
// show, and a name of the longest length the registry allows: all listed.
TEST(Software, BothRegistryViewsAndEveryNameAreRead)
{
    const std::wstring uninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    const std::wstring longest = L"QM \u0416" + std::wstring(251, L'x'); // 255 characters
    ASSERT_EQ(longest.size(), 255u);
    WideEntries entries;
    entries.Key(uninstall, L"QM Sixty-Four", KEY_WOW64_64KEY, L"DisplayName", L"QM 64-bit Tool");
    entries.Key(uninstall, L"QM Thirty-Two", KEY_WOW64_32KEY, L"DisplayName", L"QM 32-bit Tool");
    entries.Key(uninstall, L"QM \u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430 \u2713", KEY_WOW64_64KEY,
                L"DisplayName", L"QM Named Outside The Code Page");
    entries.Key(uninstall, L"QM Text", KEY_WOW64_32KEY, L"DisplayName", L"QM \u0422\u0435\u043a\u0441\u0442");
    entries.Key(uninstall, longest, KEY_WOW64_64KEY, L"DisplayName", L"QM Longest Name");
    entries.Key(uninstall, L"QM \u0416\u0416 After The Longest", KEY_WOW64_64KEY, L"DisplayName", L"QM After");

    test::FakeServices services;
    TSoftware software;
    software.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    const auto& installed = software.Installed.Lines();
    for (const std::string name :
         {"QM 64-bit Tool", "QM 32-bit Tool", "QM Named Outside The Code Page", "QM Longest Name", "QM After"})
        EXPECT_TRUE(Contains(installed, name)) << name;
    // The display text in the code page, as the report writes it.
    EXPECT_TRUE(Contains(installed, test::InCodePage(L"QM \u0422\u0435\u043a\u0441\u0442")));
}

// ---- Start-up ------------------------------------------------------------

TEST(Startup, RunEntriesOfBothViewsAndNamesOutsideTheCodePage)
{
    const std::wstring run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::wstring runOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    const std::wstring unicodeName = L"QM \u0417\u0430\u043f\u0443\u0441\u043a";
    WideEntries entries;
    entries.Value(HKEY_LOCAL_MACHINE, run, KEY_WOW64_64KEY, L"QM Machine 64", L"m64.exe");
    entries.Value(HKEY_LOCAL_MACHINE, run, KEY_WOW64_32KEY, L"QM Machine 32", L"m32.exe");
    entries.Value(HKEY_LOCAL_MACHINE, runOnce, KEY_WOW64_32KEY, L"QM Once 32", L"o32.exe");
    entries.Value(HKEY_CURRENT_USER, run, 0, unicodeName, L"C:\\\u0422\\u.exe");
    entries.Value(HKEY_CURRENT_USER, run, 0, L"QM After Unicode", L"after.exe");

    test::FakeServices services;
    TStartup startup;
    startup.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    auto entriesOf = [&](StartupKind kind) {
        std::vector<std::string> texts;
        for (const TStartupEntry& entry : startup.Entries(kind))
            texts.push_back(entry.Name + "=" + entry.CommandLine);
        return texts;
    };
    const auto machine = entriesOf(StartupKind::MachineRun);
    EXPECT_TRUE(Contains(machine, "QM Machine 64=m64.exe")) << testing::PrintToString(machine);
    EXPECT_TRUE(Contains(machine, "QM Machine 32=m32.exe")) << testing::PrintToString(machine);
    EXPECT_TRUE(Contains(entriesOf(StartupKind::RunOnce), "QM Once 32=o32.exe"));
    const auto user = entriesOf(StartupKind::UserRun);
    EXPECT_TRUE(Contains(user, test::InCodePage(unicodeName) + "=" + test::InCodePage(L"C:\\\u0422\\u.exe")))
        << testing::PrintToString(user);
    EXPECT_TRUE(Contains(user, "QM After Unicode=after.exe"));
}

std::string StartupFolder()
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void MakeShortcut(const std::string& file, const char* target, const char* arguments)
{
    ComApartment apartment;
    ComPtr<IShellLinkA> link;
    ASSERT_TRUE(
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid())));
    link->SetPath(target);
    link->SetArguments(arguments);
    ComPtr<IPersistFile> persist;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.OutVoid())));
    const std::wstring wide(file.begin(), file.end());
    ASSERT_TRUE(SUCCEEDED(persist->Save(wide.c_str(), TRUE)));
}

// Shortcuts made in the user's start-up folder, deleted afterwards.
class StartupShortcuts {
public:
    ~StartupShortcuts()
    {
        for (const std::string& file : files_) {
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
    }
    std::string Add(const std::string& name)
    {
        files_.push_back(StartupFolder() + "\\" + name);
        return files_.back();
    }

private:
    std::vector<std::string> files_;
};

// win.ini's "windows" section entries, put back as they were.
class WinIniEntry {
public:
    explicit WinIniEntry(const char* name) : name_(name)
    {
        char old[1024] = {};
        had_ = GetProfileStringA("windows", name, "\x01", old, sizeof(old)) != 1 || old[0] != '\x01';
        old_ = old;
    }
    ~WinIniEntry() { WriteProfileStringA("windows", name_, had_ ? old_.c_str() : nullptr); }
    void Set(const char* value) { WriteProfileStringA("windows", name_, value); }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(Startup, EveryLocationTheTestFillsIsRead)
{
    constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    test::RegistryFixture registry;
    registry.Text(HKEY_CURRENT_USER, kRun, "QM Clock", "clock.exe -q");
    registry.Raw(HKEY_CURRENT_USER, kRun, "QM Expanding", REG_EXPAND_SZ, "%WINDIR%\\a.exe", 16);
    registry.Dword(HKEY_CURRENT_USER, kRun, "QM Number", 7); // no command: passed over
    registry.Text(HKEY_CURRENT_USER, kRun, "QM After", "after.exe");
    registry.Text(HKEY_LOCAL_MACHINE, kRun, "QM Machine", "machine.exe");
    registry.Text(HKEY_CURRENT_USER, kRunOnce, "QM Once User", "once-user.exe");
    registry.Text(HKEY_LOCAL_MACHINE, kRunOnce, "QM Once Machine", "once-machine.exe");

    StartupShortcuts shortcuts;
    MakeShortcut(shortcuts.Add("Tool.lnk"), "C:\\windows\\system32\\notepad.exe", "/p x.txt");
    const std::string hidden = shortcuts.Add("Hidden.lnk");
    MakeShortcut(hidden, "C:\\windows\\system32\\notepad.exe", "");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::string broken = shortcuts.Add("Broken.lnk");
    {
        UniqueHandle file(
            CreateFileA(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), "not a shortcut", 14, &written, nullptr);
    }

    WinIniEntry run("run"), load("load");
    run.Set("  a.exe   b.exe ");
    load.Set("");

    test::FakeServices services;
    TStartup startup;
    startup.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());

    auto entries = [&](StartupKind kind) {
        std::vector<std::string> texts;
        for (const TStartupEntry& entry : startup.Entries(kind))
            texts.push_back(entry.Name + "=" + entry.CommandLine);
        return texts;
    };
    // In the registry's order of values: the number between them stops nothing.
    const auto user = entries(StartupKind::UserRun);
    EXPECT_TRUE(Contains(user, "QM Clock=clock.exe -q"));
    EXPECT_TRUE(Contains(user, "QM After=after.exe"));
    EXPECT_TRUE(Contains(user, "QM Expanding=%WINDIR%\\a.exe"));
    EXPECT_FALSE(std::any_of(user.begin(), user.end(), [](const auto& e) { return e.starts_with("QM Number="); }));
    EXPECT_TRUE(Contains(entries(StartupKind::MachineRun), "QM Machine=machine.exe"));
    const auto once = entries(StartupKind::RunOnce);
    const auto onceUser = std::find(once.begin(), once.end(), "QM Once User=once-user.exe");
    const auto onceMachine = std::find(once.begin(), once.end(), "QM Once Machine=once-machine.exe");
    ASSERT_NE(onceUser, once.end());
    ASSERT_NE(onceMachine, once.end());
    EXPECT_LT(onceUser, onceMachine); // the user's key first

    const auto folder = entries(StartupKind::UserFolder);
    EXPECT_TRUE(Contains(folder, "Tool=C:\\windows\\system32\\notepad.exe /p x.txt")) << testing::PrintToString(folder);
    EXPECT_TRUE(Contains(folder, "Broken= "));
    EXPECT_FALSE(std::any_of(folder.begin(), folder.end(), [](const auto& e) { return e.starts_with("Hidden="); }));

    const auto winIni = entries(StartupKind::WinIni);
    EXPECT_TRUE(Contains(winIni, "run=a.exeb.exe")) << testing::PrintToString(winIni);
    EXPECT_FALSE(std::any_of(winIni.begin(), winIni.end(), [](const auto& e) { return e.starts_with("load="); }));

    int total = 0;
    for (int kind = 0; kind < kStartupKinds; ++kind)
        total += startup.Count(static_cast<StartupKind>(kind));
    EXPECT_EQ(startup.RunsCount(), total);
    StringList lines;
    startup.Report(lines);
    EXPECT_NE(lines.IndexOf("Tool=C:\\windows\\system32\\notepad.exe /p x.txt"), -1);
    EXPECT_EQ(lines.IndexOf("run=a.exeb.exe"), -1); // win.ini is not reported
}

} // namespace
} // namespace qm
