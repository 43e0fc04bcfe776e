// The windows at the screen's resolution. Run at 96 dpi with the other tests
// and again in the same prefix at 120, 144 and 192 (at_resolution.sh sets
// QM_TEST_DPI and the prefix's LogPixels): every caption fits its control and
// no two controls overlap that do not overlap as designed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/share_form.h"
#include "components/wm_wizard.h"
#include "framework/button.h"
#include "framework/check_box.h"
#include "framework/group_box.h"
#include "framework/label.h"
#include "framework/radio_button.h"
#include "framework/static_text.h"
#include "main_window_fixture.h"
#include "optimizer/wizard_form.h"
#include "platform/display_dpi.h"
#include "sysinfo/viewer/msi_overview.h"
#include "sysinfo/msysteminfo.h"
#include "test_support.h"
#include "widgets/vr_label.h"

namespace qm {
namespace {

int ExpectedDpi()
{
    const char* text = std::getenv("QM_TEST_DPI");
    return text && std::atoi(text) > 0 ? std::atoi(text) : 96;
}

Rect WindowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool Intersect(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string PathOf(const TControl& control)
{
    std::string path = control.Name();
    for (const TControl* c = control.Parent(); c; c = c->Parent())
        path = c->Name() + "." + path;
    return path;
}

// How much of a control's client area its caption may use, in the units it
// draws in: what the system's own drawing leaves around the text.
int TextRoom(const TControl& control, int width, int dpi)
{
    if (dynamic_cast<const TCheckBox*>(&control) || dynamic_cast<const TRadioButton*>(&control))
        return width - GetSystemMetrics(SM_CXMENUCHECK) - ScaleFromDesign(3, dpi);
    if (dynamic_cast<const TGroupBox*>(&control))
        return width - ScaleFromDesign(16, dpi);
    if (dynamic_cast<const TButton*>(&control))
        return width - 2 * GetSystemMetrics(SM_CXEDGE) - 2;
    return width;
}

bool ShowsCaptionAsText(const TControl& control)
{
    return control.IsLabel() || dynamic_cast<const TButtonControl*>(&control) ||
        dynamic_cast<const TButton*>(&control) || dynamic_cast<const TGroupBox*>(&control) ||
        dynamic_cast<const TStaticText*>(&control);
}

// What does not fit, one line per fault. The text is measured as the control
// draws it: a system control in the screen's pixels with its own font, one of
// the program's in designed pixels through the scaling its painting uses.
void CheckCaptionFits(const TControl& control, int dpi, std::vector<std::string>& faults)
{
    if (control.Caption().empty() || !ShowsCaptionAsText(control))
        return;
    RECT client{};
    GetClientRect(control.Handle(), &client);
    const bool drawn = control.DrawsScaled();
    int width = drawn ? control.Width() : client.right, height = drawn ? control.Height() : client.bottom;
    // Text turned a quarter round runs along the height.
    if (auto* label = dynamic_cast<const TVrLabel*>(&control); label && label->Angle() % 180 == 90)
        std::swap(width, height);
    const int room = TextRoom(control, width, dpi);
    Font font = drawn ? CreateFontFrom(control.GetFont(), dpi) : CreateScreenFont(control.GetFont(), dpi);
    WindowDC screen(nullptr);
    const ScaledDrawing scaled(screen.Get(), drawn ? dpi : 96);
    SelectGuard select(screen.Get(), font.Get());
    const std::string& text = control.Caption();
    RECT line{0, 0, 0, 0};
    DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &line, DT_CALCRECT | DT_SINGLELINE);
    if (line.right <= room && line.bottom <= height)
        return;
    // Too wide for one line: it must wrap into the height it has.
    RECT wrapped{0, 0, room, 0};
    DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &wrapped, DT_CALCRECT | DT_WORDBREAK);
    if (wrapped.right <= room && wrapped.bottom <= height)
        return;
    faults.push_back(PathOf(control) + " \"" + text + "\" needs " + std::to_string(line.right) + "x" +
                     std::to_string(line.bottom) + " (wrapped " + std::to_string(wrapped.right) + "x" +
                     std::to_string(wrapped.bottom) + "), has " + std::to_string(room) + "x" +
                     std::to_string(height) + (drawn ? " designed pixels" : " screen pixels"));
}

void CheckControls(const TControl& parent, int dpi, std::vector<std::string>& faults)
{
    std::vector<const TControl*> shown;
    for (const TControl* child : parent.Controls())
        if (child->HandleAllocated() && child->Visible())
            shown.push_back(child);
    for (size_t i = 0; i < shown.size(); ++i) {
        CheckCaptionFits(*shown[i], dpi, faults);
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (Intersect(WindowRect(shown[i]->Handle()), WindowRect(shown[j]->Handle())) &&
                !Intersect(shown[i]->Bounds(), shown[j]->Bounds()))
                faults.push_back(PathOf(*shown[i]) + " overlaps " + PathOf(*shown[j]));
        CheckControls(*shown[i], dpi, faults);
    }
}

// The form at `dpi`: its client area is the designed one scaled, and its
// controls pass the checks above.
void CheckForm(TForm& form, int dpi, int designedWidth)
{
    SCOPED_TRACE(form.Name());
    EXPECT_EQ(form.Dpi(), dpi);
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, ScaleFromDesign(designedWidth, dpi));
    std::vector<std::string> faults;
    CheckControls(form, dpi, faults);
    for (const std::string& fault : faults)
        ADD_FAILURE() << "at " << dpi << " dpi: " << fault;
}

using ScaledLayout = test::MainWindowFixture<test::FakeServices>;

// Client widths as the window descriptions give them.
constexpr int kMainWidth = 466, kWizardWidth = 497, kShareWidth = 346, kOverviewWidth = 390;

TEST_F(ScaledLayout, EveryWindowIsLaidOutAtTheScreensResolution)
{
    const int dpi = ExpectedDpi();
    // The prefix really is at that resolution, or this proves nothing.
    ASSERT_EQ(WindowDpi(main->Handle()), dpi);
    CheckForm(*main, dpi, kMainWidth);

    auto* wizard = app->FindForm<TForm1>();
    ASSERT_NE(wizard, nullptr);
    wizard->Show();
    test::PumpFor(100);
    CheckForm(*wizard, dpi, kWizardWidth);
    // Every page of the wizard.
    auto& pages = wizard->Find<TwmWizard>("wmWizard1");
    for (size_t i = 0; i < pages.Pages().size(); ++i) {
        pages.SetActivePageIndex(static_cast<int>(i));
        test::PumpFor(50);
        CheckForm(*wizard, dpi, kWizardWidth);
    }
    wizard->Hide();

    auto* share = app->FindForm<TShareForm>();
    ASSERT_NE(share, nullptr);
    share->Show();
    test::PumpFor(100);
    CheckForm(*share, dpi, kShareWidth);
    share->Hide();

    auto& container = Get<TMSystemInfo>("MSystemInfo1");
    container.ShowOverview();
    auto& overview = dynamic_cast<TfrmMSI_Overview&>(*container.Overview());
    CheckForm(overview, dpi, kOverviewWidth);
    overview.Close();
    test::PumpUntil([&] { return container.Overview() == nullptr; });
}

TEST_F(ScaledLayout, MovingToAMonitorOfAnotherScaleLaysTheWindowOutAgain)
{
    const int dpi = ExpectedDpi();
    const int other = dpi == 144 ? 192 : 144;
    auto& button = Get<TControl>("FlatButton1");
    const Rect before = WindowRect(button.Handle());
    const Rect designed = button.Bounds();
    const test::Snapshot look(button);

    // As the system tells a window dragged onto the other monitor.
    RECT suggested{40, 30, 40 + ScaleFromDesign(kMainWidth, other), 30 + 400};
    SendMessageA(main->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    CheckForm(*main, other, kMainWidth);
    EXPECT_EQ(button.Bounds(), designed) << "the design does not change";
    const Rect moved = WindowRect(button.Handle());
    EXPECT_EQ(moved.Width(), ScaleFromDesign(80, other));
    EXPECT_EQ(moved.Height(), ScaleFromDesign(65, other));
    EXPECT_EQ(WindowRect(main->Handle()).left, 40) << "placed where the system suggested";
    // Painted whole at the new size: its edges look as they did.
    const test::Snapshot grown(button);
    ASSERT_EQ(grown.Width(), moved.Width());
    EXPECT_EQ(grown.At(grown.Width() - 1, grown.Height() - 1), look.At(look.Width() - 1, look.Height() - 1));
    EXPECT_EQ(grown.At(grown.Width() / 2, grown.Height() - 1), look.At(look.Width() / 2, look.Height() - 1));
    EXPECT_EQ(grown.At(0, grown.Height() / 2), look.At(0, look.Height() / 2));

    // And back: exactly as before.
    SendMessageA(main->Handle(), 0x02E0, MAKEWPARAM(dpi, dpi), 0);
    CheckForm(*main, dpi, kMainWidth);
    const Rect after = WindowRect(button.Handle());
    EXPECT_EQ(after.Width(), before.Width());
    EXPECT_EQ(after.Height(), before.Height());
}

} // namespace
} // namespace qm
