#include "solar/sunset.h"

#include <cmath>
#include <numbers>

#include "engine/contract.h"

namespace solar {

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
constexpr engine::WholeDay Epoch = engine::GregorianToDay({1970, 1, 1});
// The sun's centre at the apparent sunset: 34' of refraction and 16' of radius below the horizon.
constexpr double SunsetZenith = 90.833;

constexpr double Radians(double degrees)
{
    return degrees * (std::numbers::pi / 180);
}

constexpr double Degrees(double radians)
{
    return radians * (180 / std::numbers::pi);
}

struct SunPlace {
    double declination;     // degrees, -23.45 ... 23.45
    double equationOfTime;  // minutes, true solar time less mean solar time, -14.3 ... 16.4
};

// NOAA's solar calculator at a Julian Day (UT).
SunPlace SunAt(double julianDay)
{
    double t = (julianDay - 2451545.0) / 36525.0;  // Julian centuries from J2000.0
    double meanLongitude = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
    double meanAnomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    double m = Radians(meanAnomaly);
    double centre = std::sin(m) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                    std::sin(2 * m) * (0.019993 - 0.000101 * t) + std::sin(3 * m) * 0.000289;
    double trueLongitude = meanLongitude + centre;
    double omega = Radians(125.04 - 1934.136 * t);  // the Moon's ascending node, for the nutation
    double apparentLongitude = trueLongitude - 0.00569 - 0.00478 * std::sin(omega);
    double meanObliquity = 23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
    double obliquity = Radians(meanObliquity + 0.00256 * std::cos(omega));
    double declination = std::asin(std::sin(obliquity) * std::sin(Radians(apparentLongitude)));
    double y = std::tan(obliquity / 2) * std::tan(obliquity / 2);
    double l0 = Radians(meanLongitude);
    double equation = y * std::sin(2 * l0) - 2 * eccentricity * std::sin(m) +
                      4 * eccentricity * y * std::sin(m) * std::cos(2 * l0) - 0.5 * y * y * std::sin(4 * l0) -
                      1.25 * eccentricity * eccentricity * std::sin(2 * m);
    return SunPlace{Degrees(declination), 4 * Degrees(equation)};
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// The first moment of a local day (days since 1970 on the local clock): its midnight, or when
// a change of the clock skips that midnight, the change. `hint` is an offset near that day's.
std::int64_t StartOfLocalDay(std::int64_t localDay, std::int32_t hint, const UtcOffsetAt& utcOffsetAt)
{
    std::int64_t midnight = localDay * SecondsPerDay;
    std::int64_t before = midnight - hint;
    std::int64_t after = midnight - utcOffsetAt(before);
    auto onTheDay = [&](std::int64_t moment) { return moment + utcOffsetAt(moment) >= midnight; };
    std::int64_t first = before < after ? before : after;
    std::int64_t second = before < after ? after : before;
    return onTheDay(first) ? first : second;
}

}  // namespace

Sunset SunsetOn(const engine::CivilLabel& date, const Place& place)
{
    DETRON_EXPECTS(place.latitude >= -90 && place.latitude <= 90 && place.longitude >= -180 && place.longitude <= 180,
                   "a place on the globe: latitude -90 ... 90, longitude -180 ... 180");
    engine::WholeDay day = engine::GregorianToDay(date);
    double midnightJulianDay = static_cast<double>(day + engine::JulianDayOffset) - 0.5;
    double latitude = Radians(place.latitude);
    double cosZenith = std::cos(Radians(SunsetZenith));
    // Minutes after 0:00 UTC of the date, first guessed six hours after the mean noon, then
    // computed again with the sun where it is at the sunset found, until it stays put.
    double minutes = 720.0 + 360.0 - 4.0 * place.longitude;
    for (int pass = 0; pass < 6; ++pass) {
        SunPlace sun = SunAt(midnightJulianDay + minutes / 1440.0);
        double declination = Radians(sun.declination);
        double cosHourAngle = (cosZenith - std::sin(latitude) * std::sin(declination)) /
                              (std::cos(latitude) * std::cos(declination));
        if (cosHourAngle > 1) {
            return Sunset{SunsetKind::NeverRises, 0};
        }
        if (cosHourAngle < -1) {
            return Sunset{SunsetKind::NeverSets, 0};
        }
        double hourAngle = Degrees(std::acos(cosHourAngle));  // 0 ... 180
        double next = 720.0 - 4.0 * (place.longitude - hourAngle) - sun.equationOfTime;
        bool settled = std::fabs(next - minutes) < 0.5 / 60;
        minutes = next;
        if (settled) {
            break;
        }
    }
    return Sunset{SunsetKind::Sets, (day - Epoch) * SecondsPerDay + std::llround(minutes * 60)};
}

LocalDay LocalDayAt(std::int64_t now, const std::optional<Place>& place, const UtcOffsetAt& utcOffsetAt)
{
    std::int32_t offset = utcOffsetAt(now);
    std::int64_t localDay = FloorDiv(now + offset, SecondsPerDay);
    std::int64_t start = StartOfLocalDay(localDay, offset, utcOffsetAt);
    std::int64_t end = StartOfLocalDay(localDay + 1, offset, utcOffsetAt);
    LocalDay result{engine::GregorianOfDay(Epoch + localDay), false, std::nullopt, end};
    if (!place) {
        return result;
    }
    // The date's sunset is the one after its own noon: of the three UTC dates around it, the
    // one whose mean noon at the place's longitude lies nearest the middle of the local day.
    std::int64_t middle = start + (end - start) / 2;
    std::int64_t nearest = localDay - 1;
    std::int64_t nearestDistance = -1;
    for (std::int64_t utcDay = localDay - 1; utcDay <= localDay + 1; ++utcDay) {
        std::int64_t noon = utcDay * SecondsPerDay + 43200 - std::llround(place->longitude * 240);
        std::int64_t distance = noon > middle ? noon - middle : middle - noon;
        if (nearestDistance < 0 || distance < nearestDistance) {
            nearest = utcDay;
            nearestDistance = distance;
        }
    }
    result.sunset = SunsetOn(engine::GregorianOfDay(Epoch + nearest), *place);
    result.evening = result.sunset->kind == SunsetKind::Sets && result.sunset->at <= now && result.sunset->at < end;
    return result;
}

DayChange NextDayChange(std::int64_t now, const std::optional<Place>& place, const UtcOffsetAt& utcOffsetAt)
{
    LocalDay day = LocalDayAt(now, place, utcOffsetAt);
    if (day.sunset && day.sunset->kind == SunsetKind::Sets && day.sunset->at > now && day.sunset->at < day.midnight) {
        return DayChange{day.sunset->at, DayChangeKind::Sunset};
    }
    return DayChange{day.midnight, DayChangeKind::Midnight};
}

}  // namespace solar
