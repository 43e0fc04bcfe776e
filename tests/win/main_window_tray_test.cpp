// The main window with the real notification area: Wine shows the icons in a
// tray window of its own, which the tests click like a person would.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/main_form.h"
#include "app/quarrimond.h"
#include "framework/panel.h"
#include "main_window_fixture.h"
#include "platform/forwarding_services.h"
#include "test_support.h"
#include "tray_menu.h"
#include "widgets/html_static_text.h"
#include "widgets/vr_scope.h"
#include "x_input.h"

// After <windows.h>, which it needs.
#include <commctrl.h>

namespace qm {
namespace {

// The real system, but the registry backup counts as made and boxes are
// only recorded.
class TrayServices : public ForwardingServices {
public:
    bool FileExists(const std::string&) override { return true; }
    MessageResult ShowMessage(const MessageBoxRequest& request) override
    {
        messages.push_back(request.text);
        return MessageResult::Ok;
    }
    std::vector<std::string> messages;
};

constexpr int kShowItem = 3; // "Show Quarrimond"

class MainWindowInTray : public test::MainWindowFixture<TrayServices> {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        app->SetOnException([](const std::exception& e) { ADD_FAILURE() << e.what(); });
        main->Show();
        ASSERT_TRUE(test::PumpUntil([&] { return FindWindowA(nullptr, "Wine System Tray") != nullptr; }, 10000));
        test::PumpFor(300);
    }

    void TearDown() override
    {
        app.reset();
        test::PumpFor(100);
    }

    // The minimise box, found the way the system finds it.
    bool MinimiseWithTheMouse()
    {
        RECT window;
        GetWindowRect(main->Handle(), &window);
        const int y = window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
        for (int x = window.right - 1; x > window.left; --x) {
            if (SendMessageA(main->Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTMINBUTTON) {
                test::XDoTool("mousemove " + std::to_string(x - 2) + " " + std::to_string(y) + " click 1");
                return test::PumpUntil([&] { return !IsWindowVisible(main->Handle()); }, 5000);
            }
        }
        return false;
    }

    bool FromTrayMenu(int item) { return test::FromTrayMenu(item); }
};

TEST_F(MainWindowInTray, BannerDueWhileInTheTrayComesBackWithTheWholeLayout)
{
    auto& banner = Get<TPanel>("Panel5");
    auto& upper = Get<TControl>("Panel1");
    Get<TControl>("FlatButton3").SetFocus();
    HWND focused = GetFocus();
    ASSERT_EQ(focused, Get<TControl>("FlatButton3").Handle());

    ASSERT_TRUE(MinimiseWithTheMouse());
    // In the tray the trace is neither sampled nor drawn.
    EXPECT_FALSE(Get<TVrScope>("VrScope1").Active());
    const int before = main->ActivationCount();
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(FromTrayMenu(-1));
    // Each menu activates the program: the banner fell due while in the tray.
    EXPECT_GE(main->ActivationCount(), before + 3);
    ASSERT_TRUE(FromTrayMenu(kShowItem));
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(main->Handle()) && !IsIconic(main->Handle()); }, 5000));
    test::PumpFor(300);
    // The focus went back where it was before the window left.
    EXPECT_EQ(GetFocus(), focused);
    EXPECT_TRUE(Get<TVrScope>("VrScope1").Active());

    EXPECT_EQ(upper.Bounds(), Rect::FromBounds(0, 0, 466, 186));
    EXPECT_EQ(Get<TControl>("Panel4").Bounds(), Rect::FromBounds(0, 186, 466, 25));
    RECT row;
    GetWindowRect(Get<TControl>("Panel6").Handle(), &row);
    MapWindowPoints(nullptr, main->Handle(), reinterpret_cast<POINT*>(&row), 2);
    EXPECT_LE(row.bottom, 186); // the displays' row is not cut off
    if (banner.Visible()) {
        EXPECT_EQ(Client().cx, 466);
        EXPECT_EQ(Client().cy, 231);
        EXPECT_EQ(banner.Bounds(), Rect::FromBounds(0, 211, 466, 20));
        test::XClickAt(Get<THTMLStaticText>("HTMLStaticText1").Handle(), 3, 5);
        ASSERT_TRUE(test::PumpUntil([&] { return !banner.Visible(); }));
    }
    EXPECT_EQ(Client().cx, 466);
    EXPECT_EQ(Client().cy, 211);
    EXPECT_EQ(upper.Bounds(), Rect::FromBounds(0, 0, 466, 186));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(MainWindowInTray, HidingTheBannerWhileInTheTrayLeavesTheDesignedWindow)
{
    auto& banner = Get<TPanel>("Panel5");
    // Three activations while shown: the banner is up, the window taller.
    for (int i = 0; i < 3 && !banner.Visible(); ++i)
        SendMessageA(app->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    ASSERT_TRUE(banner.Visible());
    ASSERT_EQ(Client().cy, 231);
    ASSERT_TRUE(MinimiseWithTheMouse());
    // Hidden from the tray: the click reaches the banner's handler directly.
    Get<THTMLStaticText>("HTMLStaticText1").Click();
    ASSERT_TRUE(FromTrayMenu(kShowItem));
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(main->Handle()) && !IsIconic(main->Handle()); }, 5000));
    test::PumpFor(300);
    if (!banner.Visible()) {
        EXPECT_EQ(Client().cy, 211);
    } else {
        EXPECT_EQ(Client().cy, 231); // due again from the tray menu's activation
    }
    EXPECT_EQ(Get<TControl>("Panel1").Bounds(), Rect::FromBounds(0, 0, 466, 186));
}

// The entries of the help's contents file: each is a line of the tree.
int ContentsEntries()
{
    std::ifstream file(QM_HELP_CONTENTS);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    int entries = 0;
    for (size_t at = text.find("name=\"Local\""); at != std::string::npos; at = text.find("name=\"Local\"", at + 1))
        ++entries;
    return entries;
}

HWND ChildOfClass(HWND parent, const char* className)
{
    struct Search {
        const char* className;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) WINAPI -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(child, name, sizeof(name));
            if (std::string(name) != s->className)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(MainWindowInTray, HelpIconOpensTheHelpBesideTheProgramAtItsContents)
{
    ASSERT_EQ(ContentsEntries(), 33) << QM_HELP_CONTENTS;
    ASSERT_TRUE(test::XClick(Get<TControl>("Image1").Handle()));
    HWND help = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] { return (help = FindWindowA("HH Parent", nullptr)) != nullptr && IsWindowVisible(help); }, 20000));
    test::PumpFor(500);
    char title[64] = {};
    GetWindowTextA(help, title, sizeof(title));
    EXPECT_STREQ(title, "Quarrimond Help");
    HWND tree = ChildOfClass(help, "SysTreeView32");
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(IsWindowVisible(tree));
    // The sub-entries count once their branches are open.
    int expanded = 0;
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
        TreeView_Expand(tree, item, TVE_EXPAND);
        ++expanded;
    }
    EXPECT_GT(expanded, 1);
    EXPECT_EQ(static_cast<int>(TreeView_GetCount(tree)), ContentsEntries());
    char text[128] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetRoot(tree);
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Quarrimond Help");
    TreeView_EnsureVisible(tree, item.hItem);
    test::PumpFor(300);
    if (const char* folder = std::getenv("QM_SCREENSHOTS"))
        test::RunUnixCommand(std::string("/usr/bin/import -window root ") + folder + "/help.png");
    PostMessageA(help, WM_CLOSE, 0, 0);
    test::PumpUntil([] { return FindWindowA("HH Parent", nullptr) == nullptr; }, 5000);
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
} // namespace qm
