#include <algorithm>
#include <span>

#include "engine/contract.h"
#include "engine/hebrew_date.h"
#include "observances/observances.h"

namespace observances {

namespace {

using M = HebrewMonth;

class YearHolidays {
public:
    YearHolidays(int year, bool israel) : year_(year), israel_(israel) {}

    std::vector<Observance> Collect()
    {
        Days(Event::RoshHashana, 1, M::Tishri, 2);
        // The fasts are not kept on Shabbat: Tzom Gedaliah, Tzom Tammuz and Tish'a B'Av move to the
        // Sunday after, Ta'anit Esther to the Thursday before.
        Fast(Event::TzomGedaliah, 3, M::Tishri, 1);
        Days(Event::YomKippur, 10, M::Tishri, 1);
        Days(Event::Sukkot, 15, M::Tishri, 7);
        Days(Event::ShminiAtzeret, 22, M::Tishri, 1);
        Days(Event::SimchatTorah, israel_ ? 22 : 23, M::Tishri, 1);
        RoshChodesh();
        Days(Event::Chanukah, 25, M::Kislev, 8);
        Days(Event::AsaraBTevet, 10, M::Tevet, 1);  // never on Shabbat
        Days(Event::TuBiShvat, 15, M::Shevat, 1);
        M adar = IsLeapYear(year_) ? M::AdarII : M::Adar;
        Fast(Event::TaanitEsther, 13, adar, -2);
        Days(Event::Purim, 14, adar, 1);
        Days(Event::ShushanPurim, 15, adar, 1);
        Days(Event::Pesach, 15, M::Nisan, israel_ ? 7 : 8);
        ModernDays();
        Days(Event::LagBaOmer, 18, M::Iyar, 1);
        Days(Event::Shavuot, 6, M::Sivan, israel_ ? 1 : 2);
        Fast(Event::TzomTammuz, 17, M::Tammuz, 1);
        Fast(Event::TishaBAv, 9, M::Av, 1);
        std::stable_sort(list_.begin(), list_.end(),
                         [](const Observance& a, const Observance& b) { return a.day < b.day; });
        return std::move(list_);
    }

private:
    // `count` days from `day` `month`, numbered when there is more than one.
    void Days(Event event, int day, M month, int count)
    {
        Day first = DayOf(day, month, year_);
        for (int i = 0; i < count; ++i) {
            list_.push_back({first + i, event, count > 1 ? i + 1 : 0});
        }
    }

    void Fast(Event event, int day, M month, int offShabbat)
    {
        Day fast = DayOf(day, month, year_);
        list_.push_back({Weekday(fast) == Shabbat ? fast + offShabbat : fast, event});
    }

    // Each month but Tishri begins with Rosh Chodesh; after a month of 30 days its last day is
    // the first day of Rosh Chodesh.
    void RoshChodesh()
    {
        std::span<const hebrew_text::HebrewMonthEntry> months = hebrew_text::HebrewMonthList(IsLeapYear(year_));
        for (std::size_t i = 1; i < months.size(); ++i) {
            Day first = DayOf(1, months[i].month, year_);
            if (MonthLength(months[i - 1].month, year_) == 30) {
                list_.push_back({first - 1, Event::RoshChodesh, 1, months[i].month});
                list_.push_back({first, Event::RoshChodesh, 2, months[i].month});
            } else {
                list_.push_back({first, Event::RoshChodesh, 0, months[i].month});
            }
        }
    }

    // The modern days from the years they were first kept, each by the moves in force that year.
    void ModernDays()
    {
        // Yom HaShoah, 27 Nisan, from its first year, 5711 (1951): off Friday to Thursday and
        // off Sunday to Monday, so that neither it nor its eve touches Shabbat. Calendars (hebcal
        // among them) apply both moves from the first year on.
        if (year_ >= FirstYearOfYomHaShoah) {
            Day shoah = DayOf(27, M::Nisan, year_);
            int shoahWeekday = Weekday(shoah);
            list_.push_back({shoah + (shoahWeekday == 5 ? -1 : shoahWeekday == 0 ? 1 : 0), Event::YomHaShoah});
        }
        // Yom HaAtzma'ut, 5 Iyar, from its first anniversary, 5709 (1949), with Yom HaZikaron the
        // day before: moved back to Thursday when 5 Iyar is a Friday or Shabbat, from the first
        // year; and on to Tuesday when it is a Monday, from 5764 (2004) on, so that
        // Yom HaZikaron does not follow Shabbat. Before 5764 a Monday 5 Iyar stays.
        if (year_ >= FirstYearOfYomHaAtzmaut) {
            Day atzmaut = DayOf(5, M::Iyar, year_);
            switch (Weekday(atzmaut)) {
                case 5: atzmaut -= 1; break;
                case Shabbat: atzmaut -= 2; break;
                case 1: atzmaut += year_ >= FirstYearOfMondayMove ? 1 : 0; break;
                default: break;
            }
            list_.push_back({atzmaut - 1, Event::YomHaZikaron});
            list_.push_back({atzmaut, Event::YomHaAtzmaut});
        }
        // Yom Yerushalayim, 28 Iyar, from its first anniversary, 5728 (1968), on whatever weekday.
        if (year_ >= FirstYearOfYomYerushalayim) {
            list_.push_back({DayOf(28, M::Iyar, year_), Event::YomYerushalayim});
        }
    }

    int year_;
    bool israel_;
    std::vector<Observance> list_;
};

}  // namespace

std::vector<Observance> Holidays(int year, bool israel)
{
    DETRON_EXPECTS(year >= engine::FirstHebrewYear && year <= engine::LastHebrewYear,
                   "a Hebrew year of the supported range, 0 ... 6001");
    return YearHolidays(year, israel).Collect();
}

}  // namespace observances
