// Built once per emulated Windows version: a person opens the Optimization
// Wizard, ticks the Internet option, picks a line speed, asks for auto-start
// and presses Finish, all with the mouse and keyboard, answers "No" to the
// restart question, and sees the window close. The registry is read back,
// and the backup written before the run, imported with the system's registry
// editor, puts every value back.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "../optimizer_support.h"
#include "../registry_fixture.h"
#include "../x_input.h"
#include "app/app_classes.h"
#include "components/wm_wizard.h"
#include "expected_version.h"
#include "framework/check_box.h"
#include "optimizer/registry_backup_files.h"
#include "optimizer/wizard_form.h"
#include "widgets/vr_lights.h"
#include "widgets/vr_track_bar.h"

namespace qm {
namespace {

const bool kWindows9x = test::ExpectedPlatform() == 1;
constexpr char kUserRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Each version its own line speed, so that every speed is chosen somewhere.
int LineSpeedForThisVersion()
{
    switch (test::ExpectedMajor() * 100 + test::ExpectedMinor()) {
    case 410:
        return 1; // Modem
    case 400:
        return 3; // xDSL
    case 500:
        return 2; // ISDN
    case 501:
        return 4; // T1+
    default:
        return 3;
    }
}

const char* TableKey()
{
    return kWindows9x ? test::kMstcpKey : test::kTcpipKey;
}

std::string Describe(const std::vector<test::StoredValue>& values)
{
    std::string text;
    for (const auto& v : values)
        text += "    " + v.name +
            (v.type == REG_SZ ? "  REG_SZ  " + v.text : "  REG_DWORD  " + std::to_string(v.number)) + "\n";
    return text.empty() ? "    (none)\n" : text;
}

std::vector<test::StoredValue> Everything()
{
    auto values = test::ValuesOf(HKEY_LOCAL_MACHINE, TableKey());
    for (auto& v : test::ValuesOf(HKEY_CURRENT_USER, test::kInternetKey))
        values.push_back(v);
    return values;
}

bool ImportWithRegedit(const std::string& file)
{
    std::string command = "regedit.exe /s \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    const bool done = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    CloseHandle(process.hProcess);
    return done;
}

TEST(WizardOnThisWindows, APersonOptimizesAndTheBackupUndoesIt)
{
    const OsVersionInfo version = WindowsServices().OsVersion();
    ASSERT_EQ(version.platform, static_cast<unsigned>(test::ExpectedPlatform()));
    ASSERT_EQ(version.major, static_cast<unsigned>(test::ExpectedMajor()));
    const TweakTable* table = ChooseTweakTable(kWindows9x ? "Windows 9x" : "Windows NT", test::ExpectedMajor());
    const int speed = LineSpeedForThisVersion();

    // A machine as the user had it: one tuning value of its own, one limit.
    test::RegistryFixture registry;
    if (table)
        for (const TweakValue& v : table->values)
            registry.Remove(HKEY_LOCAL_MACHINE, TableKey(), std::string(v.name));
    registry.Remove(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPer1_0Server");
    if (kWindows9x)
        registry.Text(HKEY_LOCAL_MACHINE, TableKey(), "DefaultTTL", "32");
    else
        registry.Dword(HKEY_LOCAL_MACHINE, TableKey(), "DefaultTTL", 64);
    registry.Dword(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPerServer", 2);
    char folderName[MAX_PATH];
    GetModuleFileNameA(nullptr, folderName, MAX_PATH);
    const std::string exeName = std::string(folderName).substr(std::string(folderName).rfind('\\') + 1);
    registry.Remove(HKEY_CURRENT_USER, kUserRun, exeName);
    // A first use of the wizard: no options stored by an earlier run.
    SHDeleteKeyA(HKEY_CURRENT_USER, "Quarrimond\\OptWizSettings");
    registry.Key(HKEY_CURRENT_USER, "Quarrimond\\OptWizSettings");
    const auto before = Everything();

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string backup = std::string(temp) + "qm-backup-" + std::to_string(GetCurrentProcessId()) + "\\";
    // The backup never replaces a file: start from an empty folder.
    DeleteFileA((backup + "bkkey1.reg").c_str());
    DeleteFileA((backup + "bkkey2.reg").c_str());
    ASSERT_TRUE(WriteRegistryBackup(backup, version));

    Application app(WindowsServices());
    RegisterAppClasses(app.Classes());
    app.CreateForm<test::TextForm>("object MainForm: TQuarrimondTestForm\nend\n");
    auto& form = app.CreateForm<TForm1>();
    auto& wizard = form.Find<TwmWizard>("wmWizard1");
    auto next = [&] { return wizard.WizardButton(TwmButtonKind::Next).Handle(); };
    auto page = [&] { return wizard.ActivePage() ? wizard.ActivePage()->Name() : std::string(); };
    form.Show();
    test::MakeForeground(form.Handle());

    ASSERT_TRUE(test::XClick(next()));
    ASSERT_TRUE(test::PumpUntil([&] { return page() == "wmInteriorWizardPage1"; }));
    auto& internet = form.Find<TFlatCheckBox>("FlatCheckBox2");
    ASSERT_TRUE(test::XClick(internet.Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return internet.Checked(); }));
    auto& net = form.Find<TVrTrackBar>("NetBar");
    ASSERT_TRUE(test::XClickAt(net.Handle(), net.Geometry().ValueToPixel(speed) + 4, 22));
    ASSERT_TRUE(test::PumpUntil([&] { return net.Position() == speed; }));
    ASSERT_TRUE(test::XClick(next()));
    ASSERT_TRUE(test::PumpUntil([&] { return page() == "wmInteriorWizardPage2"; }));
    // The auto-start box has the focus (the three before it are disabled): Space ticks it.
    ASSERT_TRUE(test::XKeys("space"));
    ASSERT_TRUE(test::PumpUntil([&] { return form.Find<TFlatCheckBox>("FlatCheckBox6").Checked(); }));
    ASSERT_TRUE(test::XClick(next()));
    ASSERT_TRUE(test::PumpUntil([&] { return page() == "wmCompleteWizardPage1"; }));
    EXPECT_EQ(form.Find<TVrLights>("VrLightsNET").LedState(), LightBit(TVrLightsState::lsGreen));
    EXPECT_EQ(form.Find<TVrLights>("VrLightsRAM").LedState(), 0);

    {
        // The restart question holds the window's thread: "No" comes from another.
        test::DialogAnswerer answerer("Confirm", test::ClickButton("&No"));
        ASSERT_TRUE(test::XClick(wizard.WizardButton(TwmButtonKind::Finish).Handle()));
        EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(form.Handle()); }, 60000));
        answerer.Stop();
        EXPECT_EQ(answerer.Answered(), 1);
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{std::string(kRestartQuestion)});
    }
    const auto after = Everything();

    std::vector<test::StoredValue> expected = test::ValuesOfTable(table);
    if (table) {
        expected.push_back(test::Dw("MaxConnectionsPerServer", static_cast<std::uint32_t>(speed + 4)));
        expected.push_back(test::Dw("MaxConnectionsPer1_0Server", static_cast<std::uint32_t>(speed + 4)));
        EXPECT_EQ(test::Sorted(after), test::Sorted(expected));
    } else {
        EXPECT_EQ(after, before); // this Windows takes no tuning values
    }

    // The auto-start entry the person asked for.
    HKEY run;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kUserRun, 0, KEY_READ, &run), ERROR_SUCCESS);
    char data[MAX_PATH] = {};
    DWORD size = sizeof(data);
    EXPECT_EQ(RegQueryValueExA(run, exeName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    RegCloseKey(run);
    EXPECT_STREQ(data, folderName);

    ASSERT_TRUE(ImportWithRegedit(backup + "bkkey1.reg"));
    ASSERT_TRUE(ImportWithRegedit(backup + "bkkey2.reg"));
    const auto restored = Everything();
    std::printf("Windows %u.%u, line speed %d\n  before:\n%s  after the wizard:\n%s  after importing the backup:\n%s",
                version.major, version.minor, speed, Describe(before).c_str(), Describe(after).c_str(),
                Describe(restored).c_str());
    if (kWindows9x || test::ExpectedMajor() == 4) {
        // REGEDIT4 cannot delete: what was there comes back, the added values stay.
        for (const auto& value : before)
            EXPECT_NE(std::find(restored.begin(), restored.end(), value), restored.end()) << value.name;
    } else {
        EXPECT_EQ(restored, before);
    }
    DeleteFileA((backup + "bkkey1.reg").c_str());
    DeleteFileA((backup + "bkkey2.reg").c_str());
    RemoveDirectoryA(backup.c_str());
}

} // namespace
} // namespace qm
