#include "engine/hebrew_year.h"

#include "engine/numeric.h"

// Whole parts here are taken by rounding down, not by truncation toward zero. The two agree
// for every value of years 1 and later; before the epoch molad only rounding down lays out
// year 0 as the calendar's own leap year of 384 days, beginning on DayNumber -383.

namespace engine {

namespace {

// 2 days 11 hours 204 parts: the epoch molad, counted from a noon two days before DayNumber 0.
constexpr double EpochMoladParts = 63924;

// 3 + 16404/25920: a common year's Tuesday molad from 9 hours 204 parts into the Hebrew day on
// puts 1 Tishri off by two days (Wednesday is excluded too).
constexpr double LateTuesday = 3.6328703703703704;

// 2 + 23269/25920: a Monday molad from 15 hours 589 parts into the Hebrew day on, in a common
// year after a leap year, puts 1 Tishri off to Tuesday.
constexpr double LateMonday = 2.8977237654320986;

// Days from the molad's day to 1 Tishri. The cycle conditions come in from the caller, so that
// the same tests serve this year (judged by its own index) and the next (judged by this one's).
double Postponement(double week, bool commonYear, bool commonAfterLeap)
{
    std::int32_t weekday = FloorToInt(week);
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

}  // namespace

int LeapIndex(double year)
{
    double remainder = RealMod(12 * year + 17, 19);   // whole, 0 ... 18
    return RoundToInt(remainder);                     // rounding a whole value, not truncation
}

bool IsHebrewLeapYear(double year)
{
    return LeapIndex(year) > 11;
}

double MonthsBeforeYear(double year)
{
    return FloorToInt(((year + (-1)) * 235 + 1) / 19);
}

double MoladDays(double months)
{
    return (months * PartsPerMonth + EpochMoladParts) / PartsPerDay;
}

double WeekValue(double molad)
{
    return molad - static_cast<double>(7 * FloorToInt(molad / 7));
}

HebrewYearInfo HebrewYearStart(double year)
{
    int L = LeapIndex(year);

    double molad = MoladDays(MonthsBeforeYear(year));
    double week = WeekValue(molad);
    double p = Postponement(week, L < 12, L > 4 && L < 12);

    // The next year's index is (L + 12) mod 19: it is common when L > 6, and it follows a
    // leap year when this one is a leap year.
    double nextMolad = MoladDays(FloorToInt((year * 235 + 1) / 19));
    double nextWeek = WeekValue(nextMolad);
    double q = Postponement(nextWeek, L > 6, L > 11);

    HebrewYearInfo info{};
    info.leapIndex = L;
    info.postponement = p;
    info.nextPostponement = q;
    info.baseDay = static_cast<double>(FloorToInt(molad)) + p + (-2);
    info.length = ((static_cast<double>(FloorToInt(nextMolad)) + q) -
                   static_cast<double>(FloorToInt(molad))) - p;
    return info;
}

}  // namespace engine
