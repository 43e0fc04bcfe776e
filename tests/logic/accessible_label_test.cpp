#include <gtest/gtest.h>

#include "framework/accessible_label.h"

namespace qm {
namespace {

// The main window's bottom row and memory strip, as designed (form client
// coordinates): two captions each followed by a seven-segment display, and
// the rotated "Free RAM" caption left of the scope.
const std::vector<LabelCandidate> kMainLabels = {
    {Rect::FromBounds(8, 162, 100, 13), "Available RAM (Mb)"},
    {Rect::FromBounds(208, 162, 78, 13), "Total RAM (Mb)"},
    {Rect::FromBounds(9, 81, 17, 71), "Free RAM"},
};

TEST(NamingLabel, AFigureIsNamedByTheNearestCaptionOnItsRow)
{
    EXPECT_EQ(NamingLabel(Rect::FromBounds(128, 160, 38, 16), kMainLabels), 0);
    EXPECT_EQ(NamingLabel(Rect::FromBounds(305, 161, 39, 15), kMainLabels), 1);
    EXPECT_EQ(NamingLabel(Rect::FromBounds(26, 81, 294, 71), kMainLabels), 2);
}

TEST(NamingLabel, NothingFarAwayOrOnAnotherRowNamesAControl)
{
    // The scale right of the scope: its row's caption is across the scope.
    EXPECT_EQ(NamingLabel(Rect::FromBounds(320, 81, 24, 71), kMainLabels), -1);
    // A caption to the right does not name what stands before it.
    EXPECT_EQ(NamingLabel(Rect::FromBounds(0, 162, 6, 13), {kMainLabels[0]}), -1);
    // An empty caption names nothing.
    EXPECT_EQ(NamingLabel(Rect::FromBounds(128, 160, 38, 16), {{Rect::FromBounds(8, 162, 100, 13), ""}}), -1);
}

TEST(NamingLabel, WithNothingBesideItTheHeadingJustAboveNamesIt)
{
    const std::vector<LabelCandidate> labels = {
        {Rect::FromBounds(10, 10, 120, 13), "Amount of RAM to free"},
        {Rect::FromBounds(10, 100, 120, 13), "Line speed"},
    };
    EXPECT_EQ(NamingLabel(Rect::FromBounds(10, 26, 200, 30), labels), 0);
    EXPECT_EQ(NamingLabel(Rect::FromBounds(10, 116, 200, 30), labels), 1);
    // Well below its heading it is no longer the heading's.
    EXPECT_EQ(NamingLabel(Rect::FromBounds(10, 70, 200, 20), labels), -1);
}

} // namespace
} // namespace qm
