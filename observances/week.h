#pragma once
// The week and the month of a Hebrew year: the portion read on each Shabbat, in Israel and
// elsewhere; the molad of each month and the Shabbat that announces it; the days of the omer;
// and everything one day is. Each list is in day order, of Observances as Holidays gives them,
// so that a caller can merge any of them with the holidays by day.
//
// Years: the lists are made for every year of the supported range, engine::FirstHebrewYear ...
// engine::LastHebrewYear (0 ... 6001), by the same rules: year 0 is the calendar's own leap year
// of 384 days from a Tuesday, and both ends are years of the fourteen kinds the portions know,
// though their neighbours are outside the range (the molad of Tishri 6002 closes 6001's list).
// They are meant for 1 ... 6000. A year or day outside the range breaks the contract: checked
// builds stop there, Release builds compute on past the range.

#include <string>
#include <vector>

#include "engine/hebrew_date.h"
#include "observances/observances.h"

namespace observances {

// The readings of a Shabbat: 0 Bereshit ... 53 Vezot Haberakhah, one portion each (Vezot
// Haberakhah is read on Simchat Torah, never on a Shabbat), then 54 ... 60 the seven pairs read
// together in the shorter years: 54 Vayakhel-Pekudei, 55 Tazria-Metzora, 56 Achrei Mot-Kedoshim,
// 57 Behar-Bechukotai, 58 Chukat-Balak, 59 Matot-Masei, 60 Nitzavim-Vayeilech.
inline constexpr int PortionCount = 54;
inline constexpr int ReadingCount = 61;

// The first and the last portion a reading holds (the same for a single portion). A reading
// outside 0 ... 60 breaks the contract.
int FirstPortion(int reading);
int LastPortion(int reading);

// The reading's name, as Debian's hebcal -s writes it ("Lech-Lecha", "Sh'lach", a pair joined by
// a hyphen "Vayakhel-Pekudei"), and in Hebrew, UTF-8 ("לך לך", "ויקהל-פקודי").
std::string ReadingLatinName(int reading);
std::string ReadingHebrewName(int reading);

// The reading of every Shabbat of `year` (1 Tishri ... 29 Elul) that is no festival day: an
// Observance of event Parsha, `number` the reading. A Shabbat of Rosh Hashana, Yom Kippur,
// Sukkot and its middle days, Shmini Atzeret and Simchat Torah, Pesach and its middle days or
// Shavuot reads the festival's own portion and has none here. Which pairs a year joins depends
// on its kind (weekday of Rosh Hashana, length, leap) and the place: in Israel the eighth day of
// Pesach and the second of Shavuot are weekdays, and Israel reads one portion ahead until a pair
// joined elsewhere is read apart there.
std::vector<Observance> Portions(int year, bool israel);

// The molad of the month `month` of `year`, which the year must have: its Hebrew day and its
// time. The time is that of the clock, though the day is named as it began at 6 pm: a molad at
// 23:26 on a Saturday night is "Sunday 23:26".
MoladTime MoladOf(HebrewMonth month, int year);

// The Shabbat before each Rosh Chodesh of `year` after Tishri and its molad: for Heshvan ...
// Elul an Observance ShabbatMevarchim (`month` the new month, `number` its days of Rosh Chodesh,
// 1 or 2) and one of event Molad (`month`, `molad`) on the same day, the last Shabbat before the
// first day of Rosh Chodesh (when Rosh Chodesh begins on a Shabbat, the Shabbat before). Tishri
// is blessed on no Shabbat; the molad of the next year's Tishri closes the list, on the year's
// last Shabbat, with no Shabbat Mevarchim.
std::vector<Observance> Moladot(int year);

// The count of the omer: the 49 days 16 Nisan ... 5 Sivan, each counted the evening before, as
// Observances Omer with `number` 1 ... 49.
std::vector<Observance> OmerDays(int year);

// Everything `day` is, in the order of the year: its holiday days and Rosh Chodesh (Holidays),
// then the portion if it is a Shabbat, Shabbat Mevarchim, and the day of the omer. No molad.
// For every day of the supported range; each thread keeps the last year it made for each place,
// so a walk over consecutive days makes each year's lists once.
std::vector<Observance> EventsOfDay(Day day, bool israel);

}  // namespace observances
