// The Optimization Wizard's window: its pages and controls as described, the
// memory range measured at show, the options and their lights, auto-start
// at once and at start-up, the stored settings, and Finish to closing.
#include <gtest/gtest.h>

#include "app/app_classes.h"
#include "components/wm_wizard.h"
#include "framework/check_box.h"
#include "framework/label.h"
#include "optimizer/wizard_form.h"
#include "optimizer_support.h"
#include "registry_fixture.h"
#include "widgets/lights_layout.h"
#include "widgets/vr_lights.h"
#include "widgets/vr_progress_bar.h"
#include "widgets/vr_track_bar.h"
#include "x_input.h"

namespace qm {
namespace {

constexpr std::int64_t MiB = 1048576;
constexpr char kSettings[] = "Quarrimond\\OptWizSettings";
constexpr char kUserRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string ThisProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string RunValueName()
{
    const std::string path = ThisProgram();
    return path.substr(path.rfind('\\') + 1);
}

std::optional<std::string> RunEntry()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserRun, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char data[MAX_PATH * 2] = {};
    DWORD size = sizeof(data), type = 0;
    const LONG result =
        RegQueryValueExA(key, RunValueName().c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(data);
}

class WizardForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A user with no settings and no auto-start entry.
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
        registry.Key(HKEY_CURRENT_USER, kSettings);
        registry.Remove(HKEY_CURRENT_USER, kUserRun, RunValueName());
        services.SetMemory(40 * MiB, 128 * MiB);
    }

    void Create()
    {
        app = std::make_unique<Application>(services);
        RegisterAppClasses(app->Classes());
        // As in the program, the wizard is not the main window: closing hides it.
        app->CreateForm<test::TextForm>("object MainForm: TQuarrimondTestForm\nend\n");
        form = &app->CreateForm<TForm1>();
    }

    template <class T> T& Get(const char* name) { return form->Find<T>(name); }
    TwmWizard& Wizard() { return Get<TwmWizard>("wmWizard1"); }
    std::string ActivePage() { return Wizard().ActivePage() ? Wizard().ActivePage()->Name() : "(none)"; }

    test::RegistryFixture registry;
    test::FakeServices services;
    std::unique_ptr<Application> app;
    TForm1* form = nullptr;
};

TEST_F(WizardForm, TheWindowItsPagesAndTheirControlsAsDescribed)
{
    Create();
    form->Show();
    test::PumpFor(100);
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 497);
    EXPECT_EQ(client.bottom, 360);
    char caption[64];
    GetWindowTextA(form->Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Quarrimond Optimization Wizard");
    // Dialog frame: not sizeable, no maximise box.
    const LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);

    std::vector<std::string> pages;
    for (TwmCustomWizardPage* page : Wizard().RoutePages())
        pages.push_back(page->Name());
    EXPECT_EQ(pages,
              (std::vector<std::string>{"wmWelcomeWizardPage1", "wmInteriorWizardPage1", "wmInteriorWizardPage2",
                                        "wmCompleteWizardPage1"}));
    EXPECT_EQ(Wizard().CurrentRouteName(), "Default");
    EXPECT_EQ(ActivePage(), "wmWelcomeWizardPage1");
    EXPECT_EQ(Get<TwmCustomWizardPage>("wmInteriorWizardPage1").Title().Text, "Step 1");
    EXPECT_EQ(Get<TwmCustomWizardPage>("wmInteriorWizardPage2").Subtitle().Text,
              "Keep your system fast and responsive...");
    EXPECT_FALSE(Get<TwmCustomWizardPage>("wmInteriorWizardPage1").Button(TwmButtonKind::Finish).Visible);
    EXPECT_TRUE(Get<TwmCustomWizardPage>("wmCompleteWizardPage1").Button(TwmButtonKind::Finish).Visible);

    const auto& net = Get<TVrTrackBar>("NetBar");
    EXPECT_EQ(net.Bounds(), Rect::FromBounds(208, 46, 249, 45));
    EXPECT_EQ(net.MinValue(), 1);
    EXPECT_EQ(net.MaxValue(), 4);
    EXPECT_EQ(net.Frequency(), 1);
    EXPECT_EQ(Get<TFlatCheckBox>("FlatCheckBox6").Caption(),
              "Automatically start Quarrimond when I log into the system");
    for (const char* agent : {"FlatCheckBox3", "FlatCheckBox4", "FlatCheckBox5"})
        EXPECT_FALSE(Get<TFlatCheckBox>(agent).Enabled()) << agent;
    EXPECT_EQ(Get<TVrProgressBar>("VrBar1").MaxValue(), 5);
    EXPECT_EQ(Get<TVrLights>("VrLightsIA").LedsVisible(), LightBit(TVrLightsState::lsGreen));
}

TEST_F(WizardForm, A128MiBMachineWith40MiBFreeGivesFiftyToNinetySix)
{
    Create();
    form->Show();
    EXPECT_EQ(Get<TLabel>("MaxRAM").Caption(), "56");
    EXPECT_EQ(Get<TLabel>("MinRAM").Caption(), "10");
    const auto& ram = Get<TVrTrackBar>("RAMbar");
    EXPECT_EQ(ram.MinValue(), 50);
    EXPECT_EQ(ram.MaxValue(), 96);
    EXPECT_EQ(ram.Position(), 50);
    EXPECT_EQ(form->TotalPhys(), 128 * MiB);
    EXPECT_EQ(form->AvailPhys(), 40 * MiB);
    EXPECT_EQ(Get<TVrProgressBar>("VrBar1").Position(), 0);
    form->Hide();

    // Used memory below 42 MiB: the range turns round and the position sits at its maximum.
    services.SetMemory(100 * MiB, 128 * MiB);
    form->Show();
    EXPECT_EQ(Get<TLabel>("MaxRAM").Caption(), "-4");
    EXPECT_EQ(ram.MinValue(), 110);
    EXPECT_EQ(ram.MaxValue(), 96);
    EXPECT_EQ(ram.Position(), 96);
}

class FailingMemory : public test::FakeServices {
public:
    MemoryStatus ReadMemoryStatus() override { throw std::runtime_error("no memory figures"); }
};

TEST(WizardFormMemory, AFailureIsShownUnderTheMemoryTitleAndTheWizardStillOpens)
{
    FailingMemory services;
    Application app(services);
    RegisterAppClasses(app.Classes());
    app.CreateForm<test::TextForm>("object MainForm: TQuarrimondTestForm\nend\n");
    auto& form = app.CreateForm<TForm1>();
    form.Show();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].caption, "TMemory.GetInfo");
    EXPECT_EQ(services.messages[0].text, "no memory figures");
    EXPECT_EQ(services.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(services.messages[0].hasOwner);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST_F(WizardForm, OptionsLightTheChecklistAndASecondShowStartsAgain)
{
    Create();
    form->Show();
    EXPECT_FALSE(form->OptimizeRAM());
    EXPECT_EQ(Get<TVrLights>("VrLightsRAM").LedState(), 0);
    EXPECT_EQ(Get<TVrTrackBar>("NetBar").Position(), 1); // "Modem" without settings
    Get<TFlatCheckBox>("FlatCheckBox1").SetChecked(true);
    Get<TFlatCheckBox>("FlatCheckBox2").SetChecked(true);
    EXPECT_TRUE(form->OptimizeRAM());
    EXPECT_TRUE(form->OptimizeNet());
    EXPECT_EQ(Get<TVrLights>("VrLightsRAM").LedState(), LightBit(TVrLightsState::lsGreen));
    EXPECT_EQ(Get<TVrLights>("VrLightsNET").LedState(), LightBit(TVrLightsState::lsGreen));
    EXPECT_EQ(Get<TVrLights>("VrLightsIA").LedState(), 0);
    Get<TFlatCheckBox>("FlatCheckBox2").SetChecked(false);
    EXPECT_EQ(Get<TVrLights>("VrLightsNET").LedState(), 0);

    Wizard().Next();
    Wizard().Next();
    Get<TVrProgressBar>("VrBar1").Advance();
    form->Close();
    services.SetMemory(60 * MiB, 128 * MiB);
    form->Show();
    EXPECT_EQ(ActivePage(), "wmWelcomeWizardPage1");
    EXPECT_EQ(Get<TVrProgressBar>("VrBar1").Position(), 0);
    EXPECT_EQ(Get<TVrTrackBar>("RAMbar").MinValue(), 70); // measured again
    EXPECT_TRUE(Get<TFlatCheckBox>("FlatCheckBox1").Checked());
}

TEST_F(WizardForm, AutoStartIsWrittenAndRemovedAtOnce)
{
    Create();
    form->Show();
    EXPECT_FALSE(RunEntry());
    Get<TFlatCheckBox>("FlatCheckBox6").SetChecked(true);
    EXPECT_EQ(RunEntry(), ThisProgram());
    Get<TFlatCheckBox>("FlatCheckBox6").SetChecked(false);
    EXPECT_FALSE(RunEntry());
}

TEST_F(WizardForm, AtStartTheAutoStartEntryFollowsTheStoredOption)
{
    // Ticked and stored in an earlier run: the entry is there after start-up.
    registry.Text(HKEY_CURRENT_USER, kSettings, "FlatCheckBox6_Checked", "True");
    Create();
    EXPECT_EQ(RunEntry(), ThisProgram());
    form->Show();
    EXPECT_TRUE(Get<TFlatCheckBox>("FlatCheckBox6").Checked());
    EXPECT_EQ(RunEntry(), ThisProgram());
    app.reset();

    // Unticked in an earlier run: an entry left over is taken away.
    registry.Text(HKEY_CURRENT_USER, kSettings, "FlatCheckBox6_Checked", "False");
    registry.Text(HKEY_CURRENT_USER, kUserRun, RunValueName(), ThisProgram());
    Create();
    EXPECT_FALSE(RunEntry());
}

TEST_F(WizardForm, ClosingStoresTheFourOptionsAndShowingRestoresThem)
{
    Create();
    form->Show();
    Get<TFlatCheckBox>("FlatCheckBox2").SetChecked(true);
    Get<TVrTrackBar>("NetBar").SetPosition(3);
    form->Close();
    test::PumpFor(50);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key), ERROR_SUCCESS);
    auto value = [&](const char* name) {
        char data[32] = {};
        DWORD size = sizeof(data);
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        return std::string(data);
    };
    EXPECT_EQ(value("FlatCheckBox1_Checked"), "False");
    EXPECT_EQ(value("FlatCheckBox2_Checked"), "True");
    EXPECT_EQ(value("FlatCheckBox6_Checked"), "False");
    EXPECT_EQ(value("NetBar_Position"), "3");
    RegCloseKey(key);
    app.reset();

    Create();
    form->Show();
    EXPECT_TRUE(form->OptimizeNet()); // restored through the check box's click
    EXPECT_EQ(Get<TVrLights>("VrLightsNET").LedState(), LightBit(TVrLightsState::lsGreen));
    EXPECT_EQ(Get<TVrTrackBar>("NetBar").Position(), 3);
}

// Seldom opened, it makes its controls' windows when first shown, by Show or
// by the system's own showing; what was stored is on them then.
TEST_F(WizardForm, ItsControlsWindowsAreMadeWhenItIsFirstShown)
{
    registry.Text(HKEY_CURRENT_USER, kSettings, "FlatCheckBox2_Checked", "True");
    registry.Text(HKEY_CURRENT_USER, kSettings, "NetBar_Position", "3");
    for (const bool throughShow : {true, false}) {
        Create();
        ASSERT_NE(form->Handle(), nullptr);
        EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), nullptr);
        EXPECT_EQ(Wizard().Handle(), nullptr);
        if (throughShow)
            form->Show();
        else
            ShowWindow(form->Handle(), SW_SHOWNORMAL);
        test::PumpFor(50);
        auto& net = Get<TVrTrackBar>("NetBar");
        for (HWND control : {Wizard().Handle(), Get<TFlatCheckBox>("FlatCheckBox2").Handle(), net.Handle()}) {
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(GetAncestor(control, GA_ROOT), form->Handle());
        }
        EXPECT_TRUE(IsWindowVisible(Wizard().Handle()));
        if (throughShow) {
            EXPECT_TRUE(Get<TFlatCheckBox>("FlatCheckBox2").Checked());
            EXPECT_EQ(net.Position(), 3);
        }
        app.reset();
    }
}

TEST_F(WizardForm, FinishRunsTheWorkerAndItsEndClosesTheWindow)
{
    Create();
    form->Show();
    Wizard().Next();
    Wizard().Next();
    Wizard().Next();
    ASSERT_EQ(ActivePage(), "wmCompleteWizardPage1");
    // Neither option: the bar is filled and the window closes; nothing asked.
    Wizard().WizardButton(TwmButtonKind::Finish).Click();
    EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(form->Handle()); }, 20000));
    EXPECT_EQ(Get<TVrProgressBar>("VrBar1").Position(), 5);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(WizardForm, CancelHidesTheWindowWhichStaysForTheNextTime)
{
    Create();
    form->Show();
    test::MakeForeground(form->Handle());
    ASSERT_TRUE(test::XKeys("Escape"));
    EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(form->Handle()); }));
    EXPECT_NE(app->FindForm<TForm1>(), nullptr);
}

TEST_F(WizardForm, TheTrackBarsFollowTheMouseAndTheArrowKeys)
{
    Create();
    form->Show();
    Wizard().Next();
    test::MakeForeground(form->Handle());
    auto& net = Get<TVrTrackBar>("NetBar");
    // A click on the track moves the thumb's centre there: the "T1+" end.
    const TrackGeometry geometry = net.Geometry();
    ASSERT_TRUE(test::XClickAt(net.Handle(), geometry.ValueToPixel(4) + 4, 22));
    EXPECT_TRUE(test::PumpUntil([&] { return net.Position() == 4; }));
    EXPECT_EQ(GetFocus(), net.Handle()); // a tab stop takes the focus
    ASSERT_TRUE(test::XKeys("Left Left"));
    EXPECT_TRUE(test::PumpUntil([&] { return net.Position() == 2; }));
    ASSERT_TRUE(test::XKeys("End"));
    EXPECT_TRUE(test::PumpUntil([&] { return net.Position() == 1; }));
    // Dragging the thumb: grabbed at its middle, let go over "xDSL".
    const Rect thumb = net.ThumbRect();
    const POINT from = test::ScreenPoint(net.Handle(), thumb.left + 4, 22);
    const POINT to = test::ScreenPoint(net.Handle(), geometry.ValueToPixel(3) + 4, 22);
    ASSERT_TRUE(test::XDoTool("mousemove " + std::to_string(from.x) + " " + std::to_string(from.y) +
                              " mousedown 1 mousemove " + std::to_string(to.x) + " " + std::to_string(to.y) +
                              " mouseup 1"));
    EXPECT_TRUE(test::PumpUntil([&] { return net.Position() == 3; }));
}

TEST_F(WizardForm, TheProgressBarShowsFortyPercentAsTwelveBlocks)
{
    Create();
    form->Show();
    Wizard().Next();
    Wizard().Next();
    Wizard().Next();
    auto& bar = Get<TVrProgressBar>("VrBar1");
    bar.Advance();
    bar.Advance();
    test::Snapshot shot(bar);
    // Inside the one-pixel bevel: 6 x 12 blocks every 8 pixels from x 2.
    int blocks = 0;
    for (int x = 2; x < 232; x += 8) {
        const bool filled = shot.At(x, 7) != test::kRgbBlack;
        blocks += filled ? 1 : 0;
        if (filled) {
            EXPECT_NE(shot.At(x + 5, 2), test::kRgbBlack) << x;
            EXPECT_EQ(shot.At(x + 6, 7), test::kRgbBlack) << x; // the gap between blocks
            EXPECT_EQ(shot.At(x, 1), test::kRgbBlack) << x;
        }
    }
    EXPECT_EQ(blocks, 12);
    // Green at the left, toward yellow at the right: the first block starts at
    // the fill's column 1 of 231 (red 255 / 231, green 128 + 127 / 231).
    EXPECT_EQ(shot.At(2, 7), 0x018100u);
    EXPECT_EQ(shot.At(90, 7), 0x62B100u); // column 89: red 98.2, green 176.9
    bar.SetMaxValue(0); // not above the minimum: ignored
    EXPECT_EQ(bar.MaxValue(), 5);
}

TEST_F(WizardForm, OneLitGreenLightIsCentredInItsStrip)
{
    Create();
    form->Show();
    auto& lights = Get<TVrLights>("VrLightsRAM");
    const auto placed = PlaceLights(33, 17, LightBit(TVrLightsState::lsGreen), TVrLightsOrder::loGreenToRed,
                                    TVrOrientation::voHorizontal, 17, 7, 5);
    ASSERT_EQ(placed.size(), 1u);
    const Rect r = placed[0].bounds;
    auto green = [](std::uint32_t rgb) { return rgb >> 8 & 0xFF; };
    test::Snapshot unlit(lights);
    Get<TFlatCheckBox>("FlatCheckBox1").SetChecked(true);
    test::Snapshot lit(lights);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    EXPECT_GT(green(lit.At(cx, cy)), 0xC0u);
    EXPECT_LT(green(unlit.At(cx, cy)), 0x80u);
    // Outside the light: the strip's window colour, lit or not.
    EXPECT_EQ(lit.At(1, 1), unlit.At(1, 1));
    EXPECT_EQ(lit.At(r.left - 2, cy), unlit.At(r.left - 2, cy));
}

} // namespace
} // namespace qm
