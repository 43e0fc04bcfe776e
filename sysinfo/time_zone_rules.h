#pragma once
// Time-zone records and their transition dates. Date-times are day counts
// since 30 December 1899 with the time of day as the fraction; 0 is "not set".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qm {

struct SystemTimeRecord {
    std::uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    std::uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
    friend bool operator==(const SystemTimeRecord&, const SystemTimeRecord&) = default;
};

// The zone as the system reports it, names in the ANSI code page.
struct ZoneRecord {
    std::int32_t bias = 0;
    std::string standardName;
    SystemTimeRecord standardDate;
    std::int32_t standardBias = 0;
    std::string daylightName;
    SystemTimeRecord daylightDate;
    std::int32_t daylightBias = 0;
    friend bool operator==(const ZoneRecord&, const ZoneRecord&) = default;
};

// A zone list entry's "TZI" value: exactly 44 bytes or nothing.
struct TziRecord {
    std::int32_t bias = 0, standardBias = 0, daylightBias = 0;
    SystemTimeRecord standardDate, daylightDate;
};
std::optional<TziRecord> ParseTzi(const std::uint8_t* data, std::size_t size);

// The record a zone list entry stands for; its names are cut to 31 characters.
ZoneRecord CandidateZone(const TziRecord& tzi, const std::string& standardName, const std::string& daylightName);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// The day count of a date and time; 0 when any part is out of range.
double EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int milliseconds = 0);
// When `rule` takes effect in `year`: an absolute date when its year is set,
// else the n-th (5: last) weekday of the month. 0 when not set or invalid.
double TransitionDate(const SystemTimeRecord& rule, int year);

struct CivilDateTime {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0, milliseconds = 0;
};
CivilDateTime DecodeDateTime(double dateTime);
// "M/d/yyyy", then " h:mm:ss AM" unless the time is midnight; for reports
// made without a locale at hand.
std::string PlainDateTimeText(double dateTime);

} // namespace qm
