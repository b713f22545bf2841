#include <array>
#include <string>
#include <string_view>

#include "hebrew_text/numerals.h"
#include "hebrew_text/weekday_names.h"
#include "observances/week_internal.h"

namespace observances {

namespace {

struct PortionNames {
    std::string_view latin;  // as Debian's hebcal -s spells it
    std::string_view hebrew;  // UTF-8, without niqqud
};

// Bereshit 0 ... Vezot Haberakhah 53, in the order of the Torah.
constexpr std::array<PortionNames, PortionCount> Portions = {{
    {"Bereshit", "בראשית"},      {"Noach", "נח"},               {"Lech-Lecha", "לך לך"},
    {"Vayera", "וירא"},          {"Chayei Sara", "חיי שרה"},     {"Toldot", "תולדות"},
    {"Vayetzei", "ויצא"},        {"Vayishlach", "וישלח"},       {"Vayeshev", "וישב"},
    {"Miketz", "מקץ"},           {"Vayigash", "ויגש"},          {"Vayechi", "ויחי"},
    {"Shemot", "שמות"},          {"Vaera", "וארא"},             {"Bo", "בא"},
    {"Beshalach", "בשלח"},       {"Yitro", "יתרו"},             {"Mishpatim", "משפטים"},
    {"Terumah", "תרומה"},        {"Tetzaveh", "תצוה"},          {"Ki Tisa", "כי תשא"},
    {"Vayakhel", "ויקהל"},       {"Pekudei", "פקודי"},          {"Vayikra", "ויקרא"},
    {"Tzav", "צו"},              {"Shmini", "שמיני"},           {"Tazria", "תזריע"},
    {"Metzora", "מצורע"},        {"Achrei Mot", "אחרי מות"},    {"Kedoshim", "קדושים"},
    {"Emor", "אמור"},            {"Behar", "בהר"},              {"Bechukotai", "בחוקותי"},
    {"Bamidbar", "במדבר"},       {"Nasso", "נשא"},              {"Beha'alotcha", "בהעלותך"},
    {"Sh'lach", "שלח לך"},       {"Korach", "קורח"},            {"Chukat", "חוקת"},
    {"Balak", "בלק"},            {"Pinchas", "פינחס"},          {"Matot", "מטות"},
    {"Masei", "מסעי"},           {"Devarim", "דברים"},          {"Vaetchanan", "ואתחנן"},
    {"Eikev", "עקב"},            {"Re'eh", "ראה"},              {"Shoftim", "שופטים"},
    {"Ki Teitzei", "כי תצא"},    {"Ki Tavo", "כי תבוא"},        {"Nitzavim", "נצבים"},
    {"Vayeilech", "וילך"},       {"Ha'Azinu", "האזינו"},        {"Vezot Haberakhah", "וזאת הברכה"},
}};

// One portion's name, or a pair's two joined by a hyphen.
template <typename Field>
std::string ReadingName(int reading, Field field)
{
    std::string name(Portions[static_cast<std::size_t>(FirstPortion(reading))].*field);
    if (LastPortion(reading) != FirstPortion(reading)) {
        name += '-';
        name += Portions[static_cast<std::size_t>(LastPortion(reading))].*field;
    }
    return name;
}

// "11:27", minutes always in two digits.
std::string ClockText(const MoladTime& molad)
{
    return std::to_string(molad.hour) + (molad.minute < 10 ? ":0" : ":") + std::to_string(molad.minute);
}

const hebrew_text::WeekdayName& WeekdayOf(const MoladTime& molad)
{
    return hebrew_text::WeekdayNames[static_cast<std::size_t>(molad.weekday)];
}

}  // namespace

std::string ReadingLatinName(int reading)
{
    return ReadingName(reading, &PortionNames::latin);
}

std::string ReadingHebrewName(int reading)
{
    return ReadingName(reading, &PortionNames::hebrew);
}

bool detail::IsWeekEvent(Event event)
{
    return event == Event::Parsha || event == Event::ShabbatMevarchim || event == Event::Molad ||
           event == Event::Omer;
}

std::string detail::WeekLatinName(const Observance& observance, std::string_view month)
{
    switch (observance.event) {
        case Event::Parsha: return "Parashat " + ReadingLatinName(observance.number);
        case Event::ShabbatMevarchim: return "Shabbat Mevarchim " + std::string(month);
        case Event::Molad: {
            const MoladTime& molad = observance.molad;
            return "Molad " + std::string(month) + ": " + std::string(WeekdayOf(molad).latin) + " " +
                   ClockText(molad) + " and " + std::to_string(molad.parts) + (molad.parts == 1 ? " part" : " parts");
        }
        default: return "Omer " + std::to_string(observance.number);
    }
}

std::string detail::WeekHebrewName(const Observance& observance, std::string_view month)
{
    switch (observance.event) {
        case Event::Parsha: return "פרשת " + ReadingHebrewName(observance.number);
        case Event::ShabbatMevarchim: return "שבת מברכים " + std::string(month);
        case Event::Molad: {
            // "מולד טבת: יום רביעי 11:27 ו־5 חלקים", the digits joined to their "and" by a maqaf;
            // one part is "וחלק אחד".
            const MoladTime& molad = observance.molad;
            std::string parts = molad.parts == 1 ? "וחלק אחד" : "ו־" + std::to_string(molad.parts) + " חלקים";
            return "מולד " + std::string(month) + ": " + std::string(WeekdayOf(molad).utf8) + " " + ClockText(molad) +
                   " " + parts;
        }
        default: return "יום " + hebrew_text::HebrewNumeralUtf8(observance.number) + " לעומר";
    }
}

}  // namespace observances
