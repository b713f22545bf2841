#include "cli/day_format.h"

#include <cstring>

#include "cli/date_input.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"
#include "toolkit/core/cp1255.h"

namespace cli {

namespace {

constexpr std::string_view WeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};

char* Put(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* PutNumber(char* out, std::int64_t value)
{
    return WriteDecimal(value, out);
}

// The Hebrew date in the window's texts: day, month and year numerals with single spaces; the
// year 0 has the empty numeral and adds nothing.
char* PutHebrewText(char* out, std::string_view day, std::string_view month, std::string_view year)
{
    out = Put(out, day);
    *out++ = ' ';
    out = Put(out, month);
    if (!year.empty()) {
        *out++ = ' ';
        out = Put(out, year);
    }
    return out;
}

// The texts hold Hebrew letters, apostrophes and spaces; anything JSON would need escaped is
// escaped anyway, so that a changed table cannot produce invalid JSON.
std::string JsonEscaped(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        unsigned byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            escaped += '\\';
            escaped += c;
        } else if (byte < 0x20) {
            static const char hex[] = "0123456789abcdef";
            escaped += "\\u00";
            escaped += hex[byte >> 4];
            escaped += hex[byte & 15];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string Cp1255ToUtf8(std::string_view text)
{
    std::string utf8;
    for (char16_t code : toolkit::Cp1255ToUtf16(text)) {
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

DayFormatter::DayFormatter(Format format, const CivilCalendar& calendar)
    : format_(format), calendar_(calendar), yearTexts_(LastHebrewYear + 1), yearTextReady_(LastHebrewYear + 1)
{
    auto prepare = [format](std::string_view cp1255) {
        std::string utf8 = Cp1255ToUtf8(cp1255);
        return format == Format::Json ? JsonEscaped(utf8) : utf8;
    };
    for (int day = 1; day <= 30; ++day) {
        dayTexts_[day] = prepare(hebrew_text::HebrewNumeral(day));
    }
    for (int position = 1; position <= 12; ++position) {
        commonMonthTexts_[position] = prepare(hebrew_text::HebrewMonthNames[position - 1]);
    }
    // A leap year's list has the second Adar inserted at position 7.
    for (int position = 1; position <= 13; ++position) {
        std::string_view name = position < 7    ? hebrew_text::HebrewMonthNames[position - 1]
                                : position == 7 ? hebrew_text::SecondAdarName
                                                : hebrew_text::HebrewMonthNames[position - 2];
        leapMonthTexts_[position] = prepare(name);
    }
}

const std::string& DayFormatter::YearText(int year)
{
    if (!yearTextReady_[year]) {
        std::string utf8 = Cp1255ToUtf8(hebrew_text::HebrewNumeral(year));
        yearTexts_[year] = format_ == Format::Json ? JsonEscaped(utf8) : utf8;
        yearTextReady_[year] = 1;
    }
    return yearTexts_[year];
}

std::string_view DayFormatter::Header() const
{
    if (format_ != Format::Csv) {
        return {};
    }
    return "civil,weekday,weekdayName,hebrewYear,hebrewMonth,hebrewMonthName,hebrewDay,hebrewText,julianDay\n";
}

char* DayFormatter::Write(Day day, char* out)
{
    CivilLabel civil = calendar_.LabelOf(day);
    int weekday = static_cast<int>(((day % 7) + 7) % 7);
    engine::HebrewDate hebrew = engine::DayNumberToHebrew(static_cast<double>(day));
    int year = static_cast<int>(hebrew.year);
    int month = static_cast<int>(hebrew.month);
    int dayOfMonth = static_cast<int>(hebrew.day);
    if (year != leapYear_) {
        leapYear_ = year;
        leap_ = engine::IsHebrewLeapYear(hebrew.year);
    }
    std::string_view monthName = LatinMonthName(month, leap_);
    const std::string& dayText = dayTexts_[dayOfMonth];
    const std::string& monthText = leap_ ? leapMonthTexts_[month] : commonMonthTexts_[month];
    const std::string& yearText = YearText(year);

    switch (format_) {
    case Format::Text:
        out = WriteIso(civil, out);
        out = Put(out, "  ");
        out = Put(out, WeekdayNames[weekday]);
        out = Put(out, std::string_view("         ").substr(WeekdayNames[weekday].size()));
        out = Put(out, "  ");
        out = PutNumber(out, dayOfMonth);
        *out++ = ' ';
        out = Put(out, monthName);
        *out++ = ' ';
        out = PutNumber(out, year);
        out = Put(out, "  ");
        out = PutHebrewText(out, dayText, monthText, yearText);
        break;
    case Format::Csv: {
        out = WriteIso(civil, out);
        *out++ = ',';
        out = PutNumber(out, weekday);
        *out++ = ',';
        out = Put(out, WeekdayNames[weekday]);
        *out++ = ',';
        out = PutNumber(out, year);
        *out++ = ',';
        out = PutNumber(out, month);
        *out++ = ',';
        out = Put(out, monthName);
        *out++ = ',';
        out = PutNumber(out, dayOfMonth);
        *out++ = ',';
        // Quoted, with inner quotes doubled, when the text holds a separator or a quote.
        char* field = out + 1;
        char* end = PutHebrewText(field, dayText, monthText, yearText);
        if (std::string_view(field, static_cast<std::size_t>(end - field)).find_first_of(",\"\r\n") ==
            std::string_view::npos) {
            std::memmove(out, field, static_cast<std::size_t>(end - field));
            out += end - field;
        } else {
            std::string text(field, end);
            *out++ = '"';
            for (char c : text) {
                if (c == '"') {
                    *out++ = '"';
                }
                *out++ = c;
            }
            *out++ = '"';
        }
        *out++ = ',';
        out = PutNumber(out, day + JulianDayOffset);
        break;
    }
    case Format::Json:
        out = Put(out, "{\"civil\":\"");
        out = WriteIso(civil, out);
        out = Put(out, "\",\"weekday\":");
        out = PutNumber(out, weekday);
        out = Put(out, ",\"weekdayName\":\"");
        out = Put(out, WeekdayNames[weekday]);
        out = Put(out, "\",\"hebrewYear\":");
        out = PutNumber(out, year);
        out = Put(out, ",\"hebrewMonth\":");
        out = PutNumber(out, month);
        out = Put(out, ",\"hebrewMonthName\":\"");
        out = Put(out, monthName);
        out = Put(out, "\",\"hebrewDay\":");
        out = PutNumber(out, dayOfMonth);
        out = Put(out, ",\"hebrewText\":\"");
        out = PutHebrewText(out, dayText, monthText, yearText);
        out = Put(out, "\",\"julianDay\":");
        out = PutNumber(out, day + JulianDayOffset);
        *out++ = '}';
        break;
    }
    *out++ = '\n';
    return out;
}

}  // namespace cli
