// The system's zone on Windows: the registry key name of the dynamic time zone, which names the
// zone whatever the language of the system.

#include "solar/system_zone.h"

#include <string>

#include <windows.h>

#include "solar/place.h"

namespace solar {

std::optional<Place> SystemZonePlace()
{
    DYNAMIC_TIME_ZONE_INFORMATION information{};
    if (GetDynamicTimeZoneInformation(&information) == TIME_ZONE_ID_INVALID) {
        return std::nullopt;
    }
    // The key names are ASCII; anything else names no zone of the table.
    std::string name;
    for (const WCHAR* c = information.TimeZoneKeyName; *c && name.size() < 128; ++c) {
        if (*c > 127) {
            return std::nullopt;
        }
        name += static_cast<char>(*c);
    }
    const City* city = CityOfWindowsZone(name);
    return city ? std::optional<Place>(city->place) : std::nullopt;
}

}  // namespace solar
