// The track bar, progress bar and light strip models, with the figures of
// the wizard's own bars.
#include <gtest/gtest.h>

#include "widgets/lights_layout.h"
#include "widgets/progress_layout.h"
#include "widgets/track_geometry.h"

namespace qm {
namespace {

// The wizard's bars are 249 x 45 with the built-in 9 x 17 thumb.
TrackGeometry WizardBar(int minValue, int maxValue, int frequency)
{
    TrackGeometry bar;
    bar.width = 249;
    bar.height = 45;
    bar.minValue = minValue;
    bar.maxValue = maxValue;
    bar.frequency = frequency;
    return bar;
}

TEST(TrackBar, NetBarHasFourTicksLeftToRightAndArrowsMoveByOne)
{
    const TrackGeometry net = WizardBar(1, 4, 1);
    EXPECT_EQ(TickValues(net), (std::vector<int>{1, 2, 3, 4}));
    // Track 10..239; travel 229 - 9 = 220, so a position every 73 1/3 pixels.
    EXPECT_EQ(net.ValueToPixel(1), 10);
    EXPECT_EQ(net.ValueToPixel(2), 83);
    EXPECT_EQ(net.ValueToPixel(3), 157);
    EXPECT_EQ(net.ValueToPixel(4), 230);
    const auto above = TickLines(net, true), below = TickLines(net, false);
    ASSERT_EQ(above.size(), 4u);
    ASSERT_EQ(below.size(), 4u);
    EXPECT_EQ(above[0].x1, 14); // the thumb's centre
    EXPECT_EQ(above[3].x1, 234);
    EXPECT_LT(above[0].y2, above[0].y1); // pointing up, away from the gutter
    EXPECT_GT(below[0].y2, below[0].y1);
    EXPECT_EQ(above[0].y1 - above[0].y2, 4); // the ends are longer
    EXPECT_EQ(above[1].y1 - above[1].y2, 3);
    EXPECT_EQ(PositionAfterKey(net, 2, TrackKey::Right), 3);
    EXPECT_EQ(PositionAfterKey(net, 2, TrackKey::Left), 1);
    EXPECT_EQ(PositionAfterKey(net, 2, TrackKey::Up), 2); // not on a horizontal bar
    EXPECT_EQ(PositionAfterKey(net, 2, TrackKey::Home), 4);
    EXPECT_EQ(PositionAfterKey(net, 2, TrackKey::End), 1);
}

TEST(TrackBar, RamBarTicksEveryTenAndAtItsMaximum)
{
    EXPECT_EQ(TickValues(WizardBar(50, 96, 10)), (std::vector<int>{50, 60, 70, 80, 90, 96}));
    // Too many ticks for the width: every other, then every third...
    const auto dense = TickValues(WizardBar(0, 1000, 1));
    ASSERT_GE(dense.size(), 2u);
    EXPECT_EQ(dense.back(), 1000);
    EXPECT_LE(dense.size(), 220u / 4 + 2);
}

TEST(TrackBar, PixelsMapBackToValuesAndTheThumbStaysOnTheTrack)
{
    const TrackGeometry net = WizardBar(1, 4, 1);
    for (int value = 1; value <= 4; ++value)
        EXPECT_EQ(net.ValueForThumbAt(net.ValueToPixel(value)), value);
    EXPECT_EQ(net.ValueForThumbAt(-50), 1);
    EXPECT_EQ(net.ValueForThumbAt(5000), 4);
    EXPECT_EQ(net.ValueForThumbAt(119), 2); // nearer 83 than 157
    EXPECT_EQ(net.ValueForThumbAt(120), 3); // half way: 1.5 steps round to 2
    const Rect thumb = net.Thumb(3);
    EXPECT_EQ(thumb, Rect::FromBounds(157, 14, 9, 17));
    EXPECT_EQ(net.Gutter(), (Rect{10, 18, 239, 27}));

    TrackGeometry mirrored = net;
    mirrored.style = TVrProgressStyle::psTopRight;
    EXPECT_EQ(mirrored.ValueToPixel(1), 230);
    EXPECT_EQ(mirrored.ValueForThumbAt(230), 1);
    EXPECT_EQ(PositionAfterKey(mirrored, 2, TrackKey::Right), 1);

    TrackGeometry vertical = WizardBar(0, 10, 1);
    vertical.width = 45;
    vertical.height = 249;
    vertical.orientation = TVrOrientation::voVertical;
    vertical.thumbWidth = 17;
    vertical.thumbHeight = 9;
    EXPECT_EQ(vertical.ValueToPixel(0), 230); // the minimum at the bottom
    EXPECT_EQ(vertical.ValueToPixel(10), 10);
    EXPECT_EQ(PositionAfterKey(vertical, 5, TrackKey::Up), 6);
}

TEST(TrackBar, FixedPointsSnapToTheFrequency)
{
    TrackGeometry bar = WizardBar(0, 100, 10);
    bar.fixedPoints = true;
    // Travel 220: 34 % of it is value 34, which snaps to 30.
    EXPECT_EQ(bar.ValueForThumbAt(10 + 75), 30);
    EXPECT_EQ(bar.ValueForThumbAt(10 + 77), 40);
}

TEST(TrackBar, ClampingAndEmptyOrInvertedRanges)
{
    EXPECT_EQ(ClampPosition(7, 7, 7), 7);
    EXPECT_EQ(ClampPosition(-3, 7, 7), 7);
    EXPECT_EQ(ClampPosition(99, 7, 7), 7);
    EXPECT_EQ(ClampPosition(55, 50, 46), 46); // inverted: ends at the maximum
    EXPECT_EQ(ClampPosition(10, 50, 46), 46);
    const TrackGeometry same = WizardBar(7, 7, 10);
    EXPECT_EQ(same.ValueToPixel(7), 10);
    EXPECT_EQ(same.ValueForThumbAt(200), 7);
    EXPECT_EQ(TickValues(same), std::vector<int>{7});
    EXPECT_EQ(TickValues(WizardBar(50, 46, 10)), std::vector<int>{46});
}

TEST(ProgressBar, FortyPercentOfTheWizardBarIsTwelveBlocks)
{
    // 233 x 16 with a one-pixel bevel: 231 x 14 inside; range 0..5 at 2.
    const Rect inner{1, 1, 232, 15};
    const int percent = ProgressPercent(2, 0, 5);
    EXPECT_EQ(percent, 40);
    const auto blocks = ProgressBlocks(inner, percent, TVrOrientation::voHorizontal, false);
    ASSERT_EQ(blocks.size(), 12u); // 92 pixels in 8-pixel steps: 11.5 started
    for (const Rect& block : blocks) {
        EXPECT_EQ(block.Width(), 6);
        EXPECT_EQ(block.Height(), 12);
    }
    EXPECT_EQ(blocks[0].left, 2);
    EXPECT_EQ(blocks.back().left, 1 + 88 + 1);
    EXPECT_EQ(ProgressBlocks(inner, 100, TVrOrientation::voHorizontal, false).back().right, 231); // clipped
    EXPECT_TRUE(ProgressBlocks(inner, 0, TVrOrientation::voHorizontal, false).empty());
    const auto smooth = ProgressBlocks(inner, percent, TVrOrientation::voHorizontal, true);
    ASSERT_EQ(smooth.size(), 1u);
    EXPECT_EQ(smooth[0], (Rect{2, 2, 93, 14}));
}

TEST(ProgressBar, PercentRoundsHalvesToEvenAndVerticalBarsFillUpwards)
{
    EXPECT_EQ(ProgressPercent(1, 0, 8), 12); // 12.5
    EXPECT_EQ(ProgressPercent(3, 0, 8), 38); // 37.5
    EXPECT_EQ(ProgressPercent(3, 3, 3), 0);
    const auto blocks = ProgressBlocks(Rect{0, 0, 12, 100}, 50, TVrOrientation::voVertical, false);
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks[0].bottom, 99); // the first block at the bottom
    EXPECT_EQ(blocks[0].Height(), 6);
    EXPECT_GT(blocks[0].top, blocks[1].top);
}

TEST(ProgressBar, GradientRunsFromStartToEnd)
{
    constexpr Color green = 0x008000, yellow = 0x00FFFF;
    EXPECT_EQ(GradientColumn(green, yellow, 0, 100), green);
    EXPECT_EQ(GradientColumn(green, yellow, 100, 100), yellow);
    // Half way: red 127.5 -> 128, green 191.5 -> 192 (halves to even).
    EXPECT_EQ(GradientColumn(green, yellow, 50, 100), 0x00C080u);
}

TEST(Lights, OneVisibleGreenLightIsCentred)
{
    const auto one = PlaceLights(33, 17, LightBit(TVrLightsState::lsGreen), TVrLightsOrder::loGreenToRed,
                                 TVrOrientation::voHorizontal, 17, 7, 5);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].light, TVrLightsState::lsGreen);
    EXPECT_EQ(one[0].bounds, Rect::FromBounds(8, 5, 17, 7));
    const int all =
        LightBit(TVrLightsState::lsGreen) | LightBit(TVrLightsState::lsYellow) | LightBit(TVrLightsState::lsRed);
    const auto three = PlaceLights(80, 45, all, TVrLightsOrder::loRedToGreen, TVrOrientation::voHorizontal, 17, 7, 5);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0].light, TVrLightsState::lsRed);
    EXPECT_EQ(three[0].bounds.left, (80 - (3 * 17 + 2 * 5)) / 2);
    EXPECT_EQ(three[1].bounds.left - three[0].bounds.left, 22);
    EXPECT_TRUE(PlaceLights(80, 45, 0, TVrLightsOrder::loGreenToRed, TVrOrientation::voHorizontal, 17, 7, 5).empty());
}

} // namespace
} // namespace qm
