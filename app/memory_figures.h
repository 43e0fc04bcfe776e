#pragma once
// The memory monitor's arithmetic. Figures are 64-bit: the 32-bit fields of the
// old memory status record overflow on machines with 2 GiB or more.
#include <cstdint>
#include <string>

namespace qm {

inline constexpr std::int64_t kMegabyte = 1048576;

// available / total * 100 in extended precision, rounded to nearest with ties to
// even. A total of 0 raises the floating-point error the division would.
int FreeRamPercent(std::int64_t available, std::int64_t total);

// Whole megabytes, truncated toward zero.
constexpr std::int64_t WholeMegabytes(std::int64_t bytes)
{
    return bytes / kMegabyte;
}

// Quick Free RAM acts only when less than a third of the memory is available.
bool QuickFreeNeeded(std::int64_t available, std::int64_t total);

// The block that Quick Free RAM touches: A + (T - A) / 3, truncated.
constexpr std::int64_t QuickFreeSize(std::int64_t available, std::int64_t total)
{
    return available + (total - available) / 3;
}

// The tray hint for the megabytes as the display shows them.
std::string FreeRamHint(std::int64_t displayedMegabytes);

inline constexpr const char* kQuickFreeNotNeeded =
    "There's no need to quick-free some RAM now. More than a third of your system RAM is already "
    "available. Freeing some RAM at this point may result in a loss of performance.";

} // namespace qm
