#include <gtest/gtest.h>

#include <vector>

#include "platform/registry_text.h"
#include "widgets/bevel_layout.h"
#include "widgets/num_layout.h"
#include "widgets/scale_layout.h"
#include "widgets/shadow_button_geometry.h"
#include "widgets/strip_recolor.h"

namespace qm {
namespace {

std::vector<int> CellsOf(const std::vector<NumCell>& cells)
{
    std::vector<int> out;
    for (const NumCell& c : cells)
        out.push_back(c.cell);
    return out;
}

TEST(NumLayout, MainWindowDisplayStartsAtTwoOne)
{
    // 38 x 16 client, 7 x 13 cells, four digits, spacing 2: 512 is blank, 5, 1, 2.
    auto cells = LayoutNum(512, NumOptions{}, 38, 16, 7, 13);
    EXPECT_EQ(CellsOf(cells), (std::vector<int>{kBlankCell, 5, 1, 2}));
    EXPECT_EQ(cells[0], (NumCell{kBlankCell, 2, 1}));
    EXPECT_EQ(cells[3].x, 2 + 3 * 9);
}

TEST(NumLayout, ZeroBlankLeadingZeroAndLongValues)
{
    NumOptions options;
    EXPECT_EQ(CellsOf(LayoutNum(0, options, 38, 16, 7, 13)), (std::vector<int>{kBlankCell, kBlankCell, kBlankCell, 0}));
    options.zeroBlank = true;
    EXPECT_EQ(CellsOf(LayoutNum(0, options, 38, 16, 7, 13)), std::vector<int>(4, kBlankCell));
    options.zeroBlank = false;
    options.leadingZero = true;
    EXPECT_EQ(CellsOf(LayoutNum(42, options, 38, 16, 7, 13)), (std::vector<int>{0, 0, 4, 2}));
    // A longer text is not cut.
    EXPECT_EQ(CellsOf(LayoutNum(123456, options, 38, 16, 7, 13)), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(NumLayout, SignCellAndAlignment)
{
    NumOptions options;
    options.hasSign = true;
    options.alignment = NumAlignment::LeftJustify;
    auto cells = LayoutNum(-5, options, 100, 13, 7, 13);
    EXPECT_EQ(CellsOf(cells), (std::vector<int>{kMinusCell, kBlankCell, kBlankCell, kBlankCell, 5}));
    EXPECT_EQ(cells[0].x, 0);
    EXPECT_EQ(CellsOf(LayoutNum(5, options, 100, 13, 7, 13))[0], kUnlitSignCell);
    options.alignment = NumAlignment::RightJustify;
    // Five cells and four spacings: 43 pixels, ending at the right edge.
    EXPECT_EQ(LayoutNum(5, options, 100, 13, 7, 13)[0].x, 57);
    EXPECT_EQ(LayoutNum(INT32_MIN, options, 200, 13, 7, 13).size(), 11u);
}

TEST(NumLayout, Clamping)
{
    EXPECT_EQ(ClampNum(12345, 0, 9999), 9999);
    EXPECT_EQ(ClampNum(-5, 0, 9999), 0);
    EXPECT_EQ(ClampNum(77, 0, 9999), 77);
}

TEST(BevelLayout, MainWindowLedLeavesAFourteenByFourFace)
{
    TVrBevel bevel;
    bevel.outerOutline = BevelOutline::Outer;
    bevel.outerStyle = BevelStyle::Raised;
    bevel.outerSpace = 1;
    Rect face;
    auto frames = LayoutBevel(bevel, Rect::FromBounds(0, 0, 20, 10), face);
    EXPECT_EQ(face, Rect::FromBounds(3, 3, 14, 4));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].topLeft, clBlack);
    EXPECT_EQ(frames[1].topLeft, bevel.outerHighlight);
    EXPECT_EQ(frames[1].bottomRight, bevel.outerShadow);
}

TEST(BevelLayout, LoweredSwapsColoursAndInvisibleDrawsNothing)
{
    TVrBevel bevel;
    bevel.outerStyle = BevelStyle::Lowered;
    bevel.outerOutline = BevelOutline::None;
    Rect face;
    auto frames = LayoutBevel(bevel, Rect::FromBounds(0, 0, 10, 10), face);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].topLeft, bevel.outerShadow);
    bevel.visible = false;
    EXPECT_TRUE(LayoutBevel(bevel, Rect::FromBounds(0, 0, 10, 10), face).empty());
    EXPECT_EQ(face, Rect::FromBounds(0, 0, 10, 10));
}

TEST(GradientRow, IntegerStepsFromTopColour)
{
    EXPECT_EQ(GradientRow(clLime, clGreen, 0, 4), clLime);
    EXPECT_EQ(GradientRow(clLime, clGreen, 1, 4), MakeColor(0, 255 + (128 - 255) / 4, 0));
    EXPECT_EQ(GradientRow(clLime, clGreen, 3, 4), MakeColor(0, 255 + 3 * (128 - 255) / 4, 0));
    EXPECT_EQ(GradientRow(clBlack, clBlack, 2, 4), clBlack);
}

TEST(ScaleLayout, MainWindowScaleFromTheBottomUp)
{
    ScaleOptions options;
    options.ticks = 2;
    options.vertical = true;
    auto labels = LayoutScale(options, 24, 71);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0].text, "0");
    EXPECT_EQ(labels[1].text, "+50");
    EXPECT_EQ(labels[2].text, "+100");
    EXPECT_EQ(labels[0].cell, (Rect{0, 48, 24, 71}));
    EXPECT_EQ(labels[2].cell, (Rect{0, 2, 24, 25}));
    EXPECT_EQ(labels[1].color, clGreen);
    EXPECT_EQ(labels[2].color, clLime);
    options.leadingZero = true;
    options.showSign = false;
    EXPECT_EQ(LayoutScale(options, 24, 71)[1].text, "050");
}

TEST(ShadowButtonGeometry, FaceAndShadowTowardTheDirection)
{
    auto shapes = LayoutShadowButton(Rect::FromBounds(0, 0, 107, 23), 1, 4, 2, ShadowDirection::BottomRight, false);
    EXPECT_EQ(shapes.face, (Rect{1, 1, 102, 18}));
    EXPECT_EQ(shapes.shadow, (Rect{5, 5, 106, 22}));
    auto pressed = LayoutShadowButton(Rect::FromBounds(0, 0, 107, 23), 1, 4, 2, ShadowDirection::BottomRight, true);
    EXPECT_EQ(pressed.face, (Rect{3, 3, 104, 20}));
    EXPECT_EQ(pressed.shadow, (Rect{3, 3, 104, 20}));
    auto topLeft = LayoutShadowButton(Rect::FromBounds(0, 0, 20, 20), 0, 3, 1, ShadowDirection::TopLeft, false);
    EXPECT_EQ(topLeft.face, (Rect{3, 3, 20, 20}));
    EXPECT_EQ(topLeft.shadow, (Rect{0, 0, 17, 17}));
}

TEST(StripRecolor, PaintsOnlyGreyAndSilver)
{
    // Two rows of three pixels, four-byte aligned: grey, silver, black | white, grey, red.
    std::vector<std::uint8_t> pixels = {128, 128, 128, 192, 192, 192, 0, 0, 0,   0, 0, 0,
                                        255, 255, 255, 128, 128, 128, 0, 0, 255, 0, 0, 0};
    RecolorStrip(pixels.data(), 3, 2, 12, clGreen, clLime);
    EXPECT_EQ((std::vector<std::uint8_t>(pixels.begin(), pixels.begin() + 9)),
              (std::vector<std::uint8_t>{0, 128, 0, 0, 255, 0, 0, 0, 0}));
    EXPECT_EQ((std::vector<std::uint8_t>(pixels.begin() + 12, pixels.begin() + 21)),
              (std::vector<std::uint8_t>{255, 255, 255, 0, 128, 0, 0, 0, 255}));
}

TEST(RegistryText, ToleratesMissingTerminatorsAndOtherTypes)
{
    const std::uint8_t terminated[] = {'a', 'b', 0, 'z'};
    const std::uint8_t bare[] = {'a', 'b', 'c'};
    EXPECT_EQ(RegistryDataToText(kRegSz, terminated, 4), "ab");
    EXPECT_EQ(RegistryDataToText(kRegExpandSz, bare, 3), "abc");
    EXPECT_EQ(RegistryDataToText(kRegSz, nullptr, 0), "");
    EXPECT_FALSE(RegistryDataToText(kRegDword, bare, 3));
    EXPECT_FALSE(RegistryDataToText(kRegBinary, bare, 3));
    const std::uint8_t dword[] = {0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(RegistryDataToDword(kRegDword, dword, 4), 0x12345678u);
    EXPECT_FALSE(RegistryDataToDword(kRegDword, dword, 3));
    EXPECT_FALSE(RegistryDataToDword(kRegSz, dword, 4));
}

} // namespace
} // namespace qm
