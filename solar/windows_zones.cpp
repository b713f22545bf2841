#include "solar/place.h"

namespace solar {

namespace {

// Each Windows zone's city is the one that the Unicode consortium's table of Windows zones
// (windowsZones.xml) gives it for the world ("001").
struct WindowsZone {
    std::string_view windowsName, city;
};
constexpr WindowsZone WindowsZones[] = {
    {"Israel Standard Time", "Jerusalem"},
    {"Hawaiian Standard Time", "Honolulu"},
    {"Alaskan Standard Time", "Anchorage"},
    {"Pacific Standard Time", "Los Angeles"},
    {"US Mountain Standard Time", "Phoenix"},
    {"Mountain Standard Time", "Denver"},
    {"Central Standard Time (Mexico)", "Mexico City"},
    {"Central Standard Time", "Chicago"},
    {"SA Pacific Standard Time", "Bogota"},
    {"Eastern Standard Time", "New York"},
    {"Pacific SA Standard Time", "Santiago"},
    {"Venezuela Standard Time", "Caracas"},
    {"Atlantic Standard Time", "Halifax"},
    {"Argentina Standard Time", "Buenos Aires"},
    {"Montevideo Standard Time", "Montevideo"},
    {"Newfoundland Standard Time", "St. John's"},
    {"E. South America Standard Time", "Sao Paulo"},
    {"Greenwich Standard Time", "Reykjavik"},
    {"Morocco Standard Time", "Casablanca"},
    {"GMT Standard Time", "London"},
    {"Romance Standard Time", "Paris"},
    {"W. Central Africa Standard Time", "Lagos"},
    {"W. Europe Standard Time", "Berlin"},
    {"Central Europe Standard Time", "Budapest"},
    {"Central European Standard Time", "Warsaw"},
    {"GTB Standard Time", "Bucharest"},
    {"Belarus Standard Time", "Minsk"},
    {"South Africa Standard Time", "Johannesburg"},
    {"E. Europe Standard Time", "Chisinau"},
    {"Turkey Standard Time", "Istanbul"},
    {"FLE Standard Time", "Kyiv"},
    {"Egypt Standard Time", "Cairo"},
    {"Middle East Standard Time", "Beirut"},
    {"Jordan Standard Time", "Amman"},
    {"E. Africa Standard Time", "Nairobi"},
    {"Russian Standard Time", "Moscow"},
    {"Georgian Standard Time", "Tbilisi"},
    {"Arab Standard Time", "Riyadh"},
    {"Azerbaijan Standard Time", "Baku"},
    {"Iran Standard Time", "Tehran"},
    {"Arabian Standard Time", "Dubai"},
    {"Ekaterinburg Standard Time", "Yekaterinburg"},
    {"West Asia Standard Time", "Tashkent"},
    {"India Standard Time", "Kolkata"},
    {"SE Asia Standard Time", "Bangkok"},
    {"Singapore Standard Time", "Singapore"},
    {"W. Australia Standard Time", "Perth"},
    {"China Standard Time", "Shanghai"},
    {"Korea Standard Time", "Seoul"},
    {"Cen. Australia Standard Time", "Adelaide"},
    {"Tokyo Standard Time", "Tokyo"},
    {"Tasmania Standard Time", "Hobart"},
    {"AUS Eastern Standard Time", "Sydney"},
    {"E. Australia Standard Time", "Brisbane"},
    {"New Zealand Standard Time", "Auckland"},
};

}  // namespace

const City* CityOfWindowsZone(std::string_view windowsZone)
{
    for (const WindowsZone& zone : WindowsZones) {
        if (zone.windowsName == windowsZone) {
            return CityNamed(zone.city);
        }
    }
    return nullptr;
}

}  // namespace solar
