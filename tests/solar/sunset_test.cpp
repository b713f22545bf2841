// Sunset against the US Naval Observatory's approximate solar coordinates, found as the moment
// the sun's computed altitude crosses -0.833 degrees; and the local day that turns at sunset and
// at midnight.

#include "solar/sunset.h"

#include "local_date/local_date.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include "tests/scoped_zone.h"
#endif

namespace solar {
namespace {

constexpr std::int64_t Day = 86400;
constexpr engine::WholeDay Epoch = engine::GregorianToDay({1970, 1, 1});

double Rad(double degrees) { return degrees * std::numbers::pi / 180; }
double Deg(double radians) { return radians * 180 / std::numbers::pi; }

// The sun's altitude in degrees at a moment (UTC seconds), from the almanac's low-precision
// coordinates: right ascension and declination from the mean anomaly and longitude, and the
// hour angle from Greenwich mean sidereal time.
double Altitude(double utcSeconds, const Place& place)
{
    double d = utcSeconds / Day + 2440587.5 - 2451545.0;
    double g = Rad(357.529 + 0.98560028 * d);
    double q = 280.459 + 0.98564736 * d;
    double l = Rad(q + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g));
    double e = Rad(23.439 - 0.00000036 * d);
    double rightAscension = Deg(std::atan2(std::cos(e) * std::sin(l), std::cos(l)));
    double declination = std::asin(std::sin(e) * std::sin(l));
    double siderealHours = 18.697374558 + 24.06570982441908 * d;
    double hourAngle = Rad(siderealHours * 15 + place.longitude - rightAscension);
    double lat = Rad(place.latitude);
    return Deg(std::asin(std::sin(lat) * std::sin(declination) + std::cos(lat) * std::cos(declination) * std::cos(hourAngle)));
}

// The reference sunset of a UTC date: the sun's noon is where the altitude is highest near 12:00
// less the longitude's hours; sunset is where it falls through -0.833 in the twelve hours after.
Sunset ReferenceSunset(const engine::CivilLabel& date, const Place& place)
{
    constexpr double horizon = -0.833;
    double noon = static_cast<double>((engine::GregorianToDay(date) - Epoch) * Day) + 43200 - place.longitude * 240;
    for (double step = 1800; step >= 1; step /= 2) {  // climb to the day's highest altitude, within two hours
        for (int i = 0; i < 2 && Altitude(noon + step, place) > Altitude(noon, place); ++i) noon += step;
        for (int i = 0; i < 2 && Altitude(noon - step, place) > Altitude(noon, place); ++i) noon -= step;
    }
    double low = noon, high = noon + Day / 2.0;
    if (Altitude(low, place) < horizon) return {SunsetKind::NeverRises, 0};
    if (Altitude(high, place) > horizon) return {SunsetKind::NeverSets, 0};
    while (high - low > 0.5) {
        double middle = (low + high) / 2;
        (Altitude(middle, place) > horizon ? low : high) = middle;
    }
    return {SunsetKind::Sets, std::llround(low)};
}

TEST(Sunset, AgreesWithTheAlmanacWithinAMinute)
{
    std::mt19937 random(33);
    auto uniform = [&](double low, double high) { return low + (high - low) * (random() / 4294967296.0); };
    double worst = 0;
    for (int i = 0; i < 1000; ++i) {
        Place place{uniform(-65, 65), uniform(-180, 180)};
        engine::CivilLabel date =
            engine::GregorianOfDay(engine::GregorianToDay({1900, 1, 1}) + static_cast<engine::WholeDay>(uniform(0, 73000)));
        SCOPED_TRACE(testing::Message() << date.year << "-" << date.month << "-" << date.day << " at "
                                        << place.latitude << ", " << place.longitude);
        Sunset ours = SunsetOn(date, place);
        Sunset reference = ReferenceSunset(date, place);
        ASSERT_EQ(ours.kind, SunsetKind::Sets);
        ASSERT_EQ(reference.kind, SunsetKind::Sets);
        EXPECT_NEAR(ours.at, reference.at, 60);
        worst = std::max(worst, std::fabs(static_cast<double>(ours.at - reference.at)));
    }
    RecordProperty("WorstSeconds", static_cast<int>(worst));
}

// Beyond the polar circles the sun stays up or down for the whole day, and the local day then
// turns at midnight only.
TEST(Sunset, PolarDaysAndNightsTurnAtMidnight)
{
    struct Row { Place place; engine::CivilLabel date; SunsetKind kind; const char* note; };
    const Row rows[] = {
        {{69.65, 18.96}, {2025, 6, 21}, SunsetKind::NeverSets, "Tromso, midsummer"},
        {{69.65, 18.96}, {2025, 12, 21}, SunsetKind::NeverRises, "Tromso, midwinter"},
        {{-77.85, 166.67}, {2025, 12, 21}, SunsetKind::NeverSets, "McMurdo, southern summer"},
        {{-77.85, 166.67}, {2025, 6, 21}, SunsetKind::NeverRises, "McMurdo, southern winter"},
        {{90, 0}, {2024, 3, 25}, SunsetKind::NeverSets, "the North Pole after the equinox"},
        {{-90, 0}, {2024, 3, 25}, SunsetKind::NeverRises, "the South Pole after the equinox"},
        {{78.22, 15.65}, {2100, 5, 1}, SunsetKind::NeverSets, "Longyearbyen"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(SunsetOn(row.date, row.place).kind, row.kind);
        EXPECT_EQ(ReferenceSunset(row.date, row.place).kind, row.kind);
        std::int64_t noon = (engine::GregorianToDay(row.date) - Epoch) * Day + 43200;
        LocalDay day = LocalDayAt(noon, row.place, [](std::int64_t) { return 3600; });
        EXPECT_FALSE(day.evening);
        DayChange next = NextDayChange(noon, row.place, [](std::int64_t) { return 3600; });
        EXPECT_EQ(next.kind, DayChangeKind::Midnight);
        EXPECT_EQ(next.at, noon + 43200 - 3600);
    }
}

std::int64_t At(const engine::CivilLabel& date, int hour, int minute, std::int32_t offset)
{
    return (engine::GregorianToDay(date) - Epoch) * Day + hour * 3600 + minute * 60 - offset;
}

// The evening belongs to the local date whose noon precedes it, wherever the clock's zone puts
// that noon: each row's sunset falls on its local date between the given local hours.
TEST(LocalDay, TheEveningOfTheLocalDate)
{
    struct Row { Place place; std::int32_t offset; int earliest, latest; const char* note; };
    const Row rows[] = {
        {{31.7806, 35.2239}, 7200, 16, 17, "Jerusalem in winter"},
        {{34.0522, -118.2437}, -8 * 3600, 16, 17, "Los Angeles, sunset on the next UTC day"},
        {{1.87, -157.43}, 14 * 3600, 18, 19, "Kiritimati, fourteen hours ahead of UTC"},
        {{-36.85, 174.76}, 13 * 3600, 20, 21, "Auckland in summer"},
        {{-34.6, -58.38}, -3 * 3600, 19, 21, "Buenos Aires in summer"},
    };
    const engine::CivilLabel date{2025, 12, 11};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        auto offset = [&](std::int64_t) { return row.offset; };
        std::int64_t noon = At(date, 12, 0, row.offset);
        LocalDay day = LocalDayAt(noon, row.place, offset);
        EXPECT_EQ(day.date, date);
        EXPECT_FALSE(day.evening);
        EXPECT_EQ(day.midnight, At(date, 24, 0, row.offset));
        ASSERT_TRUE(day.sunset.has_value());
        ASSERT_EQ(day.sunset->kind, SunsetKind::Sets);
        std::int64_t sunset = day.sunset->at;
        EXPECT_GE(sunset, At(date, row.earliest, 0, row.offset));
        EXPECT_LT(sunset, At(date, row.latest, 0, row.offset));

        EXPECT_EQ(NextDayChange(noon, row.place, offset).at, sunset);
    }
}

// Walking from change to change through a year: each is later than the last, a sunset begins
// the evening of the same date, a midnight begins the next date without one. Jerusalem also
// walks under its own rules as the system gives them, through both changes of its clock.
TEST(LocalDay, ChangesAlternateThroughAYear)
{
    auto fixed = [](std::int32_t seconds) { return UtcOffsetAt([seconds](std::int64_t) { return seconds; }); };
    struct Row { Place place; UtcOffsetAt offset; const char* note; };
    std::vector<Row> rows = {
        {{31.7806, 35.2239}, fixed(7200), "Jerusalem"},
        {{64.15, -21.94}, fixed(0), "Reykjavik: in June the sun sets after midnight"},
        {{69.65, 18.96}, fixed(3600), "Tromso: polar day and night"},
        {{-33.87, 151.21}, fixed(11 * 3600), "Sydney"},
    };
#ifndef _WIN32
    ScopedZone zone("Asia/Jerusalem");
    rows.push_back({{31.7806, 35.2239}, [](std::int64_t t) { return local_date::UtcOffsetAt(t).value_or(0); },
                    "Jerusalem by the system's rules"});
#endif
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        std::int64_t now = At({2026, 1, 1}, 0, 0, row.offset(At({2026, 1, 1}, 0, 0, 0)));
        int midnights = 0, sunsets = 0;
        while (midnights < 365) {
            LocalDay before = LocalDayAt(now, row.place, row.offset);
            DayChange next = NextDayChange(now, row.place, row.offset);
            ASSERT_GT(next.at, now);
            LocalDay last = LocalDayAt(next.at - 1, row.place, row.offset);
            LocalDay after = LocalDayAt(next.at, row.place, row.offset);
            EXPECT_EQ(last.date, before.date);
            EXPECT_EQ(last.evening, before.evening);
            if (next.kind == DayChangeKind::Sunset) {
                ++sunsets;
                EXPECT_FALSE(before.evening);
                EXPECT_EQ(after.date, before.date);
                EXPECT_TRUE(after.evening);
            } else {
                ++midnights;
                EXPECT_EQ(engine::GregorianToDay(after.date), engine::GregorianToDay(before.date) + 1);
                EXPECT_FALSE(after.evening);
                EXPECT_EQ((next.at + row.offset(next.at)) % Day, 0);
            }
            now = next.at;
        }
        EXPECT_GT(sunsets, 0);
    }
}

// A change of the clock on midnight: the date turns when the clock leaves it, an hour sooner
// when midnight is skipped (Chile's way, 24:00 becoming 01:00) and an hour later when 23:00
// comes twice.
TEST(LocalDay, TheClockChangedAtMidnight)
{
    struct Row { std::int32_t before, after; std::int64_t late; const char* note; };
    const Row rows[] = {
        {-4 * 3600, -3 * 3600, 0, "midnight skipped"},
        {-3 * 3600, -4 * 3600, 3600, "the hour before midnight twice"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        const std::int64_t change = At({2025, 9, 7}, 0, 0, row.before);  // the old clock's midnight
        const std::int64_t midnight = change + row.late;
        auto offset = [&](std::int64_t t) { return t < change ? row.before : row.after; };
        LocalDay day = LocalDayAt(change - 7200, std::nullopt, offset);
        EXPECT_EQ(day.date, (engine::CivilLabel{2025, 9, 6}));
        EXPECT_EQ(day.midnight, midnight);
        EXPECT_EQ(NextDayChange(change - 7200, std::nullopt, offset).at, midnight);
        EXPECT_EQ(LocalDayAt(midnight - 1, std::nullopt, offset).date, (engine::CivilLabel{2025, 9, 6}));
        EXPECT_EQ(LocalDayAt(midnight, std::nullopt, offset).date, (engine::CivilLabel{2025, 9, 7}));
    }
}

}  // namespace
}  // namespace solar
