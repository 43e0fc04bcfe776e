#pragma once
// The row under the memory trace: two captions, each followed by its number
// display. Designed for four digits; machines with 10 000 MB or more need
// wider displays, and the row makes room for them to its right.
#include <cstdint>

#include "framework/geometry.h"

namespace qm {

struct MemoryRow {
    Rect availableCaption, availableDisplay, totalCaption, totalDisplay;
    friend bool operator==(const MemoryRow&, const MemoryRow&) = default;
};

inline constexpr int kDesignedDigits = 4;

// The digits a whole number of megabytes needs, never fewer than designed.
int DigitsForMegabytes(std::int64_t megabytes);

// The largest figure `digits` digits show, within an int.
int LargestShown(int digits);

// The row for displays of `digits` digits of `cellWidth` pixels and `spacing`
// between them: the designed row up to four digits; beyond, each display
// widens by what the extra digits take, and the total caption and display
// move right by the available display's growth, so every gap stays designed.
MemoryRow LayOutMemoryRow(const MemoryRow& designed, int digits, int cellWidth, int spacing);

} // namespace qm
