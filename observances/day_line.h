#pragma once
// What one day is, in one line of Hebrew: the text a window or a tray shows beside the date.

#include <string>

#include "observances/observances.h"

namespace observances {

// The parts of a day joined by " · ", in UTF-8 logical order: on a Shabbat its portion first
// ("שבת פרשת וישב"), then the day's holidays and Rosh Chodesh, Shabbat Mevarchim with the
// month's molad ("שבת מברכים טבת · מולד טבת: יום רביעי 11:27 ו־5 חלקים") and the day of the
// omer, each named as HebrewName names it. A day that is none of these names the portion of
// the coming Shabbat ("פרשת השבוע: וישב"); the empty text when that Shabbat reads a festival's
// portion. For every day of the supported range (engine::FirstSupportedDay() ...
// engine::LastSupportedDay()), as EventsOfDay; a day outside it breaks the contract.
std::string DayLineHebrew(Day day, bool israel);

}  // namespace observances
