#pragma once
// Wall-clock readings as seconds counted as if the local time were UTC, on 64 bits so that the
// whole civil year list, to 31 December 2240, is reachable.

#include <cstdint>

namespace toolkit {

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

}  // namespace toolkit
