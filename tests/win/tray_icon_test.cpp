#include <gtest/gtest.h>

#include "app/app_classes.h"
#include "app/cool_tray_icon.h"
#include "app/main_form.h"
#include "app/quarrimond.h"
#include "test_support.h"

namespace qm {
namespace {

const char* kTrayForm = R"(object F: TQuarrimondTestForm
  object Menu: TPopupMenu
    OnPopup = MenuPopup
    object First: TMenuItem
      Caption = 'First'
      OnClick = FirstClick
    end
    object Show: TMenuItem
      Caption = 'Show'
      Default = True
      OnClick = ShowClick
    end
  end
  object Tray: TCoolTrayIcon
    Hint = 'Quarrimond is running...'
    PopupMenu = Menu
    OnClick = TrayClick
    OnDblClick = TrayDblClick
  end
end
)";

class TrayIcon : public testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        RegisterAppClasses(app->Classes());
        struct Form : test::TextForm {
            Form(Application& a, std::vector<std::string>& log) : test::TextForm(a, kTrayForm)
            {
                for (const char* name : {"FirstClick", "ShowClick", "TrayClick", "TrayDblClick"})
                    Handlers().Add<void(Component&)>(name, [&log, name](Component&) { log.push_back(name); });
                Handlers().Add<void(Component&)>("MenuPopup", [&log, this](Component&) {
                    log.push_back("MenuPopup");
                    // Close the menu as soon as its loop runs.
                    PostMessageA(Handle(), WM_CANCELMODE, 0, 0);
                    PostMessageA(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
                });
            }
        };
        form = &app->CreateForm<Form>(log);
        tray = &form->Find<TCoolTrayIcon>("Tray");
    }

    void Mouse(UINT message) { SendMessageA(tray->IconWindow(), TCoolTrayIcon::kCallbackMessage, 1, message); }

    test::FakeServices services;
    std::unique_ptr<Application> app;
    test::TextForm* form = nullptr;
    TCoolTrayIcon* tray = nullptr;
    std::vector<std::string> log;
};

TEST_F(TrayIcon, AddsItsIconWithTheRecordTheShellExpects)
{
    ASSERT_EQ(services.trayCalls.size(), 2u);
    EXPECT_EQ(services.trayCalls[0].action, TrayAction::Modify);
    EXPECT_EQ(services.trayCalls[1].action, TrayAction::Add);
    const TrayIconData& data = services.trayCalls[1].data;
    EXPECT_EQ(data.id, 1u);
    EXPECT_EQ(data.flags, 7u);
    EXPECT_EQ(data.callbackMessage, 0x800u);
    EXPECT_EQ(data.window, tray->IconWindow());
    EXPECT_EQ(data.tip, "Quarrimond is running...");
}

TEST_F(TrayIcon, EveryHintAssignmentReachesTheShellCutAt127)
{
    services.trayCalls.clear();
    tray->SetHint(std::string(200, 'x'));
    tray->SetHint(tray->Hint());
    ASSERT_EQ(services.trayCalls.size(), 2u);
    EXPECT_EQ(services.trayCalls[0].action, TrayAction::Modify);
    EXPECT_EQ(services.trayCalls[0].data.tip, std::string(127, 'x'));
    EXPECT_EQ(services.trayCalls[1].data.tip, std::string(127, 'x'));
    tray->SetShowHint(false);
    EXPECT_EQ(services.trayCalls.back().data.tip, "");
}

TEST_F(TrayIcon, DoubleClickRaisesItThenTheDefaultItemAndNoClick)
{
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
    test::PumpFor(static_cast<int>(GetDoubleClickTime()) + 200);
    EXPECT_EQ(log, (std::vector<std::string>{"TrayDblClick", "ShowClick"}));
}

TEST_F(TrayIcon, SingleClickIsReportedAfterTheDoubleClickTime)
{
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    EXPECT_TRUE(log.empty());
    test::PumpFor(static_cast<int>(GetDoubleClickTime()) + 200);
    EXPECT_EQ(log, (std::vector<std::string>{"TrayClick"}));
}

TEST_F(TrayIcon, RightPressOpensTheMenu)
{
    Mouse(WM_RBUTTONDOWN);
    EXPECT_EQ(log, (std::vector<std::string>{"MenuPopup"}));
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(TrayIcon, ComesBackWithItsCurrentHintWhenTheTaskbarRestarts)
{
    tray->SetHint("Quarrimond: free RAM=512 Mb");
    services.trayCalls.clear();
    SendMessageA(tray->IconWindow(), tray->TaskbarCreatedMessage(), 0, 0);
    ASSERT_EQ(services.trayCalls.size(), 1u);
    EXPECT_EQ(services.trayCalls[0].action, TrayAction::Add);
    EXPECT_EQ(services.trayCalls[0].data.tip, "Quarrimond: free RAM=512 Mb");
}

TEST_F(TrayIcon, RemovedWhenDestroyed)
{
    services.trayCalls.clear();
    app.reset();
    ASSERT_FALSE(services.trayCalls.empty());
    EXPECT_EQ(services.trayCalls.back().action, TrayAction::Delete);
}

TEST(MinimizeToTray, HidesTheWindowAndItsButtonAndKeepsTheIcon)
{
    test::FakeServices services;
    Application app(services);
    CreateQuarrimondWindows(app);
    auto* main = app.FindForm<TMainForm>();
    main->Show();
    services.trayCalls.clear();
    ShowWindow(main->Handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(main->Handle()));
    EXPECT_TRUE(app.Minimized());
    ASSERT_FALSE(services.trayCalls.empty());
    EXPECT_EQ(services.trayCalls.back().action, TrayAction::Add);
    // "Show Quarrimond" brings it back.
    auto* tray = dynamic_cast<TCoolTrayIcon*>(main->FindComponent("CoolTrayIcon1"));
    tray->PopupMenu()->DefaultItem()->Click();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_FALSE(app.Minimized());
}

} // namespace
} // namespace qm
