#include "cli/civil_calendars.h"

#include <array>
#include <cstdint>

namespace cli {

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

// Two digits at a time from the right: every line writes five or six numbers.
char* WriteDecimal(std::int64_t value, char* out, int minDigits)
{
    // The magnitude as unsigned, which also holds that of the most negative value.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
    }
    char digits[20];
    char* first = digits + sizeof digits;
    while (magnitude >= 100) {
        std::uint64_t rest = magnitude / 100;
        first -= 2;
        PutPair(first, static_cast<int>(magnitude - rest * 100));
        magnitude = rest;
    }
    if (magnitude >= 10) {
        first -= 2;
        PutPair(first, static_cast<int>(magnitude));
    } else {
        *--first = static_cast<char>('0' + magnitude);
    }
    auto count = static_cast<int>(digits + sizeof digits - first);
    for (int pad = count; pad < minDigits; ++pad) {
        *out++ = '0';
    }
    for (char* digit = first; digit < digits + sizeof digits; ++digit) {
        *out++ = *digit;
    }
    return out;
}

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
