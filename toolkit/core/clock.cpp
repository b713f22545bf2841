#include "toolkit/core/clock.h"

#include <ctime>
#include <string>

#include "toolkit/toolkit.h"

namespace toolkit {

namespace {

constexpr std::int64_t SecondsPerDay = 86400;

bool IsLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(std::int64_t year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1970-01-01 of a Gregorian date (proleptic), for years >= 1.
std::int64_t DaysFromEpoch(std::int64_t year, int month, int day)
{
    std::int64_t y = month <= 2 ? year - 1 : year;
    std::int64_t era = y / 400;  // y >= 0 here
    std::int64_t yearOfEra = y - era * 400;
    std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;
    std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string TwoDigits(int value)
{
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

bool TokenAt(std::string_view mask, std::size_t at, std::string_view token)
{
    if (mask.size() - at < token.size()) {
        return false;
    }
    for (std::size_t i = 0; i < token.size(); ++i) {
        char c = mask[at + i];
        if (c != token[i] && c != token[i] - 'a' + 'A') {
            return false;
        }
    }
    return true;
}

}  // namespace

std::int64_t TimestampOfReading(const ClockReading& r)
{
    if (r.year <= 0 || r.month < 1 || r.month > 12 || r.day < 1 || r.day > DaysInMonth(r.year, r.month) ||
        r.hour < 0 || r.hour > 23 || r.minute < 0 || r.minute > 59 || r.second < 0 || r.second > 59) {
        return -1;
    }
    return DaysFromEpoch(r.year, r.month, r.day) * SecondsPerDay + r.hour * 3600 + r.minute * 60 + r.second;
}

bool ReadingOfTimestamp(std::int64_t timestamp, ClockReading& r)
{
    constexpr std::int64_t first = -62135596800;  // 0001-01-01 00:00:00
    constexpr std::int64_t last = 253402300799;   // 9999-12-31 23:59:59
    if (timestamp < first || timestamp > last) {
        r = {};
        return false;
    }
    std::int64_t days = (timestamp - first) / SecondsPerDay;
    std::int64_t seconds = (timestamp - first) % SecondsPerDay;
    // Civil date from days since 0001-01-01.
    std::int64_t z = days + 719468 - 719162;  // days since 0000-03-01
    std::int64_t era = z / 146097;
    std::int64_t dayOfEra = z - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    r.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    r.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    r.year = static_cast<int>(yearOfEra + era * 400 + (r.month <= 2 ? 1 : 0));
    r.hour = static_cast<int>(seconds / 3600);
    r.minute = static_cast<int>(seconds / 60 % 60);
    r.second = static_cast<int>(seconds % 60);
    return true;
}

ClockReading ReadLocalClock()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::int64_t LocalTimestamp()
{
    return TimestampOfReading(ReadLocalClock());
}

std::string FormatTimestamp(std::string_view mask, std::int64_t timestamp)
{
    ClockReading r{};
    ReadingOfTimestamp(timestamp, r);  // an unreadable timestamp leaves every field 0
    std::string year = std::to_string(r.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');

    std::string text;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] != '%') {
            text += mask[i];
            continue;
        }
        std::size_t at = i + 1;
        if (TokenAt(mask, at, "yyyy")) {
            text += year;
            i += 4;
        } else if (TokenAt(mask, at, "yy")) {
            text += year.substr(2, 2);
            i += 2;
        } else if (TokenAt(mask, at, "mm")) {
            text += TwoDigits(r.month);
            i += 2;
        } else if (TokenAt(mask, at, "dd")) {
            text += TwoDigits(r.day);
            i += 2;
        } else if (TokenAt(mask, at, "hh")) {
            text += TwoDigits(r.hour);
            i += 2;
        } else if (TokenAt(mask, at, "ii")) {
            text += TwoDigits(r.minute);
            i += 2;
        } else if (TokenAt(mask, at, "ss")) {
            text += TwoDigits(r.second);
            i += 2;
        } else {
            text += '%';
        }
    }
    return text;
}

LocalDate CurrentLocalDate()
{
    // One reading for all three fields, so that midnight cannot split them over two days.
    std::int64_t now = LocalTimestamp();
    return {TextToNumber(FormatTimestamp("%dd", now)), TextToNumber(FormatTimestamp("%mm", now)),
            TextToNumber(FormatTimestamp("%yyyy", now))};
}

}  // namespace toolkit
