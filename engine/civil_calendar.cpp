#include "engine/civil_calendar.h"

#include <cstdint>

#include "engine/numeric.h"
#include "engine/stepwise.h"

namespace engine {

namespace {

// The double one unit in the last place above 0.75: with it, TruncToInt(365.25 * Y - K) is
// the floor of 365.25 * Y for every negative year as well.
constexpr double NegativeYearCorrection = 0.7500000000000001;

// Year.MMDD of the last Julian date, 1582.1004; anything strictly later is Gregorian. One
// correctly rounded division of the whole number 15821004, so the nearest double to 1582.1004.
constexpr double ReformDate =
    (ReformLastJulianLabel.year * 10000.0 + ReformLastJulianLabel.month * 100.0 + ReformLastJulianLabel.day) / 10000;

// The days and years on which the fast conversions compute in whole numbers; the step-by-step
// operations are exact over the same span, so both give the same day for every input in it.
// Outside it, and for values that are not whole, the step-by-step operations answer.
constexpr DayNumber FirstFastDay = -static_cast<DayNumber>(JulianDayOffset);  // 1 January -4712, Julian Day 0
constexpr DayNumber LastFastDay = 2300000;   // in 2537
constexpr double FirstFastYear = -4712;
constexpr double LastFastYear = 2537;

}  // namespace

namespace stepwise {

DayNumber CivilToDayNumber(double d, double m, double y)
{
    // A March-based year: January and February are months 13 and 14 of the year before.
    double Y = y;
    double M = m;
    if (M < 3) {
        Y = Y - 1;
        M = M + 12;
    }

    double G = 0;
    double R = (Y + M / 100) + d / 10000;
    if (R > ReformDate) {
        double S = TruncToInt(Y / 100);
        G = (-S + TruncToInt(S / 4)) + 2;
    }

    double K = Y < 0 ? NegativeYearCorrection : 0;

    double yearDays = TruncToInt(365.25 * Y - K);       // whole, -1374148 ... 820000
    double monthDays = TruncToInt(30.6001 * (M + 1));  // whole, 122 ... 459
    return yearDays + monthDays + d + G + 1372998;
}

CivilDate DayNumberToCivil(DayNumber N)
{
    double A = 0;
    if (N > LastJulianDay) {
        double alpha = TruncToInt((N - 1519219.25) / 36524.25);  // whole, 11 ... 22 in range
        A = ((N + alpha) - TruncToInt(alpha / 4)) + static_cast<double>(JulianDayOffset + 1);
    }
    if (N < FirstGregorianDay) {
        A = N + static_cast<double>(JulianDayOffset);
    }
    double B = A + 1524;
    std::int32_t Q = TruncToInt((B - 122.1) / 365.25);  // years since -4716, 0 ... 7300
    double D = TruncToInt(365.25 * static_cast<double>(Q));
    double E = TruncToInt((B - D) / 30.6001);  // 4 ... 13 March ... December, 14, 15 Jan, Feb

    CivilDate date{};
    date.day = (B - D) - TruncToInt(30.6001 * E);
    if (E > 13) {
        date.month = E - 13;
        date.year = static_cast<double>(Q) - 4715;
    } else {
        date.month = E - 1;
        date.year = static_cast<double>(Q) - 4716;
    }
    return date;
}

}  // namespace stepwise

// The same count as the step-by-step operation, in whole numbers: the window's calendar.
DayNumber CivilToDayNumber(double d, double m, double y)
{
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;
    if (!IsWholeIn(d, 1, 31, day) || !IsWholeIn(m, 1, 12, month) || !IsWholeIn(y, FirstFastYear, LastFastYear, year)) {
        return stepwise::CivilToDayNumber(d, m, y);
    }
    return static_cast<double>(CivilCalendar::Window().ToDay({year, month, day}));
}

CivilDate DayNumberToCivil(DayNumber n)
{
    std::int32_t whole = 0;
    if (!IsWholeIn(n, FirstFastDay, LastFastDay, whole)) {
        return stepwise::DayNumberToCivil(n);
    }
    CivilLabel label = CivilCalendar::Window().LabelOf(whole);
    return {static_cast<double>(label.day), static_cast<double>(label.month), static_cast<double>(label.year)};
}

}  // namespace engine
