#pragma once
// One output line per day, written into a caller's buffer without allocating: plain text,
// CSV with a header row, or JSON Lines; or one all-day event of an iCalendar calendar. Hebrew
// texts are the window's numerals and month names in UTF-8 and logical order; a year below 1000
// is written in digits. A line may name an anniversary or holiday of its day, and may stand for
// the evening of its civil day, which belongs to the next Hebrew day.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cli/civil_calendars.h"
#include "observances/observances.h"

namespace cli {

enum class Format { Text, Csv, Json, Ics };

// Which fields beyond the day's own the lines carry.
struct Columns {
    bool events = false;      // event and eventHebrew
    bool afterSunset = false;  // afterSunset: the civil date is the evening before the Hebrew date
};

// What a line says besides its day.
struct LineExtras {
    const observances::Observance* event = nullptr;
    bool evening = false;  // the civil day's evening: the Hebrew date is the next day's
    std::string_view uidKey;  // told apart in iCalendar's UID: an anniversary's own date
};

class DayFormatter {
public:
    // The longest line Write can produce.
    static constexpr std::size_t MaxLineBytes = 1024;

    DayFormatter(Format format, const CivilCalendar& calendar, Columns columns = {});

    // The CSV header row or the calendar's beginning; empty for the other formats.
    std::string Header() const;
    // The calendar's end; empty for the other formats.
    std::string Footer() const;

    // Writes the line of `day` with its newline, into at least MaxLineBytes of space; returns
    // the end. The day (the next one for an evening) lies within FirstSupportedDay ...
    // LastSupportedDay, and for iCalendar IcsCanHold it.
    // Inline: it runs for every line, and most lines are the day alone.
    char* Write(Day day, char* out, const LineExtras& extras = {})
    {
        if (format_ == Format::Ics) [[unlikely]] {
            return WriteIcs(day, out, extras);
        }
        out = WriteDay(day, extras.evening ? day + 1 : day, out);
        if (!columns_.events && !columns_.afterSunset && !extras.evening && extras.event == nullptr) [[likely]] {
            return out;
        }
        return PutExtras(out, extras);
    }

private:
    // The texts of a Hebrew date as UTF-8, prepared once; year texts on first use.
    const std::string& YearText(int year);

    char* WriteDay(Day day, Day hebrewDay, char* out);
    char* PutExtras(char* out, const LineExtras& extras);
    char* WriteIcs(Day day, char* out, const LineExtras& extras);

    Format format_;
    CivilCalendar calendar_;
    Columns columns_;
    std::string stamp_;  // iCalendar's DTSTAMP
    std::array<std::string, 31> dayTexts_;        // 1 ... 30
    std::array<std::string, 14> commonMonthTexts_;  // positions 1 ... 12
    std::array<std::string, 14> leapMonthTexts_;    // positions 1 ... 13
    std::vector<std::string> yearTexts_;
    std::vector<char> yearTextReady_;
    int leapYear_ = -1;  // the year last asked about, and whether it has 13 months
    bool leap_ = false;
};

}  // namespace cli
