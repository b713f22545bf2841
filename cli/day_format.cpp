#include "cli/day_format.h"

#include <cstring>
#include <span>

#include "cli/date_input.h"
#include "cli/ics.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "hebrew_text/encoding.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"

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

// The Hebrew date's texts: day, month and year with single spaces.
char* PutHebrewText(char* out, std::string_view day, std::string_view month, std::string_view year)
{
    out = Put(out, day);
    *out++ = ' ';
    out = Put(out, month);
    *out++ = ' ';
    return Put(out, year);
}

// The field written from `field` to `end`, quoted with inner quotes doubled when it holds a
// separator or a quote. Returns the end.
char* PutCsvField(char* field, char* end)
{
    std::string_view text(field, static_cast<std::size_t>(end - field));
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return end;
    }
    std::string copy(text);
    char* out = field;
    *out++ = '"';
    for (char c : copy) {
        if (c == '"') {
            *out++ = '"';
        }
        *out++ = c;
    }
    *out++ = '"';
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

DayFormatter::DayFormatter(Format format, const CivilCalendar& calendar, Columns columns)
    : format_(format), calendar_(calendar), columns_(columns), yearTexts_(LastHebrewYear + 1),
      yearTextReady_(LastHebrewYear + 1)
{
    if (format == Format::Ics) {
        stamp_ = IcsStampNow();
    }
    auto prepare = [format](std::string_view cp1255) {
        std::string utf8 = hebrew_text::Cp1255ToUtf8(cp1255);
        return format == Format::Json ? JsonEscaped(utf8) : utf8;
    };
    for (int day = 1; day <= 30; ++day) {
        dayTexts_[day] = prepare(hebrew_text::HebrewNumeral(day));
    }
    for (bool leap : {false, true}) {
        std::span<const hebrew_text::HebrewMonthEntry> months = hebrew_text::HebrewMonthList(leap);
        for (std::size_t i = 0; i < months.size(); ++i) {
            (leap ? leapMonthTexts_ : commonMonthTexts_)[i + 1] = prepare(months[i].text);
        }
    }
}

const std::string& DayFormatter::YearText(int year)
{
    if (!yearTextReady_[year]) {
        // Letters without a thousands letter are read in the sixth thousand, so a year below
        // 1000 is written in digits, which read back as that year.
        std::string utf8 = year < 1000 ? std::to_string(year) : hebrew_text::Cp1255ToUtf8(hebrew_text::HebrewNumeral(year));
        yearTexts_[year] = format_ == Format::Json ? JsonEscaped(utf8) : utf8;
        yearTextReady_[year] = 1;
    }
    return yearTexts_[year];
}

std::string DayFormatter::Header() const
{
    if (format_ == Format::Ics) {
        return IcsBegin();
    }
    if (format_ != Format::Csv) {
        return {};
    }
    std::string header =
        "civil,weekday,weekdayName,hebrewYear,hebrewMonth,hebrewMonthName,hebrewDay,hebrewText,julianDay";
    header += columns_.afterSunset ? ",afterSunset" : "";
    header += columns_.events ? ",event,eventHebrew" : "";
    return header + "\n";
}

std::string DayFormatter::Footer() const
{
    return format_ == Format::Ics ? IcsEnd() : std::string();
}

// The fields after the day's own, put in place of the line's end.
char* DayFormatter::PutExtras(char* out, const LineExtras& extras)
{
    switch (format_) {
    case Format::Text:
        --out;  // the newline
        if (extras.evening) {
            out = Put(out, "  after sunset");
        }
        if (extras.event != nullptr) {
            out = Put(out, "  ");
            out = Put(out, observances::LatinName(*extras.event));
            out = Put(out, "  ");
            out = Put(out, observances::HebrewName(*extras.event));
        }
        break;
    case Format::Csv:
        --out;
        if (columns_.afterSunset) {
            out = Put(out, extras.evening ? ",true" : ",false");
        }
        if (columns_.events) {
            *out++ = ',';
            if (extras.event != nullptr) {
                out = PutCsvField(out, Put(out, observances::LatinName(*extras.event)));
                *out++ = ',';
                out = PutCsvField(out, Put(out, observances::HebrewName(*extras.event)));
            } else {
                *out++ = ',';
            }
        }
        break;
    case Format::Json:
        out -= 2;  // the closing brace and the newline
        if (columns_.afterSunset) {
            out = Put(out, extras.evening ? ",\"afterSunset\":true" : ",\"afterSunset\":false");
        }
        if (columns_.events && extras.event != nullptr) {
            out = Put(out, ",\"event\":\"");
            out = Put(out, JsonEscaped(observances::LatinName(*extras.event)));
            out = Put(out, "\",\"eventHebrew\":\"");
            out = Put(out, JsonEscaped(observances::HebrewName(*extras.event)));
            *out++ = '"';
        }
        *out++ = '}';
        break;
    case Format::Ics:
        break;
    }
    *out++ = '\n';
    return out;
}

// The line of a civil day and the Hebrew date of `hebrewDay`: the same day, or for an evening the
// day after.
char* DayFormatter::WriteDay(Day day, Day hebrewDay, char* out)
{
    CivilLabel civil = calendar_.LabelOf(day);
    int weekday = engine::WeekdayOf(day);
    engine::HebrewDate hebrew = engine::DayNumberToHebrew(static_cast<double>(hebrewDay));
    int year = static_cast<int>(hebrew.year);
    int month = static_cast<int>(hebrew.month);
    int dayOfMonth = static_cast<int>(hebrew.day);
    if (year != leapYear_) {
        leapYear_ = year;
        leap_ = engine::IsHebrewLeapYear(hebrew.year);
    }
    std::string_view monthName = hebrew_text::HebrewMonthList(leap_)[static_cast<std::size_t>(month - 1)].latin;
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
        char* field = out;
        out = PutCsvField(out, PutHebrewText(field, dayText, monthText, yearText));
        *out++ = ',';
        out = PutNumber(out, day + JulianDayOffset);
        break;
    }
    case Format::Ics:
        break;
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

// One all-day event: the event's names or the Hebrew date as its summary, the text line as its
// description, and a UID from the day and what it marks, the same in every run.
char* DayFormatter::WriteIcs(Day day, char* out, const LineExtras& extras)
{
    // The description is the text line: the texts are prepared alike for both formats.
    char line[MaxLineBytes];
    LineExtras plain = extras;
    plain.event = nullptr;
    format_ = Format::Text;
    std::string description(line, Write(day, line, plain) - 1);
    format_ = Format::Ics;

    std::string summary;
    std::string uid = IsoText(GregorianOfDay(day)) + "-";
    if (extras.event != nullptr) {
        summary = observances::LatinName(*extras.event) + " / " + observances::HebrewName(*extras.event);
        for (char c : observances::LatinName(*extras.event)) {
            bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
            uid += keep ? c : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : '-';
        }
    } else {
        engine::HebrewDate hebrew = engine::DayNumberToHebrew(static_cast<double>(extras.evening ? day + 1 : day));
        auto year = static_cast<int>(hebrew.year);
        auto month = static_cast<std::size_t>(hebrew.month);
        bool leap = engine::IsHebrewLeapYear(hebrew.year);
        summary = std::to_string(static_cast<int>(hebrew.day)) + " " +
                  std::string(hebrew_text::HebrewMonthList(leap)[month - 1].latin) + " " + std::to_string(year) +
                  " / " + dayTexts_[static_cast<std::size_t>(hebrew.day)] + " " +
                  (leap ? leapMonthTexts_ : commonMonthTexts_)[month] + " " + YearText(year);
        uid += "hebrew-date";
    }
    if (!extras.uidKey.empty()) {
        uid += '-';
        uid += extras.uidKey;
    }
    if (extras.evening) {
        uid += "-evening";
    }
    return Put(out, IcsEvent(day, uid + "@detron-convert", summary, description, stamp_));
}

}  // namespace cli
