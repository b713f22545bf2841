#include "cli/civil_calendars.h"

#include <limits>

#include "engine/civil_calendar.h"

namespace cli {

namespace {

// Julian Day Numbers of 1 March of year 0 in each calendar, the start of the March-based counts.
constexpr Day GregorianMarchZero = 1721120 - JulianDayOffset;
constexpr Day JulianMarchZero = 1721118 - JulianDayOffset;
constexpr Day WindowFirstGregorianDay = 1951164;  // 15 October 1582

constexpr Day Earliest = std::numeric_limits<Day>::min();
constexpr Day Latest = std::numeric_limits<Day>::max();

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1 March to the first of the month, March = 0 ... February = 11.
std::int64_t DaysBeforeMonth(int month)
{
    std::int64_t shifted = month > 2 ? month - 3 : month + 9;  // 0 ... 11
    return (153 * shifted + 2) / 5;                            // 0 ... 337
}

// The month and day of a day of the March-based year, 0 ... 365.
void MonthAndDay(std::int64_t dayOfYear, CivilLabel& date, std::int64_t marchYear)
{
    std::int64_t shifted = (5 * dayOfYear + 2) / 153;  // 0 March ... 11 February
    date.day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    date.month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    date.year = static_cast<int>(marchYear + (date.month <= 2 ? 1 : 0));
}

bool GregorianLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool JulianLeap(int year)
{
    return year % 4 == 0;  // also for year 0 and negative years
}

int MonthLength(int month, bool leap)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap ? 29 : lengths[month - 1];
}

}  // namespace

Day GregorianToDay(CivilLabel date)
{
    std::int64_t y = date.month <= 2 ? std::int64_t{date.year} - 1 : date.year;
    std::int64_t era = FloorDiv(y, 400);
    std::int64_t yearOfEra = y - era * 400;  // 0 ... 399
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + DaysBeforeMonth(date.month) +
                            date.day - 1;
    return GregorianMarchZero + era * 146097 + dayOfEra;
}

Day JulianToDay(CivilLabel date)
{
    std::int64_t y = date.month <= 2 ? std::int64_t{date.year} - 1 : date.year;
    std::int64_t era = FloorDiv(y, 4);
    std::int64_t yearOfEra = y - era * 4;  // 0 ... 3; the leap day ends the fourth year
    std::int64_t dayOfEra = yearOfEra * 365 + DaysBeforeMonth(date.month) + date.day - 1;
    return JulianMarchZero + era * 1461 + dayOfEra;
}

CivilLabel GregorianOfDay(Day day)
{
    std::int64_t z = day - GregorianMarchZero;
    std::int64_t era = FloorDiv(z, 146097);
    std::int64_t dayOfEra = z - era * 146097;  // 0 ... 146096
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    CivilLabel date{};
    MonthAndDay(dayOfYear, date, era * 400 + yearOfEra);
    return date;
}

CivilLabel JulianOfDay(Day day)
{
    std::int64_t z = day - JulianMarchZero;
    std::int64_t era = FloorDiv(z, 1461);
    std::int64_t dayOfEra = z - era * 1461;              // 0 ... 1460
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460) / 365;  // 0 ... 3
    std::int64_t dayOfYear = dayOfEra - 365 * yearOfEra;
    CivilLabel date{};
    MonthAndDay(dayOfYear, date, era * 4 + yearOfEra);
    return date;
}

int GregorianMonthLength(int year, int month)
{
    return MonthLength(month, GregorianLeap(year));
}

int JulianMonthLength(int year, int month)
{
    return MonthLength(month, JulianLeap(year));
}

char* WriteDecimal(std::int64_t value, char* out, int minDigits)
{
    // Counted as a negative number, which also holds the most negative value.
    std::int64_t negative = value < 0 ? value : -value;
    if (value < 0) {
        *out++ = '-';
    }
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' - negative % 10);
        negative /= 10;
    } while (negative < 0);
    for (int pad = count; pad < minDigits; ++pad) {
        *out++ = '0';
    }
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

char* WriteIso(CivilLabel date, char* out)
{
    out = WriteDecimal(date.year, out, 4);
    *out++ = '-';
    out = WriteDecimal(date.month, out, 2);
    *out++ = '-';
    return WriteDecimal(date.day, out, 2);
}

std::string IsoText(CivilLabel date)
{
    char text[32];
    return std::string(text, WriteIso(date, text));
}

CivilCalendar CivilCalendar::Window()
{
    return CivilCalendar(WindowFirstGregorianDay, true);
}

CivilCalendar CivilCalendar::Gregorian()
{
    return CivilCalendar(Earliest, false);
}

CivilCalendar CivilCalendar::Julian()
{
    return CivilCalendar(Latest, false);
}

CivilCalendar CivilCalendar::SwitchingOn(Day firstGregorianDay)
{
    return CivilCalendar(firstGregorianDay, false);
}

bool CivilCalendar::SwitchCanStartOn(Day firstGregorianDay)
{
    // The Gregorian label of the first Gregorian day must come after the Julian label of the day
    // before, so that no label names two days.
    return JulianToDay(GregorianOfDay(firstGregorianDay)) >= firstGregorianDay;
}

bool CivilCalendar::HasSwitch() const
{
    return firstGregorian_ != Earliest && firstGregorian_ != Latest;
}

LabelKind CivilCalendar::Classify(CivilLabel date) const
{
    Day gregorian = GregorianToDay(date);
    Day julian = JulianToDay(date);
    if (gregorian >= firstGregorian_) {
        return date.day <= GregorianMonthLength(date.year, date.month) ? LabelKind::Real : LabelKind::PastMonthEnd;
    }
    if (julian < firstGregorian_) {
        return date.day <= JulianMonthLength(date.year, date.month) ? LabelKind::Real : LabelKind::PastMonthEnd;
    }
    // Neither a Gregorian label on or after the change nor a Julian one before it.
    bool realSomewhere = date.day <= GregorianMonthLength(date.year, date.month) ||
                         date.day <= JulianMonthLength(date.year, date.month);
    return realSomewhere ? LabelKind::InGap : LabelKind::PastMonthEnd;
}

Day CivilCalendar::ToDay(CivilLabel date) const
{
    if (window_) {
        // The engine reads every label 1 ... 31 as the window's lists do.
        return static_cast<Day>(engine::CivilToDayNumber(date.day, date.month, date.year));
    }
    Day julian = JulianToDay(date);
    return julian < firstGregorian_ ? julian : GregorianToDay(date);
}

CivilLabel CivilCalendar::LabelOf(Day day) const
{
    if (window_) {
        engine::CivilDate civil = engine::DayNumberToCivil(static_cast<double>(day));
        return {static_cast<int>(civil.year), static_cast<int>(civil.month), static_cast<int>(civil.day)};
    }
    return day < firstGregorian_ ? JulianOfDay(day) : GregorianOfDay(day);
}

int CivilCalendar::MonthLength(int year, int month) const
{
    CivilLabel first{year, month, 1};
    return JulianToDay(first) < firstGregorian_ ? JulianMonthLength(year, month) : GregorianMonthLength(year, month);
}

}  // namespace cli
