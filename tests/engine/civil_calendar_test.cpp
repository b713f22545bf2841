#include "engine/civil_calendar.h"

#include <gtest/gtest.h>

#include "engine/numeric.h"
#include "reference_calendars.h"

namespace engine {
namespace {

constexpr DayNumber FirstWalkedDay = -347997;  // 1 January -4712, Julian Day 0
constexpr DayNumber LastWalkedDay = 2300000;   // in 2537

// Every day from Julian Day 0 to 2537, counted with the real month lengths, has the engine's
// day number in both directions; the walk also proves each engine date is a real one.
TEST(CivilCalendar, EveryDayConvertsBothWaysAgainstACountedCalendar)
{
    reference::Date date{1, 1, -4712};
    int failures = 0;
    for (DayNumber n = FirstWalkedDay; n <= LastWalkedDay && failures < 10; ++n) {
        CivilDate civil = DayNumberToCivil(n);
        DayNumber back = CivilToDayNumber(date.day, date.month, date.year);
        if (civil.day != date.day || civil.month != date.month || civil.year != date.year || back != n) {
            ADD_FAILURE() << "day number " << n << ": expected " << date.day << "." << date.month << "."
                          << date.year << ", engine gives " << civil.day << "." << civil.month << "."
                          << civil.year << " and back " << back;
            ++failures;
        }
        date = reference::NextCivilDay(date);
    }
}

TEST(CivilCalendar, AnchorDays)
{
    struct Row { double day, month, year; DayNumber expected; const char* note; };
    const Row rows[] = {
        {1, 1, 2000, 2103548, "Julian Date 2451544.5 at its midnight"},
        {7, 10, -3760, 1, "1 Tishri of Hebrew year 1"},
        {6, 10, -3760, 0, "the day before"},
        {1, 1, -3760, -279, "first day of the civil year list"},
        {31, 12, 2240, 2191571, "last day of the civil year list"},
        {1, 1, 1, 1373427, "year 1"},
        {1, 1, 0, 1373061, "year 0"},
        {1, 1, -4712, -347997, "Julian Day 0"},
        {1, 1, -3761, -644, "before the list"},
        {31, 12, -3761, -280, "before the list"},
        {4, 10, 1582, 1951163, "last Julian day"},
        {15, 10, 1582, 1951164, "first Gregorian day"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(CivilToDayNumber(row.day, row.month, row.year), row.expected);
    }
}

// Days the lists offer that the calendar does not have count on from the first of the month.
TEST(CivilCalendar, ImpossibleDaysCountOn)
{
    struct Row { double day, month, year; double realDay, realMonth, realYear; const char* note; };
    const Row rows[] = {
        {31, 4, 2001, 1, 5, 2001, "31 April"},
        {30, 2, 1999, 2, 3, 1999, "30 February of a common year"},
        {31, 2, 1999, 3, 3, 1999, "31 February"},
        {29, 2, 1999, 1, 3, 1999, "29 February of a common year"},
        {30, 2, 2000, 1, 3, 2000, "30 February of a leap year"},
        {29, 2, 1700, 1, 3, 1700, "Gregorian century year"},
        {29, 2, 1900, 1, 3, 1900, "Gregorian century year"},
        {29, 2, 1582, 1, 3, 1582, "Julian common year"},
        {5, 10, 1582, 25, 9, 1582, "dropped by the reform, read as Gregorian"},
        {14, 10, 1582, 4, 10, 1582, "dropped by the reform, read as Gregorian"},
        {31, 12, 2240, 31, 12, 2240, "a real date stays"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        DayNumber n = CivilToDayNumber(row.day, row.month, row.year);
        EXPECT_EQ(n, CivilToDayNumber(row.realDay, row.realMonth, row.realYear));
        CivilDate real = DayNumberToCivil(n);
        EXPECT_EQ(real.day, row.realDay);
        EXPECT_EQ(real.month, row.realMonth);
        EXPECT_EQ(real.year, row.realYear);
    }
    for (double day = 5; day <= 14; ++day) {
        SCOPED_TRACE(day);
        EXPECT_EQ(CivilToDayNumber(day, 10, 1582), 1951149 + day);
    }
}

TEST(CivilCalendar, JulianLeapYearsIncludeCenturiesYearZeroAndNegativeYears)
{
    for (double year : {1500.0, 0.0, -4.0, -3760.0, 1200.0, 2000.0}) {
        SCOPED_TRACE(year);
        CivilDate date = DayNumberToCivil(CivilToDayNumber(29, 2, year));
        EXPECT_EQ(date.day, 29);
        EXPECT_EQ(date.month, 2);
    }
}

TEST(CivilCalendar, WeekdayIsTheRemainderBySeven)
{
    EXPECT_EQ(RealMod(CivilToDayNumber(7, 10, -3760), 7), 1);  // Monday
    EXPECT_EQ(RealMod(CivilToDayNumber(1, 1, 2000), 7), 6);    // Saturday
    EXPECT_EQ(RealMod(CivilToDayNumber(15, 10, 1582), 7), 5);  // Friday, the day after Thursday 4 October
    EXPECT_EQ(RealMod(CivilToDayNumber(4, 10, 1582), 7), 4);
}

}  // namespace
}  // namespace engine
