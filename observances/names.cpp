#include <array>
#include <string>
#include <string_view>

#include "hebrew_text/numerals.h"
#include "observances/observances.h"
#include "observances/week_internal.h"

namespace observances {

namespace {

struct EventNames {
    std::string_view latin;
    std::string_view hebrew;  // UTF-8
};

// In the order of Event.
constexpr std::array<EventNames, 24> Names = {{
    {"Rosh Hashana", "ראש השנה"},
    {"Tzom Gedaliah", "צום גדליה"},
    {"Yom Kippur", "יום כיפור"},
    {"Sukkot", "סוכות"},
    {"Shmini Atzeret", "שמיני עצרת"},
    {"Simchat Torah", "שמחת תורה"},
    {"Chanukah", "חנוכה"},
    {"Asara B'Tevet", "עשרה בטבת"},
    {"Tu BiShvat", "ט״ו בשבט"},
    {"Ta'anit Esther", "תענית אסתר"},
    {"Purim", "פורים"},
    {"Shushan Purim", "שושן פורים"},
    {"Pesach", "פסח"},
    {"Lag BaOmer", "ל״ג בעומר"},
    {"Shavuot", "שבועות"},
    {"Tzom Tammuz", "צום י״ז בתמוז"},
    {"Tish'a B'Av", "תשעה באב"},
    {"Rosh Chodesh", "ראש חודש"},
    {"Yom HaShoah", "יום השואה"},
    {"Yom HaZikaron", "יום הזיכרון"},
    {"Yom HaAtzma'ut", "יום העצמאות"},
    {"Yom Yerushalayim", "יום ירושלים"},
    {"Birthday", "יום הולדת"},
    {"Yahrzeit", "יארצייט"},
}};

const EventNames& NamesOf(Event event)
{
    return Names[static_cast<std::size_t>(event)];
}

bool IsAnniversary(Event event)
{
    return event == Event::Birthday || event == Event::Yahrzeit;
}

}  // namespace

std::string LatinName(const Observance& observance)
{
    if (detail::IsWeekEvent(observance.event)) {
        return detail::WeekLatinName(observance, hebrew_text::HebrewMonthEntryOf(observance.month).latin);
    }
    std::string name(NamesOf(observance.event).latin);
    if (observance.event == Event::RoshChodesh) {
        name += ' ';
        name += hebrew_text::HebrewMonthEntryOf(observance.month).latin;
    }
    if (observance.number > 0) {
        name += ' ';
        name += std::to_string(observance.number);
    }
    if (observance.event == Event::Sukkot && observance.number == 7) {
        name += " (Hoshana Raba)";
    }
    return name;
}

std::string HebrewName(const Observance& observance)
{
    if (detail::IsWeekEvent(observance.event)) {
        return detail::WeekHebrewName(observance, hebrew_text::HebrewMonthFullName(observance.month));
    }
    std::string name(NamesOf(observance.event).hebrew);
    if (observance.event == Event::RoshChodesh) {
        // A letter after a month name could be taken for Adar's: "ראש חודש אדר ב׳" reads as the
        // second Adar's. So the first Adar is named as such, and the day is "יום ב׳".
        name += ' ';
        name += hebrew_text::HebrewMonthFullName(observance.month);
        if (observance.number > 0) {
            name += " יום ";
            name += hebrew_text::HebrewNumeralUtf8(observance.number);
        }
    } else if (observance.number > 0) {
        name += ' ';
        // The count of years in digits; the day of a holiday in letters: "פסח א׳".
        name += IsAnniversary(observance.event) ? std::to_string(observance.number)
                                                : hebrew_text::HebrewNumeralUtf8(observance.number);
    }
    if (observance.event == Event::Sukkot && observance.number == 7) {
        name += " (הושענא רבה)";
    }
    return name;
}

}  // namespace observances
