#pragma once
// The wizard's memory range, measured when it is shown: the amount to free
// runs from 10 MiB to the used memory less 32 MiB, and the track bar's scale
// is offset by the available memory. In 64 bits: the old 32-bit figures
// overflow on machines with 2 GiB or more.
#include <cstdint>

namespace qm {

struct WizardMemoryRange {
    std::int64_t maxLabel; // the MaxRAM caption
    std::int64_t minValue, maxValue; // RAMbar's range, MiB
};

// Divisions truncate toward zero, as the main window's figures do.
constexpr WizardMemoryRange WizardMemory(std::int64_t totalPhys, std::int64_t availPhys)
{
    constexpr std::int64_t kMiB = 1048576, kKeptFree = 33554432;
    const std::int64_t usable = (totalPhys - availPhys - kKeptFree) / kMiB;
    return {usable, availPhys / kMiB + 10, usable + availPhys / kMiB};
}

} // namespace qm
