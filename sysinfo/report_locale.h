#pragma once
// What of the user's locale a report needs: the thousands separator of the
// large figures and the date-time text.
#include <functional>
#include <string>

#include "sysinfo/time_zone_rules.h"

namespace qm {

struct ReportLocale {
    char thousandsSeparator = ','; // 0: no grouping
    // Short date, then a blank and the long time unless it is midnight.
    std::function<std::string(double)> dateTimeText = PlainDateTimeText;
};

// The user's locale (Windows only).
ReportLocale UserReportLocale();

} // namespace qm
