#pragma once
// Civil dates and day numbers: the Julian calendar up to 4 October 1582, the Gregorian
// calendar from 15 October 1582, astronomical years (year 0 precedes year 1).

#include "engine/civil_days.h"

namespace engine {

// A whole number of days: the Julian Day Number - JulianDayOffset. DayNumber 1 is Monday
// 7 October -3760 (Julian), 1 Tishri of Hebrew year 1; its remainder modulo 7 is the
// weekday, 0 Sunday ... 6 Saturday. A plain double, so no operator can reorder arithmetic.
using DayNumber = double;

// day 1 ... 31, month 1 January ... 12 December, astronomical year; whole numbers.
struct CivilDate {
    double day, month, year;
};

inline constexpr DayNumber FirstGregorianDay = static_cast<DayNumber>(ReformFirstGregorianDay);  // 15 October 1582
inline constexpr DayNumber LastJulianDay = FirstGregorianDay - 1;                                  // 4 October 1582

// Both conversions compute in whole numbers over the days -347997 ... 2300000 and the years
// -4712 ... 2537, and hand anything else to the step-by-step operations of engine/stepwise.h,
// which define their results: either way the result is the same double, bit for bit.

// Any day 1 ... 31 of any month 1 ... 12; a day past the end of its month counts on into
// the next month (31 April is 1 May, 30 February 2000 is 1 March 2000), and the days
// 5 ... 14 October 1582 read as Gregorian, that is 25 September ... 4 October (Julian).
// Exact for years -4712 ... 2240 and well beyond.
DayNumber CivilToDayNumber(double day, double month, double year);

// The real civil date of a day number. Exact from -347997 (1 January -4712, Julian Day 0)
// to at least 2300000 (in 2537); below -347997 the result is unspecified.
CivilDate DayNumberToCivil(DayNumber n);

}  // namespace engine
