#include <gtest/gtest.h>

#include <cstring>

#include "sysinfo/time_zone_rules.h"

namespace qm {
namespace {

SystemTimeRecord Rule(int month, int occurrence, int weekday, int hour = 2)
{
    SystemTimeRecord r;
    r.month = static_cast<std::uint16_t>(month);
    r.day = static_cast<std::uint16_t>(occurrence);
    r.dayOfWeek = static_cast<std::uint16_t>(weekday);
    r.hour = static_cast<std::uint16_t>(hour);
    return r;
}

TEST(TransitionDate, LastSundayOfMarch)
{
    // 31 March 2024 is a Sunday; in 2029 it is a Saturday.
    EXPECT_EQ(TransitionDate(Rule(3, 5, 0), 2024), EncodeDateTime(2024, 3, 31, 2));
    EXPECT_EQ(TransitionDate(Rule(3, 5, 0), 2029), EncodeDateTime(2029, 3, 25, 2));
    EXPECT_EQ(TransitionDate(Rule(10, 5, 0, 3), 2026), EncodeDateTime(2026, 10, 25, 3));
}

TEST(TransitionDate, NthWeekdayAndLeapYears)
{
    // First Sunday of April 2001 (1 April was a Sunday), second Sunday of March 2007.
    EXPECT_EQ(TransitionDate(Rule(4, 1, 0), 2001), EncodeDateTime(2001, 4, 1, 2));
    EXPECT_EQ(TransitionDate(Rule(3, 2, 0), 2007), EncodeDateTime(2007, 3, 11, 2));
    EXPECT_EQ(TransitionDate(Rule(11, 1, 0), 2007), EncodeDateTime(2007, 11, 4, 2));
    // Last Thursday of February: 29 in 2024 (leap), 23 in 2023; 2000 leaps, 1900 does not.
    EXPECT_EQ(TransitionDate(Rule(2, 5, 4), 2024), EncodeDateTime(2024, 2, 29, 2));
    EXPECT_EQ(TransitionDate(Rule(2, 5, 4), 2023), EncodeDateTime(2023, 2, 23, 2));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 9), 30);
    // Fourth Saturday, with the time of day and milliseconds.
    SystemTimeRecord r = Rule(9, 4, 6, 23);
    r.minute = 59;
    r.second = 59;
    r.milliseconds = 999;
    EXPECT_DOUBLE_EQ(TransitionDate(r, 2026), EncodeDateTime(2026, 9, 26, 23, 59, 59, 999));
}

TEST(TransitionDate, AbsoluteUnsetAndInvalidRules)
{
    SystemTimeRecord absolute = Rule(4, 15, 3, 1);
    absolute.year = 1998;
    EXPECT_EQ(TransitionDate(absolute, 2026), EncodeDateTime(1998, 4, 15, 1));
    EXPECT_EQ(TransitionDate(Rule(0, 1, 0), 2026), 0.0);
    EXPECT_EQ(TransitionDate(Rule(3, 0, 0), 2026), 0.0);
    EXPECT_EQ(TransitionDate(Rule(3, 6, 0), 2026), 0.0);
    EXPECT_EQ(TransitionDate(Rule(13, 1, 0), 2026), 0.0);
    EXPECT_EQ(TransitionDate(Rule(3, 1, 9), 2026), 0.0);
    EXPECT_EQ(TransitionDate(Rule(3, 1, 0, 24), 2026), 0.0);
    absolute.day = 31;
    absolute.month = 2;
    EXPECT_EQ(TransitionDate(absolute, 2026), 0.0);
}

TEST(DateTime, DayCountsAndText)
{
    EXPECT_EQ(EncodeDateTime(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDateTime(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDateTime(2000, 1, 1), 36526.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 18), 36526.75);
    const CivilDateTime c = DecodeDateTime(EncodeDateTime(2024, 3, 31, 2, 30, 15));
    EXPECT_EQ(c.year, 2024);
    EXPECT_EQ(c.month, 3);
    EXPECT_EQ(c.day, 31);
    EXPECT_EQ(c.hour, 2);
    EXPECT_EQ(c.minute, 30);
    EXPECT_EQ(c.second, 15);
    EXPECT_EQ(PlainDateTimeText(0), "12/30/1899");
    EXPECT_EQ(PlainDateTimeText(EncodeDateTime(2024, 3, 31, 14, 5)), "3/31/2024 2:05:00 PM");
    EXPECT_EQ(PlainDateTimeText(1e300), "12/30/1899");
}

std::vector<std::uint8_t> Tzi(std::int32_t bias, std::int32_t standardBias, std::int32_t daylightBias,
                              SystemTimeRecord standard, SystemTimeRecord daylight)
{
    std::vector<std::uint8_t> data(44);
    std::memcpy(data.data(), &bias, 4);
    std::memcpy(data.data() + 4, &standardBias, 4);
    std::memcpy(data.data() + 8, &daylightBias, 4);
    std::memcpy(data.data() + 12, &standard, 16);
    std::memcpy(data.data() + 28, &daylight, 16);
    return data;
}

TEST(ZoneList, RecordsMatchFieldForField)
{
    const auto data = Tzi(-60, 0, -60, Rule(10, 5, 0, 3), Rule(3, 5, 0, 2));
    const auto tzi = ParseTzi(data.data(), data.size());
    ASSERT_TRUE(tzi);
    EXPECT_EQ(tzi->bias, -60);
    EXPECT_EQ(tzi->daylightBias, -60);
    EXPECT_EQ(tzi->standardDate, Rule(10, 5, 0, 3));

    ZoneRecord system;
    system.bias = -60;
    system.standardName = "W. Europe Standard Time";
    system.standardDate = Rule(10, 5, 0, 3);
    system.daylightName = "W. Europe Daylight Time";
    system.daylightDate = Rule(3, 5, 0, 2);
    system.daylightBias = -60;
    EXPECT_EQ(CandidateZone(*tzi, "W. Europe Standard Time", "W. Europe Daylight Time"), system);
    EXPECT_NE(CandidateZone(*tzi, "Romance Standard Time", "W. Europe Daylight Time"), system);
    auto later = *tzi;
    later.daylightDate.hour = 3;
    EXPECT_NE(CandidateZone(later, "W. Europe Standard Time", "W. Europe Daylight Time"), system);
    // Names are cut to 31 characters, as the system's record holds them.
    EXPECT_EQ(CandidateZone(*tzi, std::string(40, 'x'), "").standardName.size(), 31u);

    EXPECT_FALSE(ParseTzi(data.data(), 43));
    EXPECT_FALSE(ParseTzi(data.data(), 45));
    EXPECT_FALSE(ParseTzi(nullptr, 44));
}

} // namespace
} // namespace qm
