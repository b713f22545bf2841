#include "cli/date_input.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/reading.h"
#include "hebrew_text/utf8.h"

namespace cli {

namespace {

constexpr std::string_view NotADate =
    "not a date: expected YYYY-MM-DD, \"today\" or a Hebrew day, month and year such as \"15 Nisan 5784\"";

constexpr std::array<std::string_view, 12> CivilMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

// Numbers past this are out of every range; digits beyond it are counted but not added.
constexpr std::int64_t NumberCap = 1'000'000'000'000;

using hebrew_text::HebrewMonth;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Leading digits of `text` from `at` as a number, at most NumberCap; -1 when there are none.
// Advances `at` past them and sets `count` to how many there were.
std::int64_t Digits(std::string_view text, std::size_t& at, std::size_t& count)
{
    std::size_t start = at;
    std::int64_t value = 0;
    while (at < text.size() && IsDigit(text[at])) {
        value = value < NumberCap ? value * 10 + (text[at] - '0') : NumberCap;
        ++at;
    }
    count = at - start;
    return count == 0 ? -1 : value;
}

// A whole word of digits, or a Hebrew numeral; -1 for neither.
std::int64_t NumberWord(std::string_view word, bool year)
{
    std::size_t at = 0;
    std::size_t count = 0;
    std::int64_t value = Digits(word, at, count);
    if (value >= 0) {
        return at == word.size() ? value : -1;
    }
    return hebrew_text::HebrewNumeralValue(word, year);
}

std::string Padded(std::int64_t value, int digits)
{
    std::string text = std::to_string(value);
    return std::string(text.size() < static_cast<std::size_t>(digits) ? digits - text.size() : 0, '0') + text;
}

std::string IsoSuggestion(bool negative, std::int64_t year, std::int64_t month, std::int64_t day)
{
    std::string text = "\"";
    text += negative ? "-" : "";
    text.append(Padded(year, 4)).append("-").append(Padded(month, 2)).append("-").append(Padded(day, 2));
    return text += '"';
}

// "Tishri, Heshvan, ... Adar, Adar I, Adar II, ... Av and Elul", from the month lists.
std::string MonthNamesText()
{
    std::string names;
    auto add = [&](std::string_view name, bool last) {
        names += names.empty() ? "" : last ? " and " : ", ";
        names += name;
    };
    std::span<const hebrew_text::HebrewMonthEntry> common = hebrew_text::HebrewMonthList(false);
    std::span<const hebrew_text::HebrewMonthEntry> leap = hebrew_text::HebrewMonthList(true);
    for (std::size_t i = 0; i < common.size(); ++i) {
        add(common[i].latin, i + 1 == common.size());
        if (common[i].month == HebrewMonth::Adar) {
            add(leap[hebrew_text::SecondAdarPosition - 1].latin, false);
            add(leap[hebrew_text::SecondAdarPosition].latin, false);
        }
    }
    return names;
}

// A civil date in another order or with other separators: the ISO text where the order is plain.
ReadResult OtherOrder(bool negative, bool sign, const std::int64_t (&groups)[3], const std::size_t (&digits)[3])
{
    bool yearFirst = sign || digits[0] >= 3 || digits[2] <= 2;
    std::string expected = "a civil date is written year first, with hyphens, as YYYY-MM-DD";
    if (yearFirst && digits[1] <= 2 && digits[2] <= 2) {
        return ReadResult{false, 0, expected + ": " + IsoSuggestion(negative, groups[0], groups[1], groups[2])};
    }
    if (!sign && digits[0] <= 2 && digits[1] <= 2) {
        bool same = groups[0] == groups[1];  // 1/1/2024 is the same day read either way
        bool dayFirst = (groups[0] > 12 || same) && groups[1] >= 1 && groups[1] <= 12;
        bool monthFirst = groups[1] > 12 && groups[0] >= 1 && groups[0] <= 12;
        if (dayFirst || monthFirst) {
            return ReadResult{false, 0,
                              expected + ": " +
                                  IsoSuggestion(false, groups[2], dayFirst ? groups[1] : groups[0],
                                                dayFirst ? groups[0] : groups[1])};
        }
    }
    return ReadResult{false, 0, expected};
}

}  // namespace

std::string Quoted(std::string_view text)
{
    constexpr std::size_t Limit = 40;
    std::size_t cut = text.size() > Limit ? hebrew_text::Utf8CharStart(text, Limit) : text.size();
    std::string quoted;
    quoted.reserve(cut + 5);
    quoted += '"';
    quoted.append(text.data(), cut);
    if (cut < text.size()) {
        quoted += "...";
    }
    quoted += '"';
    return quoted;
}

DateReader::DateReader(const CivilCalendar& calendar, bool carry, std::optional<CivilLabel> today, bool offerCarry)
    : calendar_(calendar), carry_(carry), today_(today), offerCarry_(offerCarry)
{
}

std::string DateReader::CarryHint() const
{
    return offerCarry_ ? " (--carry counts it on into the next month)" : "";
}

ReadResult DateReader::Read(std::string_view text) const
{
    // Marks that change no letter, non-breaking spaces and the many quote marks, as pasted from
    // other programs, are made plain once for the whole text.
    std::string plain;
    if (!hebrew_text::IsPlain(text)) {
        plain = hebrew_text::PlainText(text);
        text = plain;
    }
    text = Trim(text);
    if (text.size() == 5) {
        bool isToday = true;
        for (std::size_t i = 0; i < 5; ++i) {
            char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
            isToday = isToday && c == "today"[i];
        }
        if (isToday) {
            if (!today_) {
                return {false, 0, "the local date is unknown: the clock could not be read"};
            }
            ReadResult result = InRange(GregorianToDay(*today_));
            result.civil = true;
            return result;
        }
    }
    if (std::optional<ReadResult> civil = ReadCivilText(text)) {
        civil->civil = true;
        return *civil;
    }
    return ReadHebrewWords(text);
}

// Three groups of digits with one separator: an ISO date, or a civil date in another form, which
// is refused with the ISO text it stands for where that is clear. Nothing for other texts.
std::optional<ReadResult> DateReader::ReadCivilText(std::string_view text) const
{
    std::size_t at = 0;
    bool negative = !text.empty() && text[0] == '-';
    bool sign = !text.empty() && (text[0] == '-' || text[0] == '+');
    at += sign ? 1 : 0;
    std::int64_t groups[3];
    std::size_t digits[3];
    char separator = 0;
    for (int g = 0; g < 3; ++g) {
        groups[g] = Digits(text, at, digits[g]);
        if (groups[g] < 0) {
            return std::nullopt;
        }
        if (g == 2) {
            break;
        }
        char next = at < text.size() ? text[at] : 0;
        if ((next != '-' && next != '/' && next != '.') || (separator != 0 && next != separator)) {
            // "2024-04" and "2024-04-23x" are meant as dates, but are none.
            return g > 0 || next == '-' ? std::optional<ReadResult>({false, 0, std::string(NotADate)})
                                        : std::nullopt;
        }
        separator = next;
        ++at;
    }
    if (at != text.size()) {
        return ReadResult{false, 0, std::string(NotADate)};
    }

    bool yearFirst = sign || digits[0] >= 3 || digits[2] <= 2;
    if (yearFirst && separator == '-' && digits[0] >= 4) {
        std::int64_t year = groups[0], month = groups[1], day = groups[2];
        if (digits[1] > 2 || digits[2] > 2) {
            return ReadResult{false, 0, std::string(NotADate)};
        }
        if (month < 1 || month > 12) {
            return ReadResult{false, 0, "there is no month " + std::to_string(month) + "; months are 1 to 12"};
        }
        if (day < 1 || day > 31) {
            return ReadResult{false, 0, "there is no day " + std::to_string(day) + " in any month"};
        }
        if (year > 9999) {  // far outside the range: refused before any arithmetic
            return InRange(negative ? FirstSupportedDay() - 1 : LastSupportedDay() + 1);
        }
        return ReadCivil({static_cast<int>(negative ? -year : year), static_cast<int>(month), static_cast<int>(day)});
    }
    if (yearFirst && separator == '-' && digits[1] <= 2 && digits[2] <= 2) {
        return ReadResult{false, 0,
                          "write the year in full, with at least four digits, as ISO 8601 does: " +
                              IsoSuggestion(negative, groups[0], groups[1], groups[2]) + " is the year " +
                              std::string(negative ? "-" : "") + std::to_string(groups[0])};
    }
    return OtherOrder(negative, sign, groups, digits);
}

ReadResult DateReader::ReadCivil(CivilLabel date) const
{
    if (date.year < -9999 || date.year > 9999) {
        return InRange(date.year < 0 ? FirstSupportedDay() - 1 : LastSupportedDay() + 1);
    }
    switch (calendar_.Classify(date)) {
    case LabelKind::Real:
        break;
    case LabelKind::PastMonthEnd:
        if (!carry_) {
            return {false, 0,
                    std::string(CivilMonths[date.month - 1]) + " " + std::to_string(date.year) + " has " +
                        std::to_string(calendar_.MonthLength(date.year, date.month)) + " days" + CarryHint()};
        }
        break;
    case LabelKind::InGap:
        if (!carry_) {
            CivilLabel last = calendar_.LabelOf(calendar_.FirstGregorianDay() - 1);
            CivilLabel first = calendar_.LabelOf(calendar_.FirstGregorianDay());
            return {false, 0,
                    "this day was skipped: " + std::to_string(last.day) + " " +
                        std::string(CivilMonths[last.month - 1]) + " " + std::to_string(last.year) +
                        " (Julian) was followed by " + std::to_string(first.day) + " " +
                        std::string(CivilMonths[first.month - 1]) + " " + std::to_string(first.year) +
                        " (Gregorian)" + (offerCarry_ ? "; --carry reads it in the Gregorian calendar" : "")};
        }
        break;
    }
    return InRange(calendar_.ToDay(date));
}

// Day, month (one to three words) and year (one word, or a thousands letter and the rest apart:
// "ה׳ תשפ״ד"), separated by blanks.
ReadResult DateReader::ReadHebrewWords(std::string_view text) const
{
    constexpr std::size_t MaxWords = 6;
    std::string_view words[MaxWords];
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && IsSpace(text[i])) {
            ++i;
        }
        std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i])) {
            ++i;
        }
        if (i == start) {
            break;
        }
        if (count == MaxWords) {
            return {false, 0, std::string(NotADate)};
        }
        words[count++] = text.substr(start, i - start);
    }
    // The text from word `first` to word `last`, both included.
    auto span = [&](std::size_t first, std::size_t last) {
        return text.substr(static_cast<std::size_t>(words[first].data() - text.data()),
                           static_cast<std::size_t>(words[last].data() + words[last].size() - words[first].data()));
    };
    if (count < 3) {
        return {false, 0, std::string(NotADate)};
    }
    if (auto month = hebrew_text::HebrewMonthByName(span(1, count - 2))) {
        return ReadHebrew(words[0], *month, span(1, count - 2), words[count - 1]);
    }
    if (count >= 4 && hebrew_text::IsThousandsLetter(words[count - 2])) {
        if (auto month = hebrew_text::HebrewMonthByName(span(1, count - 3))) {
            std::string year = std::string(words[count - 2]) + std::string(words[count - 1]);
            return ReadHebrew(words[0], *month, span(1, count - 3), year);
        }
    }
    // A month first, then the day and the year: the order is explained, with the date as it is
    // written ("Nisan 15 5784" is "15 Nisan 5784").
    std::size_t last = count - 3;  // the month's last word
    if (hebrew_text::HebrewMonthByName(span(0, last)) && NumberWord(words[last + 1], false) > 0 &&
        NumberWord(words[last + 2], true) >= 0) {
        return {false, 0,
                "a Hebrew date is written day, month, year: \"" + std::string(words[last + 1]) + " " +
                    std::string(span(0, last)) + " " + std::string(words[last + 2]) + "\""};
    }
    bool yearApart = count >= 4 && hebrew_text::IsThousandsLetter(words[count - 2]);
    std::string_view month = span(1, count - (yearApart ? 3 : 2));
    if (NumberWord(words[0], false) >= 0 || NumberWord(words[count - 1], true) >= 0) {
        return {false, 0,
                "unknown Hebrew month " + Quoted(month) + "; the months are " + MonthNamesText() +
                    ", or their Hebrew names (--help lists other spellings)"};
    }
    return {false, 0, std::string(NotADate)};
}

ReadResult DateReader::ReadHebrew(std::string_view dayText, HebrewMonth month, std::string_view monthText,
                                  std::string_view yearText) const
{
    std::int64_t day = NumberWord(dayText, false);
    std::int64_t year = NumberWord(yearText, true);
    if (day < 0) {
        return {false, 0, "the day " + Quoted(dayText) + " is neither digits nor a Hebrew numeral"};
    }
    if (year < 0) {
        return {false, 0, "the year " + Quoted(yearText) + " is neither digits nor a Hebrew numeral"};
    }
    if (day < 1 || day > 30) {
        std::string number = day < NumberCap ? std::to_string(day) : std::string(dayText);
        std::string problem = "there is no day " + number + " in any Hebrew month";
        if (year >= 1 && year <= 30) {  // "5784 Nisan 15"
            problem += "; a Hebrew date is written day, month, year: \"" + std::string(yearText) + " " +
                       std::string(monthText) + " " + std::string(dayText) + "\"";
        }
        return {false, 0, problem};
    }
    if (year > LastHebrewYear) {
        return InRange(LastSupportedDay() + 1);
    }

    bool leap = engine::IsHebrewLeapYear(static_cast<double>(year));
    int position = hebrew_text::HebrewMonthPosition(month, leap);
    if (position == 0) {  // Adar II of a common year
        if (!carry_) {
            return {false, 0,
                    std::to_string(year) + " is a common year with a single Adar, so it has no Adar II" +
                        CarryHint()};
        }
        position = 7;  // the month after Adar
    }

    double d = static_cast<double>(day);
    double y = static_cast<double>(year);
    if (int length = engine::HebrewMonthLength(y, position); !carry_ && day > length) {
        return {false, 0,
                std::string(hebrew_text::HebrewMonthList(leap)[static_cast<std::size_t>(position - 1)].latin) + " " +
                    std::to_string(year) + " has " + std::to_string(length) + " days" + CarryHint()};
    }
    return InRange(static_cast<Day>(engine::HebrewToDayNumber(d, position, y)));
}

ReadResult DateReader::InRange(Day day) const
{
    if (day < FirstSupportedDay() || day > LastSupportedDay()) {
        return {false, 0,
                "out of range: the converter knows the days from " + IsoText(calendar_.LabelOf(FirstSupportedDay())) +
                    " to " + IsoText(calendar_.LabelOf(LastSupportedDay())) + ", Hebrew years " +
                    std::to_string(FirstHebrewYear) + " to " + std::to_string(LastHebrewYear)};
    }
    return {true, day, {}};
}

}  // namespace cli
