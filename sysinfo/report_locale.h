#pragma once
// What of the user's locale a report needs: the thousands separator of the
// large figures and the date-time text.
#include <functional>
#include <string>

#include "sysinfo/time_zone_rules.h"

namespace qm {

struct ReportLocale {
    ReportLocale(char separator = ',', std::function<std::string(double)> dateTime = PlainDateTimeText)
        : thousandsSeparator(separator), dateTimeText(std::move(dateTime))
    {}

    char thousandsSeparator; // 0: no grouping
    // Short date, then a blank and the long time unless it is midnight.
    std::function<std::string(double)> dateTimeText;
};

// The user's locale (Windows only).
ReportLocale UserReportLocale();

} // namespace qm
