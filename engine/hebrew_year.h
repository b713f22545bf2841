#pragma once
// The structure of a Hebrew year of the fixed calendar: its place in the 19-year cycle,
// its molad, the postponements of 1 Tishri, its first day and its length.

#include "engine/civil_calendar.h"

namespace engine {

inline constexpr double PartsPerDay = 25920;
inline constexpr double PartsPerMonth = 765433;  // 29 days 12 hours 793 parts

struct HebrewYearInfo {
    int leapIndex;            // 0 ... 18; 12 and above is a leap year
    double postponement;      // 0, 1 or 2 days from the molad's day to 1 Tishri
    double nextPostponement;  // the same for the following year
    DayNumber baseDay;        // 29 Elul of the year before; 1 Tishri is baseDay + 1
    double length;            // 353, 354, 355, 383, 384 or 385
};

// (12 * year + 17) mod 19, 0 ... 18: 0 ... 4 a common year after a common year,
// 5 ... 11 a common year after a leap year, 12 ... 18 a leap year. For whole years.
int LeapIndex(double year);

// True for the years with 13 months (LeapIndex 12 and above).
bool IsHebrewLeapYear(double year);

// Mean months from the epoch molad to the molad of Tishri of `year`, rounded down
// (year 0 gives -13). A whole number.
double MonthsBeforeYear(double year);

// The molad after `months` mean months, in days whose whole part steps up at noon;
// whole part k names DayNumber k - 1. MoladDays(0) = 2.466203703703704.
double MoladDays(double months);

// The molad reduced modulo 7 days into [0, 7); its whole part is the weekday,
// 1 Sunday ... 6 Friday, 0 Saturday.
double WeekValue(double molad);

// Everything the date conversions need about `year`; also looks at year + 1.
// Defined for the whole years 0 ... 6002 that the conversions reach, and beyond.
HebrewYearInfo HebrewYearStart(double year);

}  // namespace engine
