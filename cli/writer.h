#pragma once
// One output line per day, one writer per format: plain text, CSV with a header row, JSON Lines,
// and iCalendar, whose lines are all-day events. A writer writes into a caller's buffer; the
// Hebrew texts are the Hebrew numerals and month names of hebrew_text in UTF-8, prepared once. A
// line may name what its day is (an anniversary, a holiday) and may stand for the evening of its
// civil day, which belongs to the next Hebrew day.

#include <memory>
#include <string>
#include <string_view>

#include "cli/civil_calendars.h"

namespace cli {

enum class Format { Text, Csv, Json, Ics };

// Which fields beyond the day's own every line carries.
struct Columns {
    bool events = false;       // event and eventHebrew
    bool afterSunset = false;  // afterSunset: the civil date is the evening before the Hebrew date
};

// One line: its civil day, whether it stands for that day's evening, and what it marks.
struct Line {
    Line(Day lineDay, bool isEvening = false, std::string_view latin = {}, std::string_view hebrew = {},
         std::string_view key = {})
        : day(lineDay), evening(isEvening), event(latin), eventHebrew(hebrew), uidKey(key)
    {
    }
    Day day;
    bool evening;
    std::string_view event;        // in Latin letters; empty for nothing
    std::string_view eventHebrew;  // the same in Hebrew
    std::string_view uidKey;       // told apart in iCalendar's UID: an anniversary's own date
};

class Writer {
public:
    // The longest line Write can produce.
    static constexpr std::size_t MaxLineBytes = 4096;

    virtual ~Writer() = default;
    // The CSV header row or the calendar's beginning; empty for the other formats.
    virtual std::string Header() const { return {}; }
    // The calendar's end; empty for the other formats.
    virtual std::string Footer() const { return {}; }
    // Why the day cannot be written in this format; empty when it can.
    virtual std::string Refusal(Day /*day*/) const { return {}; }
    // The days the format can hold, when it cannot hold every one: "iCalendar holds ...".
    virtual std::string_view Limits() const { return {}; }
    // Writes the line with its newline into at least MaxLineBytes of space; returns the end. The
    // day (the next one for an evening) lies within FirstSupportedDay ... LastSupportedDay and
    // Refusal has nothing against it; the event texts hold together at most 1,024 bytes.
    virtual char* Write(const Line& line, char* out) = 0;
};

// `stamp` is iCalendar's DTSTAMP, "YYYYMMDDTHHMMSSZ"; the other formats take none.
std::unique_ptr<Writer> MakeWriter(Format format, const CivilCalendar& calendar, Columns columns,
                                   std::string_view stamp = {});

}  // namespace cli
