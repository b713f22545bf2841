#pragma once
// The seam to the platform: the place of the system's time zone. Each platform has its own
// system_zone_*.cpp and nothing else in the library touches the system.

#include <optional>

#include "solar/sunset.h"

namespace solar {

// The principal city of the system's time zone, or nothing (UTC, a zone written as a bare rule
// such as "IST-2IDT", a zone no table names, a system whose zone could not be read). On Linux the
// zone is TZ's, else the one /etc/localtime links to, else /etc/timezone's, found in tzdata's
// tables (in TZDIR when it is set); on Windows it is the registry key name of the zone, found in
// the table of Windows zones.
std::optional<Place> SystemZonePlace();

}  // namespace solar
