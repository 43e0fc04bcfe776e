#include <gtest/gtest.h>

#include "app/main_form.h"
#include "app/quarrimond.h"
#include "platform/registry_key.h"
#include "test_support.h"

namespace qm {
namespace {

constexpr char kSection[] = "Quarrimond\\MainFormSettings";

void ClearSettings()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kSection);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Quarrimond");
}

std::optional<std::string> Stored(const std::string& name)
{
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, kSection))
        return std::nullopt;
    return key.ReadString(name);
}

void Store(const std::string& name, const std::string& value)
{
    RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kSection));
    key.WriteString(name, value);
}

RECT WindowRect(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

// One run of the program's windows, started and ended by the test.
class ProgramRun {
public:
    ProgramRun() : app(services)
    {
        CreateQuarrimondWindows(app);
        main = app.FindForm<TMainForm>();
    }
    test::FakeServices services;
    Application app;
    TMainForm* main;
};

bool CentredOnScreen(HWND window)
{
    RECT r = WindowRect(window);
    return std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
        std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
}

class Settings : public testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }
};

TEST_F(Settings, ClosingWritesThePlacementAsStrings)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    std::string normPos;
    {
        ProgramRun run;
        run.main->Show();
        RECT r = WindowRect(run.main->Handle());
        SetWindowPos(run.main->Handle(), nullptr, 224, 188, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        // (224, 188)-(696, 424) where the frame is as wide as on the classic desktop.
        normPos = "224,188," + std::to_string(224 + r.right - r.left) + "," + std::to_string(188 + r.bottom - r.top);
        run.main->Close();
    }
    EXPECT_EQ(Stored("FormVersion"), "0");
    EXPECT_EQ(Stored("ShowCmd"), "1");
    EXPECT_EQ(Stored("PixelsPerInch"), "96");
    EXPECT_EQ(Stored("NormPos(1024x768)"), normPos);
    EXPECT_EQ(Stored("NormPos"), normPos);
    EXPECT_TRUE(Stored("MinMaxPos(1024x768)"));
    EXPECT_TRUE(Stored("Flags"));
    EXPECT_EQ(Stored("Visible"), "0");
    RegistryKey key;
    key.Open(HKEY_CURRENT_USER, kSection);
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(key.ReadRaw("PixelsPerInch", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(Settings, TheNextStartOpensWhereTheLastOneClosed)
{
    {
        ProgramRun run;
        run.main->Show();
        SetWindowPos(run.main->Handle(), nullptr, 300, 200, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        run.main->Close();
    }
    ProgramRun again;
    again.main->Show();
    RECT r = WindowRect(again.main->Handle());
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    RECT client;
    GetClientRect(again.main->Handle(), &client);
    EXPECT_EQ(client.right, 466);
    EXPECT_EQ(client.bottom, 211);
}

TEST_F(Settings, AWindowStillOpenAtTheEndWritesVisible)
{
    {
        ProgramRun run;
        run.main->Show();
    }
    EXPECT_EQ(Stored("Visible"), "1");
}

TEST_F(Settings, AWindowNeverShownWritesNothing)
{
    {
        ProgramRun run;
    }
    EXPECT_FALSE(Stored("FormVersion"));
}

TEST_F(Settings, ResolutionSpecificNameWinsOverThePlainOne)
{
    Store("NormPos", "10,10,400,300");
    Store("NormPos(1024x768)", "120,130,400,300");
    ProgramRun run;
    run.main->Show();
    RECT r = WindowRect(run.main->Handle());
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 130);
}

struct BadValue {
    const char* name;
    const char* value;
    POINT where; // top-left corner it opens at; (-1, -1): centred
};

bool OnScreen(HWND window)
{
    RECT r = WindowRect(window);
    return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
        r.bottom <= GetSystemMetrics(SM_CYSCREEN);
}

// Each opens the window usable and on screen, at its designed size.
class BadSettings : public Settings, public testing::WithParamInterface<BadValue> {};

TEST_P(BadSettings, OpenUsableAndOnScreen)
{
    Store(GetParam().name, GetParam().value);
    ProgramRun run;
    run.main->Show();
    HWND window = run.main->Handle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(OnScreen(window));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 466);
    EXPECT_EQ(client.bottom, 211);
    if (GetParam().where.x < 0) {
        EXPECT_TRUE(CentredOnScreen(window));
    } else {
        RECT r = WindowRect(window);
        EXPECT_EQ(r.left, GetParam().where.x);
        EXPECT_EQ(r.top, GetParam().where.y);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, BadSettings,
                         testing::Values(
                             // A fixed-size window keeps its own size at the stored corner, so an
                             // empty stored rectangle still places it.
                             BadValue{"NormPos", "500,100,500,300", {500, 100}},
                             BadValue{"NormPos", "5000,5000,5472,5236", {-1, -1}}, // on no screen: as designed
                             BadValue{"NormPos", "-9000,-9000,-8500,-8700", {-1, -1}},
                             BadValue{"NormPos", "garbage", {0, 0}}, // each number: the designed geometry
                             BadValue{"NormPos", "50,x,0,0", {50, 0}},
                             BadValue{"PixelsPerInch", "120", {-1, -1}}, // nothing stored to move it
                             BadValue{"ShowCmd", "many", {-1, -1}}, // the default state
                             BadValue{"FormVersion", "-1", {-1, -1}})); // too old: skipped

TEST_F(Settings, PositionsSavedAtAnotherResolutionAreIgnored)
{
    Store("NormPos", "100,100,572,336");
    Store("PixelsPerInch", "120");
    ProgramRun run;
    run.main->Show();
    EXPECT_TRUE(CentredOnScreen(run.main->Handle()));
}

TEST_F(Settings, AFormVersionTooOldSkipsThePlacement)
{
    Store("NormPos", "100,100,572,336");
    Store("FormVersion", "-1");
    ProgramRun run;
    run.main->Show();
    EXPECT_TRUE(CentredOnScreen(run.main->Handle()));
}

TEST_F(Settings, TextThatIsNotANumberReadsAsTheDefault)
{
    Store("NormPos", "150,160,700,400");
    Store("PixelsPerInch", "ninety-six"); // default: the current value, so the position holds
    Store("FormVersion", "new"); // default 0
    ProgramRun run;
    run.main->Show();
    RECT r = WindowRect(run.main->Handle());
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 160);
}

TEST_F(Settings, AValueOfTheWrongTypeIsDroppedAndTheWindowStillOpens)
{
    RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kSection));
    key.WriteDword("NormPos", 5);
    ProgramRun run;
    run.main->Show();
    EXPECT_TRUE(IsWindowVisible(run.main->Handle()));
    EXPECT_TRUE(CentredOnScreen(run.main->Handle()));
    EXPECT_TRUE(run.services.messages.empty());
}

TEST_F(Settings, AWindowClosedFromTheTrayStartsInTheTray)
{
    {
        ProgramRun run;
        run.main->Show();
        ShowWindow(run.main->Handle(), SW_MINIMIZE);
        ASSERT_TRUE(run.app.Minimized());
        run.main->Close();
    }
    EXPECT_EQ(Stored("ShowCmd"), "2");
    ProgramRun again;
    again.main->Show();
    test::PumpUntil([&] { return again.app.Minimized(); }, 2000);
    EXPECT_TRUE(again.app.Minimized());
    EXPECT_FALSE(IsWindowVisible(again.main->Handle()));
}

} // namespace
} // namespace qm
