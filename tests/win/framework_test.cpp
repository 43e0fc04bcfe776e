#include <gtest/gtest.h>

#include <atomic>

#include "framework/label.h"
#include "platform/registry_key.h"
#include "platform/unique_resource.h"
#include "test_support.h"

namespace qm {
namespace {

class Framework : public testing::Test {
protected:
    void SetUp() override { app = std::make_unique<Application>(services); }

    test::FakeServices services;
    std::unique_ptr<Application> app;
};

TEST_F(Framework, ABrokenDescriptionFailsAtCreation)
{
    const char* broken[] = {
        "object F: TQuarrimondTestForm\n  Colour = clRed\nend\n",
        "object F: TQuarrimondTestForm\n  OnCreate = NoSuchHandler\nend\n",
        "object F: TQuarrimondTestForm\n  object L: TLabel\n    Captoin = 'x'\n  end\nend\n",
        "object F: TQuarrimondTestForm\n  object L: TNoSuchControl\n  end\nend\n",
        "object F: TQuarrimondTestForm\n  object I: TImage\n    Picture = 'NO_SUCH_PICTURE'\n  end\nend\n",
        "object F: TQuarrimondTestForm\n  PixelsPerInch = 120\nend\n",
    };
    for (const char* text : broken)
        EXPECT_THROW(app->CreateForm<test::TextForm>(text), EFormDescription) << text;
}

TEST_F(Framework, DescribedPropertiesReachTheWindows)
{
    auto& form = app->CreateForm<test::TextForm>(
        "object F: TQuarrimondTestForm\n  Caption = 'Probe'\n  ClientWidth = 300\n  ClientHeight = 120\n"
        "  BorderStyle = bsDialog\n  object L: TLabel\n    Left = 7\n    Top = 9\n    Caption = 'Hello'\n"
        "    Font.Name = 'Verdana'\n    Font.Style = [fsItalic]\n  end\nend\n");
    char caption[32] = {};
    GetWindowTextA(form.Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Probe");
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 120);
    auto& label = form.Find<TLabel>("L");
    EXPECT_EQ(label.Left(), 7);
    EXPECT_GT(label.Width(), 10); // sized to its text
    EXPECT_TRUE(label.GetFont().italic);
    EXPECT_EQ(GetParent(label.Handle()), form.Handle());
}

// The order the system keeps the children in (the one screen readers and the
// dialog manager walk) is the tab order, as described and as changed later.
TEST_F(Framework, ChildWindowsStackInTabOrder)
{
    auto& form = app->CreateForm<test::TextForm>("object F: TQuarrimondTestForm\n"
                                                 "  object A: TLabel\n    Caption = 'a'\n    TabOrder = 2\n  end\n"
                                                 "  object B: TLabel\n    Caption = 'b'\n    TabOrder = 0\n  end\n"
                                                 "  object C: TLabel\n    Caption = 'c'\n    TabOrder = 1\n  end\n"
                                                 "  object D: TLabel\n    Caption = 'd'\n  end\nend\n");
    auto stacked = [&] {
        std::string order;
        for (HWND window = GetWindow(form.Handle(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT))
            for (const char* name : {"A", "B", "C", "D"})
                if (form.Find<TLabel>(name).Handle() == window)
                    order += name;
        return order;
    };
    EXPECT_EQ(stacked(), "BCAD");
    form.Find<TLabel>("D").SetTabOrder(0);
    EXPECT_EQ(stacked(), "BDCA");
    form.Find<TLabel>("A").SetTabOrder(0);
    EXPECT_EQ(stacked(), "ABDC");
}

TEST_F(Framework, SynchronizeRunsOnTheUserInterfaceThreadAndCarriesExceptionsBack)
{
    DWORD ranOn = 0;
    bool caught = false;
    std::pair<DWORD*, bool*> state(&ranOn, &caught);
    HANDLE worker = CreateThread(
        nullptr, 0,
        [](void* context) WINAPI -> DWORD {
            auto* state = static_cast<std::pair<DWORD*, bool*>*>(context);
            Application::Instance().Synchronize([&] { *state->first = GetCurrentThreadId(); });
            try {
                Application::Instance().Synchronize([] { throw std::runtime_error("inside"); });
            } catch (const std::runtime_error&) {
                *state->second = true;
            }
            return 0;
        },
        &state, 0, nullptr);
    app->WaitServingHandOvers(worker);
    CloseHandle(worker);
    EXPECT_EQ(ranOn, GetCurrentThreadId());
    EXPECT_TRUE(caught);
}

TEST_F(Framework, WaitingForAThreadServesAHandOverQueuedBeforeTheWait)
{
    bool ran = false;
    HANDLE worker = CreateThread(
        nullptr, 0,
        [](void* context) WINAPI -> DWORD {
            Application::Instance().Synchronize([context] { *static_cast<bool*>(context) = true; });
            return 0;
        },
        &ran, 0, nullptr);
    // The hand-over is queued; a look at the queue for something else marks
    // it as seen, so only a wait that serves what is queued already can end.
    while (!(HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE))
        Sleep(1);
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
    // Should the wait not end by itself, the watchdog ends it and the test fails.
    struct Watchdog {
        DWORD thread = GetCurrentThreadId();
        UniqueHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
        std::atomic<bool> rescued{false};
    } watchdog;
    HANDLE guard = CreateThread(
        nullptr, 0,
        [](void* context) WINAPI -> DWORD {
            auto& watchdog = *static_cast<Watchdog*>(context);
            if (WaitForSingleObject(watchdog.done.Get(), 10000) == WAIT_TIMEOUT) {
                watchdog.rescued = true;
                PostThreadMessageA(watchdog.thread, WM_NULL, 0, 0);
            }
            return 0;
        },
        &watchdog, 0, nullptr);
    app->WaitServingHandOvers(worker);
    SetEvent(watchdog.done.Get());
    WaitForSingleObject(guard, INFINITE);
    CloseHandle(guard);
    CloseHandle(worker);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(watchdog.rescued);
}

TEST_F(Framework, OnlyControlsWhoseLookFollowsThePointerAskToHearItLeave)
{
    auto& form = app->CreateForm<test::TextForm>(
        "object F: TQuarrimondTestForm\n"
        "  object P: TPanel\n    Left = 0\n    Top = 0\n    Width = 50\n    Height = 50\n  end\n"
        "  object B: TFlatButton\n    Left = 60\n    Top = 0\n    Width = 50\n    Height = 50\n  end\nend\n");
    form.Show();
    auto tracked = [] {
        TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
        TrackMouseEvent(&query);
        return (query.dwFlags & TME_LEAVE) ? query.hwndTrack : nullptr;
    };
    // The pointer really over each: the system ends tracking at once otherwise.
    auto moveOnto = [](HWND window) {
        POINT point{10, 10};
        ClientToScreen(window, &point);
        SetCursorPos(point.x, point.y);
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    };
    // Another window may still be tracked from before: only the panel matters.
    HWND panel = form.Find<TControl>("P").Handle();
    moveOnto(panel);
    EXPECT_NE(tracked(), panel);
    HWND button = form.Find<TControl>("B").Handle();
    moveOnto(button);
    EXPECT_EQ(tracked(), button);
}

class RegistryKeyTest : public testing::Test {
protected:
    static constexpr char kPath[] = "Software\\QuarrimondTests\\Registry";
    void SetUp() override { ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kPath)); }
    void TearDown() override
    {
        key.Close();
        RegDeleteKeyA(HKEY_CURRENT_USER, kPath);
    }
    RegistryKey key;
};

TEST_F(RegistryKeyTest, RoundTripsStringsAndNumbers)
{
    EXPECT_TRUE(key.WriteString("Text", "value"));
    EXPECT_TRUE(key.WriteDword("Number", 0xDEADBEEF));
    EXPECT_EQ(key.ReadString("Text"), "value");
    EXPECT_EQ(key.ReadDword("Number"), 0xDEADBEEFu);
    EXPECT_FALSE(key.ReadString("Number")); // another type
    EXPECT_FALSE(key.ReadDword("Text"));
    EXPECT_FALSE(key.ReadString("Missing"));
    EXPECT_TRUE(key.DeleteValue("Text"));
    EXPECT_FALSE(key.ValueExists("Text"));
}

TEST_F(RegistryKeyTest, ReadsStringsWithoutTerminatorAndOfAnyLength)
{
    const char bare[] = {'a', 'b', 'c'};
    RegSetValueExA(key.Handle(), "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(bare), sizeof(bare));
    EXPECT_EQ(key.ReadString("Bare"), "abc");
    std::string big(100000, 'x');
    EXPECT_TRUE(key.WriteString("Big", big));
    EXPECT_EQ(key.ReadString("Big"), big);
    RegSetValueExA(key.Handle(), "Empty", 0, REG_SZ, nullptr, 0);
    EXPECT_EQ(key.ReadString("Empty"), "");
}

TEST_F(RegistryKeyTest, AMissingKeyDoesNotOpen)
{
    RegistryKey missing;
    EXPECT_FALSE(missing.Open(HKEY_CURRENT_USER, "Software\\QuarrimondTests\\Nowhere"));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.ReadString("x"));
}

} // namespace
} // namespace qm
