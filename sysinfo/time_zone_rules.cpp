#include "sysinfo/time_zone_rules.h"

#include <cmath>
#include <cstdio>

namespace qm {

namespace {

std::int32_t ReadInt32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t ReadUInt16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

SystemTimeRecord ReadSystemTime(const std::uint8_t* p)
{
    return {ReadUInt16(p),     ReadUInt16(p + 2),  ReadUInt16(p + 4),  ReadUInt16(p + 6),
            ReadUInt16(p + 8), ReadUInt16(p + 10), ReadUInt16(p + 12), ReadUInt16(p + 14)};
}

constexpr std::size_t kTziSize = 44, kZoneNameLength = 31;

// Days from 1 January of year 1 (proleptic Gregorian) to the given date.
long long DaysFromCivil(int year, int month, int day)
{
    long long days = day - 1;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    const long long y = year - 1;
    return days + y * 365 + y / 4 - y / 100 + y / 400;
}

const long long kEpochDays = DaysFromCivil(1899, 12, 30);

// 1 = Sunday ... 7 = Saturday.
int WeekdayNumber(int year, int month, int day)
{
    // 1 January of year 1 was a Monday.
    const long long days = DaysFromCivil(year, month, day);
    return static_cast<int>((days + 1) % 7) + 1;
}

} // namespace

std::optional<TziRecord> ParseTzi(const std::uint8_t* data, std::size_t size)
{
    if (!data || size != kTziSize)
        return std::nullopt;
    TziRecord record;
    record.bias = ReadInt32(data);
    record.standardBias = ReadInt32(data + 4);
    record.daylightBias = ReadInt32(data + 8);
    record.standardDate = ReadSystemTime(data + 12);
    record.daylightDate = ReadSystemTime(data + 28);
    return record;
}

ZoneRecord CandidateZone(const TziRecord& tzi, const std::string& standardName, const std::string& daylightName)
{
    ZoneRecord zone;
    zone.bias = tzi.bias;
    zone.standardName = standardName.substr(0, kZoneNameLength);
    zone.standardDate = tzi.standardDate;
    zone.standardBias = tzi.standardBias;
    zone.daylightName = daylightName.substr(0, kZoneNameLength);
    zone.daylightDate = tzi.daylightDate;
    zone.daylightBias = tzi.daylightBias;
    return zone;
}

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int milliseconds)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || milliseconds < 0 || milliseconds > 999)
        return 0;
    const double date = static_cast<double>(DaysFromCivil(year, month, day) - kEpochDays);
    const double time = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + milliseconds) / 86400000.0;
    // Before the epoch the fraction counts away from zero, as day counts do.
    return date < 0 ? date - time : date + time;
}

double TransitionDate(const SystemTimeRecord& rule, int year)
{
    if (rule.month == 0 || rule.month > 12)
        return 0;
    if (rule.year != 0)
        return EncodeDateTime(rule.year, rule.month, rule.day, rule.hour, rule.minute, rule.second, rule.milliseconds);
    if (rule.dayOfWeek > 6 || year < 1 || year > 9999)
        return 0;
    const int d = rule.dayOfWeek + 1;
    int day = 0;
    if (rule.day >= 1 && rule.day <= 4) {
        const int g = WeekdayNumber(year, rule.month, 1);
        day = d - g + 1 + 7 * rule.day;
        if (d - g + 1 > 0)
            day -= 7;
    } else if (rule.day == 5) {
        const int n = DaysInMonth(year, rule.month);
        const int w = WeekdayNumber(year, rule.month, n);
        day = d + n - w;
        if (day > n)
            day -= 7;
    } else {
        return 0;
    }
    return EncodeDateTime(year, rule.month, day, rule.hour, rule.minute, rule.second, rule.milliseconds);
}

CivilDateTime DecodeDateTime(double dateTime)
{
    CivilDateTime civil;
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3000000.0)
        return civil;
    long long days = static_cast<long long>(std::trunc(dateTime)) + kEpochDays;
    long long ms = std::llround(std::fabs(dateTime - std::trunc(dateTime)) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        ++days;
    }
    if (days < 0)
        return civil;
    // Walk years from a 400-year cycle estimate, then months.
    int year = static_cast<int>(days / 146097 * 400) + 1;
    days %= 146097;
    while (days >= (IsLeapYear(year) ? 366 : 365)) {
        days -= IsLeapYear(year) ? 366 : 365;
        ++year;
    }
    int month = 1;
    while (days >= DaysInMonth(year, month)) {
        days -= DaysInMonth(year, month);
        ++month;
    }
    civil.year = year;
    civil.month = month;
    civil.day = static_cast<int>(days) + 1;
    civil.hour = static_cast<int>(ms / 3600000);
    civil.minute = static_cast<int>(ms / 60000 % 60);
    civil.second = static_cast<int>(ms / 1000 % 60);
    civil.milliseconds = static_cast<int>(ms % 1000);
    return civil;
}

std::string PlainDateTimeText(double dateTime)
{
    const CivilDateTime c = DecodeDateTime(dateTime);
    char text[48];
    int length = std::snprintf(text, sizeof(text), "%d/%d/%04d", c.month, c.day, c.year);
    if (c.hour || c.minute || c.second || c.milliseconds)
        std::snprintf(text + length, sizeof(text) - length, " %d:%02d:%02d %s", c.hour % 12 ? c.hour % 12 : 12,
                      c.minute, c.second, c.hour < 12 ? "AM" : "PM");
    return text;
}

} // namespace qm
