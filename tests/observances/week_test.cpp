// The week and the month over the whole range, held to the holidays and the year structure they
// must fit: one reading per Shabbat in the Torah's order, the places meeting again, each molad
// before its Rosh Hashana, the omer between Pesach and Shavuot, and a day's events as its year's.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "observances/week.h"

namespace {

using observances::Day;
using observances::Event;
using observances::Observance;
using observances::Shabbat;
using observances::Weekday;
using M = hebrew_text::HebrewMonth;

constexpr int HaAzinu = 52;
constexpr int NitzavimVayeilech = 60;

// The days of a year whose Shabbat reads the festival: Yom Tov and the middle days of Sukkot
// and Pesach.
std::set<Day> FestivalDays(const std::vector<Observance>& holidays)
{
    std::set<Day> days;
    for (const Observance& o : holidays) {
        if (o.event == Event::RoshHashana || o.event == Event::YomKippur || o.event == Event::Sukkot ||
            o.event == Event::ShminiAtzeret || o.event == Event::SimchatTorah || o.event == Event::Pesach ||
            o.event == Event::Shavuot) {
            days.insert(o.day);
        }
    }
    return days;
}

// The day of the last pair read before Nitzavim, or 0.
Day LastPairDay(const std::vector<Observance>& portions)
{
    Day last = 0;
    for (const Observance& o : portions) {
        if (o.number >= observances::PortionCount && o.number != NitzavimVayeilech) {
            last = o.day;
        }
    }
    return last;
}

TEST(Portions, EveryShabbatOfTheRangeReadsOnceInTheTorahsOrder)
{
    std::set<std::pair<int, int>> kindsSeen;
    for (bool israel : {false, true}) {
        SCOPED_TRACE(israel ? "Israel" : "elsewhere");
        int previous = -1;  // the last portion read before this year
        for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
            SCOPED_TRACE(year);
            std::vector<Observance> holidays = observances::Holidays(year, israel);
            std::vector<Observance> portions = observances::Portions(year, israel);
            std::set<Day> festivals = FestivalDays(holidays);
            Day first = observances::DayOf(1, M::Tishri, year);
            Day end = observances::DayOf(1, M::Tishri, year + 1);
            kindsSeen.insert({Weekday(first), static_cast<int>(end - first)});

            std::size_t next = 0;
            for (Day day = first; day < end; ++day) {
                bool read = next < portions.size() && portions[next].day == day;
                if (Weekday(day) != Shabbat || festivals.count(day) != 0) {
                    ASSERT_FALSE(read) << "a reading on day " << day;
                    continue;
                }
                ASSERT_TRUE(read) << "no reading on Shabbat " << day;
                const Observance& o = portions[next++];
                ASSERT_EQ(o.event, Event::Parsha);
                ASSERT_GE(o.number, 0);
                ASSERT_LT(o.number, observances::ReadingCount);
                // Ha'Azinu is followed by Bereshit; Vezot Haberakhah is read on Simchat Torah.
                int expected = previous == HaAzinu ? 0 : previous + 1;
                if (previous >= 0) {
                    ASSERT_EQ(observances::FirstPortion(o.number), expected) << "after " << previous;
                }
                previous = observances::LastPortion(o.number);
            }
            ASSERT_EQ(next, portions.size());
            // The year closes its cycle: Nitzavim, alone or with Vayeilech, before Rosh Hashana.
            ASSERT_EQ(observances::FirstPortion(portions.back().number), 50);
        }
    }
    EXPECT_EQ(kindsSeen.size(), 14u);
}

TEST(Portions, IsraelAndElsewhereAgreeAfterTheLastPair)
{
    int yearsApart = 0;
    for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
        SCOPED_TRACE(year);
        std::vector<Observance> elsewhere = observances::Portions(year, false);
        std::vector<Observance> israel = observances::Portions(year, true);
        Day from = std::max(LastPairDay(elsewhere), LastPairDay(israel));
        auto after = [from](std::vector<Observance> list) {
            std::vector<std::pair<Day, int>> tail;
            for (const Observance& o : list) {
                if (o.day > from) {
                    tail.emplace_back(o.day, o.number);
                }
            }
            return tail;
        };
        ASSERT_EQ(after(elsewhere), after(israel));
        // Before Pesach both read alike too: only Pesach's eighth day and Shavuot's second part them.
        Day pesach = observances::DayOf(15, M::Nisan, year);
        auto before = [pesach](const std::vector<Observance>& list) {
            std::vector<std::pair<Day, int>> head;
            for (const Observance& o : list) {
                if (o.day < pesach) {
                    head.emplace_back(o.day, o.number);
                }
            }
            return head;
        };
        ASSERT_EQ(before(elsewhere), before(israel));
        yearsApart += elsewhere.size() != israel.size() ? 1 : 0;
    }
    EXPECT_GT(yearsApart, 0);
}

TEST(Molad, EachMonthsMoladAgreesWithTheYearStructure)
{
    // The whole parts count the same molad as the engine's days, whose whole part steps up at the
    // noon a day and a half after the midnight the parts count from.
    constexpr std::int64_t perDay = 25920;
    for (std::int64_t months = static_cast<std::int64_t>(engine::MonthsBeforeYear(engine::FirstHebrewYear));
         months <= static_cast<std::int64_t>(engine::MonthsBeforeYear(engine::LastHebrewYear + 1)); ++months) {
        std::int64_t parts = engine::MoladPartsFromMidnight(months) + perDay * 3 / 2;
        std::int64_t days = parts / perDay - (parts % perDay < 0 ? 1 : 0);  // rounded down (year 0)
        ASSERT_EQ(days, static_cast<std::int64_t>(engine::RoundDown(engine::MoladDays(static_cast<double>(months)))))
            << months;
    }
    for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
        SCOPED_TRACE(year);
        // Rosh Hashana is the molad's day or up to two days later.
        observances::MoladTime tishri = observances::MoladOf(M::Tishri, year);
        Day newYear = observances::DayOf(1, M::Tishri, year);
        ASSERT_GE(newYear - tishri.day, 0);
        ASSERT_LE(newYear - tishri.day, 2);
        ASSERT_EQ(tishri.weekday, Weekday(tishri.day));

        // A Shabbat Mevarchim and its molad for every month after Tishri, on the last Shabbat before
        // its first day of Rosh Chodesh; then the next Tishri's molad alone.
        std::map<M, std::pair<Day, int>> roshChodesh;  // first day, days
        for (const Observance& o : observances::Holidays(year, false)) {
            if (o.event == Event::RoshChodesh && o.number <= 1) {
                roshChodesh[o.month] = {o.day, o.number == 1 ? 2 : 1};
            }
        }
        std::vector<Observance> moladot = observances::Moladot(year);
        ASSERT_EQ(moladot.size(), 2 * roshChodesh.size() + 1);
        for (std::size_t i = 0; i + 1 < moladot.size(); i += 2) {
            const Observance& blessing = moladot[i];
            const Observance& molad = moladot[i + 1];
            ASSERT_EQ(blessing.event, Event::ShabbatMevarchim);
            ASSERT_EQ(molad.event, Event::Molad);
            ASSERT_EQ(molad.day, blessing.day);
            ASSERT_EQ(molad.month, blessing.month);
            auto [firstDay, days] = roshChodesh.at(blessing.month);
            ASSERT_EQ(Weekday(blessing.day), Shabbat);
            ASSERT_GE(firstDay - blessing.day, 1);
            ASSERT_LE(firstDay - blessing.day, 7);
            ASSERT_EQ(blessing.number, days);
            ASSERT_EQ(molad.molad.day, observances::MoladOf(blessing.month, year).day);
        }
        const Observance& last = moladot.back();
        ASSERT_EQ(last.month, M::Tishri);
        ASSERT_EQ(last.molad.day, observances::MoladOf(M::Tishri, year + 1).day);
        ASSERT_LT(last.day, observances::DayOf(1, M::Tishri, year + 1));
        ASSERT_GE(last.day + 7, observances::DayOf(1, M::Tishri, year + 1));
    }
}

TEST(Omer, FortyNineDaysFromPesachsSecondDayToShavuot)
{
    for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
        SCOPED_TRACE(year);
        std::map<Event, Day> first;
        for (const Observance& o : observances::Holidays(year, false)) {
            first.try_emplace(o.event, o.day);
        }
        std::vector<Observance> omer = observances::OmerDays(year);
        ASSERT_EQ(omer.size(), 49u);
        for (std::size_t i = 0; i < omer.size(); ++i) {
            ASSERT_EQ(omer[i].number, static_cast<int>(i) + 1);
            ASSERT_EQ(omer[i].day, first[Event::Pesach] + 1 + static_cast<Day>(i));
        }
        ASSERT_EQ(omer[32].day, first[Event::LagBaOmer]);
        ASSERT_EQ(omer[48].day + 1, first[Event::Shavuot]);
    }
}

// Every day of the range, the day's events are its own year's on that day; asked once more for
// the other place in between, so that a kept year serves only its own place.
TEST(EventsOfDay, EveryDayOfTheRangeIsWhatItsYearSays)
{
    for (int year = engine::FirstHebrewYear; year <= engine::LastHebrewYear; ++year) {
        SCOPED_TRACE(year);
        bool israel = year % 2 == 1;
        std::multiset<std::pair<Day, Event>> expected;
        auto add = [&expected](const std::vector<Observance>& list) {
            for (const Observance& o : list) {
                if (o.event != Event::Molad) {
                    expected.insert({o.day, o.event});
                }
            }
        };
        add(observances::Holidays(year, israel));
        add(observances::Portions(year, israel));
        add(observances::Moladot(year));
        add(observances::OmerDays(year));

        std::multiset<std::pair<Day, Event>> seen;
        Day end = observances::DayOf(1, M::Tishri, year + 1);
        for (Day day = observances::DayOf(1, M::Tishri, year); day < end; ++day) {
            for (const Observance& o : observances::EventsOfDay(day, israel)) {
                ASSERT_EQ(o.day, day);
                seen.insert({o.day, o.event});
            }
            if (day % 97 == 0) {
                for (const Observance& o : observances::EventsOfDay(day, !israel)) {
                    ASSERT_EQ(o.day, day);
                }
            }
        }
        ASSERT_EQ(seen, expected);
    }
}

struct NameCase {
    const char* note;
    Observance observance;
    const char* latin;
    const char* hebrew;
};

TEST(Names, TheWeeksEventsInLatinAndHebrew)
{
    observances::MoladTime tevet{0, 3, 11, 27, 5};
    observances::MoladTime earlyOnePart{0, 0, 0, 5, 1};
    const NameCase cases[] = {
        {"a portion", {0, Event::Parsha, 1}, "Parashat Noach", "פרשת נח"},
        {"a pair", {0, Event::Parsha, 54}, "Parashat Vayakhel-Pekudei", "פרשת ויקהל-פקודי"},
        {"the last pair", {0, Event::Parsha, 60}, "Parashat Nitzavim-Vayeilech", "פרשת נצבים-וילך"},
        {"a portion of two words", {0, Event::Parsha, 28}, "Parashat Achrei Mot", "פרשת אחרי מות"},
        {"Shabbat Mevarchim", {0, Event::ShabbatMevarchim, 2, M::Tevet}, "Shabbat Mevarchim Tevet", "שבת מברכים טבת"},
        {"the first Adar", {0, Event::ShabbatMevarchim, 2, M::AdarI}, "Shabbat Mevarchim Adar I", "שבת מברכים אדר א׳"},
        {"a molad", {0, Event::Molad, 0, M::Tevet, tevet}, "Molad Tevet: Wednesday 11:27 and 5 parts",
         "מולד טבת: יום רביעי 11:27 ו־5 חלקים"},
        {"a molad at midnight, one part", {0, Event::Molad, 0, M::Nisan, earlyOnePart},
         "Molad Nisan: Sunday 0:05 and 1 part", "מולד ניסן: יום ראשון 0:05 וחלק אחד"},
        {"the omer", {0, Event::Omer, 33}, "Omer 33", "יום ל״ג לעומר"},
        {"the omer's first day", {0, Event::Omer, 1}, "Omer 1", "יום א׳ לעומר"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(observances::LatinName(c.observance), c.latin);
        EXPECT_EQ(observances::HebrewName(c.observance), c.hebrew);
    }
}

}  // namespace
