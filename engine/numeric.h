#pragma once
// The engine's number model: every quantity is an IEEE double, each operation rounded on
// its own, whole parts taken only by truncation toward zero or, in the Hebrew year and date
// arithmetic, by rounding down. These helpers are inline because they sit on every
// conversion's hot path; none of them calls the C library. They are constexpr so that the
// tables of Hebrew years are computed by these very operations while the engine is compiled.

#include <cfloat>
#include <cmath>
#include <cstdint>

static_assert(FLT_EVAL_METHOD == 0,
              "the engine needs double arithmetic without extended intermediates "
              "(on 32-bit x86 build with -msse2 -mfpmath=sse)");

namespace engine {

// Integer part of x, truncated toward zero: 2.9 gives 2, -2.5 gives -2, -0.5 gives 0.
// Defined for |x| < 2^31; larger magnitudes are outside every caller's range.
constexpr std::int32_t TruncToInt(double x)
{
    return static_cast<std::int32_t>(x);
}

// The largest whole number not greater than x, as a double: -0.5 gives -1, -2 gives -2.
// Identical to TruncToInt for x >= 0. Used by the Hebrew year and date arithmetic so that
// year 0, before the epoch molad, is laid out as the calendar's own leap year. It stays in
// doubles because every result re-enters a formula. Defined for |x| < 2^31.
constexpr double RoundDown(double x)
{
    double whole = static_cast<double>(static_cast<std::int32_t>(x));
    return whole > x ? whole - 1 : whole;
}

// x rounded to the nearest integer, ties to even. Applied only to whole values (list
// positions, the cycle index), where it is exact; written out so that no library call sits on
// the conversions' path. Defined for |x| < 2^31.
constexpr std::int32_t RoundToInt(double x)
{
    std::int32_t whole = TruncToInt(x);
    double fraction = x - static_cast<double>(whole);
    bool odd = (whole & 1) != 0;
    if (fraction > 0.5 || (fraction == 0.5 && odd)) {
        return whole + 1;
    }
    if (fraction < -0.5 || (fraction == -0.5 && odd)) {
        return whole - 1;
    }
    return whole;
}

// 10^places as the floating-point power function gives it. The powers 10^0 ... 10^22 are
// exact doubles, so those come from a table; other exponents go to std::pow.
constexpr double PowerOfTen(double places)
{
    constexpr double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (places >= 0 && places <= 22 && places == static_cast<double>(TruncToInt(places))) {
        return exact[TruncToInt(places)];
    }
    return std::pow(10.0, places);
}

// TruncToInt(x * P) / P with P = 10^places: x cut toward zero after `places` decimals,
// 0.1234567 gives 0.12345 for five places. Defined while |x * P| < 2^31.
constexpr double TruncToPlaces(double x, double places)
{
    double p = PowerOfTen(places);
    return static_cast<double>(TruncToInt(x * p)) / p;
}

// The remainder of a by b (b > 0), cut to five decimals and made non-negative:
// RealMod(-5, 19) = 14, RealMod(7.123456, 2) = 1.12345. Needs |a - q * b| < 21474.83648.
constexpr double RealMod(double a, double b)
{
    std::int32_t q = TruncToInt(a / b);
    double r = a - static_cast<double>(q) * b;
    r = TruncToPlaces(r, 5);
    if (r < 0) {
        r = r + b;
    }
    return r;
}

// Fractional part of a non-negative x: x - TruncToInt(x) for x > 0, exactly 0 for x = 0.
// A negative x gives x - TruncToInt(x), a value in (-1, 0]; no caller passes one.
constexpr double FracPart(double x)
{
    if (x == 0) {
        return 0;
    }
    return x - static_cast<double>(TruncToInt(x));
}

// True when x is a whole number in [low, high], which it then also gives as an integer; the
// conversion happens only inside the range, so no value outside 32 bits is ever converted.
// The fast conversions take their integer paths only for such values. low and high are whole
// and inside 32 bits.
constexpr bool IsWholeIn(double x, double low, double high, std::int32_t& whole)
{
    if (!(x >= low && x <= high)) {
        return false;
    }
    whole = static_cast<std::int32_t>(x);
    return static_cast<double>(whole) == x;
}

}  // namespace engine
