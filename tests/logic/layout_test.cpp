#include <gtest/gtest.h>

#include "framework/align_layout.h"
#include "framework/string_list.h"

namespace qm {
namespace {

// The main window: client panel, status strip, hidden banner below it.
std::vector<AlignItem> MainWindowItems(bool bannerVisible)
{
    return {
        {Align::Client, true, Rect::FromBounds(0, 0, 466, 186)},
        {Align::Bottom, true, Rect::FromBounds(0, 186, 466, 25)},
        {Align::Bottom, bannerVisible, Rect::FromBounds(0, 211, 466, 20)},
    };
}

TEST(AlignItems, HiddenBannerLeavesNoGap)
{
    auto items = MainWindowItems(false);
    AlignItems(Rect::FromBounds(0, 0, 466, 211), items);
    EXPECT_EQ(items[0].bounds, Rect::FromBounds(0, 0, 466, 186));
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(0, 186, 466, 25));
    EXPECT_EQ(items[2].bounds, Rect::FromBounds(0, 211, 466, 20)); // untouched while hidden
}

TEST(AlignItems, ShownBannerGoesBelowTheStatusStrip)
{
    auto items = MainWindowItems(true);
    AlignItems(Rect::FromBounds(0, 0, 466, 231), items);
    EXPECT_EQ(items[0].bounds, Rect::FromBounds(0, 0, 466, 186));
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(0, 186, 466, 25));
    EXPECT_EQ(items[2].bounds, Rect::FromBounds(0, 211, 466, 20));
}

TEST(AlignItems, EdgesInOrderThenTheRest)
{
    // The scope's panel: label left, scale right, scope in between, inside a 1-pixel edge.
    std::vector<AlignItem> items = {
        {Align::Left, true, Rect::FromBounds(0, 0, 17, 5)},
        {Align::Client, true, Rect::FromBounds(0, 0, 5, 5)},
        {Align::Right, true, Rect::FromBounds(0, 0, 24, 5)},
        {Align::None, true, Rect::FromBounds(3, 4, 5, 6)},
    };
    AlignItems(Rect{1, 1, 336, 72}, items);
    EXPECT_EQ(items[0].bounds, Rect::FromBounds(1, 1, 17, 71));
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(18, 1, 294, 71));
    EXPECT_EQ(items[2].bounds, Rect::FromBounds(312, 1, 24, 71));
    EXPECT_EQ(items[3].bounds, Rect::FromBounds(3, 4, 5, 6));
}

TEST(AlignItems, TopItemsStackInTheirCurrentOrder)
{
    std::vector<AlignItem> items = {
        {Align::Top, true, Rect::FromBounds(0, 50, 10, 10)},
        {Align::Top, true, Rect::FromBounds(0, 0, 10, 20)},
    };
    AlignItems(Rect{0, 0, 100, 100}, items);
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(0, 0, 100, 20));
    EXPECT_EQ(items[0].bounds, Rect::FromBounds(0, 20, 100, 10));
}

TEST(StringList, JoinsWithCrLfAndSplitsAnyLineBreak)
{
    StringList list;
    list.Add("[CPU]");
    list.Add("Vendor=x");
    EXPECT_EQ(list.Text(), "[CPU]\r\nVendor=x\r\n");
    EXPECT_EQ(list.IndexOf("Vendor=x"), 1);
    EXPECT_EQ(list.IndexOf("vendor=x"), -1);
    list.SetText("a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0u);
    list.SetText("one\r\n");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"one"}));
}

TEST(ScaleFromDesign, IdentityAt96AndProportionalElsewhere)
{
    EXPECT_EQ(ScaleFromDesign(466, 96), 466);
    EXPECT_EQ(ScaleFromDesign(466, 120), 583);
    EXPECT_EQ(ScaleFromDesign(-11, 144), -17);
}

TEST(ScaleFromDesign, ScaledNeighboursStillTouchAndPositionsMapBack)
{
    // The main window's three action buttons touch at 87 and 166.
    const Rect a = Rect::FromBounds(8, 8, 80, 65), b = Rect::FromBounds(87, 8, 80, 65);
    for (int dpi : {120, 144, 192}) {
        const Rect sa = ScaleRectFromDesign(a, dpi), sb = ScaleRectFromDesign(b, dpi);
        EXPECT_LT(sb.left, sa.right) << "a one-pixel overlap at 96 stays an overlap at " << dpi;
        EXPECT_GE(sb.left, sa.right - 2 * dpi / 96) << dpi;
    }
    // A control 10 designed pixels wide is 15 screen pixels wide at 144 dpi;
    // the mouse on any of them is on the control as designed.
    const Rect designed{10, 0, 20, 1};
    EXPECT_EQ(ScaleRectFromDesign(designed, 144), (Rect{15, 0, 30, 2}));
    for (int screen = 15; screen < 30; ++screen)
        EXPECT_TRUE(designed.Contains(ScaleToDesign(screen, 144), 0)) << screen;
    EXPECT_EQ(ScaleToDesign(583, 120), 466);
    EXPECT_EQ(ScaleToDesign(-17, 144), -11);
    EXPECT_EQ(ScaleToDesign(7, 96), 7);
}

} // namespace
} // namespace qm
