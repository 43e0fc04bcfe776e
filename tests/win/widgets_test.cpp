#include <gtest/gtest.h>

#include "test_support.h"
#include "widgets/vr_num.h"
#include "widgets/vr_scope.h"
#include "widgets/vr_user_led.h"
#include "widgets/widget_classes.h"

namespace qm {
namespace {

using test::Snapshot;

class Widgets : public testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        RegisterWidgetClasses(app->Classes());
    }

    test::TextForm& MakeForm(const std::string& children, const std::function<void(test::TextForm&)>& handlers = {})
    {
        std::string text =
            "object TestForm: TQuarrimondTestForm\n ClientWidth = 400\n ClientHeight = 200\n" + children + "end\n";
        struct Builder : test::TextForm {
            Builder(Application& a, std::string t, const std::function<void(test::TextForm&)>& h)
                : test::TextForm(a, std::move(t))
            {
                if (h)
                    h(*this);
            }
        };
        auto& form = app->CreateForm<Builder>(std::move(text), handlers);
        form.Show();
        return form;
    }

    test::FakeServices services;
    std::unique_ptr<Application> app;
};

// The main window's scope: 294 x 71, grid 14, baseline at half height.
const char* kScope = " object Scope: TVrScope\n  Left = 0\n  Top = 0\n  Width = 294\n  Height = 71\n"
                     "  GridSize = 14\n  AnimateGrid = False\n  Channels = 1\n  OnNeedData = Feed\n end\n";

TEST_F(Widgets, ScopeDrawsGridBaselineAndSamplesWherePlanned)
{
    int next = 50;
    auto& form = MakeForm(kScope, [&](test::TextForm& f) {
        f.Handlers().Add<void(Component&, int, int&)>("Feed", [&](Component&, int, int& value) { value = next; });
    });
    auto& scope = form.Find<TVrScope>("Scope");
    for (int i = 0; i < 3; ++i)
        scope.Tick();
    Snapshot shot(scope);
    // Horizontal grid above and below the baseline, vertical grid every 14 pixels.
    for (int y : {20, 6, 48, 62})
        EXPECT_EQ(shot.At(5, y), test::kRgbGreen) << y;
    EXPECT_EQ(shot.At(5, 21), test::kRgbBlack);
    EXPECT_EQ(shot.At(14, 10), test::kRgbGreen);
    EXPECT_EQ(shot.At(5, 34), test::kRgbLime);
    // The newest samples enter at the right edge: 50 % is drawn at y 36.
    EXPECT_EQ(shot.At(293, 36), test::kRgbYellow);
    EXPECT_NE(shot.At(293, 35), test::kRgbYellow);
    EXPECT_NE(shot.At(200, 36), test::kRgbYellow); // not reached yet

    next = 100;
    for (int i = 0; i < 3; ++i)
        scope.Tick();
    Snapshot full(scope);
    EXPECT_EQ(full.At(293, 0), test::kRgbYellow);
}

TEST_F(Widgets, ScopeClampsValuesAndKeepsItsBuffer)
{
    int next = 250;
    auto& form = MakeForm(kScope, [&](test::TextForm& f) {
        f.Handlers().Add<void(Component&, int, int&)>("Feed", [&](Component&, int, int& value) { value = next; });
    });
    auto& scope = form.Find<TVrScope>("Scope");
    scope.Tick();
    next = -7;
    scope.Tick();
    EXPECT_EQ(scope.Channel(0).History().At(0), 0);
    EXPECT_EQ(scope.Channel(0).History().At(1), 100);
    for (int i = 0; i < 1200; ++i)
        scope.Tick();
    EXPECT_EQ(scope.Channel(0).History().Count(), 999);
    // Only a valid range change is taken, and it empties the histories.
    scope.SetMaxValue(-3);
    EXPECT_EQ(scope.MaxValue(), 100);
    EXPECT_EQ(scope.Channel(0).History().Count(), 999);
    scope.SetMaxValue(200);
    EXPECT_EQ(scope.MaxValue(), 200);
    EXPECT_EQ(scope.Channel(0).History().Count(), 0);
}

TEST_F(Widgets, ScopeGridScrollsWithTheTicks)
{
    auto& form =
        MakeForm(" object Scope: TVrScope\n  Width = 100\n  Height = 50\n  GridSize = 14\n  Frequency = 5\n end\n");
    auto& scope = form.Find<TVrScope>("Scope");
    scope.Tick();
    scope.Tick();
    EXPECT_EQ(scope.GridOffset(), 10);
    scope.Tick();
    EXPECT_EQ(scope.GridOffset(), 1);
}

const char* kNum = " object Num: TVrNum\n  Left = 10\n  Top = 10\n  Width = 38\n  Height = 16\n"
                   "  Style = ns7x13\n  Palette.Low = clGreen\n  Palette.High = clLime\n end\n";

// The top segment of cell i: lime when lit, green when not.
std::uint32_t TopSegment(const Snapshot& shot, int cell)
{
    return shot.At(2 + cell * 9 + 2, 1);
}

TEST_F(Widgets, NumClampsAndDrawsTheClampedValue)
{
    auto& form = MakeForm(kNum);
    auto& num = form.Find<TVrNum>("Num");
    num.SetValue(12345);
    EXPECT_EQ(num.Value(), 9999);
    Snapshot nines(num);
    for (int cell = 0; cell < 4; ++cell)
        EXPECT_EQ(TopSegment(nines, cell), test::kRgbLime) << cell;

    num.SetValue(-5);
    EXPECT_EQ(num.Value(), 0);
    Snapshot zero(num);
    EXPECT_EQ(TopSegment(zero, 0), test::kRgbGreen);
    EXPECT_EQ(TopSegment(zero, 1), test::kRgbGreen);
    EXPECT_EQ(TopSegment(zero, 2), test::kRgbGreen);
    EXPECT_EQ(TopSegment(zero, 3), test::kRgbLime);
    EXPECT_EQ(zero.At(0, 0), test::kRgbBlack);
}

TEST_F(Widgets, NumZeroBlankShowsFourBlankCells)
{
    auto& form =
        MakeForm(" object Num: TVrNum\n  Width = 38\n  Height = 16\n  Style = ns7x13\n  ZeroBlank = True\n end\n");
    Snapshot shot(form.Find<TVrNum>("Num"));
    for (int cell = 0; cell < 4; ++cell)
        EXPECT_EQ(TopSegment(shot, cell), test::kRgbGreen) << cell;
}

TEST_F(Widgets, NumRaisesOnChangeOnlyForAChange)
{
    int changes = 0;
    auto& form = MakeForm(" object Num: TVrNum\n  OnChange = Changed\n end\n", [&](test::TextForm& f) {
        f.Handlers().Add<void(Component&)>("Changed", [&](Component&) { ++changes; });
    });
    auto& num = form.Find<TVrNum>("Num");
    num.SetValue(5);
    num.SetValue(5);
    num.SetValue(20000);
    num.SetValue(30000); // clamps to the same 9999
    EXPECT_EQ(changes, 2);
    num.SetMin(10000); // not below Max: refused
    EXPECT_EQ(num.Min(), 0);
}

const char* kLed = " object Led: TVrUserLed\n  Left = 4\n  Top = 4\n  Width = 20\n  Height = 10\n"
                   "  PaletteEx.Low1 = clBlack\n  PaletteEx.Low2 = clBlack\n  PaletteEx.High1 = clLime\n"
                   "  PaletteEx.High2 = clGreen\n  Bevel.OuterOutline = osOuter\n  Bevel.OuterStyle = bsRaised\n"
                   "  Bevel.OuterSpace = 1\n end\n";

TEST_F(Widgets, LedFaceIsAGradientWhenOnAndBlackWhenOff)
{
    auto& form = MakeForm(kLed);
    auto& led = form.Find<TVrUserLed>("Led");
    Snapshot off(led);
    EXPECT_EQ(off.At(3, 3), test::kRgbBlack);
    EXPECT_EQ(off.At(0, 0), test::kRgbBlack); // outline
    led.SetActive(true);
    Snapshot on(led);
    EXPECT_EQ(on.At(3, 3), test::kRgbLime);
    EXPECT_EQ(on.At(16, 6), 0x00A000u); // row 3 of 4: 255 + 3 * (128 - 255) / 4 = 160
    EXPECT_NE(on.At(2, 3), test::kRgbLime); // the space around the face
}

TEST_F(Widgets, RepaintingKeepsTheGdiObjectCountFlat)
{
    int value = 0;
    auto& form = MakeForm(std::string(kScope) + kNum + kLed, [&](test::TextForm& f) {
        f.Handlers().Add<void(Component&, int, int&)>("Feed", [&](Component&, int, int& v) { v = value; });
    });
    auto& scope = form.Find<TVrScope>("Scope");
    auto& num = form.Find<TVrNum>("Num");
    auto& led = form.Find<TVrUserLed>("Led");
    auto paintAll = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            value = i % 101;
            scope.Tick();
            num.SetValue(i);
            led.SetActive(i % 2 == 0);
        }
    };
    paintAll(50);
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    paintAll(1000);
    DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2) << before << " -> " << after;
}

} // namespace
} // namespace qm
