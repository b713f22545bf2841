#pragma once
// Where sunset is computed until the user chooses a place: the cities to choose from, and the
// principal city of the system's time zone as tzdata's tables and the Windows zone names give
// it. Reading the tables is portable (and takes any text: a line it cannot read is passed
// over); finding the system's zone is the platform's, in system_zone_*.cpp behind
// solar/system_zone.h.

#include <optional>
#include <span>
#include <string_view>

#include "solar/sunset.h"

namespace solar {

struct City {
    std::string_view latinName;   // "Jerusalem", "Be'er Sheva"
    std::string_view hebrewName;  // UTF-8 in logical order: "ירושלים"
    Place place;
};

// The cities a user chooses from: Israel's first, then the rest of the world west to east; every
// city the Windows zone names lead to is among them.
std::span<const City> Cities();

// The city of that Latin name in Cities(), or nothing.
const City* CityNamed(std::string_view latinName);

// The principal city of a Windows time zone, by its registry key name ("Israel Standard Time"
// gives Jerusalem); nothing for a zone the table does not hold, "UTC" among them.
const City* CityOfWindowsZone(std::string_view windowsZone);

// A place written in ISO 6709 as tzdata writes it, ±DDMM±DDDMM or ±DDMMSS±DDDMMSS, and nothing
// else ("+314650+0351326" is 31°46'50" N, 35°13'26" E); nothing for anything else, minutes or
// seconds of 60 and more, or a latitude beyond 90 or longitude beyond 180 among it.
std::optional<Place> ReadIso6709(std::string_view text);

// The place of a zone in the text of a tzdata table (zone1970.tab or zone.tab: tab-separated
// country codes, coordinates, zone name and comment, `#` comments); nothing when no readable
// line names it.
std::optional<Place> PlaceInZoneTable(std::string_view table, std::string_view zone);

// The place of a zone from the tables in a tzdata folder ("/usr/share/zoneinfo"): zone1970.tab,
// then zone.tab, which also names the zones that zone1970.tab folds into a neighbour's
// (Europe/Oslo into Europe/Berlin); nothing when neither file is there or names it.
std::optional<Place> PlaceOfTzZone(std::string_view zone, std::string_view tzFolder);

// The zone name in a path to a zone file: what follows "zoneinfo/" and the posix/ or right/
// folders ("/usr/share/zoneinfo/posix/Asia/Jerusalem" gives "Asia/Jerusalem"); the path itself
// when it holds no "zoneinfo/".
std::string_view ZoneNameOfPath(std::string_view path);

}  // namespace solar
