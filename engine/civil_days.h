#pragma once
// The civil calendars counted in whole numbers: the proleptic Gregorian and Julian calendars,
// and a Julian calendar that changes to the Gregorian one on a given day, the window's on
// 15 October 1582 among them. Days are the engine's day numbers (Julian Day Number -
// JulianDayOffset) held in 64 bits; years are astronomical (year 0 precedes year 1). The
// engine's fast conversions, the command-line converter and the clock all count with these.
// Inline: they sit on every conversion's hot path.

#include <cstdint>

#include "engine/contract.h"

namespace engine {

using WholeDay = std::int64_t;

// Julian Day Number = day number + JulianDayOffset; day number 1 is 1 Tishri of Hebrew year 1.
inline constexpr WholeDay JulianDayOffset = 347997;

// The weekday of a day, 0 Sunday ... 6 Saturday: day number 1 was a Monday.
constexpr int WeekdayOf(WholeDay day)
{
    return static_cast<int>((day % 7 + 7) % 7);
}

// astronomical year, month 1 January ... 12 December, day 1 ... 31
struct CivilLabel {
    int year, month, day;
    friend constexpr bool operator==(const CivilLabel&, const CivilLabel&) = default;
};

// The window's change of calendar: 4 October 1582 (Julian) was followed by 15 October 1582
// (Gregorian), day number 1951164.
inline constexpr CivilLabel ReformLastJulianLabel = {1582, 10, 4};
inline constexpr WholeDay ReformFirstGregorianDay = 1951164;

namespace civil_days_detail {

// Day numbers of 1 March of year 0 in each calendar, where the March-based counts start.
inline constexpr WholeDay GregorianMarchZero = 1721120 - JulianDayOffset;
inline constexpr WholeDay JulianMarchZero = 1721118 - JulianDayOffset;

// The March-based year of a label: January and February end the year before.
constexpr std::int64_t MarchYear(const CivilLabel& date)
{
    return date.month <= 2 ? std::int64_t{date.year} - 1 : date.year;
}

// Days from 1 March to the first of each month, January ... December.
inline constexpr std::int64_t DaysBeforeMonth[] = {306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};

// Days before the March-based year y in four-year Julian cycles: the floor of 365.25 * y.
constexpr std::int64_t JulianYearDays(std::int64_t y)
{
    return (1461 * y) >> 2;  // an arithmetic shift rounds down for negative years too
}

// The label of day 0 ... 365 of the March-based year `marchYear`: one multiplication gives
// the month (3 March ... 14 February) in its high bits and the day in its low ones.
constexpr CivilLabel LabelInMarchYear(std::uint32_t dayOfYear, std::int64_t marchYear)
{
    std::uint32_t n = 2141 * dayOfYear + 197913;
    // January and February belong to the next year. Counted without a branch: which way a
    // branch goes is as hard to foresee as the day itself.
    int nextYear = dayOfYear >= 306 ? 1 : 0;
    int month = static_cast<int>(n >> 16) - 12 * nextYear;
    int day = static_cast<int>((n & 65535) / 2141) + 1;
    return CivilLabel{static_cast<int>(marchYear) + nextYear, month, day};
}

constexpr int MonthLength(int month, bool leap)
{
    DETRON_EXPECTS(month >= 1 && month <= 12, "a civil month 1 ... 12");
    constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap ? 29 : lengths[month - 1];
}

}  // namespace civil_days_detail

constexpr bool IsGregorianLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr bool IsJulianLeapYear(std::int64_t year)
{
    return year % 4 == 0;  // year 0 and every fourth year before it too
}

constexpr int GregorianMonthLength(std::int64_t year, int month)
{
    return civil_days_detail::MonthLength(month, IsGregorianLeapYear(year));
}

constexpr int JulianMonthLength(std::int64_t year, int month)
{
    return civil_days_detail::MonthLength(month, IsJulianLeapYear(year));
}

// A label's day; a day past the end of its month counts on into the next (31 April is 1 May).
// Month 1 ... 12, any day; defined while the day count fits in 64 bits.
constexpr WholeDay JulianToDay(const CivilLabel& date)
{
    using namespace civil_days_detail;
    DETRON_EXPECTS(date.month >= 1 && date.month <= 12, "a civil month 1 ... 12");
    return JulianMarchZero + JulianYearDays(MarchYear(date)) + DaysBeforeMonth[date.month - 1] + date.day - 1;
}

// The Julian count less the leap days that the Gregorian calendar leaves out: those of the
// century years not divisible by 400.
constexpr WholeDay GregorianToDay(const CivilLabel& date)
{
    using namespace civil_days_detail;
    // Counted from a year far enough back that every int year is after it, so that the
    // division needs no rounding correction.
    constexpr std::int64_t Shift = std::int64_t{1} << 25;  // 100 * Shift years > 2^31
    std::int64_t centuries =
        static_cast<std::int64_t>(static_cast<std::uint64_t>(MarchYear(date) + 100 * Shift) / 100) - Shift;
    return JulianToDay(date) + (GregorianMarchZero - JulianMarchZero) - centuries + (centuries >> 2);
}

// The labels of days count from a 1 March far enough back that every day of an int year comes
// after it: the divisions then work on positive numbers and need no rounding correction.
constexpr CivilLabel GregorianOfDay(WholeDay day)
{
    using namespace civil_days_detail;
    constexpr std::uint64_t ShiftCycles = std::uint64_t{1} << 23;  // 400 * ShiftCycles years > 2^31
    // Centuries of 36524 or 36525 days, then four-year cycles within the century.
    std::uint64_t quarterDays = 4 * (static_cast<std::uint64_t>(day - GregorianMarchZero) + 146097 * ShiftCycles) + 3;
    std::uint64_t century = quarterDays / 146097;
    auto inCentury = static_cast<std::uint32_t>(quarterDays % 146097) | 3;  // 3 ... 146099
    // inCentury / 1461 in the high half of one product and the remainder in its low half:
    // 2939745 / 2^32 is close enough to 1 / 1461 for every day of a century.
    std::uint64_t product = std::uint64_t{2939745} * inCentury;
    auto yearInCentury = static_cast<std::int64_t>(product >> 32);
    std::uint32_t dayOfYear = static_cast<std::uint32_t>(product) / 2939745 / 4;
    auto year = static_cast<std::int64_t>(100 * century) + yearInCentury - static_cast<std::int64_t>(400 * ShiftCycles);
    return LabelInMarchYear(dayOfYear, year);
}

constexpr CivilLabel JulianOfDay(WholeDay day)
{
    using namespace civil_days_detail;
    constexpr std::uint64_t ShiftCycles = std::uint64_t{1} << 30;  // 4 * ShiftCycles years > 2^31
    std::uint64_t quarterDays = 4 * (static_cast<std::uint64_t>(day - JulianMarchZero) + 1461 * ShiftCycles) + 3;
    auto year = static_cast<std::int64_t>(quarterDays / 1461) - static_cast<std::int64_t>(4 * ShiftCycles);
    return LabelInMarchYear(static_cast<std::uint32_t>(quarterDays % 1461 / 4), year);
}

// How a label stands in a calendar.
enum class LabelKind {
    Real,          // a day of the calendar
    PastMonthEnd,  // a day beyond the end of its month (31 April, 30 February 2023)
    InGap,         // a label the change of calendar skipped (5 ... 14 October 1582)
};

// A civil calendar: Julian before its first Gregorian day, Gregorian from it on; the proleptic
// calendars are the two without a change.
class CivilCalendar {
public:
    // The window's: Julian to 4 October 1582, Gregorian from 15 October 1582.
    static constexpr CivilCalendar Window() { return CivilCalendar(ReformFirstGregorianDay); }
    static constexpr CivilCalendar Gregorian() { return CivilCalendar(Earliest); }
    static constexpr CivilCalendar Julian() { return CivilCalendar(Latest); }
    // A day before 1 March 200 (Julian), where the Gregorian calendar is behind the Julian one,
    // would repeat labels; SwitchCanStartOn tells which days are allowed.
    static constexpr CivilCalendar SwitchingOn(WholeDay firstGregorianDay)
    {
        DETRON_EXPECTS(SwitchCanStartOn(firstGregorianDay), "a change of calendar that names no day twice");
        return CivilCalendar(firstGregorianDay);
    }
    static constexpr bool SwitchCanStartOn(WholeDay firstGregorianDay)
    {
        // The Gregorian label of the first Gregorian day must come after the Julian label of
        // the day before, so that no label names two days.
        return JulianToDay(GregorianOfDay(firstGregorianDay)) >= firstGregorianDay;
    }

    // Month 1 ... 12 and day 1 ... 31 only.
    constexpr LabelKind Classify(const CivilLabel& date) const
    {
        DETRON_EXPECTS(date.day >= 1 && date.day <= 31, "a civil day 1 ... 31");
        // The Julian side first, as ToDay counts: 29 February 200 (Julian) before a change on
        // 1 March 200 is a real day, though the Gregorian count of its label reaches the change.
        if (JulianToDay(date) < firstGregorian_) {
            return date.day <= JulianMonthLength(date.year, date.month) ? LabelKind::Real : LabelKind::PastMonthEnd;
        }
        if (GregorianToDay(date) >= firstGregorian_) {
            return date.day <= GregorianMonthLength(date.year, date.month) ? LabelKind::Real : LabelKind::PastMonthEnd;
        }
        // Neither a Gregorian label on or after the change nor a Julian one before it.
        bool realSomewhere = date.day <= GregorianMonthLength(date.year, date.month) ||
                             date.day <= JulianMonthLength(date.year, date.month);
        return realSomewhere ? LabelKind::InGap : LabelKind::PastMonthEnd;
    }

    // A real label to its day; a label past its month's end counts on from the first of the
    // month, and a skipped label is read in the Gregorian calendar, as the window's lists do.
    constexpr WholeDay ToDay(const CivilLabel& date) const
    {
        WholeDay julian = JulianToDay(date);
        return julian < firstGregorian_ ? julian : GregorianToDay(date);
    }

    constexpr CivilLabel LabelOf(WholeDay day) const
    {
        return day < firstGregorian_ ? JulianOfDay(day) : GregorianOfDay(day);
    }

    // The month's length in the calendar that holds its first day.
    constexpr int MonthLength(int year, int month) const
    {
        return JulianToDay({year, month, 1}) < firstGregorian_ ? JulianMonthLength(year, month)
                                                               : GregorianMonthLength(year, month);
    }

    // The first Gregorian day, for messages about the gap.
    constexpr WholeDay FirstGregorianDay() const { return firstGregorian_; }
    constexpr bool HasSwitch() const { return firstGregorian_ != Earliest && firstGregorian_ != Latest; }

private:
    static constexpr WholeDay Earliest = INT64_MIN;
    static constexpr WholeDay Latest = INT64_MAX;

    explicit constexpr CivilCalendar(WholeDay firstGregorian) : firstGregorian_(firstGregorian) {}

    WholeDay firstGregorian_;  // the smallest day for the proleptic Gregorian, the largest for the Julian
};

static_assert(CivilCalendar::Window().LabelOf(ReformFirstGregorianDay - 1) == ReformLastJulianLabel);
static_assert(CivilCalendar::Window().LabelOf(ReformFirstGregorianDay) == CivilLabel{1582, 10, 15});
static_assert(JulianToDay({-4712, 1, 1}) + JulianDayOffset == 0, "Julian Day 0");

}  // namespace engine
