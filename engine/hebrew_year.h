#pragma once
// The structure of a Hebrew year of the fixed calendar: its place in the 19-year cycle,
// its molad, the postponements of 1 Tishri, its first day and its length.

#include "engine/civil_calendar.h"
#include "engine/numeric.h"

// Whole parts here are taken by rounding down, not by truncation toward zero. The two agree
// for every value of years 1 and later; before the epoch molad only rounding down lays out
// year 0 as the calendar's own leap year of 384 days, beginning on DayNumber -383.
// The operations are constexpr: the step-by-step conversions run them on every call, and the
// fast conversions' table of year starts is computed from them while the engine is compiled.

namespace engine {

inline constexpr double PartsPerDay = 25920;
inline constexpr double PartsPerMonth = 765433;  // 29 days 12 hours 793 parts
// 2 days 11 hours 204 parts: the epoch molad, counted from a noon two days before DayNumber 0.
inline constexpr double EpochMoladParts = 63924;

namespace detail {

// 3 + 16404/25920: a common year's Tuesday molad from 9 hours 204 parts into the Hebrew day on
// puts 1 Tishri off by two days (Wednesday is excluded too).
inline constexpr double LateTuesday = 3.6328703703703704;

// 2 + 23269/25920: a Monday molad from 15 hours 589 parts into the Hebrew day on, in a common
// year after a leap year, puts 1 Tishri off to Tuesday.
inline constexpr double LateMonday = 2.8977237654320986;

// Days from the molad's day to 1 Tishri. The cycle conditions come in from the caller, so that
// the same tests serve this year (judged by its own index) and the next (judged by this one's).
constexpr double Postponement(double week, bool commonYear, bool commonAfterLeap)
{
    std::int32_t weekday = static_cast<std::int32_t>(RoundDown(week));
    if (weekday == 1 || weekday == 4 || weekday == 6) {
        return 1;  // 1 Tishri never falls on Sunday, Wednesday or Friday
    }
    if (weekday == 3 && week >= LateTuesday && commonYear) {
        return 2;
    }
    if (weekday == 2 && week >= LateMonday && commonAfterLeap) {
        return 1;
    }
    return 0;
}

}  // namespace detail

struct HebrewYearInfo {
    int leapIndex;            // 0 ... 18; 12 and above is a leap year
    double postponement;      // 0, 1 or 2 days from the molad's day to 1 Tishri
    double nextPostponement;  // the same for the following year
    DayNumber baseDay;        // 29 Elul of the year before; 1 Tishri is baseDay + 1
    double length;            // 353, 354, 355, 383, 384 or 385
};

// (12 * year + 17) mod 19, 0 ... 18: 0 ... 4 a common year after a common year,
// 5 ... 11 a common year after a leap year, 12 ... 18 a leap year. For whole years.
constexpr int LeapIndex(double year)
{
    double remainder = RealMod(12 * year + 17, 19);  // whole, 0 ... 18
    return RoundToInt(remainder);                    // rounding a whole value, not truncation
}

// True for the leap indexes of years with 13 months, 12 ... 18.
constexpr bool IsLeapIndex(int leapIndex)
{
    return leapIndex > 11;
}

// True for the years with 13 months.
constexpr bool IsHebrewLeapYear(double year)
{
    return IsLeapIndex(LeapIndex(year));
}

// Mean months from the epoch molad to the molad of Tishri of `year`, rounded down
// (year 0 gives -13). A whole number.
constexpr double MonthsBeforeYear(double year)
{
    return RoundDown(((year + (-1)) * 235 + 1) / 19);
}

// The molad after `months` mean months, in days whose whole part steps up at noon;
// whole part k names DayNumber k - 1. MoladDays(0) = 2.466203703703704.
constexpr double MoladDays(double months)
{
    return (months * PartsPerMonth + EpochMoladParts) / PartsPerDay;
}

// The molad reduced modulo 7 days into [0, 7); its whole part is the weekday,
// 1 Sunday ... 6 Friday, 0 Saturday.
constexpr double WeekValue(double molad)
{
    return molad - 7 * RoundDown(molad / 7);
}

// Everything the date conversions need about `year`; also looks at year + 1.
// Defined for the whole years 0 ... 6002 that the conversions reach, and beyond.
[[gnu::always_inline]] constexpr HebrewYearInfo HebrewYearStart(double year)
{
    int L = LeapIndex(year);

    double molad = MoladDays(MonthsBeforeYear(year));
    double week = WeekValue(molad);
    double p = detail::Postponement(week, L < 12, L > 4 && L < 12);

    // The next year's index is (L + 12) mod 19: it is common when L > 6, and it follows a
    // leap year when this one is a leap year.
    double nextMolad = MoladDays(RoundDown((year * 235 + 1) / 19));
    double nextWeek = WeekValue(nextMolad);
    double q = detail::Postponement(nextWeek, L > 6, L > 11);

    HebrewYearInfo info{};
    info.leapIndex = L;
    info.postponement = p;
    info.nextPostponement = q;
    info.baseDay = static_cast<double>(RoundDown(molad)) + p + (-2);
    info.length = ((static_cast<double>(RoundDown(nextMolad)) + q) -
                   static_cast<double>(RoundDown(molad))) - p;
    return info;
}

// The molad after `months` mean months from the epoch molad, in whole parts (1080 to the hour)
// from the midnight that begins DayNumber 0: the count MoladDays makes in days, here exact in
// 64 bits for the month announcements, which need the hour, minute and part. Months 0 is the
// molad of Tishri of year 1 (23 hours 204 parts of DayNumber 0, Sunday evening), and
// MonthsBeforeYear(year) + position - 1 that of the month at list position `position` of
// `year`. The clock day of the molad is the quotient by PartsPerDay, rounded down. Exact for
// every |months| below 2^43, far past the years the conversions reach (about 74,000 months).
constexpr std::int64_t MoladPartsFromMidnight(std::int64_t months)
{
    constexpr auto perMonth = static_cast<std::int64_t>(PartsPerMonth);
    constexpr auto perDay = static_cast<std::int64_t>(PartsPerDay);
    // The epoch molad is counted from the noon two days before DayNumber 0, a day and a half
    // before that midnight.
    constexpr std::int64_t epoch = static_cast<std::int64_t>(EpochMoladParts) - perDay - perDay / 2;
    return months * perMonth + epoch;
}

}  // namespace engine
