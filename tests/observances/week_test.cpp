// The week and the month over the whole range, held to what they must fit: one reading per
// Shabbat in the Torah's order, the two places meeting again, each molad before its Rosh Hashana,
// and a day's events as its year's.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/hebrew_year.h"
#include "observances/week.h"

namespace {

using observances::Day;
using observances::Event;
using observances::Observance;
using M = hebrew_text::HebrewMonth;

// Each Shabbat reads its festival's portion or exactly one reading, continuing the last one read
// (after Ha'Azinu, 52, comes Bereshit), and each year ends with Nitzavim (50). Israel reads like
// elsewhere before Pesach and after the last pair before Nitzavim.
TEST(Portions, EveryShabbatOfTheRangeReadsOnceInTheTorahsOrder)
{
    const std::set<Event> festivals = {Event::RoshHashana,   Event::YomKippur,    Event::Sukkot, Event::ShminiAtzeret,
                                       Event::SimchatTorah, Event::Pesach, Event::Shavuot};
    int previous[2] = {-1, -1};
    for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
        SCOPED_TRACE(year);
        std::vector<std::pair<Day, int>> lists[2];
        for (bool israel : {false, true}) {
            std::set<Day> festivalDays;
            for (const Observance& o : observances::Holidays(year, israel)) {
                if (festivals.count(o.event) != 0) {
                    festivalDays.insert(o.day);
                }
            }
            std::vector<Observance> portions = observances::Portions(year, israel);
            std::size_t next = 0;
            Day end = observances::DayOf(1, M::Tishri, year + 1);
            for (Day day = observances::DayOf(1, M::Tishri, year); day < end; ++day) {
                bool read = next < portions.size() && portions[next].day == day;
                ASSERT_EQ(read, observances::Weekday(day) == observances::Shabbat && festivalDays.count(day) == 0) << day;
                if (read) {
                    int reading = portions[next++].number;
                    int& last = previous[israel];
                    ASSERT_TRUE(last < 0 || observances::FirstPortion(reading) == (last == 52 ? 0 : last + 1)) << reading;
                    last = observances::LastPortion(reading);
                    lists[israel].emplace_back(day, reading);
                }
            }
            ASSERT_EQ(observances::FirstPortion(portions.back().number), 50);
        }
        Day pesach = observances::DayOf(15, M::Nisan, year);
        Day lastPair = 0;
        for (const auto& list : lists) {
            for (auto [day, reading] : list) {
                lastPair = reading >= observances::PortionCount && reading != 60 ? std::max(lastPair, day) : lastPair;
            }
        }
        auto outside = [&](const std::vector<std::pair<Day, int>>& list) {
            std::vector<std::pair<Day, int>> kept;
            std::copy_if(list.begin(), list.end(), std::back_inserter(kept),
                         [&](auto entry) { return entry.first < pesach || entry.first > lastPair; });
            return kept;
        };
        ASSERT_EQ(outside(lists[0]), outside(lists[1]));
    }
}

TEST(Molad, EachMoladCountsAsTheYearsDoAndComesBeforeItsRoshHashana)
{
    // The engine's molad in days steps its whole part at the noon a day and a half after the
    // midnight the whole parts count from.
    constexpr std::int64_t perDay = 25920;
    for (auto months = static_cast<std::int64_t>(engine::MonthsBeforeYear(engine::FirstHebrewYear));
         months <= static_cast<std::int64_t>(engine::MonthsBeforeYear(engine::LastHebrewYear + 1)); ++months) {
        std::int64_t parts = engine::MoladPartsFromMidnight(months) + perDay * 3 / 2;
        std::int64_t days = parts / perDay - (parts % perDay < 0 ? 1 : 0);  // rounded down
        ASSERT_EQ(days, engine::RoundDown(engine::MoladDays(static_cast<double>(months)))) << months;
    }
    for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
        SCOPED_TRACE(year);
        observances::MoladTime molad = observances::MoladOf(M::Tishri, year);
        Day newYear = observances::DayOf(1, M::Tishri, year);
        ASSERT_GE(newYear - molad.day, 0);
        ASSERT_LE(newYear - molad.day, 2);
    }
}

// Every day of the range, its events are its own year's that day, and nothing else; the other
// place is asked in between, so that a kept year serves only its own place.
TEST(EventsOfDay, EveryDayOfTheRangeIsWhatItsYearSays)
{
    for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
        SCOPED_TRACE(year);
        bool israel = year % 2 == 1;
        std::multiset<std::pair<Day, Event>> expected, seen;
        for (const auto& list : {observances::Holidays(year, israel), observances::Portions(year, israel),
                                 observances::Moladot(year), observances::OmerDays(year)}) {
            for (const Observance& o : list) {
                if (o.event != Event::Molad) {
                    expected.insert({o.day, o.event});
                }
            }
        }
        Day end = observances::DayOf(1, M::Tishri, year + 1);
        for (Day day = observances::DayOf(1, M::Tishri, year); day < end; ++day) {
            for (const Observance& o : observances::EventsOfDay(day, israel)) {
                seen.insert({o.day, o.event});
            }
            if (day % 97 == 0) {
                observances::EventsOfDay(day, !israel);
            }
        }
        ASSERT_EQ(seen, expected);
        ASSERT_EQ(observances::OmerDays(year)[32].day, observances::DayOf(18, M::Iyar, year));  // Lag BaOmer
        ASSERT_EQ(observances::OmerDays(year)[48].day + 1, observances::DayOf(6, M::Sivan, year));  // Shavuot
    }
}

TEST(Names, TheWeeksEventsInLatinAndHebrew)
{
    const struct {
        Observance observance;
        const char* latin;
        const char* hebrew;
    } cases[] = {
        {{0, Event::Parsha, 1}, "Parashat Noach", "פרשת נח"},
        {{0, Event::Parsha, 54}, "Parashat Vayakhel-Pekudei", "פרשת ויקהל-פקודי"},
        {{0, Event::ShabbatMevarchim, 2, M::AdarI}, "Shabbat Mevarchim Adar I", "שבת מברכים אדר א׳"},
        {{0, Event::Molad, 0, M::Tevet, {0, 3, 11, 27, 5}}, "Molad Tevet: Wednesday 11:27 and 5 parts",
         "מולד טבת: יום רביעי 11:27 ו־5 חלקים"},
        {{0, Event::Molad, 0, M::Nisan, {0, 6, 0, 5, 1}}, "Molad Nisan: Saturday 0:05 and 1 part",
         "מולד ניסן: שבת 0:05 וחלק אחד"},
        {{0, Event::Omer, 33}, "Omer 33", "יום ל״ג לעומר"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.latin);
        EXPECT_EQ(observances::LatinName(c.observance), c.latin);
        EXPECT_EQ(observances::HebrewName(c.observance), c.hebrew);
    }
}

}  // namespace
