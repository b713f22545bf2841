#pragma once
// Reading one date as a person types it: an ISO civil date with astronomical years
// ("2024-04-23", "-0001-12-31"), "today", or a Hebrew day, month and year ("15 Nisan 5784",
// "ט״ו ניסן תשפ״ד") in UTF-8.

#include <optional>
#include <string>
#include <string_view>

#include "cli/civil_calendars.h"
#include "hebrew_text/month_names.h"

namespace cli {

// Every day of Hebrew years 0 ... 6001: 1 Tishri 0 to 29 Elul 6001, -3761-09-19 to 2241-09-06
// in the window's calendar. It holds the civil years -3760 ... 2240 in every calendar.
inline constexpr int FirstHebrewYear = 0;
inline constexpr int LastHebrewYear = 6001;
Day FirstSupportedDay();
Day LastSupportedDay();

// A month name in any letter case, with or without apostrophes, quotes and the prefix ב: the
// month list's own names (Latin, and Hebrew in UTF-8) and their common variants (Tishrei,
// Cheshvan, Adar 2, חשוון ...). Nothing for a name that is none of them.
std::optional<hebrew_text::HebrewMonth> MonthByName(std::string_view text);

// The value of a Hebrew letter numeral in UTF-8, with or without ' " ׳ ״. In a year, a first
// letter counts thousands when an apostrophe or a letter of greater value follows it, or when
// the rest makes a number only without it ("ה'תשפ״ד" is 5784, "ה'" is 5000, "אא" is 1001); a
// year written without thousands lies in the sixth thousand, as usually written ("תשפ״ד" is
// 5784). -1 for anything that is not a well-formed numeral.
int HebrewNumeralValue(std::string_view text, bool year);

struct ReadResult {
    bool ok = false;
    Day day = 0;
    std::string error;  // why the date was refused, when !ok
};

class DateReader {
public:
    // `today` is the local date as the clock gives it, in the Gregorian calendar. With `carry`,
    // days past the end of their month and days the change of calendar skipped count on as the
    // window counts them; Adar II of a common year is then read as the month after Adar.
    DateReader(const CivilCalendar& calendar, bool carry, CivilLabel today);

    ReadResult Read(std::string_view text) const;

private:
    ReadResult ReadCivil(CivilLabel date) const;
    ReadResult ReadHebrew(std::string_view dayText, std::string_view monthText, std::string_view yearText) const;
    ReadResult InRange(Day day) const;

    CivilCalendar calendar_;
    bool carry_;
    CivilLabel today_;
};

// A piece of input for a message, in double quotes: at most 40 bytes of it, not cut inside a
// UTF-8 sequence, "..." marking the cut.
std::string Quoted(std::string_view text);


}  // namespace cli
