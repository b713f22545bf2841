#include "cli/civil_calendars.h"

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

}  // namespace cli
