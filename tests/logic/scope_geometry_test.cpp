#include <gtest/gtest.h>

#include "widgets/scope_geometry.h"

namespace qm {
namespace {

// The main window's scope: 294 x 71, baseline at half height, 14-pixel grid.
constexpr int kWidth = 294, kHeight = 71;
ScopeScale MainWindowScale()
{
    ScopeScale scale;
    scale.gridSize = 14;
    return scale;
}

TEST(ScopeGeometry, MainWindowBaselineAndGrid)
{
    EXPECT_EQ(ScopeBaseY(kHeight, 50), 34);
    EXPECT_EQ(ScopeHorizontalGrid(kHeight, 34, 14), (std::vector<int>{20, 6, -8, 48, 62, 76}));
    std::vector<int> xs = ScopeVerticalGrid(kWidth, 14, 3);
    EXPECT_EQ(xs.front(), -3);
    EXPECT_EQ(xs.back(), 291);
    EXPECT_EQ(xs.size(), 22u);
}

TEST(ScopeGeometry, BaselineRoundsHalfToEven)
{
    EXPECT_EQ(ScopeBaseY(100, 50), 49);
    EXPECT_EQ(ScopeBaseY(100, 0), 99);
    EXPECT_EQ(ScopeBaseY(100, 100), -1);
    EXPECT_EQ(ScopeBaseY(5, 50), 2); // 2.5 rounds to 2
    EXPECT_EQ(ScopeBaseY(7, 50), 2); // 3.5 rounds to 4
}

TEST(ScopeGeometry, SampleHeightsInWholePercentSteps)
{
    ScopeScale scale = MainWindowScale();
    EXPECT_EQ(ScopeSampleY(50, kHeight, scale), 36);
    EXPECT_EQ(ScopeSampleY(100, kHeight, scale), 0);
    EXPECT_EQ(ScopeSampleY(0, kHeight, scale), kHeight);
    scale.minValue = -1000;
    scale.maxValue = 1000;
    EXPECT_EQ(ScopeSampleY(0, 100, scale), 50);
    EXPECT_EQ(ScopeSampleY(-1000, 100, scale), 100);
    scale.maxValue = scale.minValue;
    EXPECT_EQ(ScopeSampleY(5, 100, scale), 100); // an empty range draws at 0 %
}

TEST(ScopeGeometry, EmptyHistoryIsALineAlongTheBaseline)
{
    ScopeHistory history;
    auto trace = ScopeTrace(history, kWidth, kHeight, MainWindowScale(), ScopeStyle::Line);
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0], (ScopePoint{295, 34}));
    EXPECT_EQ(trace[1], (ScopePoint{294, 34}));
}

TEST(ScopeGeometry, TraceDrawsAtMostWidthPlusOneSamples)
{
    ScopeHistory history;
    for (int i = 0; i < 999; ++i)
        history.Add(i % 101, 999);
    ASSERT_EQ(history.Count(), 999);
    auto trace = ScopeTrace(history, kWidth, kHeight, MainWindowScale(), ScopeStyle::Line);
    EXPECT_EQ(trace.size(), 1u + 295u);
    EXPECT_EQ(trace.back().x, 0);
}

TEST(ScopeGeometry, PartialHistoryReturnsToBaseline)
{
    ScopeHistory history;
    history.Add(100, 999);
    history.Add(50, 999); // newest
    auto trace = ScopeTrace(history, 10, kHeight, MainWindowScale(), ScopeStyle::Line);
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[1], (ScopePoint{10, 36}));
    EXPECT_EQ(trace[2], (ScopePoint{9, 0}));
    EXPECT_EQ(trace[3], (ScopePoint{8, 34}));
}

TEST(ScopeGeometry, BarStyleDrawsSteps)
{
    ScopeHistory history;
    history.Add(50, 999);
    ScopeScale scale = MainWindowScale();
    scale.frequency = 3;
    auto trace = ScopeTrace(history, 10, kHeight, scale, ScopeStyle::Bar);
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0], (ScopePoint{13, 34}));
    EXPECT_EQ(trace[1], (ScopePoint{10, 36}));
    EXPECT_EQ(trace[2], (ScopePoint{7, 36}));
    EXPECT_EQ(trace[3], (ScopePoint{7, 34})); // the step overshoots; the return starts where it ended
}

TEST(ScopeHistory, FixedWidthFieldsNewestFirst)
{
    EXPECT_EQ(FormatScopeField(50), "0000000050");
    EXPECT_EQ(FormatScopeField(-5), "-000000005");
    EXPECT_EQ(FormatScopeField(-999999999), "-999999999");
    ScopeHistory history;
    history.Add(7, 3);
    history.Add(-5, 3);
    EXPECT_EQ(history.Text(), "-0000000050000000007");
    EXPECT_EQ(history.At(0), -5);
    EXPECT_EQ(history.At(1), 7);
}

TEST(ScopeHistory, KeepsAtMostBufferSizeSamples)
{
    ScopeHistory history;
    for (int i = 1; i <= 5; ++i)
        history.Add(i, 3);
    EXPECT_EQ(history.Count(), 3);
    EXPECT_EQ(history.At(0), 5);
    EXPECT_EQ(history.At(2), 3);
    history.Add(9, 0);
    EXPECT_EQ(history.Count(), 0);
    EXPECT_THROW(history.At(0), std::out_of_range);
}

} // namespace
} // namespace qm
