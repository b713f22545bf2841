// Clock readings to seconds counted as if the local time were UTC, and back.

#include "local_date/local_date.h"

#include <cstdint>

#include <gtest/gtest.h>

#ifndef _WIN32
#include "tests/scoped_zone.h"
#endif

namespace local_date {
namespace {

TEST(Clock, ReadingsBecomeSecondsAsIfUtcAndBack)
{
    struct Row { ClockReading reading; std::int64_t seconds; const char* note; };
    const Row rows[] = {
        {{1970, 1, 1, 0, 0, 7}, 7, "the epoch"},
        {{2000, 1, 1, 0, 0, 0}, 946684800, ""},
        {{2038, 1, 19, 3, 14, 8}, 2147483648, "one second past 32 bits"},
        {{2240, 12, 31, 23, 59, 59}, 8551958399, "last day of the year list"},
        {{1969, 12, 31, 23, 59, 59}, -1, "a real second before the epoch"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(TimestampOfReading(row.reading), row.seconds);
        ClockReading back{};
        ASSERT_TRUE(ReadingOfTimestamp(row.seconds, back));
        EXPECT_EQ(back.year, row.reading.year);
        EXPECT_EQ(back.month, row.reading.month);
        EXPECT_EQ(back.day, row.reading.day);
        EXPECT_EQ(back.hour, row.reading.hour);
        EXPECT_EQ(back.second, row.reading.second);
    }
}

TEST(Clock, ImpossibleReadingsAreRejected)
{
    const ClockReading rejected[] = {
        {2001, 4, 31, 0, 0, 0}, {2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2000, 2, 30, 0, 0, 0},
        {2000, 13, 1, 0, 0, 0}, {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0}, {0, 1, 1, 0, 0, 0},
    };
    for (const ClockReading& r : rejected) {
        SCOPED_TRACE(testing::Message() << r.year << "-" << r.month << "-" << r.day << " " << r.hour << ":" << r.minute);
        EXPECT_EQ(TimestampOfReading(r), -1);
    }
    EXPECT_NE(TimestampOfReading({2000, 2, 29, 0, 0, 0}), -1);
}

// The date of a reading is its day, whatever the time of day holds: a leap second's second 60
// is no reason to lose the day; a reading that names no day gives none.
TEST(Clock, TheDateOfAnyReading)
{
    std::optional<engine::CivilLabel> leap = DateOfReading({2016, 12, 31, 23, 59, 60});
    ASSERT_TRUE(leap.has_value());
    EXPECT_EQ(leap->year, 2016);
    EXPECT_EQ(leap->month, 12);
    EXPECT_EQ(leap->day, 31);
    EXPECT_TRUE(DateOfReading({2024, 2, 29, 24, 61, 61}).has_value());
    EXPECT_FALSE(DateOfReading({2023, 2, 29, 0, 0, 0}).has_value());
    EXPECT_FALSE(DateOfReading({-1, 1, 1, 0, 0, 0}).has_value());
    EXPECT_FALSE(DateOfReading({10000, 1, 1, 0, 0, 0}).has_value());
}

#ifndef _WIN32
// The offset follows the zone's rules to the second: both sides of a change of the clock, and
// the Jerusalem mean time of 1916, 2:20:40 ahead.
TEST(Clock, OffsetsFromUtcAtAMoment)
{
    ScopedZone zone("UTC");
    struct Row { const char* zone; std::int64_t moment; std::int32_t offset; const char* note; };
    const Row rows[] = {
        {"Asia/Jerusalem", 1743119999, 7200, "01:59:59 on 28 March 2025"},
        {"Asia/Jerusalem", 1743120000, 10800, "03:00:00, a second later"},
        {"Asia/Jerusalem", -1700000000, 8440, "1916"},
        {"America/New_York", 1752580800, -14400, "July 2025"},
        {"UTC", 0, 0, "the epoch"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        zone.Set(row.zone);
        std::optional<std::int32_t> offset = UtcOffsetAt(row.moment);
        ASSERT_TRUE(offset.has_value());
        EXPECT_EQ(*offset, row.offset);
    }
}
#endif

}  // namespace
}  // namespace local_date
