#pragma once
// The names of the days of the week, Latin and Hebrew, 0 Sunday ... 6 Shabbat as the engine
// counts them (engine::WeekdayOf). Hebrew as the window's code page 1255 bytes and as UTF-8 for
// everything else, like the month names.

#include <array>
#include <string_view>

namespace hebrew_text {

struct WeekdayName {
    std::string_view latin;  // "Sunday" ... "Saturday"
    // The day as a sentence names it ("the molad is on ..."): "יום ראשון" ... "יום שישי", "שבת".
    std::string_view text;  // code page 1255
    std::string_view utf8;
};

extern const std::array<WeekdayName, 7> WeekdayNames;

}  // namespace hebrew_text
