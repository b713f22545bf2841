// The public conversions answer from tables and whole-number arithmetic; the step-by-step
// operations define their results. Every day, and every date the lists can form, must give the
// same doubles bit for bit, also a little past the ends of the tables, where the public
// conversions hand over to the step-by-step ones.

#include "engine/stepwise.h"

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

#include "engine/civil_calendar.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"

namespace engine {
namespace {

bool Same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool Same(const HebrewDate& a, const HebrewDate& b)
{
    return Same(a.day, b.day) && Same(a.month, b.month) && Same(a.year, b.year);
}

bool Same(const CivilDate& a, const CivilDate& b)
{
    return Same(a.day, b.day) && Same(a.month, b.month) && Same(a.year, b.year);
}

// From before Julian Day 0 to past both the civil span and the end of the last tabled year.
constexpr DayNumber FirstWalkedDay = -348100;
constexpr DayNumber LastWalkedDay = 2300100;

TEST(FastPath, EveryDayGivesTheStepwiseDatesOnBothSides)
{
    ASSERT_GT(LastWalkedDay, HebrewYearStart(LastTabledHebrewYear + 1).baseDay + 100);
    int failures = 0;
    for (DayNumber n = FirstWalkedDay; n <= LastWalkedDay && failures < 10; ++n) {
        HebrewDate hebrew = DayNumberToHebrew(n);
        HebrewDate expectedHebrew = stepwise::DayNumberToHebrew(n);
        CivilDate civil = DayNumberToCivil(n);
        CivilDate expectedCivil = stepwise::DayNumberToCivil(n);
        if (!Same(hebrew, expectedHebrew) || !Same(civil, expectedCivil)) {
            ADD_FAILURE() << "day number " << n << ": " << hebrew.day << "/" << hebrew.month << "/" << hebrew.year
                          << " and " << civil.day << "." << civil.month << "." << civil.year << ", step by step "
                          << expectedHebrew.day << "/" << expectedHebrew.month << "/" << expectedHebrew.year
                          << " and " << expectedCivil.day << "." << expectedCivil.month << "." << expectedCivil.year;
            ++failures;
        }
    }
}

// Every day 1 ... 30 of every month position 1 ... 13 of every year, impossible dates included,
// with a margin of positions, days and years the lists do not offer.
TEST(FastPath, EveryHebrewDateGivesTheStepwiseDayNumber)
{
    int failures = 0;
    for (double year = FirstTabledHebrewYear - 2; year <= LastTabledHebrewYear + 2 && failures < 10; ++year) {
        for (double month = 0; month <= 14; ++month) {
            for (double day = 0; day <= 31; ++day) {
                DayNumber n = HebrewToDayNumber(day, month, year);
                DayNumber expected = stepwise::HebrewToDayNumber(day, month, year);
                if (!Same(n, expected)) {
                    ADD_FAILURE() << day << "/" << month << "/" << year << ": " << n << ", step by step " << expected;
                    ++failures;
                }
            }
        }
    }
}

// Every day 1 ... 31 of every month of every year over the span computed in whole numbers,
// which holds the civil year list, with a margin outside it.
TEST(FastPath, EveryCivilDateGivesTheStepwiseDayNumber)
{
    int failures = 0;
    for (double year = -4720; year <= 2545 && failures < 10; ++year) {
        for (double month = 0; month <= 13; ++month) {
            for (double day = 0; day <= 32; ++day) {
                DayNumber n = CivilToDayNumber(day, month, year);
                DayNumber expected = stepwise::CivilToDayNumber(day, month, year);
                if (!Same(n, expected)) {
                    ADD_FAILURE() << day << "." << month << "." << year << ": " << n << ", step by step " << expected;
                    ++failures;
                }
            }
        }
    }
}

// Values that are not whole numbers, or not plain ones, go to the step-by-step operations.
TEST(FastPath, ValuesThatAreNotWholeTakeTheStepwiseOperations)
{
    for (double x : {-0.0, 0.5, 1e6 + 0.25, -383.5, 2112427.5}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(Same(DayNumberToHebrew(x), stepwise::DayNumberToHebrew(x)));
        EXPECT_TRUE(Same(DayNumberToCivil(x), stepwise::DayNumberToCivil(x)));
    }
    struct Row { double a, b, c; };
    const Row rows[] = {{1.5, 2, 5784}, {15, 7.5, 5784}, {15, 8, 5784.5}, {-0.0, 1, 5784}, {15, 8, -0.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.a << " " << row.b << " " << row.c);
        EXPECT_TRUE(Same(HebrewToDayNumber(row.a, row.b, row.c), stepwise::HebrewToDayNumber(row.a, row.b, row.c)));
        double civilYear = row.c - 3760;
        EXPECT_TRUE(
            Same(CivilToDayNumber(row.a, row.b, civilYear), stepwise::CivilToDayNumber(row.a, row.b, civilYear)));
    }
}

}  // namespace
}  // namespace engine
