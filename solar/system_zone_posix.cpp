// The system's zone on Linux and other POSIX systems: TZ, else /etc/localtime's link, else
// /etc/timezone, looked up in tzdata's tables.

#include "solar/system_zone.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "solar/place.h"

namespace solar {

namespace {

// The name of the zone that TZ, /etc/localtime or /etc/timezone names, in that order; TZ set
// but empty is UTC.
std::string SystemZoneName()
{
    if (const char* tz = std::getenv("TZ")) {
        std::string_view name = tz;
        if (name.starts_with(':')) {
            name.remove_prefix(1);
        }
        return std::string(name.starts_with('/') ? ZoneNameOfPath(name) : name);
    }
    char link[PATH_MAX];
    ssize_t length = readlink("/etc/localtime", link, sizeof link - 1);
    if (length > 0) {
        return std::string(ZoneNameOfPath(std::string_view(link, static_cast<std::size_t>(length))));
    }
    std::string name;
    if (std::FILE* file = std::fopen("/etc/timezone", "r")) {
        char line[256];
        if (std::fgets(line, sizeof line, file)) {
            name = line;
            while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' ')) {
                name.pop_back();
            }
        }
        std::fclose(file);
    }
    return name;
}

}  // namespace

std::optional<Place> SystemZonePlace()
{
    const char* folderSetting = std::getenv("TZDIR");
    std::string folder = folderSetting && *folderSetting ? folderSetting : "/usr/share/zoneinfo";
    std::string zone = SystemZoneName();
    if (zone.empty() || zone.find("..") != std::string::npos) {
        return std::nullopt;
    }
    if (std::optional<Place> place = PlaceOfTzZone(zone, folder)) {
        return place;
    }
    // An old name that tzdata keeps as a link ("Israel", "US/Eastern"): the zone it leads to.
    char resolved[PATH_MAX];
    if (realpath((folder + "/" + zone).c_str(), resolved)) {
        return PlaceOfTzZone(ZoneNameOfPath(resolved), folder);
    }
    return std::nullopt;
}

}  // namespace solar
