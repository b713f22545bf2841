#include "solar/place.h"

#include <cstdio>
#include <string>

namespace solar {

namespace {

// Degrees from a sign and 2 + 2 (+ 2) or 3 + 2 (+ 2) digits; negative when unreadable.
double ReadAngle(std::string_view text, std::size_t degreeDigits, double limit)
{
    bool withSeconds = text.size() == 1 + degreeDigits + 4;
    if (text.size() != 1 + degreeDigits + 2 && !withSeconds) {
        return -1;
    }
    for (char c : text.substr(1)) {
        if (c < '0' || c > '9') {
            return -1;
        }
    }
    auto number = [&](std::size_t at, std::size_t digits) {
        int value = 0;
        for (std::size_t i = at; i < at + digits; ++i) {
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    int degrees = number(1, degreeDigits);
    int minutes = number(1 + degreeDigits, 2);
    int seconds = withSeconds ? number(3 + degreeDigits, 2) : 0;
    double angle = degrees + minutes / 60.0 + seconds / 3600.0;
    if (minutes >= 60 || seconds >= 60 || angle > limit) {
        return -1;
    }
    return angle;
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

// The next tab-separated field of a line, taking it off the line.
std::string_view TakeField(std::string_view& line)
{
    std::size_t tab = line.find('\t');
    std::string_view field = line.substr(0, tab);
    line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    return field;
}

// A whole file's text, up to a size no zone table comes near; nothing when it cannot be read.
std::optional<std::string> ReadSmallFile(const std::string& path)
{
    constexpr std::size_t Limit = 1 << 20;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return std::nullopt;
    }
    std::string text(Limit, '\0');
    std::size_t length = std::fread(text.data(), 1, Limit, file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    text.resize(length);
    return text;
}

}  // namespace

std::optional<Place> ReadIso6709(std::string_view text)
{
    if (text.empty() || !IsSign(text[0])) {
        return std::nullopt;
    }
    std::size_t split = 1;
    while (split < text.size() && !IsSign(text[split])) {
        ++split;
    }
    std::string_view latitudeText = text.substr(0, split);
    std::string_view longitudeText = text.substr(split);
    double latitude = ReadAngle(latitudeText, 2, 90);
    double longitude = longitudeText.empty() ? -1 : ReadAngle(longitudeText, 3, 180);
    if (latitude < 0 || longitude < 0) {
        return std::nullopt;
    }
    return Place{latitudeText[0] == '-' ? -latitude : latitude, longitudeText[0] == '-' ? -longitude : longitude};
}

std::optional<Place> PlaceInZoneTable(std::string_view table, std::string_view zone)
{
    while (!zone.empty() && !table.empty()) {
        std::size_t end = table.find('\n');
        std::string_view line = table.substr(0, end);
        table = end == std::string_view::npos ? std::string_view() : table.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        TakeField(line);  // the country codes
        std::string_view coordinates = TakeField(line);
        if (TakeField(line) != zone) {
            continue;
        }
        if (std::optional<Place> place = ReadIso6709(coordinates)) {
            return place;
        }
    }
    return std::nullopt;
}

std::optional<Place> PlaceOfTzZone(std::string_view zone, std::string_view tzFolder)
{
    for (const char* name : {"/zone1970.tab", "/zone.tab"}) {
        std::optional<std::string> table = ReadSmallFile(std::string(tzFolder) + name);
        if (table) {
            if (std::optional<Place> place = PlaceInZoneTable(*table, zone)) {
                return place;
            }
        }
    }
    return std::nullopt;
}

std::string_view ZoneNameOfPath(std::string_view path)
{
    constexpr std::string_view folder = "zoneinfo/";
    std::size_t at = path.rfind(folder);
    if (at == std::string_view::npos) {
        return path;
    }
    std::string_view name = path.substr(at + folder.size());
    for (std::string_view variant : {"posix/", "right/"}) {
        if (name.starts_with(variant)) {
            name.remove_prefix(variant.size());
        }
    }
    return name;
}

}  // namespace solar
