#include "toolkit/core/clock.h"

#include <ctime>
#include <string>

#include "engine/civil_days.h"
#include "toolkit/toolkit.h"

namespace toolkit {

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
constexpr engine::WholeDay Epoch = engine::GregorianToDay({1970, 1, 1});

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
    if (r.year <= 0 || r.month < 1 || r.month > 12 || r.day < 1 ||
        r.day > engine::GregorianMonthLength(r.year, r.month) || r.hour < 0 || r.hour > 23 || r.minute < 0 ||
        r.minute > 59 || r.second < 0 || r.second > 59) {
        return -1;
    }
    return (engine::GregorianToDay({r.year, r.month, r.day}) - Epoch) * SecondsPerDay + r.hour * 3600 + r.minute * 60 +
           r.second;
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
    engine::CivilLabel date = engine::GregorianOfDay(engine::GregorianToDay({1, 1, 1}) + days);
    r.year = date.year;
    r.month = date.month;
    r.day = date.day;
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
