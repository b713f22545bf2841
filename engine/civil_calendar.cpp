#include "engine/civil_calendar.h"

#include "engine/numeric.h"

namespace engine {

namespace {

// The double one unit in the last place above 0.75: with it, TruncToInt(365.25 * Y - K) is
// the floor of 365.25 * Y for every negative year as well.
constexpr double NegativeYearCorrection = 0.7500000000000001;

// Year.MMDD of 4 October 1582, the last Julian date; anything strictly later is Gregorian.
constexpr double ReformDate = 1582.1004;

}  // namespace

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
        A = ((N + alpha) - TruncToInt(alpha / 4)) + 347998;
    }
    if (N < FirstGregorianDay) {
        A = N + 347997;
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

}  // namespace engine
