#pragma once
// An iCalendar (RFC 5545) calendar of all-day events, for calendar programs to import: lines
// end in CR LF and are folded at 75 octets, never inside a UTF-8 character. An event's date is
// its label in the proleptic Gregorian calendar, the only one iCalendar knows.

#include <cstdint>
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

// The last second iCalendar can write, 9999-12-31 23:59:59 UTC, in seconds since 1970.
inline constexpr std::int64_t IcsLastSecond = 253402300799;

// "YYYYMMDDTHHMMSSZ" of a POSIX time 0 ... IcsLastSecond.
std::string IcsStamp(std::int64_t secondsSinceEpoch);
// The stamp of now, or of SOURCE_DATE_EPOCH when it is set, so that a calendar can be made again
// byte for byte. A SOURCE_DATE_EPOCH that is not such a time gives the empty text, and why in
// `problem`.
std::string IcsStampNow(std::string& problem);

// A content line folded into lines of at most 75 octets, each fold a CR LF and a space; the last
// line ends in CR LF.
std::string IcsFolded(std::string_view line);

// A TEXT value: backslash, semicolon, comma and line breaks escaped.
std::string IcsText(std::string_view text);

}  // namespace cli
