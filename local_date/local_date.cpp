#include "local_date/local_date.h"

#include <ctime>

namespace local_date {

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
constexpr engine::WholeDay Epoch = engine::GregorianToDay({1970, 1, 1});

// The system's local time of a moment; nothing when it cannot convert it.
std::optional<std::tm> LocalTimeAt(std::time_t moment)
{
    std::tm local{};
#ifdef _WIN32
    bool read = localtime_s(&local, &moment) == 0;
#else
    bool read = localtime_r(&moment, &local) != nullptr;
#endif
    return read ? std::optional<std::tm>(local) : std::nullopt;
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

std::optional<ClockReading> ReadLocalClock()
{
    std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1)) {
        return std::nullopt;
    }
    std::optional<std::tm> local = LocalTimeAt(now);
    if (!local) {
        return std::nullopt;
    }
    // A leap second belongs to the minute before it: its day is the day of 23:59:59.
    int second = local->tm_sec > 59 ? 59 : local->tm_sec;
    return ClockReading{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, second};
}

std::optional<std::int32_t> UtcOffsetAt(std::int64_t utcSeconds)
{
    std::time_t moment = static_cast<std::time_t>(utcSeconds);
    if (static_cast<std::int64_t>(moment) != utcSeconds) {
        return std::nullopt;
    }
    std::optional<std::tm> local = LocalTimeAt(moment);
    if (!local || local->tm_year + 1900 <= 0) {
        return std::nullopt;
    }
    // Counted from the reading's minute, so that a leap second (second 60) counts as one; a
    // reading of a real day before 1970 counts back from the epoch.
    std::int64_t minute =
        TimestampOfReading({local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, 0});
    return static_cast<std::int32_t>(minute + local->tm_sec - utcSeconds);
}

std::int64_t LocalTimestamp()
{
    std::optional<ClockReading> reading = ReadLocalClock();
    return reading ? TimestampOfReading(*reading) : -1;
}

std::optional<engine::CivilLabel> DateOfReading(const ClockReading& r)
{
    if (r.year <= 0 || r.year > 9999 || r.month < 1 || r.month > 12 || r.day < 1 ||
        r.day > engine::GregorianMonthLength(r.year, r.month)) {
        return std::nullopt;
    }
    return engine::CivilLabel{r.year, r.month, r.day};
}

std::optional<engine::CivilLabel> Today()
{
    std::optional<ClockReading> reading = ReadLocalClock();
    return reading ? DateOfReading(*reading) : std::nullopt;
}

}  // namespace local_date
