#pragma once
// The local date and time as the system clock gives them, for the window's Today and the
// command line's "today". Readings become seconds counted as if the local time were UTC, on
// 64 bits so that the whole civil year list, to 31 December 2240, is reachable; days are
// counted with the engine's Gregorian calendar.

#include <cstdint>

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

// The local clock, read once.
ClockReading ReadLocalClock();

// The local clock as a timestamp.
std::int64_t LocalTimestamp();

// Today's local date (Gregorian), from one reading of the clock.
engine::CivilLabel Today();

}  // namespace local_date
