#pragma once
// The civil calendars the command-line converter reads and writes are the engine's
// (engine/civil_days.h): the window's own (Julian to 4 October 1582, Gregorian from
// 15 October 1582), the proleptic Gregorian and Julian calendars, and a Julian calendar that
// changes to the Gregorian one on another day. Here: their names in this program, and the
// ISO texts of their labels.

#include <cstdint>
#include <string>

#include "engine/civil_days.h"

namespace cli {

using Day = engine::WholeDay;
using engine::CivilCalendar;
using engine::CivilLabel;
using engine::GregorianMonthLength;
using engine::GregorianOfDay;
using engine::GregorianToDay;
using engine::JulianDayOffset;
using engine::JulianMonthLength;
using engine::JulianOfDay;
using engine::JulianToDay;
using engine::LabelKind;

// The decimal digits of `value`, a "-" first when negative, zeros in front up to `minDigits`
// digits; at most 21 bytes. Returns the end.
char* WriteDecimal(std::int64_t value, char* out, int minDigits = 1);

// "YYYY-MM-DD" with an astronomical year of at least four digits and a "-" when negative
// ("-0001-12-31"). WriteIso writes at most 17 bytes and returns the end.
char* WriteIso(CivilLabel date, char* out);
std::string IsoText(CivilLabel date);

}  // namespace cli
