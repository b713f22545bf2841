#pragma once
// The civil calendars the command-line converter reads and writes: the window's own (Julian to
// 4 October 1582, Gregorian from 15 October 1582), the proleptic Gregorian and Julian calendars,
// and a Julian calendar that changes to the Gregorian one on another day. Astronomical years.
// Day numbers are the engine's (Julian Day Number - 347997) held in a 64-bit integer.

#include <cstdint>
#include <string>

namespace cli {

using Day = std::int64_t;

inline constexpr Day JulianDayOffset = 347997;  // Julian Day Number = Day + 347997

struct CivilLabel {
    int year, month, day;  // astronomical year, 1 January ... 12 December, 1 ... 31
};

// Integer counts that share nothing with the engine's double arithmetic. Defined for every
// year whose day count fits in 64 bits; callers keep years within a few thousand.
Day GregorianToDay(CivilLabel date);  // counts on past the month's end
Day JulianToDay(CivilLabel date);     // counts on past the month's end
CivilLabel GregorianOfDay(Day day);
CivilLabel JulianOfDay(Day day);
int GregorianMonthLength(int year, int month);  // month 1 ... 12
int JulianMonthLength(int year, int month);

// The decimal digits of `value`, a "-" first when negative, zeros in front up to `minDigits`
// digits; at most 21 bytes. Returns the end.
char* WriteDecimal(std::int64_t value, char* out, int minDigits = 1);

// "YYYY-MM-DD" with an astronomical year of at least four digits and a "-" when negative
// ("-0001-12-31"). WriteIso writes at most 17 bytes and returns the end.
char* WriteIso(CivilLabel date, char* out);
std::string IsoText(CivilLabel date);

// How a label stands in a calendar.
enum class LabelKind {
    Real,          // a day of the calendar
    PastMonthEnd,  // a day beyond the end of its month (31 April, 30 February 2023)
    InGap,         // a label the change of calendar skipped (5 ... 14 October 1582)
};

class CivilCalendar {
public:
    // The window's calendar; its conversions are the engine's.
    static CivilCalendar Window();
    static CivilCalendar Gregorian();
    static CivilCalendar Julian();
    // Julian before `firstGregorianDay`, Gregorian from it on. A day before 1 March 200
    // (Julian), where the Gregorian calendar is behind the Julian one, would repeat labels;
    // SwitchCanStartOn tells which days are allowed.
    static CivilCalendar SwitchingOn(Day firstGregorianDay);
    static bool SwitchCanStartOn(Day firstGregorianDay);

    // Month 1 ... 12 and day 1 ... 31 only.
    LabelKind Classify(CivilLabel date) const;
    // A real label to its day; a label past its month's end counts on from the first of the
    // month, and a skipped label is read in the Gregorian calendar, as the window does.
    Day ToDay(CivilLabel date) const;
    CivilLabel LabelOf(Day day) const;

    // The month's length in the calendar that holds its first day.
    int MonthLength(int year, int month) const;
    // The last Julian and first Gregorian day, for messages about the gap.
    Day FirstGregorianDay() const { return firstGregorian_; }
    bool HasSwitch() const;

private:
    CivilCalendar(Day firstGregorian, bool window) : firstGregorian_(firstGregorian), window_(window) {}

    Day firstGregorian_;  // the smallest Day for proleptic Gregorian, the largest for Julian
    bool window_;
};

}  // namespace cli
