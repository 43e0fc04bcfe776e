#include <gtest/gtest.h>

#include <cmath>

#include "app/cool_tray_icon.h"
#include "app/defrag_form.h"
#include "app/main_form.h"
#include "app/memory_figures.h"
#include "app/quarrimond.h"
#include "app/share_form.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "framework/panel.h"
#include "framework/popup_menu.h"
#include "main_window_fixture.h"
#include "optimizer/wizard_form.h"
#include "sysinfo/msysteminfo.h"
#include "sysinfo/viewer/msi_overview.h"
#include "test_support.h"
#include "widgets/html_static_text.h"
#include "widgets/vr_num.h"
#include "widgets/vr_shadow_button.h"
#include "widgets/vr_user_led.h"

namespace qm {
namespace {

using test::FakeServices;

constexpr std::uint64_t MB = 1048576;

class MainWindow : public test::MainWindowFixture<FakeServices> {
protected:
    void Sample(std::uint64_t available, std::uint64_t total)
    {
        services.SetMemory(available, total);
        main->VrTimer1Timer(*main);
    }
};

TEST_F(MainWindow, StartsWithItsFourWindowsAndOnlyTheMainOneShown)
{
    EXPECT_EQ(app->Title(), "Quarrimond");
    EXPECT_EQ(app->HelpFile(), "quarrim.chm");
    EXPECT_EQ(app->MainForm(), main);
    ASSERT_NE(app->FindForm<TForm1>(), nullptr);
    ASSERT_NE(app->FindForm<TShareForm>(), nullptr);
    ASSERT_NE(app->FindForm<TDefragForm>(), nullptr);
    main->Show();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(IsWindowVisible(app->FindForm<TForm1>()->Handle()));
    EXPECT_FALSE(IsWindowVisible(app->FindForm<TShareForm>()->Handle()));
    EXPECT_FALSE(IsWindowVisible(app->FindForm<TDefragForm>()->Handle()));
    char title[64] = {};
    GetWindowTextA(app->Handle(), title, sizeof(title));
    EXPECT_STREQ(title, "Quarrimond");
}

TEST_F(MainWindow, OpensCentredAt466By211WithTheBannerHidden)
{
    main->Show();
    char caption[64] = {};
    GetWindowTextA(main->Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Quarrimond v4.8");
    SIZE client = Client();
    EXPECT_EQ(client.cx, 466);
    EXPECT_EQ(client.cy, 211);
    RECT window;
    GetWindowRect(main->Handle(), &window);
    // On the work area of the monitor it is on, as the system reports it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(main->Handle(), MONITOR_DEFAULTTONULL), &monitor));
    EXPECT_NEAR((window.left + window.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
    LONG style = GetWindowLongA(main->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(Get<TPanel>("Panel5").Visible());
}

TEST_F(MainWindow, ControlsSitWhereTheyWereDesigned)
{
    EXPECT_EQ(Get<TControl>("FlatButton1").Bounds(), Rect::FromBounds(8, 8, 80, 65));
    EXPECT_EQ(Get<TControl>("FlatButton1").Caption(), "System info...");
    EXPECT_EQ(Get<TControl>("FlatButton1").Hint(), "Shows you detailed info\r\nabout your computer");
    EXPECT_EQ(Get<TControl>("FlatButton3").Caption(), "Shares...");
    EXPECT_EQ(Get<TControl>("FlatButton2").Caption(), "Optimize it!");
    EXPECT_EQ(Get<TControl>("Image3").Bounds(), Rect::FromBounds(252, 8, 205, 64));
    EXPECT_EQ(Get<TControl>("VrLabel1").Bounds(), Rect::FromBounds(1, 1, 17, 71));
    EXPECT_EQ(Get<TControl>("VrScope1").Bounds(), Rect::FromBounds(18, 1, 294, 71));
    EXPECT_EQ(Get<TControl>("VrScale1").Bounds(), Rect::FromBounds(312, 1, 24, 71));
    EXPECT_EQ(Get<TControl>("VrShadowButton1").Caption(), "Quick Free RAM!");
    EXPECT_EQ(Get<TControl>("VrShadowButton2").Hint(),
              "Fully defragments your PC's\r\nRAM memory... (may take\r\nsome time...)");
    EXPECT_EQ(Get<TControl>("VrNum1").Bounds(), Rect::FromBounds(1, 1, 38, 16));
    EXPECT_EQ(Get<TControl>("Panel4").Bounds(), Rect::FromBounds(0, 186, 466, 25));
    EXPECT_EQ(Get<TControl>("UserLed").Bounds(), Rect::FromBounds(436, 8, 20, 10));
    EXPECT_EQ(Get<TCoolTrayIcon>("CoolTrayIcon1").Hint(), "Quarrimond is running...");
}

TEST_F(MainWindow, TrayMenuHasFiveItemsWithShowAsDefault)
{
    auto& menu = Get<TPopupMenu>("PopupMenu1");
    std::vector<std::string> captions;
    for (TMenuItem* item : menu.Items())
        captions.push_back(item->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Quick Free RAM", "Full RAM Defrag...", "-", "Show Quarrimond",
                                        "Shutdown Quarrimond"}));
    ASSERT_NE(menu.DefaultItem(), nullptr);
    EXPECT_EQ(menu.DefaultItem()->Caption(), "Show Quarrimond");
    MenuHandle handle = menu.CreateHandle();
    EXPECT_EQ(GetMenuItemCount(handle.Get()), 5);
    EXPECT_EQ(GetMenuDefaultItem(handle.Get(), TRUE, 0), 3u);
    EXPECT_EQ(Get<TCoolTrayIcon>("CoolTrayIcon1").PopupMenu(), &menu);
}

TEST_F(MainWindow, SamplingKeepsFiguresDisplaysAndHint)
{
    Sample(128 * MB + 5, 512 * MB);
    EXPECT_EQ(main->FreeRamPercent(), 25);
    EXPECT_EQ(Get<TVrNum>("VrNum1").Value(), 128);
    EXPECT_EQ(Get<TVrNum>("VrNum2").Value(), 512);
    EXPECT_EQ(Get<TCoolTrayIcon>("CoolTrayIcon1").Hint(), "Quarrimond: free RAM=128 Mb");
    int value = -1;
    main->VrScope1NeedData(*main, 0, value);
    EXPECT_EQ(value, 25);
}

Rect WindowRectIn(HWND window, HWND parent)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(MainWindow, DisplaysShowTheWholeMegabytesAcrossTheMemorySeams)
{
    main->Show();
    struct Seam {
        std::uint64_t available, total;
        int availableMb, totalMb, digits;
    };
    // 8 GiB keeps the designed row; 24 GiB needs five digits, 1 TiB seven.
    for (const Seam& seam : {Seam{6ull * 1024 * MB + 5, 8ull * 1024 * MB, 6144, 8192, 4},
                             Seam{20ull * 1024 * MB, 24ull * 1024 * MB, 20480, 24576, 5},
                             Seam{1000ull * 1024 * MB + MB - 1, 1024ull * 1024 * MB, 1024000, 1048576, 7},
                             Seam{3ull * 1024 * MB, 8ull * 1024 * MB, 3072, 8192, 4}}) {
        SCOPED_TRACE(seam.totalMb);
        Sample(seam.available, seam.total);
        auto& available = Get<TVrNum>("VrNum1");
        auto& total = Get<TVrNum>("VrNum2");
        EXPECT_EQ(available.Value(), seam.availableMb);
        EXPECT_EQ(total.Value(), seam.totalMb);
        EXPECT_EQ(Get<TCoolTrayIcon>("CoolTrayIcon1").Hint(),
                  "Quarrimond: free RAM=" + std::to_string(seam.availableMb) + " Mb");
        EXPECT_EQ(main->FreeRamPercent(),
                  static_cast<int>(std::lround(100.0 * double(seam.available) / double(seam.total))));
        EXPECT_EQ(total.Digits(), seam.digits);
        EXPECT_EQ(available.Digits(), seam.digits);
        EXPECT_EQ(Client().cx, 466);
        EXPECT_EQ(Client().cy, 211);
        if (seam.digits == 4) {
            // As designed.
            EXPECT_EQ(Get<TControl>("Panel3").Bounds(), Rect::FromBounds(127, 159, 40, 18));
            EXPECT_EQ(Get<TControl>("RxLabel1").Bounds().left, 208);
            EXPECT_EQ(Get<TControl>("Panel6").Bounds(), Rect::FromBounds(304, 160, 41, 17));
        }
        // What the window shows: nothing overlaps, nothing leaves the client,
        // every digit cell lies inside its display.
        const Rect panel1 = Rect::FromBounds(0, 0, 466, 186);
        std::vector<Rect> row;
        for (const char* name : {"RxLabel4", "Panel3", "RxLabel1", "Panel6", "Panel2", "VrProgressBar1"})
            row.push_back(WindowRectIn(Get<TControl>(name).Handle(), Get<TControl>("Panel1").Handle()));
        for (size_t i = 0; i < row.size(); ++i) {
            EXPECT_GE(row[i].left, panel1.left) << i;
            EXPECT_LE(row[i].right, panel1.right - 4) << i;
            EXPECT_LE(row[i].bottom, panel1.bottom) << i;
            for (size_t j = i + 1; j < row.size(); ++j)
                EXPECT_FALSE(Overlap(row[i], row[j])) << i << " and " << j;
        }
        for (TVrNum* display : {&available, &total}) {
            const SIZE cell = display->CellSize();
            for (const NumCell& c : LayoutNum(display->Value(), display->Options(), display->Width(), display->Height(),
                                              cell.cx, cell.cy)) {
                EXPECT_GE(c.x, 0);
                EXPECT_LE(c.x + cell.cx, display->Width());
                EXPECT_GE(c.y, 0);
            }
        }
    }
}

TEST_F(MainWindow, SamplingJustUnderOneMegabyteShowsZero)
{
    Sample(1048575, 256 * MB);
    EXPECT_EQ(Get<TVrNum>("VrNum1").Value(), 0);
    EXPECT_EQ(Get<TCoolTrayIcon>("CoolTrayIcon1").Hint(), "Quarrimond: free RAM=0 Mb");
}

TEST_F(MainWindow, ZeroTotalGivesTheErrorBoxEachTickAndKeepsTheDisplays)
{
    Sample(100 * MB, 400 * MB);
    Sample(0, 0);
    Sample(0, 0);
    ASSERT_EQ(services.messages.size(), 2u);
    const MessageBoxRequest& box = services.messages[0];
    EXPECT_EQ(box.caption, "TMemory.GetInfo");
    EXPECT_EQ(box.text, "Invalid floating point operation");
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_FALSE(box.hasOwner);
    EXPECT_EQ(Get<TVrNum>("VrNum1").Value(), 100);
    EXPECT_EQ(Get<TVrNum>("VrNum2").Value(), 400);
}

TEST_F(MainWindow, QuickFreeRamWithPlentyAvailableOnlyExplains)
{
    Sample(100 * MB, 300 * MB); // exactly a third
    Get<TPopupMenu>("PopupMenu1").Items()[0]->Click();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text,
              "There's no need to quick-free some RAM now. More than a third of your system RAM is already "
              "available. Freeing some RAM at this point may result in a loss of performance.");
    EXPECT_EQ(services.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(services.touched.empty());
}

TEST_F(MainWindow, QuickFreeRamTouchesItsBlockWithTheLedLit)
{
    main->Show();
    Sample(40 * MB, 256 * MB);
    auto& led = Get<TVrUserLed>("UserLed");
    bool litDuring = false;
    COLORREF faceDuring = 0;
    services.whileTouching = [&] {
        litDuring = led.Active();
        // Painted already: nothing else runs while the block is touched.
        WindowDC dc(led.Handle());
        faceDuring = GetPixel(dc.Get(), 3, 3);
    };
    auto& button = Get<TVrShadowButton>("VrShadowButton1");
    button.Repaint();
    test::ClickAt(button, 50, 10);
    ASSERT_EQ(services.touched.size(), 1u);
    EXPECT_EQ(services.touched[0], 112 * MB);
    EXPECT_TRUE(litDuring);
    EXPECT_EQ(faceDuring, RGB(0, 255, 0));
    EXPECT_FALSE(led.Active());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(MainWindow, FailedAllocationIsDroppedSilentlyWithTheLedOff)
{
    main->Show();
    Sample(40 * MB, 256 * MB);
    services.failAllocation = true;
    auto& button = Get<TVrShadowButton>("VrShadowButton1");
    button.Repaint();
    test::ClickAt(button, 50, 10);
    EXPECT_FALSE(Get<TVrUserLed>("UserLed").Active());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(MainWindow, ThirdActivationShowsTheBannerAndAClickHidesIt)
{
    // Left hidden: showing it would activate the program once more.
    auto& banner = Get<TPanel>("Panel5");
    SendMessageA(app->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    SendMessageA(app->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_FALSE(banner.Visible());
    EXPECT_EQ(Client().cy, 211);
    SendMessageA(app->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(banner.Visible());
    EXPECT_EQ(Client().cy, 231);
    EXPECT_EQ(banner.Bounds(), Rect::FromBounds(0, 211, 466, 20));
    EXPECT_EQ(Get<TControl>("Panel4").Bounds(), Rect::FromBounds(0, 186, 466, 25));
    SendMessageA(app->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(Client().cy, 231);
    EXPECT_EQ(main->ActivationCount(), 5);

    std::string failure;
    app->SetOnException([&](const std::exception& e) { failure = e.what(); });
    test::ClickAt(Get<TImage>("Image2"), 5, 5);
    EXPECT_EQ(failure, "");
    EXPECT_FALSE(banner.Visible());
    EXPECT_EQ(Client().cy, 211);
    SendMessageA(app->Handle(), WM_ACTIVATEAPP, TRUE, 0); // count 6: shown again
    EXPECT_TRUE(banner.Visible());
    test::ClickAt(Get<THTMLStaticText>("HTMLStaticText1"), 5, 5);
    EXPECT_FALSE(banner.Visible());
    EXPECT_EQ(Client().cy, 211);
}

TEST_F(MainWindow, HelpIconOpensTheHelpFileContents)
{
    test::ClickAt(Get<TImage>("Image1"), 5, 5);
    EXPECT_EQ(services.helpRequests, (std::vector<std::string>{"C:\\test\\quarrim.chm"}));
}

TEST_F(MainWindow, SystemInfoShowsOneOverviewAtATime)
{
    TMSystemInfo& container = Get<TMSystemInfo>("MSystemInfo1");
    app->SetOnException([](const std::exception& e) { ADD_FAILURE() << e.what(); });
    test::ClickAt(Get<TControl>("FlatButton1"), 10, 10);
    auto* first = dynamic_cast<TfrmMSI_Overview*>(container.Overview());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(IsWindowVisible(first->Handle()));
    EXPECT_EQ(GetWindow(first->Handle(), GW_OWNER), main->Handle());
    char caption[64] = {};
    GetWindowTextA(first->Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Quarrimond Advanced System Profiler");
    // Refreshed before it showed: the memory page holds this machine's figures.
    EXPECT_FALSE(first->Find<TEdit>("ePT").Text().empty());
    EXPECT_TRUE(services.messages.empty());

    // Open already: brought forward, not refreshed.
    container.Info().Get<TMemory>().PhysicalTotal = 12345;
    test::ClickAt(Get<TControl>("FlatButton1"), 10, 10);
    EXPECT_EQ(container.Overview(), static_cast<OverviewWindow*>(first));
    EXPECT_EQ(container.Info().Get<TMemory>().PhysicalTotal, 12345);

    // Closed: destroyed; the next request builds and refreshes a new one.
    first->Close();
    EXPECT_TRUE(test::PumpUntil([&] { return container.Overview() == nullptr; }));
    test::ClickAt(Get<TControl>("FlatButton1"), 10, 10);
    ASSERT_NE(container.Overview(), nullptr);
    EXPECT_NE(container.Info().Get<TMemory>().PhysicalTotal, 12345);
    dynamic_cast<TfrmMSI_Overview&>(*container.Overview()).Close();
}

TEST_F(MainWindow, OptimizeShowsTheWizardWithoutWaiting)
{
    main->Show();
    test::ClickAt(Get<TControl>("FlatButton2"), 10, 10);
    EXPECT_TRUE(IsWindowVisible(app->FindForm<TForm1>()->Handle()));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

TEST_F(MainWindow, InformationDialogsAreModalAndChangeNothingElse)
{
    main->Show();
    auto* shares = app->FindForm<TShareForm>();
    // A click on the text closes the shares dialog with OK. The text has its
    // window once the dialog is shown.
    auto& text = shares->Find<THTMLStaticText>("HTMLStaticText1");
    EXPECT_EQ(text.Handle(), nullptr);
    app->Post([&] {
        PostMessageA(text.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(text.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    });
    EXPECT_EQ(shares->ShowModal(), mrOk);
    EXPECT_FALSE(IsWindowVisible(shares->Handle()));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));

    auto* defrag = app->FindForm<TDefragForm>();
    PostMessageA(defrag->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(defrag->ShowModal(), mrCancel);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(app->Terminated());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(MainWindow, EscapingExceptionsAreDiscardedWithoutAMessage)
{
    app->HandleException(std::make_exception_ptr(std::runtime_error("boom")));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(MainWindow, ShutdownFromTheTrayMenuEndsTheProgram)
{
    main->Show();
    Get<TPopupMenu>("PopupMenu1").Items()[4]->Click();
    EXPECT_TRUE(app->Terminated());
}

TEST_F(MainWindow, TrayDoubleClickRestoresAMinimisedWindow)
{
    main->Show();
    ShowWindow(main->Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(main->Handle()));
    SendMessageA(Get<TCoolTrayIcon>("CoolTrayIcon1").IconWindow(), TCoolTrayIcon::kCallbackMessage, 1,
                 WM_LBUTTONDBLCLK);
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
}

} // namespace
} // namespace qm
