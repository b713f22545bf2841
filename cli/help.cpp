// --help: the prose around the option table's lists, the month spellings from the month list,
// and the range from the engine.

#include <string>
#include <vector>

#include "cli/date_input.h"
#include "cli/options.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/reading.h"
#include "hebrew_text/utf8.h"

namespace cli {

namespace {

constexpr std::string_view Usage =
    "Usage: detron-convert [OPTION]... DATE...\n"
    "       detron-convert [OPTION]... [-]\n"
    "       detron-convert [OPTION]... --from DATE --to DATE\n"
    "       detron-convert [OPTION]... [--birthday [NAME=]DATE]... [--yahrzeit [NAME=]DATE]...\n"
    "                      [--holidays] [--parsha] [--molad] [--omer]\n"
    "Converts civil dates to Hebrew dates and Hebrew dates to civil dates, one line per date,\n"
    "and says what each date is (--events); lists Hebrew birthdays, yahrzeits, holidays, the\n"
    "weekly portions, the moladot and the omer.\n"
    "With no DATE and standard input not a terminal, or with -, reads one date per line from\n"
    "standard input; from a terminal or a pipe each answer is written as soon as its line is read.\n"
    "\n"
    "A DATE is\n"
    "  YYYY-MM-DD      a civil date, the year first and in full (at least four digits), in\n"
    "                  astronomical years: 2024-04-23, 0024-04-23, -0001-12-31\n"
    "  today           the local date\n"
    "  DAY MONTH YEAR  a Hebrew date in this order: 15 Nisan 5784, 1 Adar II 5784,\n"
    "                  ט״ו ניסן ה׳תשפ״ד, ט״ו נִיסָן ה׳ תשפ״ד\n"
    "  -               one date per line from standard input\n"
    "Hebrew months, in any letter case:\n";

constexpr std::string_view Reading =
    "A Hebrew-letter year without its thousands letter is in the sixth thousand: תשפ״ד is\n"
    "5784; the thousands letter may stand apart: ה׳ תשפ״ד.\n"
    "Niqqud and cantillation marks, the direction marks U+200E, U+200F and U+061C,\n"
    "non-breaking spaces and a byte-order mark may stand anywhere.\n"
    "Adar: in a leap year \"Adar\" is Adar I; in a common year \"Adar I\" is Adar, and \"Adar II\"\n"
    "is an error.\n"
    "The Hebrew text written for each date reads back as the same date: numerals with the\n"
    "Hebrew geresh ׳ (U+05F3) after one letter and the gershayim ״ (U+05F4) before the last of\n"
    "several (ט״ו, ה׳תשפ״ד), a year below 1000 in digits, and in a leap year the first Adar as\n"
    "אדר א׳ and the second as אדר ב׳.\n"
    "\n"
    "Options\n";

constexpr std::string_view Listing =
    "A long option may be shortened while it stays unambiguous (--greg); repeating one is harmless:\n"
    "each --birthday and --yahrzeit adds a date, and of the other options with a value the last\n"
    "one given counts.\n"
    "\n"
    "Anniversaries, holidays and the week's events, one line each in day order (on one day:\n"
    "anniversaries, holidays, portion, Shabbat Mevarchim, molad, omer), with two more fields:\n"
    "event (\"Birthday 13\", \"Pesach 1\", \"Parashat Noach\", \"Omer 33\") and eventHebrew\n";

constexpr std::string_view Rules =
    "A birthday in the last month of its year (Adar, or Adar II of a leap year) falls in the last\n"
    "month of each later year; otherwise in the same month, Adar I being Adar in a common year.\n"
    "A yahrzeit of 30 Heshvan or 30 Kislev, when the year after the death lacked that day, falls\n"
    "on the day before 1 Kislev or 1 Tevet; one of Adar II in the last month; one of 30 Adar I on\n"
    "30 Shevat in a common year; one of the Adar of a common year in Adar I of a leap year.\n"
    "Otherwise a day 30 that the month lacks counts on to the first of the next month.\n"
    "The fasts on Shabbat move: Tzom Gedaliah, Tzom Tammuz and Tish'a B'Av to Sunday,\n"
    "Ta'anit Esther to Thursday. Shushan Purim stays on 15 Adar when that is a Shabbat; some\n"
    "calendars list it on the Sunday.\n"
    "The portions follow the year's kind (the weekday of Rosh Hashana, the year's length and\n"
    "the weekday of Pesach: fourteen kinds), which sets the pairs read together in shorter\n"
    "years: Vayakhel-Pekudei, Tazria-Metzora, Achrei Mot-Kedoshim, Behar-Bechukotai,\n"
    "Chukat-Balak (outside Israel, in some years), Matot-Masei and Nitzavim-Vayeilech. A Shabbat\n"
    "that is a festival day reads the festival's portion and lists none. In Israel the eighth\n"
    "day of Pesach and the second of Shavuot are weekdays, so Israel reads one portion ahead\n"
    "until a pair joined elsewhere is read apart there.\n"
    "A molad is given in the mean time of Jerusalem, in a 24-hour clock with its parts (18 to\n"
    "a minute), its day named as it began at 6 pm: 23:26 on a Saturday night is \"Sunday 23:26\".\n"
    "Shabbat Mevarchim is the last Shabbat before Rosh Chodesh (the Shabbat before, when Rosh\n"
    "Chodesh begins on a Shabbat), none before Tishri; the molad of the next Tishri is listed on\n"
    "the year's last Shabbat. The omer is counted from the evening of 15 Nisan: 16 Nisan is\n"
    "day 1, 5 Sivan day 49.\n"
    "Examples: detron-convert --yahrzeit 2023-11-14 --after-sunset --years 5785..5790\n"
    "          detron-convert --yahrzeit Sarah=2023-11-14 --yahrzeit David=2019-03-02 --format ics\n"
    "          detron-convert --holidays --israel --format ics > holidays.ics\n"
    "          detron-convert --parsha --israel --years 5785\n"
    "          detron-convert --molad --years 5785 --format csv\n"
    "          detron-convert --omer --years 5785 --format json\n"
    "          detron-convert --events today\n"
    "          detron-convert --events --from 2025-04-12 --to 2025-04-19 --format json\n"
    "\n";

constexpr std::string_view ExitStatus =
    "Exit status: 0 when every date converted, 1 when any did not or when input or output failed\n"
    "(each failure gets a line on standard error; the other dates are still written, in order),\n"
    "2 for a usage error.\n";

// A list of items separated by ", ", wrapped after a comma to lines of at most 79 characters
// (not bytes), each two spaces in.
std::string Wrapped(std::string_view list)
{
    std::string wrapped = "  ";
    std::size_t column = 2;
    while (!list.empty()) {
        std::size_t comma = list.find(", ");
        std::string_view item = list.substr(0, comma == std::string_view::npos ? list.size() : comma + 1);
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 2);
        std::size_t characters = hebrew_text::Utf8Length(item);
        if (column > 2 && column + 1 + characters > 79) {
            wrapped += "\n  ";
            column = 2;
        } else if (column > 2) {
            wrapped += ' ';
            ++column;
        }
        wrapped += item;
        column += characters;
    }
    return wrapped;
}

// The month spellings, from the month list and its other spellings: "Tishri (Tishrei, Tishre),
// Heshvan (...)", wrapped, then the Hebrew names with theirs.
std::string MonthSpellings()
{
    std::vector<std::pair<hebrew_text::HebrewMonth, std::string_view>> names;
    for (const hebrew_text::HebrewMonthEntry& entry : hebrew_text::HebrewMonthList(false)) {
        names.emplace_back(entry.month, entry.latin);
        if (entry.month == hebrew_text::HebrewMonth::Adar) {
            for (const hebrew_text::HebrewMonthEntry& adar : hebrew_text::HebrewMonthList(true).subspan(5, 2)) {
                names.emplace_back(adar.month, adar.latin);
            }
        }
    }
    std::string latin, hebrew;
    for (const auto& [month, name] : names) {
        std::string others;
        for (const hebrew_text::HebrewMonthSpelling& spelling : hebrew_text::OtherMonthSpellings()) {
            bool isHebrew = static_cast<unsigned char>(spelling.utf8[0]) >= 0x80;
            if (spelling.month == month) {
                std::string& list = isHebrew ? hebrew : others;
                list.append(list.empty() ? "" : ", ").append(spelling.utf8);
            }
        }
        latin += (latin.empty() ? "" : ", ") + std::string(name) + (others.empty() ? "" : " (" + others + ")");
    }
    return Wrapped(latin) + ",\n  or the Hebrew names, with or without niqqud, and also\n" + Wrapped(hebrew) + "\n";
}

// "Dates of Hebrew years 0 to 6001 convert, which holds the civil years -3760 to 2240.": the
// whole civil years within the supported days.
std::string RangeText()
{
    CivilLabel first = CivilCalendar::Window().LabelOf(FirstSupportedDay());
    CivilLabel last = CivilCalendar::Window().LabelOf(LastSupportedDay());
    int firstYear = first.year + (first.month == 1 && first.day == 1 ? 0 : 1);
    int lastYear = last.year - (last.month == 12 && last.day == 31 ? 0 : 1);
    return "Dates of Hebrew years " + std::to_string(FirstHebrewYear) + " to " + std::to_string(LastHebrewYear) +
           " convert, which holds the civil years " + std::to_string(firstYear) + " to " + std::to_string(lastYear) +
           ".\n";
}

}  // namespace

std::string HelpText()
{
    return std::string(Usage) + MonthSpellings() + "Days and years are digits or Hebrew numerals, with or without the marks " +
           std::string(hebrew_text::GereshAndGershayimMarks) + ".\n" + std::string(Reading) + OptionsHelp(HelpSection::General) +
           std::string(Listing) + OptionsHelp(HelpSection::Listing) + std::string(Rules) + RangeText() +
           std::string(ExitStatus);
}

}  // namespace cli
