#include "widgets/num_layout.h"

#include <cstdlib>
#include <string>

namespace qm {

std::vector<NumCell> LayoutNum(int value, const NumOptions& options, int clientWidth, int clientHeight, int cellWidth,
                               int cellHeight)
{
    // |INT_MIN| does not fit an int: take the magnitude in 64 bits.
    long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    std::string text = value == 0 && options.zeroBlank ? std::string() : std::to_string(magnitude);
    if (static_cast<int>(text.size()) < options.digits)
        text.insert(0, options.digits - text.size(), options.leadingZero ? '0' : ' ');

    int used = options.hasSign ? (options.digits + 1) * cellWidth + options.digits * options.spacing
                               : options.digits * cellWidth + (options.digits - 1) * options.spacing;
    int x = 0;
    if (options.alignment == NumAlignment::RightJustify)
        x = clientWidth - used;
    else if (options.alignment == NumAlignment::Center)
        x = (clientWidth - used) / 2;
    const int y = (clientHeight - cellHeight) / 2;
    const int advance = cellWidth + options.spacing;

    std::vector<NumCell> cells;
    if (options.hasSign) {
        cells.push_back({value < 0 ? kMinusCell : kUnlitSignCell, x, y});
        x += advance;
    }
    for (char c : text) {
        cells.push_back({c == ' ' ? kBlankCell : c - '0', x, y});
        x += advance;
    }
    return cells;
}

} // namespace qm
