// The built program started as a person starts it, over settings another
// program or an older version left behind: it opens, its windows work with
// the mouse, and what it stores afterwards is text again.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include "platform/registry_key.h"
#include "program_run.h"
#include "registry_fixture.h"
#include "x_input.h"

namespace qm {
namespace {

constexpr char kWizardSettings[] = "Quarrimond\\OptWizSettings";

struct Stored {
    DWORD type = 0;
    std::string text;
};

std::optional<Stored> StoredValue(const char* section, const std::string& name)
{
    RegistryKey key;
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!key.Open(HKEY_CURRENT_USER, section) || !key.ReadRaw(name, type, data))
        return std::nullopt;
    std::string text(data.begin(), data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return Stored{type, text};
}

std::string BoxTexts(const test::ProgramRun& run)
{
    std::string texts;
    for (HWND box : run.Boxes())
        texts += "[" + test::ProgramRun::WindowTitle(box) + "] " + test::BoxText(box) + "\n";
    return texts;
}

TEST(StartedProgram, WizardSettingsOfAnotherTypeAreIgnoredAndStoredAgainAsText)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kWizardSettings);
    test::RegistryFixture registry;
    registry.Dword(HKEY_CURRENT_USER, kWizardSettings, "FlatCheckBox6_Checked", 1);
    const BYTE three[] = {3, 0, 0, 0};
    registry.Raw(HKEY_CURRENT_USER, kWizardSettings, "NetBar_Position", REG_BINARY, three, sizeof(three));
    registry.Dword(HKEY_CURRENT_USER, kWizardSettings, "NormPos", 7);
    registry.Dword(HKEY_CURRENT_USER, kWizardSettings, "Flags", 0);
    registry.Text(HKEY_CURRENT_USER, kWizardSettings, "FlatCheckBox2_Checked", "True");

    test::ProgramRun run(test::BuiltProgram());
    ASSERT_TRUE(run.Started());
    HWND main = run.WaitForWindow(test::kMainWindowTitle);
    ASSERT_TRUE(main) << "exit code " << run.ExitCode() << "\n" << BoxTexts(run);
    EXPECT_EQ(BoxTexts(run), "");

    test::MakeForeground(main);
    ASSERT_TRUE(test::XClick(test::ChildWithText(main, "Optimize it!")));
    HWND wizard = run.WaitForWindow("Quarrimond Optimization Wizard");
    ASSERT_TRUE(wizard) << BoxTexts(run);
    EXPECT_EQ(BoxTexts(run), "");
    // Closed with Cancel, the wizard stores its options, each as text.
    ASSERT_TRUE(test::XClick(test::ChildWithText(wizard, "Cancel")));
    ASSERT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(wizard); }, 30000));
    const auto autoStart = StoredValue(kWizardSettings, "FlatCheckBox6_Checked");
    ASSERT_TRUE(autoStart);
    EXPECT_EQ(autoStart->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(autoStart->text, "False");
    const auto lineSpeed = StoredValue(kWizardSettings, "NetBar_Position");
    ASSERT_TRUE(lineSpeed);
    EXPECT_EQ(lineSpeed->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(lineSpeed->text, "1");
    // The stored text that was right still counts.
    EXPECT_EQ(StoredValue(kWizardSettings, "FlatCheckBox2_Checked")->text, "True");
    EXPECT_EQ(StoredValue(kWizardSettings, "NormPos")->type, static_cast<DWORD>(REG_SZ));

    EXPECT_TRUE(run.Close());
    EXPECT_EQ(run.ExitCode(), 0u);
    SHDeleteKeyA(HKEY_CURRENT_USER, kWizardSettings);
}

} // namespace
} // namespace qm
