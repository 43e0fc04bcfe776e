#include <gtest/gtest.h>

#include <limits>

#include "app/memory_figures.h"
#include "app/memory_row.h"

namespace qm {
namespace {

constexpr std::int64_t GiB = 1024 * kMegabyte;

// The main window's row as designed: captions as wide as Verdana 8 italic
// draws them, displays of 7 x 13 cells two pixels apart.
constexpr MemoryRow kDesigned{Rect::FromBounds(8, 162, 117, 13), Rect::FromBounds(127, 159, 40, 18),
                              Rect::FromBounds(208, 162, 91, 13), Rect::FromBounds(304, 160, 41, 17)};
constexpr int kCell = 7, kSpacing = 2, kBevel = 1, kClientWidth = 466;

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(MemoryRow, DigitsFollowTheMachineAcrossTheSeams)
{
    EXPECT_EQ(DigitsForMegabytes(WholeMegabytes(8 * GiB)), 4); // 8192
    EXPECT_EQ(DigitsForMegabytes(9999), 4);
    EXPECT_EQ(DigitsForMegabytes(10000), 5);
    EXPECT_EQ(DigitsForMegabytes(WholeMegabytes(24 * GiB)), 5); // 24576
    EXPECT_EQ(DigitsForMegabytes(WholeMegabytes(1024 * GiB)), 7); // 1048576
    EXPECT_EQ(DigitsForMegabytes(0), 4);
    EXPECT_EQ(DigitsForMegabytes(-5), 4);
    EXPECT_EQ(LargestShown(4), 9999);
    EXPECT_EQ(LargestShown(7), 9999999);
    EXPECT_EQ(LargestShown(10), std::numeric_limits<int>::max());
    EXPECT_EQ(LargestShown(16), std::numeric_limits<int>::max());
}

TEST(MemoryRow, UpToFourDigitsTheRowIsExactlyAsDesigned)
{
    EXPECT_EQ(LayOutMemoryRow(kDesigned, 4, kCell, kSpacing), kDesigned);
    EXPECT_EQ(LayOutMemoryRow(kDesigned, 1, kCell, kSpacing), kDesigned);
}

TEST(MemoryRow, WiderDisplaysFitTheirDigitsWithoutOverlapOrClipping)
{
    for (std::int64_t total : {24 * GiB, 1024 * GiB, std::int64_t{std::numeric_limits<int>::max()} * kMegabyte}) {
        const int digits = DigitsForMegabytes(WholeMegabytes(total));
        const MemoryRow row = LayOutMemoryRow(kDesigned, digits, kCell, kSpacing);
        SCOPED_TRACE(digits);
        const int needed = digits * kCell + (digits - 1) * kSpacing;
        EXPECT_GE(row.availableDisplay.Width() - 2 * kBevel, needed);
        EXPECT_GE(row.totalDisplay.Width() - 2 * kBevel, needed);
        const Rect all[] = {row.availableCaption, row.availableDisplay, row.totalCaption, row.totalDisplay};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_LE(all[i].right, kClientWidth - 7) << i;
            for (size_t j = i + 1; j < 4; ++j)
                EXPECT_FALSE(Overlap(all[i], all[j])) << i << " and " << j;
        }
        // Captions and heights stay as designed; only widths and places change.
        EXPECT_EQ(row.availableCaption, kDesigned.availableCaption);
        EXPECT_EQ(row.totalCaption.Width(), kDesigned.totalCaption.Width());
        EXPECT_EQ(row.totalDisplay.top, kDesigned.totalDisplay.top);
        EXPECT_EQ(row.totalCaption.left - row.availableDisplay.right,
                  kDesigned.totalCaption.left - kDesigned.availableDisplay.right);
    }
}

TEST(CentredIn, CentresOnTheWorkAreaWhereverItsOriginIs)
{
    // Primary at the origin with a taskbar below.
    EXPECT_EQ(CentredIn(Rect{0, 0, 1024, 738}, 472, 236), Rect::FromBounds(276, 251, 472, 236));
    // A monitor left of the primary: negative coordinates.
    EXPECT_EQ(CentredIn(Rect{-1280, 0, 0, 1024}, 480, 240), Rect::FromBounds(-880, 392, 480, 240));
    // A taskbar on the left moves the work area's origin.
    EXPECT_EQ(CentredIn(Rect{60, 0, 1024, 768}, 464, 268), Rect::FromBounds(310, 250, 464, 268));
}

TEST(CentredIn, ALargerWindowKeepsItsCaptionOnTheMonitor)
{
    EXPECT_EQ(CentredIn(Rect{-800, 100, 0, 700}, 1000, 900), Rect::FromBounds(-800, 100, 1000, 900));
}

} // namespace
} // namespace qm
