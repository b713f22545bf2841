#include <algorithm>

#include "engine/contract.h"
#include "observances/week_internal.h"

namespace observances {

namespace {

constexpr int OmerDaysCount = 49;

// One year's events for one place, in day order, as EventsOfDay hands them out.
struct YearEvents {
    bool valid = false;
    Day first = 0;  // 1 Tishri
    Day end = 0;    // 1 Tishri of the next year
    std::vector<Observance> list;
};

bool EarlierDay(const Observance& a, const Observance& b)
{
    return a.day < b.day;
}

// All but the moladot, which are announced on a day but are not what the day is.
void AppendDayEvents(std::vector<Observance>& list, const std::vector<Observance>& more)
{
    for (const Observance& observance : more) {
        if (observance.event != Event::Molad) {
            list.push_back(observance);
        }
    }
}

}  // namespace

std::vector<Observance> OmerDays(int year)
{
    DETRON_EXPECTS(year >= engine::FirstHebrewYear && year <= engine::LastHebrewYear, "a Hebrew year of the supported range, 0 ... 6001");
    Day first = DayOf(16, HebrewMonth::Nisan, year);
    std::vector<Observance> list;
    for (int count = 1; count <= OmerDaysCount; ++count) {
        list.push_back({first + count - 1, Event::Omer, count});
    }
    return list;
}

std::vector<Observance> EventsOfDay(Day day, bool israel)
{
    DETRON_EXPECTS(day >= engine::FirstSupportedDay() && day <= engine::LastSupportedDay(),
                   "a day of the supported range, 1 Tishri 0 ... 29 Elul 6001");
    // A year for each place, so that asking for both places in turn makes no list again.
    thread_local YearEvents years[2];
    YearEvents& year = years[israel ? 1 : 0];
    if (!year.valid || day < year.first || day >= year.end) {
        int number = HebrewDayOf(day).year;
        std::vector<Observance> holidays = Holidays(number, israel);
        year.list = holidays;
        AppendDayEvents(year.list, detail::PortionsAmong(number, israel, holidays));
        AppendDayEvents(year.list, detail::MoladotAmong(number, holidays));
        AppendDayEvents(year.list, OmerDays(number));
        std::stable_sort(year.list.begin(), year.list.end(), EarlierDay);
        year.first = DayOf(1, HebrewMonth::Tishri, number);
        year.end = DayOf(1, HebrewMonth::Tishri, number + 1);
        year.valid = true;
    }
    auto [from, to] = std::equal_range(year.list.begin(), year.list.end(), Observance{day, Event::Parsha}, EarlierDay);
    return {from, to};
}

}  // namespace observances
