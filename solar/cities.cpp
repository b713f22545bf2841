#include "solar/place.h"

namespace solar {

namespace {

// Coordinates of the zones' cities as tzdata's zone.tab gives them, rounded to 1/10000 degree.
constexpr City TheCities[] = {
    {"Jerusalem", "ירושלים", {31.7806, 35.2239}},  // Asia/Jerusalem
    {"Tel Aviv", "תל אביב", {32.0853, 34.7818}},
    {"Haifa", "חיפה", {32.7940, 34.9896}},
    {"Be'er Sheva", "באר שבע", {31.2520, 34.7915}},
    {"Eilat", "אילת", {29.5577, 34.9519}},
    {"Honolulu", "הונולולו", {21.3069, -157.8583}},  // Pacific/Honolulu
    {"Anchorage", "אנקורג׳", {61.2181, -149.9003}},  // America/Anchorage
    {"Los Angeles", "לוס אנג׳לס", {34.0522, -118.2428}},  // America/Los_Angeles
    {"Phoenix", "פיניקס", {33.4483, -112.0733}},  // America/Phoenix
    {"Denver", "דנוור", {39.7392, -104.9842}},  // America/Denver
    {"Mexico City", "מקסיקו סיטי", {19.4000, -99.1500}},  // America/Mexico_City
    {"Chicago", "שיקגו", {41.8500, -87.6500}},  // America/Chicago
    {"Toronto", "טורונטו", {43.6500, -79.3833}},  // America/Toronto
    {"Bogota", "בוגוטה", {4.6000, -74.0833}},  // America/Bogota
    {"New York", "ניו יורק", {40.7142, -74.0064}},  // America/New_York
    {"Montreal", "מונטריאול", {45.5088, -73.5878}},
    {"Santiago", "סנטיאגו", {-33.4500, -70.6667}},  // America/Santiago
    {"Caracas", "קראקס", {10.5000, -66.9333}},  // America/Caracas
    {"Halifax", "הליפקס", {44.6500, -63.6000}},  // America/Halifax
    {"Buenos Aires", "בואנוס איירס", {-34.6000, -58.4500}},  // America/Argentina/Buenos_Aires
    {"Montevideo", "מונטווידאו", {-34.9092, -56.2125}},  // America/Montevideo
    {"St. John's", "סנט ג׳ונס", {47.5667, -52.7167}},  // America/St_Johns
    {"Sao Paulo", "סאו פאולו", {-23.5333, -46.6167}},  // America/Sao_Paulo
    {"Reykjavik", "רייקיאוויק", {64.1500, -21.8500}},  // Atlantic/Reykjavik
    {"Casablanca", "קזבלנקה", {33.6500, -7.5833}},  // Africa/Casablanca
    {"London", "לונדון", {51.5083, -0.1253}},  // Europe/London
    {"Paris", "פריז", {48.8667, 2.3333}},  // Europe/Paris
    {"Lagos", "לאגוס", {6.4500, 3.4000}},  // Africa/Lagos
    {"Amsterdam", "אמסטרדם", {52.3667, 4.9000}},  // Europe/Amsterdam
    {"Rome", "רומא", {41.9000, 12.4833}},  // Europe/Rome
    {"Berlin", "ברלין", {52.5000, 13.3667}},  // Europe/Berlin
    {"Budapest", "בודפשט", {47.5000, 19.0833}},  // Europe/Budapest
    {"Warsaw", "ורשה", {52.2500, 21.0000}},  // Europe/Warsaw
    {"Bucharest", "בוקרשט", {44.4333, 26.1000}},  // Europe/Bucharest
    {"Minsk", "מינסק", {53.9000, 27.5667}},  // Europe/Minsk
    {"Johannesburg", "יוהנסבורג", {-26.2500, 28.0000}},  // Africa/Johannesburg
    {"Chisinau", "קישינב", {47.0000, 28.8333}},  // Europe/Chisinau
    {"Istanbul", "איסטנבול", {41.0167, 28.9667}},  // Europe/Istanbul
    {"Kyiv", "קייב", {50.4333, 30.5167}},  // Europe/Kyiv
    {"Cairo", "קהיר", {30.0500, 31.2500}},  // Africa/Cairo
    {"Beirut", "ביירות", {33.8833, 35.5000}},  // Asia/Beirut
    {"Amman", "עמאן", {31.9500, 35.9333}},  // Asia/Amman
    {"Nairobi", "ניירובי", {-1.2833, 36.8167}},  // Africa/Nairobi
    {"Moscow", "מוסקבה", {55.7558, 37.6178}},  // Europe/Moscow
    {"Tbilisi", "טביליסי", {41.7167, 44.8167}},  // Asia/Tbilisi
    {"Riyadh", "ריאד", {24.6333, 46.7167}},  // Asia/Riyadh
    {"Baku", "באקו", {40.3833, 49.8500}},  // Asia/Baku
    {"Tehran", "טהרן", {35.6667, 51.4333}},  // Asia/Tehran
    {"Dubai", "דובאי", {25.3000, 55.3000}},  // Asia/Dubai
    {"Yekaterinburg", "יקטרינבורג", {56.8500, 60.6000}},  // Asia/Yekaterinburg
    {"Tashkent", "טשקנט", {41.3333, 69.3000}},  // Asia/Tashkent
    {"Kolkata", "קולקטה", {22.5333, 88.3667}},  // Asia/Kolkata
    {"Bangkok", "בנגקוק", {13.7500, 100.5167}},  // Asia/Bangkok
    {"Singapore", "סינגפור", {1.2833, 103.8500}},  // Asia/Singapore
    {"Perth", "פרת׳", {-31.9500, 115.8500}},  // Australia/Perth
    {"Shanghai", "שנגחאי", {31.2333, 121.4667}},  // Asia/Shanghai
    {"Seoul", "סיאול", {37.5500, 126.9667}},  // Asia/Seoul
    {"Adelaide", "אדלייד", {-34.9167, 138.5833}},  // Australia/Adelaide
    {"Tokyo", "טוקיו", {35.6544, 139.7447}},  // Asia/Tokyo
    {"Melbourne", "מלבורן", {-37.8167, 144.9667}},  // Australia/Melbourne
    {"Hobart", "הובארט", {-42.8833, 147.3167}},  // Australia/Hobart
    {"Sydney", "סידני", {-33.8667, 151.2167}},  // Australia/Sydney
    {"Brisbane", "בריסביין", {-27.4667, 153.0333}},  // Australia/Brisbane
    {"Auckland", "אוקלנד", {-36.8667, 174.7667}},  // Pacific/Auckland
};

}  // namespace

std::span<const City> Cities()
{
    return TheCities;
}

const City* CityNamed(std::string_view latinName)
{
    for (const City& city : TheCities) {
        if (city.latinName == latinName) {
            return &city;
        }
    }
    return nullptr;
}

}  // namespace solar
