#include "cli/day_fields.h"

#include <cstring>
#include <span>

#include "cli/date_input.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"

namespace cli {

namespace {

constexpr std::string_view WeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};

}  // namespace

char* PutText(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

DayConverter::DayConverter(const CivilCalendar& calendar, Escape escape)
    : calendar_(calendar), escape_(escape), yearTexts_(LastHebrewYear + 1), yearTextReady_(LastHebrewYear + 1)
{
    auto prepare = [escape](std::string_view text) { return escape ? escape(text) : std::string(text); };
    for (int day = 1; day <= 30; ++day) {
        dayTexts_[day] = prepare(hebrew_text::HebrewNumeralUtf8(day));
    }
    for (bool leap : {false, true}) {
        std::span<const hebrew_text::HebrewMonthEntry> months = hebrew_text::HebrewMonthList(leap);
        for (std::size_t i = 0; i < months.size(); ++i) {
            (leap ? leapMonthTexts_ : commonMonthTexts_)[i + 1] = prepare(months[i].utf8);
        }
    }
}

const std::string& DayConverter::YearText(int year)
{
    if (!yearTextReady_[year]) {
        // Letters without a thousands letter are read in the sixth thousand, so a year below
        // 1000 is written in digits, which read back as that year.
        std::string text = year < 1000 ? std::to_string(year) : hebrew_text::HebrewNumeralUtf8(year);
        yearTexts_[year] = escape_ ? escape_(text) : text;
        yearTextReady_[year] = 1;
    }
    return yearTexts_[year];
}

DayFields DayConverter::Fields(Day day, Day hebrewDay)
{
    DayFields fields;
    fields.civil = calendar_.LabelOf(day);
    fields.weekday = engine::WeekdayOf(day);
    fields.weekdayName = WeekdayNames[fields.weekday];
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

}  // namespace cli
