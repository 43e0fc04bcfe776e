// Any "TZI" value, names and year: parsed, matched and turned into dates
// without reading outside the data or producing an impossible date.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "sysinfo/operating_system_rules.h"
#include "sysinfo/time_zone_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int year = 1 + (data[0] | data[1] << 8) % 10000;
    data += 2;
    size -= 2;
    const std::size_t tziSize = size < 44 ? size : 44 + (data[0] & 1); // mostly 44, sometimes 45
    const auto tzi = qm::ParseTzi(data, std::min(tziSize, size));
    const std::string names(reinterpret_cast<const char*>(data) + std::min(tziSize, size),
                            size - std::min(tziSize, size));
    if (tzi) {
        const qm::ZoneRecord zone = qm::CandidateZone(*tzi, names, names);
        if (zone.standardName.size() > 31 || !(zone == zone))
            __builtin_trap();
        for (const auto& rule : {tzi->standardDate, tzi->daylightDate}) {
            const double when = qm::TransitionDate(rule, year);
            if (!std::isfinite(when))
                __builtin_trap();
            if (when != 0) {
                const qm::CivilDateTime c = qm::DecodeDateTime(when);
                if (c.month != rule.month || c.day < 1 || c.day > qm::DaysInMonth(c.year, c.month))
                    __builtin_trap();
            }
            qm::PlainDateTimeText(when);
        }
    }
    // The same bytes as an environment block.
    for (const std::string& entry : qm::EnvironmentStringsFrom(names))
        if (entry.empty() || entry.size() > qm::kEnvironmentWalkLimit)
            __builtin_trap();
    return 0;
}
