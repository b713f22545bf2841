#pragma once
// An iCalendar (RFC 5545) calendar of all-day events, for calendar programs to import: lines
// end in CR LF and are folded at 75 octets, never inside a UTF-8 character. An event's date is
// its label in the proleptic Gregorian calendar, the only one iCalendar knows.

#include <string>
#include <string_view>

#include "cli/civil_calendars.h"

namespace cli {

// iCalendar writes years 1 ... 9999 only.
bool IcsCanHold(Day day);

// `stamp` is the DTSTAMP every event carries, a UTC time "YYYYMMDDTHHMMSSZ".
std::string IcsBegin();
std::string IcsEvent(Day day, std::string_view uid, std::string_view summary, std::string_view description,
                     std::string_view stamp);
std::string IcsEnd();

// "YYYYMMDDTHHMMSSZ" of a POSIX time; of now, or of SOURCE_DATE_EPOCH when it is set, so that
// a calendar can be made again byte for byte.
std::string IcsStampNow();
std::string IcsStamp(std::int64_t secondsSinceEpoch);

// A content line folded into lines of at most 75 octets, each fold a CR LF and a space; the last
// line ends in CR LF.
std::string IcsFolded(std::string_view line);

// A TEXT value: backslash, semicolon, comma and line breaks escaped.
std::string IcsText(std::string_view text);

}  // namespace cli
