#include "cli/civil_calendars.h"

#include <array>

namespace cli {

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

namespace {

// "00" "01" ... "99"
constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

char* PutPair(char* out, int n)
{
    out[0] = DigitPairs[2 * n];
    out[1] = DigitPairs[2 * n + 1];
    return out + 2;
}

}  // namespace

char* WriteIso(CivilLabel date, char* out)
{
    // Every line starts with one: a year of four digits and every month and day are written
    // without a loop.
    if (date.year <= -10000 || date.year >= 10000 || date.month < 0 || date.month > 99 || date.day < 0 ||
        date.day > 99) [[unlikely]] {
        out = WriteDecimal(date.year, out, 4);
        *out++ = '-';
        out = WriteDecimal(date.month, out, 2);
        *out++ = '-';
        return WriteDecimal(date.day, out, 2);
    }
    int year = date.year;
    if (year < 0) {
        *out++ = '-';
        year = -year;
    }
    out = PutPair(out, year / 100);
    out = PutPair(out, year % 100);
    *out++ = '-';
    out = PutPair(out, date.month);
    *out++ = '-';
    return PutPair(out, date.day);
}

std::string IsoText(CivilLabel date)
{
    char text[32];
    return std::string(text, WriteIso(date, text));
}

}  // namespace cli
