#pragma once
// The local date and time as the system clock gives them, for the window's Today and the
// command line's "today". Readings become seconds counted as if the local time were UTC, on
// 64 bits so that the whole civil year list, to 31 December 2240, is reachable; days are
// counted with the engine's Gregorian calendar.

#include <cstdint>
#include <optional>

#include "engine/civil_days.h"

namespace local_date {

struct ClockReading {
    int year, month, day, hour, minute, second;
};

// Seconds since 1970-01-01 00:00:00 of a local wall-clock reading, or -1 for a reading that
// names no real time (31 April, 29 February of a common year, hour 24, year 0 or less ...).
std::int64_t TimestampOfReading(const ClockReading& reading);

// The fields of a timestamp read as UTC; false for a timestamp outside the years 1 to 9999.
bool ReadingOfTimestamp(std::int64_t timestamp, ClockReading& reading);

// The local clock, read once; nothing when the clock or the time zone could not be read. A leap
// second (23:59:60) reads as 23:59:59 of its own day.
std::optional<ClockReading> ReadLocalClock();

// The local clock as a timestamp; -1 when it could not be read.
std::int64_t LocalTimestamp();

// The local clock's offset from UTC in seconds at a moment given as seconds since 1970 UTC, as
// the system's time zone rules give it (Jerusalem: 7200 in winter, 10800 in summer); nothing
// when the system cannot convert that moment. What solar/ asks to find the local midnight.
std::optional<std::int32_t> UtcOffsetAt(std::int64_t utcSeconds);

// The date of a clock reading, whatever its time of day holds; nothing for a reading that names
// no real day.
std::optional<engine::CivilLabel> DateOfReading(const ClockReading& reading);

// Today's local date (Gregorian), from one reading of the clock; nothing when it could not be read.
std::optional<engine::CivilLabel> Today();

}  // namespace local_date
