#include "engine/hebrew_year.h"

#include <gtest/gtest.h>

#include "engine/civil_calendar.h"
#include "engine/numeric.h"
#include "reference_calendars.h"

namespace engine {
namespace {

// Every year the lists reach, with the next two that the conversions look at.
TEST(HebrewYearStart, YearsTileTheDayLineAndMatchTheMoladInParts)
{
    for (double year = 0; year <= 6002; ++year) {
        SCOPED_TRACE(year);
        HebrewYearInfo info = HebrewYearStart(year);
        HebrewYearInfo next = HebrewYearStart(year + 1);
        EXPECT_EQ(next.baseDay - info.baseDay, info.length);
        EXPECT_EQ(info.nextPostponement, next.postponement);
        EXPECT_EQ(info.baseDay + 1, reference::HebrewNewYear(static_cast<int>(year)));

        double length = info.length;
        EXPECT_TRUE(length == 353 || length == 354 || length == 355 || length == 383 || length == 384 ||
                    length == 385);
        EXPECT_EQ(length > 380, IsHebrewLeapYear(year));
        EXPECT_EQ(IsHebrewLeapYear(year), info.leapIndex >= 12);

        double weekday = RealMod(info.baseDay + 1, 7);  // 0 Sunday ... 6 Saturday
        EXPECT_NE(weekday, 0);
        EXPECT_NE(weekday, 3);
        EXPECT_NE(weekday, 5);
    }
}

TEST(HebrewYearStart, LeapYearsFallOnTheirPlacesInTheCycle)
{
    for (double year = 1; year <= 6001; ++year) {
        SCOPED_TRACE(year);
        int place = static_cast<int>(year) % 19;
        bool leapPlace = place == 3 || place == 6 || place == 8 || place == 11 || place == 14 ||
                         place == 17 || place == 0;
        EXPECT_EQ(IsHebrewLeapYear(year), leapPlace);
    }
}

TEST(HebrewYearStart, TellingYears)
{
    struct Row {
        double year;
        int leapIndex;
        double postponement;
        double day, month, civilYear;  // 1 Tishri
        double length;
        const char* note;
    };
    const Row rows[] = {
        {0, 17, 0, 19, 9, -3761, 384, "the calendar's own leap year 0, before the epoch"},
        {1, 10, 0, 7, 10, -3760, 355, "epoch: Monday 7 October -3760"},
        {2, 3, 1, 27, 9, -3759, 355, "next year's molad falls on a Friday"},
        {3, 15, 1, 17, 9, -3758, 383, "first leap year"},
        {5718, 5, 2, 26, 9, 1957, 354, "late Tuesday molad in a common year: two days"},
        {5738, 17, 0, 13, 9, 1977, 384, "late Tuesday molad in a leap year stays"},
        {5760, 15, 0, 11, 9, 1999, 385, ""},
        {5766, 11, 1, 4, 10, 2005, 354, "late Monday molad after a leap year"},
        {5769, 9, 0, 30, 9, 2008, 354, "Tuesday molad below the late threshold"},
        {5770, 2, 0, 19, 9, 2009, 355, ""},
        {5784, 18, 1, 16, 9, 2023, 383, "molad on a Friday"},
        {5785, 11, 0, 3, 10, 2024, 355, ""},
        {5786, 4, 0, 23, 9, 2025, 354, "molad after noon already counts as Tuesday"},
        {6000, 7, 1, 30, 9, 2239, 353, "last year of the list"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.year);
        SCOPED_TRACE(row.note);
        HebrewYearInfo info = HebrewYearStart(row.year);
        EXPECT_EQ(info.leapIndex, row.leapIndex);
        EXPECT_EQ(info.postponement, row.postponement);
        EXPECT_EQ(info.baseDay + 1, CivilToDayNumber(row.day, row.month, row.civilYear));
        EXPECT_EQ(info.length, row.length);
    }
}

TEST(HebrewYearStart, WorkedYear5784)
{
    EXPECT_EQ(MonthsBeforeYear(5784), 71526);
    EXPECT_EQ(MoladDays(71526), 2112207.742361111);
    EXPECT_EQ(TruncToInt(WeekValue(MoladDays(71526))), 6);
    EXPECT_EQ(MoladDays(MonthsBeforeYear(5785)), 2112591.6400848767);
    HebrewYearInfo info = HebrewYearStart(5784);
    EXPECT_EQ(info.nextPostponement, 0);
    EXPECT_EQ(info.baseDay, 2112206);
}

TEST(HebrewYearStart, EpochMoladAndYearZero)
{
    EXPECT_EQ(MoladDays(0), 2.466203703703704);
    EXPECT_EQ(MonthsBeforeYear(1), 0);
    EXPECT_EQ(MonthsBeforeYear(0), -13);
    HebrewYearInfo zero = HebrewYearStart(0);
    EXPECT_EQ(zero.baseDay, -384);
    EXPECT_EQ(zero.length, 384);
    EXPECT_EQ(HebrewYearStart(1).baseDay, 0);
}

}  // namespace
}  // namespace engine
