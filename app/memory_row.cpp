#include "app/memory_row.h"

#include <algorithm>
#include <limits>

namespace qm {

int DigitsForMegabytes(std::int64_t megabytes)
{
    int digits = 1;
    for (std::int64_t rest = megabytes < 0 ? 0 : megabytes; rest >= 10; rest /= 10)
        ++digits;
    return std::max(digits, kDesignedDigits);
}

int LargestShown(int digits)
{
    std::int64_t largest = 0;
    for (int i = 0; i < digits && largest <= std::numeric_limits<int>::max(); ++i)
        largest = largest * 10 + 9;
    return static_cast<int>(std::min<std::int64_t>(largest, std::numeric_limits<int>::max()));
}

MemoryRow LayOutMemoryRow(const MemoryRow& designed, int digits, int cellWidth, int spacing)
{
    const int extra = std::max(0, digits - kDesignedDigits) * (cellWidth + spacing);
    if (extra == 0)
        return designed;
    MemoryRow row = designed;
    row.availableDisplay.right += extra;
    row.totalCaption.left += extra;
    row.totalCaption.right += extra;
    row.totalDisplay.left += extra;
    row.totalDisplay.right += 2 * extra;
    return row;
}

} // namespace qm
