#include "engine/contract.h"
#include "engine/engine.h"
#include "observances/observances.h"

namespace observances {

bool IsLeapYear(int year)
{
    return engine::IsHebrewLeapYear(year);
}

HebrewDay HebrewDayOf(Day day)
{
    engine::HebrewDate date = engine::DayNumberToHebrew(static_cast<engine::DayNumber>(day));
    DETRON_EXPECTS(date.year >= engine::FirstTabledHebrewYear && date.year <= engine::LastTabledHebrewYear,
                   "a day of the Hebrew years 0 ... 6002");
    auto year = static_cast<int>(date.year);
    auto position = static_cast<std::size_t>(date.month);
    return {static_cast<int>(date.day), hebrew_text::HebrewMonthList(IsLeapYear(year))[position - 1].month, year};
}

Day DayOf(int day, HebrewMonth month, int year)
{
    int position = hebrew_text::HebrewMonthPosition(month, IsLeapYear(year));
    DETRON_EXPECTS(position > 0, "a month the year has");
    return static_cast<Day>(engine::HebrewToDayNumber(day, position, year));
}

int MonthLength(HebrewMonth month, int year)
{
    int position = hebrew_text::HebrewMonthPosition(month, IsLeapYear(year));
    if (position == 0) {
        return 0;
    }
    return engine::HebrewMonthLength(year, position);
}

int Weekday(Day day)
{
    return engine::WeekdayOf(day);
}

}  // namespace observances
