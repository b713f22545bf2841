#pragma once
// Sunset at a place, and when the Hebrew day shown for a moment changes next. The sun's place is
// NOAA's (the solar calculator's equations: the geometric mean longitude and anomaly, the
// equation of centre, the apparent longitude, the obliquity with its nutation correction, the
// declination and the equation of time); sunset is the apparent one, the sun's upper edge on a
// flat horizon at elevation 0: its centre 90.833 degrees from the zenith (34' of refraction and
// 16' of radius). Knows no window and no time zone rules: the local offset comes from the caller.
//
// Accuracy: within a minute of the ephemeris for the years 1800 to 2100 between the polar
// circles, where the refraction of a real evening differs by more than that; the error grows
// slowly away from 2000 and quickly near the polar circles, where a small change of the sun's
// declination moves sunset by minutes. Moments are seconds since 1970-01-01 00:00:00 UTC.

#include <cstdint>
#include <functional>
#include <optional>

#include "engine/civil_days.h"

namespace solar {

// latitude -90 ... 90 (north positive), longitude -180 ... 180 (east positive), in degrees
struct Place {
    double latitude, longitude;
};

enum class SunsetKind {
    Sets,        // the sun sets that day: `at` holds when
    NeverSets,   // polar day: the sun's upper edge stays above the horizon
    NeverRises,  // polar night: it stays below
};

struct Sunset {
    SunsetKind kind;
    std::int64_t at;  // UTC seconds since 1970, whole seconds; 0 unless kind is Sets
};

// The sunset that follows the sun's noon of the Gregorian date at the place, the date counted
// at Greenwich as NOAA's calculator counts it: the noon is 12:00 UTC less four minutes per
// degree of east longitude and the equation of time, so a sunset in the Americas falls on the
// next UTC day and one near the date line's east side (longitude -170) may too. Years 1 ... 9999
// are computed (the accuracy above holds for 1800 ... 2100); the place must be in the ranges of
// `Place`.
Sunset SunsetOn(const engine::CivilLabel& date, const Place& place);

// The local offset from UTC in seconds (Jerusalem's winter: 7200) at a UTC moment, as the
// system's time zone rules give it; -18 ... +18 hours.
using UtcOffsetAt = std::function<std::int32_t(std::int64_t utcSeconds)>;

// The local day of a moment at a place: the civil date on the local clock and whether its
// evening has begun, the time from its sunset to the local midnight that ends it, in which the
// Hebrew day is the next date's. A date whose sun does not set (polar day and night), or sets
// only after the midnight that ends it (summer near the polar circles), has no evening; without
// a place no date has one. Either way the Hebrew day then turns at midnight.
struct LocalDay {
    engine::CivilLabel date;  // the local clock's Gregorian date
    bool evening;             // the Hebrew day is that of the date after `date`
    std::optional<Sunset> sunset;  // the date's sunset, the one after its noon; nothing without a place
    std::int64_t midnight;    // UTC seconds of the local midnight that ends `date`
};
// `now` is within the years 1 ... 9999; the offsets within a day change at most once (a
// change of the clock falling on midnight is followed: the date turns when the clock leaves it).
LocalDay LocalDayAt(std::int64_t now, const std::optional<Place>& place, const UtcOffsetAt& utcOffsetAt);

enum class DayChangeKind {
    Sunset,    // the evening begins: the Hebrew day turns, the civil date stays
    Midnight,  // the civil date turns (the Hebrew day too, unless the evening turned it)
};
struct DayChange {
    std::int64_t at;  // UTC seconds, later than the moment asked about
    DayChangeKind kind;
};

// The next moment after `now` at which the local day changes: the date's sunset while it is
// still coming and before midnight, otherwise the local midnight. The same domain as LocalDayAt.
DayChange NextDayChange(std::int64_t now, const std::optional<Place>& place, const UtcOffsetAt& utcOffsetAt);

}  // namespace solar
