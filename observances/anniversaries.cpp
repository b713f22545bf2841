#include "observances/observances.h"

namespace observances {

namespace {

// Adar in a common year, the second Adar in a leap year.
HebrewMonth LastMonth(int year)
{
    return IsLeapYear(year) ? HebrewMonth::AdarII : HebrewMonth::Adar;
}

}  // namespace

Day Birthday(const HebrewDay& born, int year)
{
    // Born in the last month of a year: the last month of every later year. Otherwise the same
    // month, the first Adar standing for Adar; a day 30 the month lacks counts on.
    HebrewMonth month = born.month == LastMonth(born.year) ? LastMonth(year) : born.month;
    return DayOf(born.day, month, year);
}

Day Yahrzeit(const HebrewDay& died, int year)
{
    // 30 Heshvan or 30 Kislev when the year after the death had no such day: the day before the
    // first of the next month, as the first yahrzeit was kept.
    if (died.day == 30 && died.month == HebrewMonth::Heshvan && MonthLength(HebrewMonth::Heshvan, died.year + 1) < 30) {
        return DayOf(1, HebrewMonth::Kislev, year) - 1;
    }
    if (died.day == 30 && died.month == HebrewMonth::Kislev && MonthLength(HebrewMonth::Kislev, died.year + 1) < 30) {
        return DayOf(1, HebrewMonth::Tevet, year) - 1;
    }
    if (died.month == HebrewMonth::AdarII) {
        return DayOf(died.day, LastMonth(year), year);
    }
    // 30 Adar I has no Adar to fall in in a common year, and is kept on 30 Shevat.
    if (died.day == 30 && died.month == HebrewMonth::AdarI && !IsLeapYear(year)) {
        return DayOf(30, HebrewMonth::Shevat, year);
    }
    // The Adar of a common year is the first Adar of a leap year, as DayOf places it.
    return DayOf(died.day, died.month, year);
}

}  // namespace observances
