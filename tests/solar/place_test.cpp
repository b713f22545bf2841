// The place of the system's time zone: ISO 6709 coordinates, tzdata's tables (the real ones and
// broken ones), the zone the system names, and the Windows zone names.

#include "solar/place.h"
#include "solar/system_zone.h"

#include <cmath>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#ifndef _WIN32
#include "tests/scoped_zone.h"
#endif

namespace solar {
namespace {

void ExpectPlace(const std::optional<Place>& place, double latitude, double longitude)
{
    ASSERT_TRUE(place.has_value());
    EXPECT_NEAR(place->latitude, latitude, 1e-4);
    EXPECT_NEAR(place->longitude, longitude, 1e-4);
}

TEST(Iso6709, TzdataFormsAndNothingElse)
{
    ExpectPlace(ReadIso6709("+314650+0351326"), 31 + 46 / 60.0 + 50 / 3600.0, 35 + 13 / 60.0 + 26 / 3600.0);
    ExpectPlace(ReadIso6709("-3352+15113"), -(33 + 52 / 60.0), 151 + 13 / 60.0);
    ExpectPlace(ReadIso6709("+5130-00007"), 51.5, -7 / 60.0);
    ExpectPlace(ReadIso6709("+9000-18000"), 90, -180);
    const char* refused[] = {
        "", "+", "+3146", "+3146+", "3146+03513", "+3146+0351", "+31460+03513", "+3146+035133",
        "+3160+03513", "+3146+03560", "+314660+0351326", "+9001+00000", "+0000+18001", "+3146+03513 ",
        "+3146+03513+", "+31a6+03513", "+3146-+3513", "++146+03513", "+314650+0351326\n",
    };
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ReadIso6709(text).has_value());
    }
}

// A table is outside text: a broken line is passed over, whatever is missing from it, and the
// reading never goes past the text's end (the sanitizer build watches that).
TEST(ZoneTable, BrokenLinesArePassedOver)
{
    const std::string table =
        "# comment\tline\t+0000+00000\tAsia/Jerusalem\n"
        "\n"
        "IL\n"
        "IL\t+3146\n"
        "IL\t+3146+03513\n"
        "IL\tgarbage\tAsia/Jerusalem\n"
        "IL\t+9999+99999\tAsia/Jerusalem\n"
        "IL\t\tAsia/Jerusalem\n"
        "\tAsia/Jerusalem\n"
        "IL\t+314650+0351326\tAsia/Jerusalem\tthe good line\r\n"
        "US\t+404251-0740023\tAmerica/New_York";
    ExpectPlace(PlaceInZoneTable(table, "Asia/Jerusalem"), 31.780556, 35.223889);
    ExpectPlace(PlaceInZoneTable(table, "America/New_York"), 40.714167, -74.006389);
    EXPECT_FALSE(PlaceInZoneTable(table, "Asia/Jerusale").has_value());
    EXPECT_FALSE(PlaceInZoneTable(table, "").has_value());
    for (std::size_t length = 0; length < table.size(); ++length) {
        std::string cut = table.substr(0, length);  // its own allocation, so a read past it shows
        PlaceInZoneTable(cut, "America/New_York");
        PlaceInZoneTable(cut, "Asia/Jerusalem");
    }
}

TEST(ZoneTable, ZoneNamesOfPaths)
{
    EXPECT_EQ(ZoneNameOfPath("/usr/share/zoneinfo/Asia/Jerusalem"), "Asia/Jerusalem");
    EXPECT_EQ(ZoneNameOfPath("../usr/share/zoneinfo/America/Argentina/Buenos_Aires"), "America/Argentina/Buenos_Aires");
    EXPECT_EQ(ZoneNameOfPath("/usr/share/zoneinfo/posix/Europe/London"), "Europe/London");
    EXPECT_EQ(ZoneNameOfPath("/usr/share/zoneinfo/right/Europe/London"), "Europe/London");
    EXPECT_EQ(ZoneNameOfPath("Europe/London"), "Europe/London");
}

// Every Windows zone leads to a city of the list; the zones the program meets most.
TEST(WindowsZones, LeadToCitiesOfTheList)
{
    struct Row { const char* windowsName; const char* city; };
    const Row rows[] = {
        {"Israel Standard Time", "Jerusalem"}, {"Eastern Standard Time", "New York"},
        {"Pacific Standard Time", "Los Angeles"}, {"GMT Standard Time", "London"},
        {"Russian Standard Time", "Moscow"}, {"AUS Eastern Standard Time", "Sydney"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.windowsName);
        const City* city = CityOfWindowsZone(row.windowsName);
        ASSERT_NE(city, nullptr);
        EXPECT_EQ(city->latinName, row.city);
    }
    EXPECT_EQ(CityOfWindowsZone("UTC"), nullptr);
    EXPECT_EQ(CityOfWindowsZone("israel standard time"), nullptr);
    for (const City& city : Cities()) {
        SCOPED_TRACE(city.latinName);
        EXPECT_EQ(CityNamed(city.latinName), &city);
        EXPECT_FALSE(city.hebrewName.empty());
        EXPECT_LE(std::abs(city.place.latitude), 90);
        EXPECT_LE(std::abs(city.place.longitude), 180);
    }
}

#ifndef _WIN32
// The cities' coordinates are tzdata's, so the list and the real tables agree.
TEST(ZoneTable, TheSystemsTablesAgreeWithTheCities)
{
    struct Row { const char* zone; const char* city; };
    const Row rows[] = {
        {"Asia/Jerusalem", "Jerusalem"}, {"America/New_York", "New York"}, {"Europe/London", "London"},
        {"Europe/Amsterdam", "Amsterdam"},  // in zone.tab only: zone1970.tab folds it into Brussels
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.zone);
        const City* city = CityNamed(row.city);
        ASSERT_NE(city, nullptr);
        ExpectPlace(PlaceOfTzZone(row.zone, "/usr/share/zoneinfo"), city->place.latitude, city->place.longitude);
    }
    EXPECT_FALSE(PlaceOfTzZone("Etc/UTC", "/usr/share/zoneinfo").has_value());
    EXPECT_FALSE(PlaceOfTzZone("Asia/Jerusalem", "/nonexistent").has_value());
}

// What TZ says decides, in every form the C library takes; a rule or UTC gives no place.
TEST(SystemZone, TheZoneThatTzNames)
{
    ScopedZone zone("UTC");
    struct Row { const char* tz; const char* city; };
    const Row rows[] = {
        {"Asia/Jerusalem", "Jerusalem"}, {":America/New_York", "New York"},
        {"/usr/share/zoneinfo/Europe/London", "London"}, {"Israel", "Jerusalem"},
        {"US/Eastern", "New York"}, {"Europe/Oslo", nullptr}, {"UTC", nullptr}, {"", nullptr},
        {"IST-2IDT,M3.4.4/26,M10.5.0", nullptr}, {"../../etc/passwd", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tz);
        zone.Set(row.tz);
        std::optional<Place> place = SystemZonePlace();
        if (std::string_view(row.tz) == "Europe/Oslo") {
            ExpectPlace(place, 59 + 55 / 60.0, 10 + 45 / 60.0);  // its own, not Berlin's
        } else if (row.city) {
            const City* city = CityNamed(row.city);
            ASSERT_NE(city, nullptr);
            ExpectPlace(place, city->place.latitude, city->place.longitude);
        } else {
            EXPECT_FALSE(place.has_value());
        }
    }
}
#else
// Wine names the zone of the Unix system it runs on; with TZ set by the test's environment, that
// zone's Windows name leads to its city.
TEST(SystemZone, TheWindowsZoneOfTheSystem)
{
    std::optional<Place> place = SystemZonePlace();
    const City* jerusalem = CityNamed("Jerusalem");
    ASSERT_NE(jerusalem, nullptr);
    ExpectPlace(place, jerusalem->place.latitude, jerusalem->place.longitude);
}
#endif

}  // namespace
}  // namespace solar
