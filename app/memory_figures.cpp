#include "app/memory_figures.h"

#include <cmath>
#include <stdexcept>

namespace qm {

int FreeRamPercent(std::int64_t available, std::int64_t total)
{
    // The floating-point unit runs with these exceptions unmasked: 0/0 is an
    // invalid operation, x/0 a division by zero.
    if (total == 0)
        throw std::domain_error(available == 0 ? "Invalid floating point operation"
                                               : "Floating point division by zero");
    long double ratio = static_cast<long double>(available) / static_cast<long double>(total);
    return static_cast<int>(std::llrint(ratio * 100.0L));
}

bool QuickFreeNeeded(std::int64_t available, std::int64_t total)
{
    return static_cast<long double>(total) / 3.0L > static_cast<long double>(available);
}

std::string FreeRamHint(std::int64_t displayedMegabytes)
{
    return "Quarrimond: free RAM=" + std::to_string(displayedMegabytes) + " Mb";
}

} // namespace qm
