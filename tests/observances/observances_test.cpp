// Birthdays, yahrzeits and holidays held to the reference Hebrew calendar of the engine's tests,
// which counts the molad in whole parts and knows nothing of the library: its month lengths in
// list order, and the rules written here once more in terms of list positions.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "engine/civil_days.h"
#include "observances/observances.h"
#include "tests/engine/reference_calendars.h"

namespace {

using observances::Day;
using observances::Event;
using observances::Observance;

// Day `day` of list position `position` of `year`, counting on past the month's end.
Day ReferenceDay(int year, int position, int day)
{
    std::vector<int> lengths = reference::HebrewMonthLengths(year);
    Day first = reference::HebrewNewYear(year);
    for (int p = 1; p < position; ++p) {
        first += lengths[p - 1];
    }
    return first + day - 1;
}

bool Leap(int year)
{
    return reference::HebrewMonthLengths(year).size() == 13;
}

// Adar in a common year, Adar II in a leap year.
int LastAdar(int year)
{
    return Leap(year) ? 7 : 6;
}

// The same month's position in another year: Nisan ... Elul move by one between common and leap
// years, and the first Adar and the Adar of a common year stand for each other.
int SamePosition(int position, int fromYear, int toYear)
{
    int afterAdar = Leap(fromYear) ? 8 : 7;
    return position >= afterAdar ? position - afterAdar + (Leap(toYear) ? 8 : 7) : position;
}

Day ReferenceBirthday(int position, int day, int bornYear, int year)
{
    if (position == LastAdar(bornYear)) {
        return ReferenceDay(year, LastAdar(year), day);
    }
    return ReferenceDay(year, SamePosition(position, bornYear, year), day);
}

Day ReferenceYahrzeit(int position, int day, int diedYear, int year)
{
    std::vector<int> next = reference::HebrewMonthLengths(diedYear + 1);
    if (day == 30 && (position == 2 || position == 3) && next[position - 1] == 29) {
        return ReferenceDay(year, position + 1, 1) - 1;  // 30 Heshvan, 30 Kislev
    }
    if (Leap(diedYear) && position == 7) {
        return ReferenceDay(year, LastAdar(year), day);  // Adar II
    }
    if (Leap(diedYear) && position == 6 && day == 30 && !Leap(year)) {
        return ReferenceDay(year, 5, 30);  // 30 Adar I: 30 Shevat
    }
    return ReferenceDay(year, SamePosition(position, diedYear, year), day);
}

int YearLength(int year)
{
    return static_cast<int>(reference::HebrewNewYear(year + 1) - reference::HebrewNewYear(year));
}

// Every day of every Hebrew year 5500 ... 5700 as a birth and as a death, each kept in the eight
// years after it; between them these hold every pair of a year length and the length of the
// year after it that the calendar has.
TEST(Anniversaries, EveryDayOfTwoCenturiesAgainstTheReferenceCalendar)
{
    std::set<std::pair<int, int>> pairsSeen;
    for (int year = 5500; year <= 5700; ++year) {
        pairsSeen.insert({YearLength(year), YearLength(year + 1)});
        std::vector<int> lengths = reference::HebrewMonthLengths(year);
        for (int position = 1; position <= static_cast<int>(lengths.size()); ++position) {
            for (int day = 1; day <= lengths[position - 1]; ++day) {
                observances::HebrewDay date = observances::HebrewDayOf(ReferenceDay(year, position, day));
                ASSERT_EQ(date.year, year);
                ASSERT_EQ(date.day, day);
                for (int later = year + 1; later <= year + 8; ++later) {
                    ASSERT_EQ(observances::Birthday(date, later), ReferenceBirthday(position, day, year, later))
                        << "born " << day << "/" << position << "/" << year << ", in " << later;
                    ASSERT_EQ(observances::Yahrzeit(date, later), ReferenceYahrzeit(position, day, year, later))
                        << "died " << day << "/" << position << "/" << year << ", in " << later;
                }
            }
        }
    }
    std::set<std::pair<int, int>> pairsThatExist;
    for (int year = 1; year <= 6000; ++year) {
        pairsThatExist.insert({YearLength(year), YearLength(year + 1)});
    }
    EXPECT_EQ(pairsSeen, pairsThatExist);
}

// Days as they were kept, from printed calendars.
TEST(Holidays, DaysAsTheyWereKept)
{
    auto find = [](int year, bool israel, const std::string& name) -> engine::CivilLabel {
        for (const Observance& o : observances::Holidays(year, israel)) {
            if (observances::LatinName(o) == name) {
                return engine::GregorianOfDay(o.day);
            }
        }
        return {};
    };
    EXPECT_EQ(find(5784, false, "Ta'anit Esther"), (engine::CivilLabel{2024, 3, 21}));  // off Shabbat
    EXPECT_EQ(find(5784, false, "Rosh Chodesh Adar II 1"), (engine::CivilLabel{2024, 3, 10}));
    EXPECT_EQ(find(5784, false, "Pesach 8"), (engine::CivilLabel{2024, 4, 30}));
    EXPECT_EQ(find(5784, false, "Yom HaShoah"), (engine::CivilLabel{2024, 5, 6}));     // off Sunday
    EXPECT_EQ(find(5784, false, "Yom HaZikaron"), (engine::CivilLabel{2024, 5, 13}));  // off Sunday
    EXPECT_EQ(find(5784, false, "Yom HaAtzma'ut"), (engine::CivilLabel{2024, 5, 14}));
    EXPECT_EQ(find(5784, false, "Shavuot 2"), (engine::CivilLabel{2024, 6, 13}));
    EXPECT_EQ(find(5785, false, "Simchat Torah"), (engine::CivilLabel{2024, 10, 25}));
    EXPECT_EQ(find(5785, true, "Simchat Torah"), (engine::CivilLabel{2024, 10, 24}));
    EXPECT_EQ(find(5785, false, "Yom HaShoah"), (engine::CivilLabel{2025, 4, 24}));  // off Friday
    EXPECT_EQ(find(5785, false, "Yom HaAtzma'ut"), (engine::CivilLabel{2025, 5, 1}));  // off Friday
    EXPECT_EQ(find(5782, false, "Tish'a B'Av"), (engine::CivilLabel{2022, 8, 7}));   // off Shabbat
    EXPECT_EQ(find(5785, true, "Shavuot"), (engine::CivilLabel{2025, 6, 2}));
}

// Where each holiday falls in its year, in list positions of a common year (a leap year's Adar II
// and later months one further on), and on which weekdays it may fall (bit 0 Sunday ... bit 6
// Shabbat). A fast on Shabbat is kept on another day `moved` days away.
struct Rule {
    Event event;
    int position, day;
    unsigned weekdays;
    int moved = 0;
};
constexpr unsigned Any = 0x7f;
constexpr unsigned NotShabbat = 0x3f;

TEST(Holidays, EachOnItsDayAndWeekdayOverFiveCenturies)
{
    const std::vector<Rule> rules = {
        {Event::RoshHashana, 1, 1, 0b1010110},  // Monday, Tuesday, Thursday, Shabbat
        {Event::TzomGedaliah, 1, 3, NotShabbat, 1},
        {Event::YomKippur, 1, 10, 0b1011010},  // Monday, Wednesday, Thursday, Shabbat
        {Event::Sukkot, 1, 15, Any},
        {Event::ShminiAtzeret, 1, 22, Any},
        {Event::Chanukah, 3, 25, Any},
        {Event::AsaraBTevet, 4, 10, NotShabbat},
        {Event::TuBiShvat, 5, 15, Any},
        {Event::TaanitEsther, 6, 13, NotShabbat, -2},
        {Event::Purim, 6, 14, 0b0110101},  // Sunday, Tuesday, Thursday, Friday
        {Event::ShushanPurim, 6, 15, Any},
        {Event::Pesach, 7, 15, 0b1010101},  // Sunday, Tuesday, Thursday, Shabbat
        {Event::LagBaOmer, 8, 18, Any},
        {Event::Shavuot, 9, 6, Any},
        {Event::TzomTammuz, 10, 17, NotShabbat, 1},
        {Event::TishaBAv, 11, 9, NotShabbat, 1},
        {Event::YomHaShoah, 7, 27, 0b0011110},     // Monday ... Thursday
        {Event::YomHaAtzmaut, 8, 5, 0b0011100},    // Tuesday ... Thursday
        {Event::YomYerushalayim, 8, 28, Any},
    };
    for (bool israel : {false, true}) {
        for (int year = 5500; year <= 6000; ++year) {
            std::vector<Observance> list = observances::Holidays(year, israel);
            std::map<Event, std::vector<Observance>> byEvent;
            for (std::size_t i = 0; i < list.size(); ++i) {
                ASSERT_TRUE(i == 0 || list[i - 1].day <= list[i].day) << year;
                ASSERT_GE(list[i].day, reference::HebrewNewYear(year));
                ASSERT_LT(list[i].day, reference::HebrewNewYear(year + 1));
                byEvent[list[i].event].push_back(list[i]);
            }
            for (const Rule& rule : rules) {
                const std::vector<Observance>& days = byEvent[rule.event];
                int firstYear = rule.event == Event::YomHaShoah        ? observances::FirstYearOfYomHaShoah
                                : rule.event == Event::YomHaAtzmaut    ? observances::FirstYearOfYomHaAtzmaut
                                : rule.event == Event::YomYerushalayim ? observances::FirstYearOfYomYerushalayim
                                                                       : 0;
                if (year < firstYear) {
                    EXPECT_TRUE(days.empty()) << year;
                    continue;
                }
                ASSERT_FALSE(days.empty()) << static_cast<int>(rule.event) << " " << year;
                int position = rule.position + (Leap(year) && rule.position >= 6 ? 1 : 0);
                Day expected = ReferenceDay(year, position, rule.day);
                Day first = days.front().day;
                int weekday = observances::Weekday(first);
                if (rule.moved != 0 && observances::Weekday(expected) == observances::Shabbat) {
                    expected += rule.moved;
                }
                if (rule.event == Event::YomHaShoah || rule.event == Event::YomHaAtzmaut) {
                    EXPECT_LE(std::abs(first - expected), 2) << year;  // moved by weekday, checked below
                } else {
                    EXPECT_EQ(first, expected) << static_cast<int>(rule.event) << " " << year;
                }
                // Before the Monday move a Monday Yom HaAtzma'ut stayed.
                bool mondayStayed = rule.event == Event::YomHaAtzmaut && year < observances::FirstYearOfMondayMove;
                EXPECT_TRUE((rule.weekdays | (mondayStayed ? 0b10u : 0u)) >> weekday & 1)
                    << static_cast<int>(rule.event) << " " << year;
                for (std::size_t i = 1; i < days.size(); ++i) {
                    EXPECT_EQ(days[i].day, first + static_cast<Day>(i));  // many days in a row
                }
            }
            EXPECT_EQ(byEvent[Event::Pesach].size(), israel ? 7u : 8u);
            EXPECT_EQ(byEvent[Event::Shavuot].size(), israel ? 1u : 2u);
            EXPECT_EQ(byEvent[Event::Chanukah].size(), 8u);
            EXPECT_EQ(byEvent[Event::SimchatTorah].front().day,
                      byEvent[Event::ShminiAtzeret].front().day + (israel ? 0 : 1));
            if (year >= observances::FirstYearOfYomHaAtzmaut) {
                EXPECT_EQ(byEvent[Event::YomHaZikaron].front().day, byEvent[Event::YomHaAtzmaut].front().day - 1);
            }
            // Rosh Chodesh: one day for each month but Tishri, and the 30th of each full month before.
            std::vector<int> lengths = reference::HebrewMonthLengths(year);
            std::size_t expectedRoshChodesh = lengths.size() - 1;
            for (std::size_t m = 0; m + 1 < lengths.size(); ++m) {
                expectedRoshChodesh += lengths[m] == 30 ? 1 : 0;
            }
            EXPECT_EQ(byEvent[Event::RoshChodesh].size(), expectedRoshChodesh) << year;
        }
    }
}

TEST(Names, LatinAndHebrewWithTheDayOfTheHoliday)
{
    Observance pesach{0, Event::Pesach, 1};
    Observance roshChodesh{0, Event::RoshChodesh, 2, hebrew_text::HebrewMonth::AdarII};
    Observance hoshanaRaba{0, Event::Sukkot, 7};
    Observance yahrzeit{0, Event::Yahrzeit, 12};
    EXPECT_EQ(observances::LatinName(pesach), "Pesach 1");
    EXPECT_EQ(observances::HebrewName(pesach), "פסח א׳");
    EXPECT_EQ(observances::LatinName(roshChodesh), "Rosh Chodesh Adar II 2");
    // A day letter right after Adar's name would read as the first or second Adar.
    EXPECT_EQ(observances::HebrewName(roshChodesh), "ראש חודש אדר ב׳ יום ב׳");
    EXPECT_EQ(observances::HebrewName({0, Event::RoshChodesh, 2, hebrew_text::HebrewMonth::AdarI}),
              "ראש חודש אדר א׳ יום ב׳");
    EXPECT_EQ(observances::HebrewName({0, Event::RoshChodesh, 1, hebrew_text::HebrewMonth::Adar}),
              "ראש חודש אדר יום א׳");
    EXPECT_EQ(observances::HebrewName({0, Event::RoshChodesh, 0, hebrew_text::HebrewMonth::Nisan}), "ראש חודש ניסן");
    EXPECT_EQ(observances::LatinName(hoshanaRaba), "Sukkot 7 (Hoshana Raba)");
    EXPECT_EQ(observances::LatinName(yahrzeit), "Yahrzeit 12");
    EXPECT_EQ(observances::HebrewName(yahrzeit), "יארצייט 12");
}

}  // namespace
