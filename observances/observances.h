#pragma once
// On which days a Hebrew date comes back in later years, and the holidays and fasts of a Hebrew
// year: birthdays and yahrzeits by the rules of Reingold and Dershowitz (Calendrical
// Calculations), the fasts moved off Shabbat, and the modern days from their first years by the
// rules in force in each year. Days are the engine's day numbers in whole numbers. The week and
// the month (portions, molad, omer) are in observances/week.h.

#include <string>
#include <vector>

#include "engine/civil_days.h"
#include "hebrew_text/month_names.h"

namespace observances {

using Day = engine::WholeDay;
using hebrew_text::HebrewMonth;

// A Hebrew date with its month named, as the rules speak of it: Adar in a common year, Adar I
// and Adar II in a leap year.
struct HebrewDay {
    int day;
    HebrewMonth month;
    int year;
};

// The Hebrew date of a day, for days of the years the engine tables (0 ... 6001).
HebrewDay HebrewDayOf(Day day);

// The day of `day` `month` `year`; a day past the end of the month counts on into the next
// (30 Kislev of a year whose Kislev has 29 days is 1 Tevet). The month must be one the year has.
Day DayOf(int day, HebrewMonth month, int year);

bool IsLeapYear(int year);

// The length of a month of a year (29 or 30); 0 for a month the year does not have.
int MonthLength(HebrewMonth month, int year);

// 0 Sunday ... 6 Shabbat.
int Weekday(Day day);
inline constexpr int Shabbat = 6;

// The day on which someone born on `born` has a Hebrew birthday in `year`.
Day Birthday(const HebrewDay& born, int year);

// The day of the yahrzeit, in `year`, of a death on `died`.
Day Yahrzeit(const HebrewDay& died, int year);

enum class Event {
    RoshHashana, TzomGedaliah, YomKippur, Sukkot, ShminiAtzeret, SimchatTorah, Chanukah, AsaraBTevet,
    TuBiShvat, TaanitEsther, Purim, ShushanPurim, Pesach, LagBaOmer, Shavuot, TzomTammuz, TishaBAv,
    RoshChodesh, YomHaShoah, YomHaZikaron, YomHaAtzmaut, YomYerushalayim, Birthday, Yahrzeit,
    // The week and the month (observances/week.h).
    Parsha, ShabbatMevarchim, Molad, Omer,
};

// A molad as it is announced: the Hebrew day it falls in (begun at 6 pm of the evening before)
// and its time by the clock of Jerusalem's mean time.
struct MoladTime {
    Day day = 0;
    int weekday = 0;  // of `day`, 0 Sunday ... 6 Shabbat
    int hour = 0;     // 0 ... 23
    int minute = 0;   // 0 ... 59
    int parts = 0;    // 0 ... 17, 18 to a minute
};

struct Observance {
    Day day;
    Event event;
    // The day of a many-day holiday (1 ...) or of a two-day Rosh Chodesh, 0 for a single day;
    // the count of years for a birthday or yahrzeit; the reading of a Parsha, the days of Rosh
    // Chodesh (1 or 2) of a Shabbat Mevarchim, the day of the omer (1 ... 49).
    int number = 0;
    HebrewMonth month = HebrewMonth::Tishri;  // the month a Rosh Chodesh, Shabbat Mevarchim or Molad names
    MoladTime molad = {};                     // of a Molad: its month's molad
};

// The first Hebrew years of the modern days, as calendars list them: Yom HaZikaron and
// Yom HaAtzma'ut from 5709 (1949), Yom HaShoah from 5711 (1951), Yom Yerushalayim from 5728
// (1968); and the first year in which a Monday 5 Iyar moves them to Monday and Tuesday, 5764.
inline constexpr int FirstYearOfYomHaAtzmaut = 5709;
inline constexpr int FirstYearOfYomHaShoah = 5711;
inline constexpr int FirstYearOfYomYerushalayim = 5728;
inline constexpr int FirstYearOfMondayMove = 5764;

// Every holiday and fast of a Hebrew year (1 Tishri ... 29 Elul), in day order; days of the
// same day in the order of the year. In Israel Pesach has 7 days, Shavuot 1, and Simchat
// Torah is Shmini Atzeret; elsewhere Pesach has 8, Shavuot 2, and Simchat Torah follows.
std::vector<Observance> Holidays(int year, bool israel);

// "Pesach 1", "Rosh Chodesh Adar II 2", "Birthday 13".
std::string LatinName(const Observance& observance);
// The same in Hebrew, UTF-8, with the numerals' geresh and gershayim marks: "פסח א׳",
// "ראש חודש אדר ב׳ יום ב׳", "יום הולדת 13".
std::string HebrewName(const Observance& observance);

}  // namespace observances
