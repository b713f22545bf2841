#include "cli/day_fields.h"

#include <span>

#include "cli/date_input.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"

namespace cli {

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

}  // namespace cli
