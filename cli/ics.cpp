#include "cli/ics.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#ifndef DETRON_VERSION
#define DETRON_VERSION "unknown"
#endif

namespace cli {

namespace {

std::string DateValue(Day day)
{
    CivilLabel label = GregorianOfDay(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", label.year, label.month, label.day);
    return text;
}

}  // namespace

bool IcsCanHold(Day day)
{
    return day >= GregorianToDay({1, 1, 1}) && day + 1 <= GregorianToDay({9999, 12, 31});
}

std::string IcsFolded(std::string_view line)
{
    std::string folded;
    std::size_t room = 75;
    while (line.size() > room) {
        std::size_t cut = room;
        // Back to the start of a UTF-8 character: continuation bytes are 10xxxxxx.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        if (cut == 0) {
            cut = room;  // not UTF-8 at all: cut anywhere rather than never
        }
        folded.append(line.substr(0, cut));
        folded += "\r\n ";
        line.remove_prefix(cut);
        room = 74;  // the space that begins a continuation line counts
    }
    folded.append(line);
    folded += "\r\n";
    return folded;
}

std::string IcsText(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case ';': escaped += "\\;"; break;
        case ',': escaped += "\\,"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string IcsStamp(std::int64_t secondsSinceEpoch)
{
    Day day = secondsSinceEpoch / 86400 - (secondsSinceEpoch % 86400 < 0 ? 1 : 0);
    std::int64_t second = secondsSinceEpoch - day * 86400;
    std::string date = DateValue(day + GregorianToDay({1970, 1, 1}));
    char time[16];
    std::snprintf(time, sizeof time, "T%02d%02d%02dZ", static_cast<int>(second / 3600),
                  static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
    return date + time;
}

std::string IcsStampNow()
{
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    char* end = nullptr;
    if (fixed != nullptr && *fixed != '\0') {
        long long seconds = std::strtoll(fixed, &end, 10);
        if (*end == '\0' && seconds >= 0) {
            return IcsStamp(seconds);
        }
    }
    return IcsStamp(static_cast<std::int64_t>(std::time(nullptr)));
}

std::string IcsBegin()
{
    return "BEGIN:VCALENDAR\r\n"
           "VERSION:2.0\r\n"
           "PRODID:-//Detron//detron-convert " DETRON_VERSION "//EN\r\n"
           "CALSCALE:GREGORIAN\r\n";
}

std::string IcsEvent(Day day, std::string_view uid, std::string_view summary, std::string_view description,
                     std::string_view stamp)
{
    std::string event = "BEGIN:VEVENT\r\n";
    event += IcsFolded("UID:" + IcsText(uid));
    event += "DTSTAMP:" + std::string(stamp) + "\r\n";
    event += "DTSTART;VALUE=DATE:" + DateValue(day) + "\r\n";
    event += "DTEND;VALUE=DATE:" + DateValue(day + 1) + "\r\n";
    event += IcsFolded("SUMMARY:" + IcsText(summary));
    event += IcsFolded("DESCRIPTION:" + IcsText(description));
    event += "TRANSP:TRANSPARENT\r\n";
    event += "END:VEVENT\r\n";
    return event;
}

std::string IcsEnd()
{
    return "END:VCALENDAR\r\n";
}

}  // namespace cli
