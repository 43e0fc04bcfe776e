#pragma once
// Which digit-strip cell goes where on a seven-segment number display.
#include <vector>

namespace qm {

enum class NumAlignment { LeftJustify, Center, RightJustify };

// Cells of a digit strip: 0..9 digits, then these.
inline constexpr int kBlankCell = 10, kUnlitSignCell = 11, kMinusCell = 12, kStripCells = 13;

struct NumOptions {
    int digits = 4;
    int spacing = 2;
    bool leadingZero = false;
    bool zeroBlank = false;
    bool hasSign = false; // Min below 0
    NumAlignment alignment = NumAlignment::Center;
};

struct NumCell {
    int cell, x, y;
    friend bool operator==(const NumCell&, const NumCell&) = default;
};

// The cells to copy for `value` in a client area of the given size.
std::vector<NumCell> LayoutNum(int value, const NumOptions& options, int clientWidth, int clientHeight, int cellWidth,
                               int cellHeight);

// Clamps into [min, max].
constexpr int ClampNum(int value, int min, int max)
{
    return value < min ? min : (value > max ? max : value);
}

} // namespace qm
