#include <algorithm>
#include <array>
#include <cassert>

#include "engine/hebrew_date.h"
#include "engine/contract.h"
#include "observances/week_internal.h"

namespace observances {

namespace {

using M = HebrewMonth;

// The seven pairs as bits, in the order of their readings 54 ... 60.
constexpr unsigned VP = 1u << 0;  // Vayakhel-Pekudei
constexpr unsigned TM = 1u << 1;  // Tazria-Metzora
constexpr unsigned AK = 1u << 2;  // Achrei Mot-Kedoshim
constexpr unsigned BB = 1u << 3;  // Behar-Bechukotai
constexpr unsigned CB = 1u << 4;  // Chukat-Balak
constexpr unsigned MM = 1u << 5;  // Matot-Masei
constexpr unsigned NV = 1u << 6;  // Nitzavim-Vayeilech

// The first portion of each pair: Vayakhel, Tazria, Achrei Mot, Behar, Chukat, Matot, Nitzavim.
constexpr std::array<int, 7> PairFirst = {21, 26, 28, 31, 38, 41, 50};
constexpr int FirstPair = PortionCount;
constexpr int Vayeilech = 51;
constexpr int HaAzinu = 52;

// The fourteen kinds of year, each with the pairs it joins elsewhere and in Israel. A kind is
// named by three letters: the weekday of Rosh Hashana, the year deficient, regular or complete
// (ח, כ, ש), and the weekday of Pesach, which follows from the first two. Elsewhere the eighth
// day of a Pesach begun on Shabbat, and the second day of Shavuot after a Pesach begun on
// Thursday, are Shabbatot of a festival; in Israel they read the week's portion, and Israel joins
// one pair fewer to wait for the others: Behar-Bechukotai (Matot-Masei in a leap year) after
// such a Pesach, Chukat-Balak after such a Shavuot.
struct YearKind {
    int weekday;  // of 1 Tishri: 1 Monday, 2 Tuesday, 4 Thursday, 6 Shabbat
    int length;   // days
    unsigned elsewhere;
    unsigned israel;
};
constexpr std::array<YearKind, 14> Kinds = {{
    {1, 353, VP | TM | AK | BB | MM | NV, VP | TM | AK | BB | MM | NV},       // בחג
    {1, 355, VP | TM | AK | BB | CB | MM | NV, VP | TM | AK | BB | MM | NV},  // בשה
    {2, 354, VP | TM | AK | BB | CB | MM | NV, VP | TM | AK | BB | MM | NV},  // גכה
    {4, 354, VP | TM | AK | BB | MM, VP | TM | AK | MM},                     // הכז
    {4, 355, TM | AK | BB | MM, TM | AK | BB | MM},                          // השא
    {6, 353, VP | TM | AK | BB | MM, VP | TM | AK | BB | MM},                // זחא
    {6, 355, VP | TM | AK | BB | MM | NV, VP | TM | AK | BB | MM | NV},      // זשג
    {1, 383, CB | MM | NV, MM | NV},                                         // בחה, leap
    {1, 385, MM, 0},                                                         // בשז
    {2, 384, MM, 0},                                                         // גכז
    {4, 383, 0, 0},                                                          // החא
    {4, 385, NV, NV},                                                        // השג
    {6, 383, MM | NV, MM | NV},                                              // זחג
    {6, 385, CB | MM | NV, MM | NV},                                         // זשה
}};

const YearKind& KindOf(int weekday, int length)
{
    for (const YearKind& kind : Kinds) {
        if (kind.weekday == weekday && kind.length == length) {
            return kind;
        }
    }
    assert(!"every Hebrew year is of one of the fourteen kinds");
    return Kinds[0];
}

// The days whose Shabbat reads the festival's portion instead of the week's.
bool IsFestival(Event event)
{
    switch (event) {
        case Event::RoshHashana:
        case Event::YomKippur:
        case Event::Sukkot:
        case Event::ShminiAtzeret:
        case Event::SimchatTorah:
        case Event::Pesach:
        case Event::Shavuot: return true;
        default: return false;
    }
}

}  // namespace

int FirstPortion(int reading)
{
    DETRON_EXPECTS(reading >= 0 && reading < ReadingCount, "a reading 0 ... 60");
    return reading < FirstPair ? reading : PairFirst[static_cast<std::size_t>(reading - FirstPair)];
}

int LastPortion(int reading)
{
    return reading < FirstPair ? FirstPortion(reading) : FirstPortion(reading) + 1;
}

std::vector<Observance> detail::PortionsAmong(int year, bool israel, const std::vector<Observance>& holidays)
{
    DETRON_EXPECTS(year >= engine::FirstHebrewYear && year <= engine::LastHebrewYear, "a Hebrew year of the supported range, 0 ... 6001");
    Day newYear = DayOf(1, M::Tishri, year);
    Day nextYear = DayOf(1, M::Tishri, year + 1);
    const YearKind& kind = KindOf(Weekday(newYear), static_cast<int>(nextYear - newYear));
    unsigned joined = israel ? kind.israel : kind.elsewhere;

    std::vector<Day> festivals;
    Day simchatTorah = newYear;
    for (const Observance& holiday : holidays) {
        if (IsFestival(holiday.event) && Weekday(holiday.day) == Shabbat) {
            festivals.push_back(holiday.day);
        }
        if (holiday.event == Event::SimchatTorah) {
            simchatTorah = holiday.day;
        }
    }
    std::vector<Day> shabbatot;
    for (Day day = newYear + (Shabbat - Weekday(newYear)); day < nextYear; day += 7) {
        if (std::find(festivals.begin(), festivals.end(), day) == festivals.end()) {
            shabbatot.push_back(day);
        }
    }

    // The Shabbatot before Bereshit end the last cycle, with Ha'Azinu last: one, or two when the
    // year before left Vayeilech too.
    std::vector<Observance> list;
    std::size_t next = 0;
    while (next < shabbatot.size() && shabbatot[next] < simchatTorah) {
        ++next;
    }
    assert(next == 1 || next == 2);
    for (std::size_t i = 0; i < next; ++i) {
        list.push_back({shabbatot[i], Event::Parsha, next == 2 && i == 0 ? Vayeilech : HaAzinu});
    }
    int portion = 0;
    for (; next < shabbatot.size(); ++next) {
        int reading = portion;
        for (std::size_t pair = 0; pair < PairFirst.size(); ++pair) {
            if (PairFirst[pair] == portion && (joined >> pair & 1u) != 0) {
                reading = FirstPair + static_cast<int>(pair);
            }
        }
        list.push_back({shabbatot[next], Event::Parsha, reading});
        portion = LastPortion(reading) + 1;
    }
    assert(portion == Vayeilech || portion == HaAzinu);  // the year ends with Nitzavim
    return list;
}

std::vector<Observance> Portions(int year, bool israel)
{
    return detail::PortionsAmong(year, israel, Holidays(year, israel));
}

}  // namespace observances
