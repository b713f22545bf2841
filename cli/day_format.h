#pragma once
// One output line per day, written into a caller's buffer without allocating: plain text,
// CSV with a header row, or JSON Lines. Hebrew texts are the window's numerals and month names
// in UTF-8 and logical order; a year below 1000 is written in digits.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cli/civil_calendars.h"

namespace cli {

enum class Format { Text, Csv, Json };

class DayFormatter {
public:
    // The longest line Write can produce.
    static constexpr std::size_t MaxLineBytes = 512;

    DayFormatter(Format format, const CivilCalendar& calendar);

    // The CSV header row, empty for the other formats.
    std::string_view Header() const;

    // Writes the line of `day`, which lies within FirstSupportedDay ... LastSupportedDay, with its
    // newline, into at least MaxLineBytes of space; returns the end.
    char* Write(Day day, char* out);

private:
    // The texts of a Hebrew date as UTF-8, prepared once; year texts on first use.
    const std::string& YearText(int year);

    Format format_;
    CivilCalendar calendar_;
    std::array<std::string, 31> dayTexts_;        // 1 ... 30
    std::array<std::string, 14> commonMonthTexts_;  // positions 1 ... 12
    std::array<std::string, 14> leapMonthTexts_;    // positions 1 ... 13
    std::vector<std::string> yearTexts_;
    std::vector<char> yearTextReady_;
    int leapYear_ = -1;  // the year last asked about, and whether it has 13 months
    bool leap_ = false;
};

}  // namespace cli
