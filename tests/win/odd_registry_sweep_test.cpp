// Odd data at every registry value the program reads at start and its
// collectors read: other types, empty, oversize, texts outside the code page
// and names outside it. With each kind planted everywhere at once, the built
// program starts, its wizard and its information window open by mouse, both
// close again, and the console tool ends with 0 or 1: nothing crashes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "backup_aside.h"
#include "child_processes.h"
#include "program_run.h"
#include "x_input.h"

namespace qm {
namespace {

// Every value read, by where it lives. Values that only hold the structure
// together (a device's class, driver and service links) stay valid, so that
// the readers behind them are reached too.
enum Root { User, Machine };
struct Location {
    Root root;
    const wchar_t* key;
    const wchar_t* value;
    HKEY Handle() const { return root == Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
};

constexpr wchar_t kClassGuid[] = L"{51D3C7A0-2B4E-4F6A-9C11-0E5A7D2031FF}";
constexpr wchar_t kClassKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Class\\{51D3C7A0-2B4E-4F6A-9C11-0E5A7D2031FF}";
constexpr wchar_t kDevice[] = L"SYSTEM\\CurrentControlSet\\Enum\\QMSWEEP\\Device\\0000";
constexpr wchar_t kService[] = L"SYSTEM\\CurrentControlSet\\Services\\QMSweep";
constexpr wchar_t kNt[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr wchar_t kMain[] = L"Quarrimond\\MainFormSettings";
constexpr wchar_t kWizard[] = L"Quarrimond\\OptWizSettings";

constexpr Location kLocations[] = {
    // The settings of both windows, read at start and when the wizard opens.
    {User, kMain, L"FormVersion"},
    {User, kMain, L"Flags"},
    {User, kMain, L"ShowCmd"},
    {User, kMain, L"PixelsPerInch"},
    {User, kMain, L"MinMaxPos(1024x768)"},
    {User, kMain, L"MinMaxPos"},
    {User, kMain, L"NormPos(1024x768)"},
    {User, kMain, L"NormPos"},
    {User, kWizard, L"FormVersion"},
    {User, kWizard, L"Flags"},
    {User, kWizard, L"PixelsPerInch"},
    {User, kWizard, L"MinMaxPos"},
    {User, kWizard, L"NormPos(1024x768)"},
    {User, kWizard, L"NormPos"},
    {User, kWizard, L"FlatCheckBox1_Checked"},
    {User, kWizard, L"FlatCheckBox2_Checked"},
    {User, kWizard, L"FlatCheckBox6_Checked"},
    {User, kWizard, L"NetBar_Position"},
    // The auto-start entry and what the backup copies.
    {User, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"quarrimond.exe"},
    {User, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", L"MaxConnectionsPerServer"},
    {User, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", L"MaxConnectionsPer1_0Server"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", L"DefaultTTL"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", L"TcpWindowSize"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", L"GlobalMaxTcpWindowSize"},
    // The start-up values of the engine.
    {Machine, L"SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", L"ComputerName"},
    // Operating system, its folders and the time zones.
    {Machine, kNt, L"CurrentType"},
    {Machine, kNt, L"RegisteredOrganization"},
    {Machine, kNt, L"RegisteredOwner"},
    {Machine, kNt, L"ProductID"},
    {Machine, kNt, L"DVD_Region"},
    {Machine, kNt, L"CommonFilesDir"},
    {Machine, kNt, L"ProgramFilesDir"},
    {Machine, kNt, L"DevicePath"},
    {Machine, kNt, L"OtherDevicePath"},
    {Machine, kNt, L"MediaPath"},
    {Machine, kNt, L"ConfigPath"},
    {Machine, kNt, L"WallPaperDir"},
    {Machine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009", L"Installed"},
    {Machine, L"System\\CurrentControlSet\\Control\\ProductOptions", L"ProductType"},
    {Machine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\QM Sweep Zone", L"TZI"},
    {Machine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\QM Sweep Zone", L"Std"},
    {Machine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\QM Sweep Zone", L"Dlt"},
    {Machine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\QM Sweep Zone", L"Display"},
    // Machine and display.
    {Machine, L"HARDWARE\\DESCRIPTION\\System", L"Identifier"},
    {Machine, L"HARDWARE\\DESCRIPTION\\System", L"SystemBiosVersion"},
    {Machine, L"HARDWARE\\DESCRIPTION\\System", L"SystemBiosDate"},
    {Machine, L"HARDWARE\\DESCRIPTION\\System", L"VideoBiosVersion"},
    {Machine, L"HARDWARE\\DESCRIPTION\\System", L"VideoBiosDate"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Services\\QMSweep\\Device0", L"HardwareInformation.DacType"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Services\\QMSweep\\Device0", L"HardwareInformation.ChipType"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Services\\QMSweep\\Device0", L"HardwareInformation.MemorySize"},
    // A device of a class and service of its own, and the class's drivers.
    {Machine, kDevice, L"FriendlyName"},
    {Machine, kDevice, L"DeviceDesc"},
    {Machine, kDevice, L"Mfg"},
    {Machine, kDevice, L"LocationInformation"},
    {Machine, kDevice, L"Class"},
    {Machine, kDevice, L"HardwareID"},
    {Machine, kService, L"DisplayName"},
    {Machine, kService, L"Group"},
    {Machine, kService, L"Type"},
    {Machine, kClassKey, L"Class"},
    {Machine, kClassKey, L"Link"},
    {Machine, kClassKey, L""},
    {Machine, L"SYSTEM\\CurrentControlSet\\Control\\Class\\{51D3C7A0-2B4E-4F6A-9C11-0E5A7D2031FF}\\0000",
     L"DriverDesc"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Control\\Class\\{51D3C7A0-2B4E-4F6A-9C11-0E5A7D2031FF}\\0000",
     L"DriverDate"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Control\\Class\\{51D3C7A0-2B4E-4F6A-9C11-0E5A7D2031FF}\\0000",
     L"DriverVersion"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Control\\Class\\{51D3C7A0-2B4E-4F6A-9C11-0E5A7D2031FF}\\0000",
     L"ProviderName"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Control\\Network\\{51D3C7A0-2B4E-4F6A-9C11-0E5A7D2031FF}", L"Class"},
    // DirectX and the data engines.
    {Machine, L"SOFTWARE\\Microsoft\\DirectX", L"Version"},
    {Machine, L"SOFTWARE\\Microsoft\\DirectX", L"InstalledVersion"},
    {Machine, L"SOFTWARE\\Microsoft\\Direct3D\\Drivers\\QM Sweep", L"Description"},
    {Machine, L"SOFTWARE\\Microsoft\\DirectPlay\\Services\\QM Sweep", L"Description"},
    {Machine, L"SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths\\QM Sweep", L"Description"},
    {Machine, L"SOFTWARE\\Borland\\Database Engine", L"DLLPATH"},
    {Machine, L"SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList", L"ODBC32.DLL"},
    // Installed software and start-up entries, in both registry views.
    {Machine, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QM Sweep", L"DisplayName"},
    {Machine, L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QM Sweep", L"DisplayName"},
    {User, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"QM Sweep"},
    {Machine, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"QM Sweep"},
    {Machine, L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", L"QM Sweep"},
    {User, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", L"QM Sweep"},
};

// Keys named outside the code page in the lists that are walked.
constexpr Location kOddlyNamedKeys[] = {
    {Machine, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QM \u0416\u2713", L"DisplayName"},
    {Machine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\QM \u0416\u2713", L"TZI"},
    {Machine, L"SOFTWARE\\Microsoft\\Direct3D\\Drivers\\QM \u0416\u2713", L"Description"},
    {Machine, L"SYSTEM\\CurrentControlSet\\Enum\\QMSWEEP\\\u0416\u2713\\0000", L"DeviceDesc"},
};

struct OddData {
    const char* what;
    DWORD type;
    std::vector<BYTE> bytes;
};

std::vector<BYTE> Utf16(const std::wstring& text, bool withNul = true)
{
    std::vector<BYTE> bytes;
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    if (withNul)
        bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::vector<OddData> Kinds()
{
    std::vector<BYTE> binary;
    for (int i = 0; i < 37; ++i)
        binary.push_back(static_cast<BYTE>(i * 97 + 255));
    return {
        {"a number", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"binary data", REG_BINARY, binary},
        {"a multi-string", REG_MULTI_SZ, Utf16(std::wstring(L"a\0b\0", 4))},
        {"an empty text", REG_SZ, {}},
        {"a text of an odd length without its end", REG_SZ, {'a', 0, 'b'}},
        {"an oversize text", REG_SZ, Utf16(std::wstring(128 * 1024, L'x'))},
        {"a text outside the code page", REG_SZ, Utf16(L"\u0416\u2713\U0001F600\xD800 [end]\r\n=")},
        {"a type of no known kind", 0x7FFF, {1, 2, 3, 4, 5}},
        {"an expanding text", REG_EXPAND_SZ, Utf16(L"%QM_UNDEFINED%\\\u0416")},
        {"a 64-bit number", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
}

// Values planted for a test and what was there before, put back afterwards;
// keys made for it deleted again.
class Planted {
public:
    ~Planted()
    {
        for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(it->root, it->key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
                continue;
            if (it->existed)
                RegSetValueExW(key, it->name.c_str(), 0, it->type, it->data.data(),
                               static_cast<DWORD>(it->data.size()));
            else
                RegDeleteValueW(key, it->name.c_str());
            RegCloseKey(key);
        }
        for (auto it = keys_.rbegin(); it != keys_.rend(); ++it)
            SHDeleteKeyW(it->first, it->second.c_str());
    }
    Planted() = default;
    Planted(const Planted&) = delete;
    Planted& operator=(const Planted&) = delete;

    void Set(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const std::vector<BYTE>& data)
    {
        MakeKey(root, path);
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        Value old{root, path, name, false, 0, {}};
        DWORD size = 0;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &old.type, nullptr, &size) == ERROR_SUCCESS) {
            old.existed = true;
            old.data.resize(size);
            RegQueryValueExW(key, name.c_str(), nullptr, &old.type, old.data.data(), &size);
        }
        values_.push_back(std::move(old));
        RegSetValueExW(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                       static_cast<DWORD>(data.size()));
        RegCloseKey(key);
    }

private:
    // The first level that did not exist is deleted afterwards, with all below it.
    void MakeKey(HKEY root, const std::wstring& path)
    {
        for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
            const std::wstring level = path.substr(0, end);
            HKEY key = nullptr;
            if (RegOpenKeyExW(root, level.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegCloseKey(key);
            } else {
                RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
                RegCloseKey(key);
                keys_.emplace_back(root, level);
                return;
            }
            if (end == std::wstring::npos)
                return;
        }
    }
    struct Value {
        HKEY root;
        std::wstring key, name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<Value> values_;
    std::vector<std::pair<HKEY, std::wstring>> keys_;
};

// Answers the program's boxes (a collector's failure, say) with "OK" by
// mouse, and keeps their texts.
class BoxAnswerer {
public:
    explicit BoxAnswerer(const test::ProgramRun& run)
        : thread_([this, &run] {
              while (!stop_) {
                  for (HWND box : run.Boxes()) {
                      Sleep(150);
                      {
                          std::lock_guard<std::mutex> lock(mutex_);
                          texts_.push_back("[" + test::ProgramRun::WindowTitle(box) + "] " + test::BoxText(box));
                      }
                      test::ClickButton("OK")(box, {});
                      Sleep(300);
                  }
                  Sleep(50);
              }
          })
    {}
    ~BoxAnswerer()
    {
        stop_ = true;
        thread_.join();
    }
    std::string Texts() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::string all;
        for (const std::string& text : texts_)
            all += text + "\n";
        return all;
    }

private:
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

bool ClickCaption(HWND window, const std::string& caption)
{
    HWND control = nullptr;
    test::PumpUntil([&] { return (control = test::ChildWithText(window, caption)) != nullptr; }, 10000);
    return control && test::XClick(control);
}

class OddRegistrySweep : public ::testing::TestWithParam<int> {};

TEST_P(OddRegistrySweep, TheProgramTheViewerAndTheToolCopeWithOddRegistryData)
{
    const OddData odd = Kinds()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(odd.what);
    Planted planted;
    // Every other kind as Windows XP, whose tuning values the backup reads.
    if (GetParam() % 2 == 0)
        planted.Set(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\quarrimond.exe", L"Version", REG_SZ,
                    Utf16(L"winxp"));
    // The links that lead the readers to the planted values.
    planted.Set(HKEY_LOCAL_MACHINE, kDevice, L"ClassGUID", REG_SZ, Utf16(kClassGuid));
    planted.Set(HKEY_LOCAL_MACHINE, kDevice, L"Driver", REG_SZ, Utf16(std::wstring(kClassGuid) + L"\\0000"));
    planted.Set(HKEY_LOCAL_MACHINE, kDevice, L"Service", REG_SZ, Utf16(L"QMSweep"));
    planted.Set(HKEY_LOCAL_MACHINE, std::wstring(kDevice) + L"\\Control", L"ActiveService", REG_SZ, Utf16(L"QMSweep"));
    for (const Location& location : kLocations)
        planted.Set(location.Handle(), location.key, location.value, odd.type, odd.bytes);
    for (const Location& location : kOddlyNamedKeys)
        planted.Set(location.Handle(), location.key, location.value, odd.type, odd.bytes);
    // A value named outside the code page beside the ones read.
    for (const wchar_t* key : {kMain, kWizard, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"})
        planted.Set(HKEY_CURRENT_USER, key, L"QM \u0416\u2713 Sweep", odd.type, odd.bytes);
    planted.Set(HKEY_LOCAL_MACHINE, kNt, L"QM \u0416\u2713 Sweep", odd.type, odd.bytes);

    test::FallbackCopiesAside fallback;
    test::ProgramCopy copy("sweep");
    {
        test::ProgramRun run(copy.Program());
        ASSERT_TRUE(run.Started());
        BoxAnswerer boxes(run);
        HWND main = run.WaitForWindow(test::kMainWindowTitle);
        ASSERT_TRUE(main) << "exit code " << run.ExitCode() << "\n" << boxes.Texts();
        test::MakeForeground(main);

        ASSERT_TRUE(ClickCaption(main, "Optimize it!"));
        HWND wizard = run.WaitForWindow("Quarrimond Optimization Wizard");
        ASSERT_TRUE(wizard) << "exit code " << run.ExitCode() << "\n" << boxes.Texts();
        ASSERT_TRUE(ClickCaption(wizard, "Cancel"));
        ASSERT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(wizard); }, 30000));

        test::MakeForeground(main);
        ASSERT_TRUE(ClickCaption(main, "System info..."));
        HWND viewer = run.WaitForWindow("Quarrimond Advanced System Profiler", 120000);
        ASSERT_TRUE(viewer) << "exit code " << run.ExitCode() << "\n" << boxes.Texts();
        if (const char* folder = std::getenv("QM_SCREENSHOTS")) {
            test::PumpFor(2000); // drawn whole
            test::RunUnixCommand("/usr/bin/import -window root " + std::string(folder) + "/sweep-" +
                                 std::to_string(GetParam()) + ".png");
        }
        ASSERT_TRUE(ClickCaption(viewer, "Close"));
        ASSERT_TRUE(test::PumpUntil([&] { return !IsWindow(viewer); }, 30000));

        ASSERT_TRUE(run.Close());
        EXPECT_EQ(run.ExitCode(), 0u) << boxes.Texts();
        if (!boxes.Texts().empty())
            std::printf("boxes with %s:\n%s", odd.what, boxes.Texts().c_str());
    }
    const std::string folder = copy.Folder();
    const DWORD text = test::RunReportTool("\"" + folder + "all.txt\"");
    EXPECT_TRUE(text == 0 || text == 1) << text;
    const DWORD json = test::RunReportTool("--format json \"" + folder + "all.json\"");
    EXPECT_TRUE(json == 0 || json == 1) << json;
    // The planted values were there to be read: the texts among them are listed.
    if (odd.type == REG_SZ || odd.type == REG_EXPAND_SZ) {
        const std::string report = test::FileText(folder + "all.txt");
        EXPECT_NE(report.find("\r\nQM Sweep="), std::string::npos);
        EXPECT_NE(test::FileText(folder + "all.json").find("\"QM Sweep\""), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(StartedProgram, OddRegistrySweep, ::testing::Range(0, 10));

} // namespace
} // namespace qm
