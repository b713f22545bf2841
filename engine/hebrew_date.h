#pragma once
// Hebrew dates and day numbers. A month is named by its position in the month list of its
// year: in a common year 1 Tishri ... 6 Adar, 7 Nisan ... 12 Elul; in a leap year 6 is the
// first Adar, 7 the second Adar and 8 Nisan ... 13 Elul.

#include "engine/civil_calendar.h"
#include "engine/hebrew_year.h"

namespace engine {

// day 1 ... 30, month position, year; whole numbers.
struct HebrewDate {
    double day, month, year;
};

// The Hebrew year that holds day d, or the year after it when d is one of the last two
// days (28 or 29 Elul) of its year. Never too small for d >= -383 (1 Tishri of year 0).
// The first step of the step-by-step conversion (engine/stepwise.h).
double EstimateHebrewYear(DayNumber d);

// Hebrew years whose start and length the conversions look up in a table computed, while the
// engine is compiled, by HebrewYearStart itself; the years reach one past the last year
// (6001) that the civil year list touches. Other years, days and month positions outside the
// lists, and values that are not whole numbers take the step-by-step operations of
// engine/stepwise.h. Either way the result is the same double, bit for bit.
inline constexpr double FirstTabledHebrewYear = 0;
inline constexpr double LastTabledHebrewYear = 6002;

// The conversions' supported range: every day of Hebrew years FirstHebrewYear ...
// LastHebrewYear, 1 Tishri 0 (DayNumber -383) to 29 Elul 6001. It holds the civil years
// -3760 ... 2240 in every calendar, and the fast conversions table all of it.
inline constexpr int FirstHebrewYear = 0;
inline constexpr int LastHebrewYear = 6001;
static_assert(FirstHebrewYear >= FirstTabledHebrewYear && LastHebrewYear + 1 <= LastTabledHebrewYear);

namespace detail {
inline constexpr WholeDay FirstSupported = static_cast<WholeDay>(HebrewYearStart(FirstHebrewYear).baseDay) + 1;
inline constexpr WholeDay LastSupported = static_cast<WholeDay>(HebrewYearStart(LastHebrewYear + 1).baseDay);
}  // namespace detail

// The first and last day of the supported range.
constexpr WholeDay FirstSupportedDay()
{
    return detail::FirstSupported;
}
constexpr WholeDay LastSupportedDay()
{
    return detail::LastSupported;
}

// The Hebrew date of a day number. Exact for every day from -383 (1 Tishri 0, the calendar's
// own leap year of 384 days) to the end of Hebrew year 6001 and beyond.
HebrewDate DayNumberToHebrew(DayNumber d);

// The day number of a Hebrew date, day 1 ... 30 of month position 1 ... 13 of a whole year.
// Impossible days count on: day 30 of a 29-day month is the first of the next month, and
// 30 Elul is 1 Tishri of the next year. Nothing is rejected.
DayNumber HebrewToDayNumber(double day, double month, double year);

// The number of days, 29 or 30, of month position 1 ... 12 (13 in a leap year) of a whole year:
// whether day 30 of the month converts there and back to itself. Tabled years answer from the
// fast conversions' tables, others by that definition. 0 for a position the year lacks and
// for a year or position that is not a whole number.
int HebrewMonthLength(double year, double month);

}  // namespace engine
