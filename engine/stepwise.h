#pragma once
// The conversions step by step, in the written order of operations. They define every result
// of the engine: the public conversions of civil_calendar.h and hebrew_date.h give the same
// doubles, bit for bit, from tables built out of these operations, and hand every input outside
// those tables to these operations unchanged. Kept for that fallback and for the tests that
// hold the fast conversions to them.

#include "engine/civil_calendar.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "engine/numeric.h"

// Whole parts in the Hebrew half are taken by rounding down, as in the year structure, so that
// the days of year 0 before the epoch come out as the calendar's own leap year 0. For every
// value of years 1 and later rounding down and truncation agree.

namespace engine::stepwise {

// Domains and results as CivilToDayNumber and DayNumberToCivil of civil_calendar.h.
DayNumber CivilToDayNumber(double day, double month, double year);
CivilDate DayNumberToCivil(DayNumber n);

namespace detail {

// Days of the year moved onto the layout of a regular year with the same number of months:
// a deficient year gains a day from 1 Tevet (k = 89) on, a complete year loses one from
// 1 Kislev (k = 61) on.
constexpr double RegularDayOfYear(double k, double length)
{
    if (length == 353 || length == 383) {
        return k + RoundDown((k + 291) / 380);
    }
    if (length == 355 || length == 385) {
        return k - RoundDown((k + 319) / 380);
    }
    return k;
}

}  // namespace detail

// The Hebrew year that holds day d, or the year after it when d is one of the last two
// days (28 or 29 Elul) of its year. Never too small for d >= -383 (1 Tishri of year 0).
constexpr double EstimateHebrewYear(DayNumber d)
{
    double months = RoundDown(d * PartsPerDay / PartsPerMonth);  // mean months from DayNumber 0
    return RoundDown((months * 19 + 252) / 235);
}

// Domain and result as DayNumberToHebrew of hebrew_date.h.
constexpr HebrewDate DayNumberToHebrew(DayNumber d)
{
    double Y = EstimateHebrewYear(d);
    HebrewYearInfo info = HebrewYearStart(Y);
    int L = info.leapIndex;
    double length = info.length;
    double k = d - info.baseDay;  // day of the estimated year, 1 for 1 Tishri

    HebrewDate date{};
    if (k < 1) {
        // The estimate is one year ahead only on 28 and 29 Elul of the year before, which
        // stands at position 13 when that year was a leap year.
        date.day = k == -1 ? 28 : 29;
        date.month = (L > 4 && L < 12) ? 13 : 12;
        date.year = Y - 1;
        return date;
    }

    date.year = Y;
    if (k == 60 && (length == 355 || length == 385)) {
        // 30 Heshvan of a complete year, which the regular layout has no room for.
        date.month = 2;
        date.day = 30;
        return date;
    }

    double n = detail::RegularDayOfYear(k, length);
    if (length < 380) {
        date.month = RoundDown((n + 28.5) / 29.5);
        date.day = n - RoundDown(date.month * 29.5) + 29;
    } else {
        // From n = 148 on the half day comes off, so that the first Adar has 30 days; the odd
        // positions from the second Adar on start half a day later.
        date.month = RoundDown((n - 0.5 * RoundDown((n + 232) / 380) + 28.5) / 29.5);
        double h = FracPart(0.5 * date.month * RoundDown((date.month + 5) / 12));  // 0 or 0.5
        date.day = n - RoundDown(date.month * 29.5) - RoundDown(h + 0.5) + 29;
    }
    return date;
}

// Domain and result as HebrewToDayNumber of hebrew_date.h.
constexpr DayNumber HebrewToDayNumber(double D, double M, double Y)
{
    HebrewYearInfo info = HebrewYearStart(Y);
    double length = info.length;

    double n = 0;
    if (length == 353 || length == 383) {
        n = RoundDown(M * 29.5) + D - RoundDown((M + 8) / 12) - 29;
    } else if (length == 355 || length == 385) {
        n = RoundDown(M * 29.5) + D + RoundDown((M + 9) / 12) - 29;
    } else {
        n = RoundDown(M * 29.5) + D - 29;
    }

    double k = n;
    if (length > 380) {
        double h = FracPart(0.5 * M * RoundDown((M + 5) / 12));  // 0.5 for positions 7, 9, 11, 13
        k = n + RoundDown(h + 0.5);
    }
    return info.baseDay + k;
}

}  // namespace engine::stepwise
