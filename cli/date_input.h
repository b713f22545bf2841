#pragma once
// Reading one date as a person types it or another program writes it: an ISO civil date with
// astronomical years ("2024-04-23", "-0001-12-31"), "today", or a Hebrew day, month and year
// ("15 Nisan 5784", "ט״ו ניסן תשפ״ד", "ט״ו נִיסָן ה׳ תשפ״ד") in UTF-8. The Hebrew words are read by
// hebrew_text/reading.h.

#include <optional>
#include <string>
#include <string_view>

#include "cli/civil_calendars.h"
#include "engine/hebrew_date.h"
#include "hebrew_text/month_names.h"

namespace cli {

// The days the reader accepts: the engine's supported range, -3761-09-19 to 2241-09-06 in the
// window's calendar.
using engine::FirstHebrewYear;
using engine::FirstSupportedDay;
using engine::LastHebrewYear;
using engine::LastSupportedDay;

struct ReadResult {
    bool ok = false;
    Day day = 0;
    std::string error;  // why the date was refused, when !ok
    bool civil = false;  // read as a civil date or "today", not a Hebrew one
};

class DateReader {
public:
    // `today` is the local date as the clock gives it, in the Gregorian calendar, nothing when the
    // clock could not be read. With `carry`, days past the end of their month and days the change
    // of calendar skipped count on as the window counts them; Adar II of a common year is then
    // read as the month after Adar. `offerCarry` adds to a refusal that --carry would count it on.
    DateReader(const CivilCalendar& calendar, bool carry, std::optional<CivilLabel> today, bool offerCarry = true);

    ReadResult Read(std::string_view text) const;

private:
    std::optional<ReadResult> ReadCivilText(std::string_view text) const;
    ReadResult ReadCivil(CivilLabel date) const;
    ReadResult ReadHebrewWords(std::string_view text) const;
    // The month named by `monthText`, already found.
    ReadResult ReadHebrew(std::string_view dayText, hebrew_text::HebrewMonth month, std::string_view monthText,
                          std::string_view yearText) const;
    ReadResult InRange(Day day) const;
    std::string CarryHint() const;

    CivilCalendar calendar_;
    bool carry_;
    std::optional<CivilLabel> today_;
    bool offerCarry_;
};

// A piece of input for a message, in double quotes: at most 40 bytes of it, not cut inside a
// UTF-8 sequence, "..." marking the cut.
std::string Quoted(std::string_view text);


}  // namespace cli
