#include <cstdint>
#include <span>

#include "engine/hebrew_date.h"
#include "engine/contract.h"
#include "observances/week_internal.h"

namespace observances {

namespace {

constexpr auto PartsPerDay = static_cast<std::int64_t>(engine::PartsPerDay);
constexpr std::int64_t PartsPerHour = PartsPerDay / 24;
constexpr std::int64_t PartsPerMinute = PartsPerHour / 60;
// The Hebrew day begins at 6 pm of the clock's day before.
constexpr int EveningHour = 18;

// The last Shabbat before `day`.
Day ShabbatBefore(Day day)
{
    return day - 1 - (Weekday(day - 1) + 1) % 7;
}

}  // namespace

MoladTime MoladOf(HebrewMonth month, int year)
{
    int position = hebrew_text::HebrewMonthPosition(month, IsLeapYear(year));
    DETRON_EXPECTS(position > 0, "a month the year has");
    auto months = static_cast<std::int64_t>(engine::MonthsBeforeYear(year)) + position - 1;
    std::int64_t parts = engine::MoladPartsFromMidnight(months);
    // Rounded down, also before DayNumber 0 (the months of year 0).
    std::int64_t clockDay = parts / PartsPerDay - (parts % PartsPerDay < 0 ? 1 : 0);
    std::int64_t ofDay = parts - clockDay * PartsPerDay;
    MoladTime molad;
    molad.hour = static_cast<int>(ofDay / PartsPerHour);
    molad.minute = static_cast<int>(ofDay % PartsPerHour / PartsPerMinute);
    molad.parts = static_cast<int>(ofDay % PartsPerMinute);
    molad.day = clockDay + (molad.hour >= EveningHour ? 1 : 0);
    molad.weekday = Weekday(molad.day);
    return molad;
}

std::vector<Observance> detail::MoladotAmong(int year, const std::vector<Observance>& holidays)
{
    DETRON_EXPECTS(year >= engine::FirstHebrewYear && year <= engine::LastHebrewYear, "a Hebrew year of the supported range, 0 ... 6001");
    std::vector<Observance> list;
    for (std::size_t i = 0; i < holidays.size(); ++i) {
        const Observance& roshChodesh = holidays[i];
        // The first of a month's one or two days of Rosh Chodesh.
        if (roshChodesh.event != Event::RoshChodesh || roshChodesh.number > 1) {
            continue;
        }
        Day shabbat = ShabbatBefore(roshChodesh.day);
        list.push_back({shabbat, Event::ShabbatMevarchim, roshChodesh.number == 1 ? 2 : 1, roshChodesh.month});
        list.push_back({shabbat, Event::Molad, 0, roshChodesh.month, MoladOf(roshChodesh.month, year)});
    }
    list.push_back({ShabbatBefore(DayOf(1, HebrewMonth::Tishri, year + 1)), Event::Molad, 0, HebrewMonth::Tishri,
                    MoladOf(HebrewMonth::Tishri, year + 1)});
    return list;
}

std::vector<Observance> Moladot(int year)
{
    return detail::MoladotAmong(year, Holidays(year, false));
}

}  // namespace observances
