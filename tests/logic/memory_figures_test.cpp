#include <gtest/gtest.h>

#include "app/memory_figures.h"

namespace qm {
namespace {

constexpr std::int64_t MB = kMegabyte;
constexpr std::int64_t GB = 1024 * MB;

TEST(FreeRamPercent, RoundsHalfwayToEven)
{
    EXPECT_EQ(FreeRamPercent(125, 1000), 12);
    EXPECT_EQ(FreeRamPercent(135, 1000), 14);
    EXPECT_EQ(FreeRamPercent(625, 1000), 62);
    EXPECT_EQ(FreeRamPercent(126, 1000), 13);
    EXPECT_EQ(FreeRamPercent(0, 1000), 0);
    EXPECT_EQ(FreeRamPercent(1000, 1000), 100);
}

TEST(FreeRamPercent, HoldsOnMachinesBeyondTwoGigabytes)
{
    // Signed 32-bit fields made these negative or nonsense.
    EXPECT_EQ(FreeRamPercent(3 * GB, 4 * GB), 75);
    EXPECT_EQ(FreeRamPercent(20 * GB, 24 * GB), 83);
    EXPECT_EQ(FreeRamPercent(2 * GB + 1, 4 * GB + 2), 50);
}

TEST(FreeRamPercent, ZeroTotalRaisesTheFloatingPointError)
{
    EXPECT_THROW(FreeRamPercent(0, 0), std::domain_error);
    try {
        FreeRamPercent(5, 0);
        FAIL();
    } catch (const std::domain_error& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
}

TEST(WholeMegabytes, TruncatesTowardZero)
{
    EXPECT_EQ(WholeMegabytes(1048575), 0);
    EXPECT_EQ(WholeMegabytes(1048576), 1);
    EXPECT_EQ(WholeMegabytes(24 * GB + MB - 1), 24 * 1024);
}

TEST(QuickFree, ActsOnlyBelowAThird)
{
    EXPECT_TRUE(QuickFreeNeeded(40 * MB, 256 * MB));
    EXPECT_FALSE(QuickFreeNeeded(100 * MB, 256 * MB));
    // Exactly a third is not below it.
    EXPECT_FALSE(QuickFreeNeeded(100 * MB, 300 * MB));
    EXPECT_TRUE(QuickFreeNeeded(100 * MB - 1, 300 * MB));
    EXPECT_FALSE(QuickFreeNeeded(0, 0));
}

TEST(QuickFree, BlockSizeIsAvailablePlusAThirdOfTheRest)
{
    EXPECT_EQ(QuickFreeSize(40 * MB, 256 * MB), 112 * MB);
    EXPECT_EQ(QuickFreeSize(1, 3), 1 + 0);
    EXPECT_EQ(QuickFreeSize(1 * GB, 8 * GB), 1 * GB + 7 * GB / 3);
}

TEST(FreeRamHint, HasNoSpaceAfterTheEqualsSign)
{
    EXPECT_EQ(FreeRamHint(512), "Quarrimond: free RAM=512 Mb");
    EXPECT_EQ(FreeRamHint(9999), "Quarrimond: free RAM=9999 Mb");
}

} // namespace
} // namespace qm
