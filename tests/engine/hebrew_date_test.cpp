#include "engine/hebrew_date.h"

#include <cstddef>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/civil_calendar.h"
#include "engine/hebrew_year.h"
#include "reference_calendars.h"

namespace engine {
namespace {

constexpr DayNumber FirstHebrewDay = -383;     // 1 Tishri 0
constexpr DayNumber LastCivilListDay = 2191571;  // 31 December 2240

// Every day from 1 Tishri 0 to the end of the civil year list, against a calendar that lays the
// months out one by one from the molad in whole parts; the walk checks that consecutive days
// give consecutive dates, that every day lies inside its month, and the round trip.
TEST(HebrewDate, EveryDayConvertsBothWaysAgainstAMonthByMonthCalendar)
{
    reference::HebrewDayCounter expected(0);
    int failures = 0;
    ASSERT_EQ(reference::HebrewNewYear(0), FirstHebrewDay);
    for (DayNumber n = FirstHebrewDay; n <= LastCivilListDay && failures < 10; ++n, expected.Next()) {
        const reference::Date& want = expected.Current();
        HebrewDate date = DayNumberToHebrew(n);
        DayNumber back = HebrewToDayNumber(date.day, date.month, date.year);
        if (date.day != want.day || date.month != want.month || date.year != want.year || back != n) {
            ADD_FAILURE() << "day number " << n << ": expected " << want.day << "/" << want.month << "/"
                          << want.year << ", engine gives " << date.day << "/" << date.month << "/" << date.year
                          << " and back " << back;
            ++failures;
        }
    }
}

struct Conversion {
    double civilDay, civilMonth, civilYear;
    double day, month, year;
    const char* note;
};

TEST(HebrewDate, TellingDatesBothWays)
{
    const Conversion rows[] = {
        {19, 9, 2009, 1, 1, 5770, "1 Tishri"},
        {1, 1, 2000, 23, 4, 5760, "Tevet"},
        {30, 3, 2010, 15, 7, 5770, "Nisan of a common year"},
        {23, 4, 2024, 15, 8, 5784, "Nisan of a leap year"},
        {14, 5, 1948, 5, 9, 5708, "Iyar of a leap year"},
        {10, 9, 1999, 29, 12, 5759, "estimate one year ahead"},
        {15, 9, 2023, 29, 12, 5783, "estimate one year ahead"},
        {28, 9, 2000, 28, 13, 5760, "estimate ahead, Elul of a leap year"},
        {29, 9, 2000, 29, 13, 5760, "estimate ahead, Elul of a leap year"},
        {17, 9, 2009, 28, 12, 5769, "last days of a year, estimated right"},
        {18, 9, 2009, 29, 12, 5769, "last days of a year, estimated right"},
        {17, 11, 2009, 30, 2, 5770, "30 Heshvan of a complete year"},
        {18, 11, 2009, 1, 3, 5770, "1 Kislev of a complete year"},
        {28, 11, 2008, 1, 3, 5769, "regular year: Heshvan of 29"},
        {10, 3, 2024, 30, 6, 5784, "30 first Adar"},
        {11, 3, 2024, 1, 7, 5784, "1 second Adar"},
        {8, 4, 2024, 29, 7, 5784, "29 second Adar"},
        {9, 4, 2024, 1, 8, 5784, "1 Nisan"},
        {2, 10, 2024, 29, 13, 5784, "Elul of a leap year"},
        {5, 10, -3760, 28, 13, 0, "last days of year 0"},
        {6, 10, -3760, 29, 13, 0, "last days of year 0"},
        {7, 10, -3760, 1, 1, 1, "epoch"},
        {1, 1, -3760, 16, 4, 0, "first day of the civil year list"},
        {16, 9, 2240, 29, 12, 6000, "last day of the Hebrew year list"},
        {17, 9, 2240, 1, 1, 6001, "first day past the Hebrew year list"},
    };
    for (const Conversion& row : rows) {
        SCOPED_TRACE(row.note);
        DayNumber n = CivilToDayNumber(row.civilDay, row.civilMonth, row.civilYear);
        HebrewDate date = DayNumberToHebrew(n);
        EXPECT_EQ(date.day, row.day);
        EXPECT_EQ(date.month, row.month);
        EXPECT_EQ(date.year, row.year);
        EXPECT_EQ(HebrewToDayNumber(row.day, row.month, row.year), n);
    }
}

TEST(HebrewDate, WorkedDay23April2024)
{
    EXPECT_EQ(CivilToDayNumber(23, 4, 2024), 2112427);
    EXPECT_EQ(EstimateHebrewYear(2112427), 5784);
    EXPECT_EQ(HebrewToDayNumber(15, 8, 5784), 2112427);
}

// A day the list offers that the month does not have is the first of the next month.
TEST(HebrewDate, ImpossibleDaysCountOn)
{
    struct Row { double day, month, year; double realDay, realMonth, realYear; const char* note; };
    const Row rows[] = {
        {30, 2, 5769, 1, 3, 5769, "30 Heshvan of a regular year"},
        {30, 3, 5784, 1, 4, 5784, "30 Kislev of a deficient year"},
        {30, 4, 5784, 1, 5, 5784, "30 Tevet"},
        {30, 6, 5770, 1, 7, 5770, "30 Adar of a common year"},
        {30, 7, 5784, 1, 8, 5784, "30 second Adar"},
        {30, 12, 5769, 1, 1, 5770, "30 Elul of a common year"},
        {30, 13, 5784, 1, 1, 5785, "30 Elul of a leap year"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        DayNumber n = HebrewToDayNumber(row.day, row.month, row.year);
        EXPECT_EQ(n, HebrewToDayNumber(row.realDay, row.realMonth, row.realYear));
        HebrewDate real = DayNumberToHebrew(n);
        EXPECT_EQ(real.day, row.realDay);
        EXPECT_EQ(real.month, row.realMonth);
        EXPECT_EQ(real.year, row.realYear);
    }
    EXPECT_EQ(HebrewToDayNumber(30, 2, 5769), CivilToDayNumber(28, 11, 2008));
    EXPECT_EQ(HebrewToDayNumber(30, 12, 5769), CivilToDayNumber(19, 9, 2009));
    EXPECT_EQ(HebrewToDayNumber(30, 13, 5784), CivilToDayNumber(3, 10, 2024));
}

// A month's length is whether its day 30 converts there and back to itself; its months fill
// the year. Beyond the tabled years the same definition answers.
TEST(HebrewMonthLength, EveryMonthOfEveryYearAsDayThirtyThereAndBack)
{
    int failures = 0;
    for (double year = -20; year <= LastTabledHebrewYear + 20 && failures < 5; ++year) {
        double months = IsHebrewLeapYear(year) ? 13 : 12;
        double days = 0;
        for (double month = 0; month <= 14; ++month) {
            bool held = month >= 1 && month <= months;
            int expected = !held ? 0 : DayNumberToHebrew(HebrewToDayNumber(30, month, year)).day == 30 ? 30 : 29;
            int length = HebrewMonthLength(year, month);
            days += length;
            if (length != expected) {
                ADD_FAILURE() << "month " << month << " of " << year << ": " << length << ", not " << expected;
                ++failures;
            }
        }
        EXPECT_EQ(days, HebrewYearStart(year).length) << year;
    }
    for (auto [year, month] : {std::pair{5784.5, 1.0}, {5784.0, 1.5}, {5784.0, -1.0}, {1e300, 1.0}}) {
        EXPECT_EQ(HebrewMonthLength(year, month), 0) << year << " " << month;
    }
}

}  // namespace
}  // namespace engine
