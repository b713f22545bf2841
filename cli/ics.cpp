#include "cli/ics.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "detron_version.h"
#include "engine/contract.h"
#include "hebrew_text/utf8.h"

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
        std::size_t cut = hebrew_text::Utf8CharStart(line, room);
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
    DETRON_EXPECTS(secondsSinceEpoch >= 0 && secondsSinceEpoch <= IcsLastSecond,
                   "a time from 1970 to the end of 9999");
    Day day = secondsSinceEpoch / 86400 - (secondsSinceEpoch % 86400 < 0 ? 1 : 0);
    std::int64_t second = secondsSinceEpoch - day * 86400;
    std::string date = DateValue(day + GregorianToDay({1970, 1, 1}));
    // Room for three ints of any size: the compiler need not see that the hour is 0 ... 23.
    char time[40];
    std::snprintf(time, sizeof time, "T%02d%02d%02dZ", static_cast<int>(second / 3600),
                  static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
    return date + time;
}

std::string IcsStampNow(std::string& problem)
{
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    if (fixed == nullptr || *fixed == '\0') {
        return IcsStamp(static_cast<std::int64_t>(std::time(nullptr)));
    }
    // Digits only, as `date +%s` writes them: a sign, a fraction or a number past the last
    // second iCalendar can write is a mistake to report, not a time to guess at.
    std::string_view digits = fixed;
    std::int64_t seconds = 0;
    bool ok = digits.size() <= 12 && digits.find_first_not_of("0123456789") == std::string_view::npos;
    for (std::size_t i = 0; ok && i < digits.size(); ++i) {
        seconds = seconds * 10 + (digits[i] - '0');
    }
    if (!ok || seconds > IcsLastSecond) {
        problem = "SOURCE_DATE_EPOCH \"" + std::string(digits.substr(0, 40)) +
                  "\": expected the seconds since 1970-01-01 00:00:00 UTC, from 0 to " +
                  std::to_string(IcsLastSecond) + " (9999-12-31 23:59:59)";
        return {};
    }
    return IcsStamp(seconds);
}

std::string IcsBegin()
{
    return "BEGIN:VCALENDAR\r\n"
           "VERSION:2.0\r\n"
           "PRODID:-//Detron//detron-convert " + std::string(DetronVersion) + "//EN\r\n"
           "CALSCALE:GREGORIAN\r\n";
}

std::string IcsEvent(Day day, std::string_view uid, std::string_view summary, std::string_view description,
                     std::string_view stamp)
{
    DETRON_EXPECTS(IcsCanHold(day), "a day iCalendar can hold");
    DETRON_EXPECTS(!uid.empty(), "a non-empty UID");
    DETRON_EXPECTS(stamp.size() == 16, "a DTSTAMP \"YYYYMMDDTHHMMSSZ\"");
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
