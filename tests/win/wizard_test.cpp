// The wizard control in a window of the test's own: routes, button states,
// vetoes, focus, the list errors, the footer caption, and the keyboard and
// mouse as a person uses them.
#include <gtest/gtest.h>

#include "app/app_classes.h"
#include "components/wizard_routes.h"
#include "components/wm_wizard.h"
#include "framework/check_box.h"
#include "test_support.h"
#include "x_input.h"

namespace qm {
namespace {

const char* kWizardForm = R"(object TestForm: TQuarrimondTestForm
  Caption = 'Test Wizard'
  ClientWidth = 497
  ClientHeight = 360
  BorderStyle = bsDialog
  object Wizard: TwmWizard
    Left = 0
    Top = 0
    Width = 497
    Height = 360
    Caption = 'Test Wizard'
    CurrentRouteName = 'Main'
    ActivePage = Welcome
    Routes = <
      item
        Name = 'Main'
        RoutePagesItems = <
          item
            Page = Welcome
          end
          item
            Page = Options
          end
          item
            Page = Details
          end
          item
            Page = Done
          end>
      end
      item
        Name = 'Short'
        RoutePagesItems = <
          item
            Page = Details
          end>
      end>
    OnCancel = Cancelled
    OnFinish = Finished
    OnChange = Changed
    object Welcome: TwmWelcomeWizardPage
      FinishButton.Visible = False
      Subtitle.Text = ''
    end
    object Options: TwmInteriorWizardPage
      FinishButton.Visible = False
      Title.Text = 'Options'
      OnCanShow = OptionsCanShow
      object Choice: TCheckBox
        Left = 16
        Top = 80
        Width = 120
        Height = 17
        Caption = 'Choice'
        TabStop = True
      end
    end
    object Details: TwmInteriorWizardPage
      FinishButton.Visible = False
      Title.Text = 'Details'
    end
    object Done: TwmWelcomeWizardPage
      Title.Text = 'Done'
      NextButton.Enabled = True
    end
  end
end
)";

class WizardControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        RegisterAppClasses(app->Classes());
        struct Form : test::TextForm {
            Form(Application& a, WizardControl& t) : test::TextForm(a, kWizardForm)
            {
                Handlers().Add<void(Component&)>("Cancelled", [&t](Component&) { ++t.cancels; });
                Handlers().Add<void(Component&)>("Finished", [&t](Component&) { ++t.finishes; });
                Handlers().Add<void(Component&)>("Changed", [&t](Component&) {
                    ++t.changes;
                    if (t.duringChange)
                        t.duringChange();
                });
                Handlers().Add<void(Component&, bool, bool&)>(
                    "OptionsCanShow", [&t](Component&, bool, bool& allow) { allow = t.optionsAllowed; });
            }
        };
        form = &app->CreateForm<Form>(*this);
        wizard = &form->Find<TwmWizard>("Wizard");
        form->Show();
        test::PumpFor(100);
    }

    TwmCustomWizardPage& Page(const char* name) { return form->Find<TwmCustomWizardPage>(name); }
    std::string Active() { return wizard->ActivePage() ? wizard->ActivePage()->Name() : "(none)"; }
    TButton& Button(TwmButtonKind kind) { return wizard->WizardButton(kind); }
    bool Enabled(TwmButtonKind kind) { return IsWindowEnabled(Button(kind).Handle()) != FALSE; }

    test::FakeServices services;
    std::unique_ptr<Application> app;
    test::TextForm* form = nullptr;
    TwmWizard* wizard = nullptr;
    int cancels = 0, finishes = 0, changes = 0;
    bool optionsAllowed = true;
    std::function<void()> duringChange;
};

TEST_F(WizardControl, ButtonsSitInTheFooterAndFollowTheRoutePosition)
{
    // 75 x 23 at height - 40 + 10, from the right edge 330, 255, 160, 85.
    const auto bounds = [&](TwmButtonKind kind) { return Button(kind).Bounds(); };
    EXPECT_EQ(bounds(TwmButtonKind::Back), Rect::FromBounds(167, 330, 75, 23));
    EXPECT_EQ(bounds(TwmButtonKind::Next), Rect::FromBounds(242, 330, 75, 23));
    EXPECT_EQ(bounds(TwmButtonKind::Finish), Rect::FromBounds(337, 330, 75, 23));
    EXPECT_EQ(bounds(TwmButtonKind::Cancel), Rect::FromBounds(412, 330, 75, 23));
    char caption[32];
    GetWindowTextA(Button(TwmButtonKind::Back).Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "< Back");

    EXPECT_EQ(Active(), "Welcome");
    EXPECT_FALSE(Enabled(TwmButtonKind::Back));
    EXPECT_TRUE(Enabled(TwmButtonKind::Next));
    EXPECT_FALSE(IsWindowVisible(Button(TwmButtonKind::Finish).Handle()));
    wizard->Next();
    EXPECT_EQ(Active(), "Options");
    EXPECT_TRUE(Enabled(TwmButtonKind::Back));
    EXPECT_TRUE(Enabled(TwmButtonKind::Next));
    wizard->Next();
    wizard->Next();
    EXPECT_EQ(Active(), "Done");
    // The last page says Next is enabled; on the last page of the route it is not.
    EXPECT_FALSE(Enabled(TwmButtonKind::Next));
    EXPECT_TRUE(Enabled(TwmButtonKind::Back));
    EXPECT_TRUE(IsWindowVisible(Button(TwmButtonKind::Finish).Handle()));
    // Called directly, Next wraps round to the first page.
    wizard->Next();
    EXPECT_EQ(Active(), "Welcome");
    EXPECT_TRUE(IsWindowVisible(Page("Welcome").Handle()));
    EXPECT_FALSE(IsWindowVisible(Page("Done").Handle()));
}

TEST_F(WizardControl, APageThatRefusesIsSkippedAndWhenAllRefuseNoneIsActive)
{
    optionsAllowed = false;
    wizard->Next();
    EXPECT_EQ(Active(), "Details");
    wizard->Back();
    EXPECT_EQ(Active(), "Welcome");
    for (const char* name : {"Welcome", "Details", "Done"})
        Page(name).OnCanShow = [](Component&, bool, bool& allow) { allow = false; };
    wizard->Next();
    EXPECT_EQ(Active(), "(none)");
    EXPECT_FALSE(Enabled(TwmButtonKind::Back));
    EXPECT_FALSE(Enabled(TwmButtonKind::Next));
}

TEST_F(WizardControl, FocusGoesToThePageOrToFinishOnTheLastPage)
{
    wizard->Next();
    EXPECT_EQ(GetFocus(), form->Find<TCheckBox>("Choice").Handle());
    wizard->SetAutoFocus(false);
    wizard->Next();
    wizard->Next();
    EXPECT_EQ(Active(), "Done");
    EXPECT_EQ(GetFocus(), Button(TwmButtonKind::Finish).Handle());
}

TEST_F(WizardControl, RoutesChangeOnlyToRoutesThatExist)
{
    wizard->Next();
    const int before = changes;
    wizard->SetCurrentRouteName("Main");
    EXPECT_EQ(Active(), "Options");
    wizard->SetCurrentRouteName("Nowhere");
    EXPECT_EQ(wizard->CurrentRouteName(), "Main");
    EXPECT_EQ(changes, before);
    wizard->SetCurrentRouteName("Short");
    EXPECT_EQ(Active(), "Details");
    EXPECT_FALSE(Enabled(TwmButtonKind::Back)); // first and last of its route
    EXPECT_FALSE(Enabled(TwmButtonKind::Next));
    wizard->RenameRoute(1, "Brief");
    EXPECT_EQ(wizard->CurrentRouteName(), "Brief");
    wizard->DeleteRoute(1);
    EXPECT_EQ(wizard->CurrentRouteName(), "Main");
    EXPECT_EQ(Active(), "Welcome");
    EXPECT_EQ(wizard->AddRoute().Name, "Route1");
}

TEST_F(WizardControl, PageIndexesOutOfRangeAreListErrors)
{
    TwmCustomWizardPage& details = Page("Details");
    EXPECT_EQ(details.RoutePageIndex(), 2);
    details.SetRoutePageIndex(0);
    EXPECT_EQ(details.RoutePageIndex(), 0);
    try {
        details.SetRoutePageIndex(4);
        FAIL() << "no error";
    } catch (const EWizardListError& e) {
        EXPECT_STREQ(e.what(), "4 is an invalid PageIndex value.  PageIndex must be between 0 and 3");
    }
    EXPECT_THROW(details.SetPageIndex(-1), EWizardListError);
    details.SetPageIndex(3);
    EXPECT_EQ(wizard->Pages().back(), &details);
}

TEST_F(WizardControl, TheCaptionIsEtchedOnTheFooterLineOfInteriorPagesOnly)
{
    // The separator at height - 40: shadow above highlight, across the width.
    const std::uint32_t shadow = GetSysColor(COLOR_BTNSHADOW);
    const std::uint32_t rgb = (shadow & 0xFF) << 16 | (shadow & 0xFF00) | (shadow >> 16 & 0xFF);
    auto shadowPixels = [&](int fromY, int toY) {
        test::Snapshot shot(*wizard);
        int count = 0;
        for (int y = fromY; y < toY; ++y)
            for (int x = 2; x < 60; ++x)
                count += shot.At(x, y) == rgb ? 1 : 0;
        return count;
    };
    // Welcome page: the line alone, unbroken at height - 40.
    EXPECT_EQ(shadowPixels(320, 321), 58);
    EXPECT_EQ(shadowPixels(300, 320), 0);
    wizard->Next();
    // Options: the caption's letters sit on the line, breaking it.
    EXPECT_LT(shadowPixels(320, 321), 58);
    EXPECT_GT(shadowPixels(300, 320), 10);
    // The page stops above the caption.
    EXPECT_LT(Page("Options").Bounds().bottom, 320);
}

TEST_F(WizardControl, EscapeCancelsAndTheButtonsAnswerTheMouse)
{
    test::MakeForeground(form->Handle());
    ASSERT_TRUE(test::XClick(Button(TwmButtonKind::Next).Handle()));
    EXPECT_TRUE(test::PumpUntil([&] { return Active() == "Options"; }));
    ASSERT_TRUE(test::XKeys("Escape"));
    EXPECT_TRUE(test::PumpUntil([&] { return cancels == 1; }));
    EXPECT_EQ(Active(), "Options"); // the wizard itself only reports it
    ASSERT_TRUE(test::XClick(Button(TwmButtonKind::Back).Handle()));
    EXPECT_TRUE(test::PumpUntil([&] { return Active() == "Welcome"; }));
}

TEST_F(WizardControl, ADoubleClickOnNextMovesOnePage)
{
    test::MakeForeground(form->Handle());
    // The second click arrives while the first is still being acted on.
    HWND next = Button(TwmButtonKind::Next).Handle();
    bool secondClickSent = false;
    // The mouse is still over Next: the second click goes there, and is in
    // the X server's queue before the first one's work is done.
    duringChange = [&] {
        duringChange = nullptr;
        secondClickSent = test::XDoTool("click 1", false);
    };
    ASSERT_TRUE(test::XClick(next));
    test::PumpFor(400);
    ASSERT_TRUE(secondClickSent);
    EXPECT_EQ(Active(), "Options");
    EXPECT_EQ(changes, 2); // the first load's, and one move
}

TEST_F(WizardControl, KeyboardWalksForwardWithTabAndSpace)
{
    test::MakeForeground(form->Handle());
    ASSERT_TRUE(test::XClick(Button(TwmButtonKind::Next).Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return Active() == "Options"; }));
    // The page's check box has the focus: Space ticks it.
    ASSERT_TRUE(test::XKeys("space"));
    EXPECT_TRUE(test::PumpUntil([&] { return form->Find<TCheckBox>("Choice").Checked(); }));
    // Tab reaches Next (Back first, then Next).
    ASSERT_TRUE(test::XKeys("Tab Tab"));
    EXPECT_EQ(GetFocus(), Button(TwmButtonKind::Next).Handle());
    ASSERT_TRUE(test::XKeys("space"));
    EXPECT_TRUE(test::PumpUntil([&] { return Active() == "Details"; }));
}

} // namespace
} // namespace qm
