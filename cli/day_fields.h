#pragma once
// What the writers share: the fields of a line, found once per line (the civil label and weekday
// of a day, the Hebrew date and its texts), and the text line of a day. The Hebrew texts are
// prepared once per run, each through the format's own escaping (JSON's, or none).

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/civil_calendars.h"
#include "cli/writer.h"
#include "engine/contract.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/weekday_names.h"

namespace cli {


struct DayFields {
    CivilLabel civil;
    int weekday;  // 0 Sunday ... 6 Saturday
    std::string_view weekdayName;
    int year, month, day;  // the Hebrew date; month is the position in its year's list
    std::string_view monthName;  // "Tishri" ... "Adar I", "Adar II" ... "Elul"
    std::string_view dayText, monthText, yearText;  // Hebrew
    std::int64_t julianDay;
};

class DayConverter {
public:
    using Escape = std::string (*)(std::string_view);
    // `escape` turns each Hebrew text into what the format writes; nullptr for the texts as they are.
    DayConverter(const CivilCalendar& calendar, Escape escape);

    // The fields of civil day `day` with the Hebrew date of `hebrewDay`: the same day, or for an
    // evening the day after. Both lie within FirstSupportedDay ... LastSupportedDay.
    DayFields Fields(Day day, Day hebrewDay);

private:
    const std::string& YearText(int year);

    CivilCalendar calendar_;
    Escape escape_;
    std::array<std::string, 31> dayTexts_;          // 1 ... 30
    std::array<std::string, 14> commonMonthTexts_;  // positions 1 ... 12
    std::array<std::string, 14> leapMonthTexts_;    // positions 1 ... 13
    std::vector<std::string> yearTexts_;
    std::vector<char> yearTextReady_;
    int leapYear_ = -1;  // the year last asked about, and whether it has 13 months
    bool leap_ = false;
};

// Inline: it runs for every line.
inline DayFields DayConverter::Fields(Day day, Day hebrewDay)
{
    DETRON_EXPECTS(day >= engine::FirstSupportedDay() && day <= engine::LastSupportedDay() &&
                       hebrewDay >= engine::FirstSupportedDay() && hebrewDay <= engine::LastSupportedDay(),
                   "a line's days within the supported range");
    DayFields fields;
    fields.civil = calendar_.LabelOf(day);
    fields.weekday = engine::WeekdayOf(day);
    fields.weekdayName = hebrew_text::WeekdayNames[static_cast<std::size_t>(fields.weekday)].latin;
    engine::HebrewDate hebrew = engine::DayNumberToHebrew(static_cast<double>(hebrewDay));
    fields.year = static_cast<int>(hebrew.year);
    fields.month = static_cast<int>(hebrew.month);
    fields.day = static_cast<int>(hebrew.day);
    if (fields.year != leapYear_) {
        leapYear_ = fields.year;
        leap_ = engine::IsHebrewLeapYear(hebrew.year);
    }
    auto position = static_cast<std::size_t>(fields.month);
    fields.monthName = hebrew_text::HebrewMonthList(leap_)[position - 1].latin;
    fields.dayText = dayTexts_[static_cast<std::size_t>(fields.day)];
    fields.monthText = leap_ ? leapMonthTexts_[position] : commonMonthTexts_[position];
    fields.yearText = YearText(fields.year);
    fields.julianDay = day + JulianDayOffset;
    return fields;
}

// Copies `text` to `out`; returns the end. Inline, so that a literal's copy is a few stores.
inline char* PutText(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// A field's name as a template argument, so that a format can make what stands before the
// field (JSON's ',"name":') when it is compiled.
template <std::size_t N>
struct FieldName {
    constexpr FieldName(const char (&name)[N]) { std::copy_n(name, N, text); }
    constexpr std::string_view View() const { return {text, N - 1}; }
    char text[N];
};

// The day's own fields as CSV's columns and JSON's members have them, named and in this order:
// civil, weekday, weekdayName, hebrewYear, hebrewMonth, hebrewMonthName, hebrewDay, hebrewText,
// julianDay. `Style` writes what stands before a field (a separator, JSON's name) and around a
// text: `Style::Text<name, first>(out, put)` with `put(out)` writing the text, and
// `Style::Number<name>(out, value)`. Returns the end.
template <class Style>
char* PutDayRecord(const DayFields& fields, char* out)
{
    out = Style::template Text<"civil", true>(out, [&](char* at) { return WriteIso(fields.civil, at); });
    out = Style::template Number<"weekday">(out, fields.weekday);
    out = Style::template Text<"weekdayName">(out, [&](char* at) { return PutText(at, fields.weekdayName); });
    out = Style::template Number<"hebrewYear">(out, fields.year);
    out = Style::template Number<"hebrewMonth">(out, fields.month);
    out = Style::template Text<"hebrewMonthName">(out, [&](char* at) { return PutText(at, fields.monthName); });
    out = Style::template Number<"hebrewDay">(out, fields.day);
    out = Style::template Text<"hebrewText">(out, [&](char* at) {
        at = PutText(at, fields.dayText);
        *at++ = ' ';
        at = PutText(at, fields.monthText);
        *at++ = ' ';
        return PutText(at, fields.yearText);
    });
    return Style::template Number<"julianDay">(out, fields.julianDay);
}

// The day's part of a text line, without a newline (at most 200 bytes): the iCalendar writer
// describes each event by it too. Returns the end.
char* WriteTextDay(const DayFields& fields, char* out);

// Each format's writer, made by MakeWriter.
std::unique_ptr<Writer> MakeTextWriter(const CivilCalendar& calendar);
std::unique_ptr<Writer> MakeCsvWriter(const CivilCalendar& calendar, Columns columns);
std::unique_ptr<Writer> MakeJsonWriter(const CivilCalendar& calendar, Columns columns);
std::unique_ptr<Writer> MakeIcsWriter(const CivilCalendar& calendar, std::string_view stamp);

}  // namespace cli
