#include "cli/date_input.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "hebrew_text/encoding.h"
#include "hebrew_text/month_names.h"

namespace cli {

namespace {

constexpr std::string_view NotADate =
    "not a date: expected YYYY-MM-DD, \"today\" or a Hebrew day, month and year such as \"15 Nisan 5784\"";
constexpr std::string_view CarryHint = " (--carry counts it on into the next month)";

constexpr std::array<std::string_view, 12> CivilMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

using hebrew_text::HebrewMonth;

struct NamedMonth {
    std::string_view key;  // lower-case Latin or Hebrew without apostrophes and quotes
    HebrewMonth month;
};

// Spellings people use besides the month list's own names.
constexpr NamedMonth Variants[] = {
    {"tishrei", HebrewMonth::Tishri},         {"cheshvan", HebrewMonth::Heshvan},
    {"marcheshvan", HebrewMonth::Heshvan},    {"marheshvan", HebrewMonth::Heshvan},
    {"teves", HebrewMonth::Tevet},            {"shvat", HebrewMonth::Shevat},
    {"adar 1", HebrewMonth::AdarI},           {"adar 2", HebrewMonth::AdarII},
    {"nissan", HebrewMonth::Nisan},           {"iyyar", HebrewMonth::Iyar},
    {"tamuz", HebrewMonth::Tammuz},
    {"חשוון", HebrewMonth::Heshvan},          {"מרחשון", HebrewMonth::Heshvan},
    {"מרחשוון", HebrewMonth::Heshvan},        {"כסליו", HebrewMonth::Kislev},
    {"אדר א", HebrewMonth::AdarI},            {"אדר ראשון", HebrewMonth::AdarI},
    {"אדר שני", HebrewMonth::AdarII},         {"איר", HebrewMonth::Iyar},
    {"סיוון", HebrewMonth::Sivan},            {"מנחם אב", HebrewMonth::Av},
};

constexpr std::string_view HebrewPrefixBet = "\xD7\x91";  // ב, "in": "בניסן"

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

// Leading digits of `text` as a number, at most `maxDigits` of them; -1 when there are none or
// too many. Advances `at` past them.
std::int64_t Digits(std::string_view text, std::size_t& at, std::size_t maxDigits)
{
    std::size_t start = at;
    std::int64_t value = 0;
    while (at < text.size() && IsDigit(text[at])) {
        if (at - start == maxDigits) {
            return -1;
        }
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return at == start ? -1 : value;
}

// The marks that may accompany a numeral or a month name: ' ׳ ’ (geresh) and " ״ ” (gershayim).
// Returns the mark's length in bytes at `at`, 0 when there is none; `single` tells a geresh.
std::size_t MarkAt(std::string_view text, std::size_t at, bool& single)
{
    std::string_view rest = text.substr(at);
    if (rest.starts_with('\'') || rest.starts_with('"')) {
        single = rest.front() == '\'';
        return 1;
    }
    if (rest.starts_with("\xD7\xB3") || rest.starts_with("\xD7\xB4")) {
        single = rest[1] == '\xB3';
        return 2;
    }
    if (rest.starts_with("\xE2\x80\x99") || rest.starts_with("\xE2\x80\x9D")) {
        single = rest[2] == '\x99';
        return 3;
    }
    return 0;
}

// The numeric value of the Hebrew letter (final forms included) at `at`, 0 when there is none.
int LetterAt(std::string_view text, std::size_t at)
{
    static constexpr int values[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  20,  20,  30, 40,
                                       40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
    if (text.size() - at < 2 || text[at] != '\xD7') {
        return 0;
    }
    unsigned second = static_cast<unsigned char>(text[at + 1]);
    return second >= 0x90 && second <= 0xAA ? values[second - 0x90] : 0;
}

// Hundreds, tens and units in falling order, as numerals are written: any number of tav and at
// most one other hundreds letter (at most 900 in all), at most one tens and one units letter,
// with 15 and 16 also as 9 + 6 and 9 + 7. -1 when the letters do not form such a number.
int ValueBelowThousand(const int* letters, std::size_t count)
{
    int total = 0;
    int hundreds = 0;
    int tens = 0;
    int units = 0;
    for (std::size_t i = 0; i < count; ++i) {
        int v = letters[i];
        if (i > 0 && (v > letters[i - 1] || (v == letters[i - 1] && v != 400))) {
            return -1;
        }
        if (v >= 100) {
            hundreds += v;
        } else if (v >= 10) {
            ++tens;
        } else {
            ++units;
        }
        total += v;
    }
    bool fifteenOrSixteen = tens == 0 && units == 2 && letters[count - 2] == 9 &&
                            (letters[count - 1] == 6 || letters[count - 1] == 7);
    if (hundreds > 900 || tens > 1 || (units > 1 && !fifteenOrSixteen)) {
        return -1;
    }
    return total;
}

}  // namespace

std::string Quoted(std::string_view text)
{
    constexpr std::size_t Limit = 40;
    std::size_t cut = text.size();
    if (cut > Limit) {
        cut = Limit;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
    }
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

Day FirstSupportedDay()
{
    static const Day first = static_cast<Day>(engine::HebrewYearStart(FirstHebrewYear).baseDay) + 1;
    return first;
}

Day LastSupportedDay()
{
    static const Day last = static_cast<Day>(engine::HebrewYearStart(LastHebrewYear + 1).baseDay);
    return last;
}

namespace {

// A month name as MonthByName compares it: lower case, without apostrophes and quotes, single
// spaces, none at the ends; nothing for a text longer than any name.
std::optional<std::string> NormalMonthName(std::string_view text)
{
    std::string key;
    for (std::size_t at = 0; at < text.size();) {
        bool single = false;
        if (std::size_t mark = MarkAt(text, at, single)) {
            at += mark;
            continue;
        }
        char c = text[at++];
        if (IsSpace(c)) {
            if (key.empty() || key.back() == ' ') {
                continue;
            }
            c = ' ';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (key.size() == 64) {
            return std::nullopt;
        }
        key += c;
    }
    while (!key.empty() && key.back() == ' ') {
        key.pop_back();
    }
    return key;
}

// The month list's own names, Latin and Hebrew, as keys, then the variants.
const std::vector<std::pair<std::string, HebrewMonth>>& MonthKeys()
{
    static const std::vector<std::pair<std::string, HebrewMonth>> keys = [] {
        std::vector<std::pair<std::string, HebrewMonth>> all;
        for (bool leap : {false, true}) {
            for (const hebrew_text::HebrewMonthEntry& entry : hebrew_text::HebrewMonthList(leap)) {
                all.emplace_back(*NormalMonthName(entry.latin), entry.month);
                all.emplace_back(*NormalMonthName(hebrew_text::Cp1255ToUtf8(entry.text)), entry.month);
            }
        }
        for (const NamedMonth& variant : Variants) {
            all.emplace_back(variant.key, variant.month);
        }
        return all;
    }();
    return keys;
}

}  // namespace

std::optional<HebrewMonth> MonthByName(std::string_view text)
{
    std::optional<std::string> key = NormalMonthName(text);
    if (!key) {
        return std::nullopt;
    }
    std::string_view normal = *key;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [key, month] : MonthKeys()) {
            if (key == normal) {
                return month;
            }
        }
        if (!normal.starts_with(HebrewPrefixBet)) {
            break;
        }
        normal.remove_prefix(HebrewPrefixBet.size());
    }
    return std::nullopt;
}

int HebrewNumeralValue(std::string_view text, bool year)
{
    constexpr std::size_t MaxLetters = 12;
    int letters[MaxLetters];
    std::size_t count = 0;
    bool gereshAfterFirst = false;
    for (std::size_t at = 0; at < text.size();) {
        bool single = false;
        if (std::size_t mark = MarkAt(text, at, single)) {
            if (single && count == 1) {
                gereshAfterFirst = true;
            }
            at += mark;
            continue;
        }
        int value = LetterAt(text, at);
        if (value == 0 || count == MaxLetters) {
            return -1;
        }
        letters[count++] = value;
        at += 2;
    }
    if (count == 0) {
        return -1;
    }
    int thousands = -1;
    const int* rest = letters;
    std::size_t restCount = count;
    if (year && letters[0] < 10 && (gereshAfterFirst || (count > 1 && letters[0] < letters[1]))) {
        thousands = letters[0];
        ++rest;
        --restCount;
    }
    int below = restCount == 0 ? 0 : ValueBelowThousand(rest, restCount);
    if (below < 0 && year && thousands < 0 && count > 1 && letters[0] < 10) {
        // "אא" is no number below a thousand, but 1001 with its apostrophe left out.
        thousands = letters[0];
        below = ValueBelowThousand(letters + 1, count - 1);
    }
    if (below < 0) {
        return -1;
    }
    if (!year) {
        return below;
    }
    return (thousands < 0 ? 5 : thousands) * 1000 + below;
}

DateReader::DateReader(const CivilCalendar& calendar, bool carry, CivilLabel today)
    : calendar_(calendar), carry_(carry), today_(today)
{
}

ReadResult DateReader::Read(std::string_view text) const
{
    text = Trim(text);
    if (text.size() == 5) {
        bool isToday = true;
        for (std::size_t i = 0; i < 5; ++i) {
            char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
            isToday = isToday && c == "today"[i];
        }
        if (isToday) {
            return InRange(GregorianToDay(today_));
        }
    }

    // ISO: an optional sign, the year, the month and the day, separated by hyphens.
    std::size_t at = 0;
    bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        ++at;
    }
    std::int64_t year = Digits(text, at, 6);
    if (year >= 0 && at < text.size() && text[at] == '-') {
        ++at;
        std::int64_t month = Digits(text, at, 2);
        bool second = month >= 0 && at < text.size() && text[at] == '-';
        std::int64_t day = second ? Digits(text, ++at, 2) : -1;
        if (day < 0 || at != text.size()) {
            return {false, 0, std::string(NotADate)};
        }
        if (month < 1 || month > 12) {
            return {false, 0, "there is no month " + std::to_string(month) + "; months are 1 to 12"};
        }
        if (day < 1 || day > 31) {
            return {false, 0, "there is no day " + std::to_string(day) + " in any month"};
        }
        // Far outside the range: refused before any arithmetic.
        if (year > 9999) {
            return InRange(negative ? FirstSupportedDay() - 1 : LastSupportedDay() + 1);
        }
        return ReadCivil({static_cast<int>(negative ? -year : year), static_cast<int>(month), static_cast<int>(day)});
    }

    // Hebrew: day, month (one or two words) and year, separated by blanks.
    std::string_view words[4];
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
        if (count == 4) {
            return {false, 0, std::string(NotADate)};
        }
        words[count++] = text.substr(start, i - start);
    }
    if (count < 3) {
        return {false, 0, std::string(NotADate)};
    }
    std::string_view month = text.substr(static_cast<std::size_t>(words[1].data() - text.data()),
                                         static_cast<std::size_t>(words[count - 2].data() + words[count - 2].size() -
                                                                  words[1].data()));
    return ReadHebrew(words[0], month, words[count - 1]);
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
                        std::to_string(calendar_.MonthLength(date.year, date.month)) + " days" +
                        std::string(CarryHint)};
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
                        " (Gregorian); --carry reads it in the Gregorian calendar"};
        }
        break;
    }
    return InRange(calendar_.ToDay(date));
}

ReadResult DateReader::ReadHebrew(std::string_view dayText, std::string_view monthText,
                                  std::string_view yearText) const
{
    auto number = [](std::string_view word, bool year) -> std::int64_t {
        std::size_t at = 0;
        std::int64_t value = Digits(word, at, 9);
        if (value >= 0) {
            return at == word.size() ? value : -1;
        }
        return HebrewNumeralValue(word, year);
    };
    std::optional<HebrewMonth> name = MonthByName(monthText);
    if (!name) {
        // Three words that look like nothing known are no Hebrew date at all.
        bool hebrewish = number(dayText, false) >= 0 || number(yearText, true) >= 0;
        return {false, 0, hebrewish ? "unknown Hebrew month " + Quoted(monthText) : std::string(NotADate)};
    }
    std::int64_t day = number(dayText, false);
    std::int64_t year = number(yearText, true);
    if (day < 0) {
        return {false, 0, "the day " + Quoted(dayText) + " is neither digits nor a Hebrew numeral"};
    }
    if (year < 0) {
        return {false, 0, "the year " + Quoted(yearText) + " is neither digits nor a Hebrew numeral"};
    }
    if (day < 1 || day > 30) {
        return {false, 0, "there is no day " + std::to_string(day) + " in any Hebrew month"};
    }
    if (year > LastHebrewYear) {
        return InRange(LastSupportedDay() + 1);
    }

    bool leap = engine::IsHebrewLeapYear(static_cast<double>(year));
    int position = hebrew_text::HebrewMonthPosition(*name, leap);
    if (position == 0) {  // Adar II of a common year
        if (!carry_) {
            return {false, 0,
                    std::to_string(year) + " is a common year with a single Adar, so it has no Adar II" +
                        std::string(CarryHint)};
        }
        position = 7;  // the month after Adar
    }

    double d = static_cast<double>(day);
    double y = static_cast<double>(year);
    Day result = static_cast<Day>(engine::HebrewToDayNumber(d, position, y));
    engine::HebrewDate back = engine::DayNumberToHebrew(static_cast<double>(result));
    if (!carry_ && (back.day != d || back.month != position || back.year != y)) {
        return {false, 0,
                std::string(hebrew_text::HebrewMonthList(leap)[static_cast<std::size_t>(position - 1)].latin) + " " +
                    std::to_string(year) + " has 29 days" +
                    std::string(CarryHint)};
    }
    return InRange(result);
}

ReadResult DateReader::InRange(Day day) const
{
    if (day < FirstSupportedDay() || day > LastSupportedDay()) {
        return {false, 0,
                "out of range: the converter knows the days from " + IsoText(calendar_.LabelOf(FirstSupportedDay())) +
                    " to " + IsoText(calendar_.LabelOf(LastSupportedDay())) + ", Hebrew years 0 to 6001"};
    }
    return {true, day, {}};
}

}  // namespace cli
