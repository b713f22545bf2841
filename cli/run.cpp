#include "cli/run.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/date_input.h"
#include "cli/day_format.h"
#include "cli/ics.h"
#include "engine/hebrew_date.h"
#include "observances/observances.h"
#include "hebrew_text/month_names.h"

#ifndef DETRON_VERSION
#define DETRON_VERSION "unknown"
#endif

namespace cli {

namespace {

constexpr std::string_view Program = "detron-convert";

constexpr std::string_view HelpBeforeMonths =
    "Usage: detron-convert [OPTION]... DATE...\n"
    "       detron-convert [OPTION]... [-]\n"
    "       detron-convert [OPTION]... --from DATE --to DATE\n"
    "       detron-convert [OPTION]... [--birthday DATE]... [--yahrzeit DATE]... [--holidays]\n"
    "Converts civil dates to Hebrew dates and Hebrew dates to civil dates, one line per date;\n"
    "lists Hebrew birthdays, yahrzeits and holidays.\n"
    "With no DATE and standard input not a terminal, or with -, reads one date per line from\n"
    "standard input; from a terminal or a pipe each answer is written as soon as its line is read.\n"
    "\n"
    "A DATE is\n"
    "  YYYY-MM-DD      a civil date, the year first and in full (at least four digits), in\n"
    "                  astronomical years: 2024-04-23, 0024-04-23, -0001-12-31\n"
    "  today           the local date\n"
    "  DAY MONTH YEAR  a Hebrew date in this order: 15 Nisan 5784, 1 Adar II 5784,\n"
    "                  \xD7\x98\xD7\xB4\xD7\x95 \xD7\xA0\xD7\x99\xD7\xA1\xD7\x9F "
    "\xD7\x94\xD7\xB3\xD7\xAA\xD7\xA9\xD7\xA4\xD7\xB4\xD7\x93, \xD7\x98\xD7\xB4\xD7\x95 "
    "\xD7\xA0\xD6\xB4\xD7\x99\xD7\xA1\xD6\xB8\xD7\x9F \xD7\x94\xD7\xB3 \xD7\xAA\xD7\xA9\xD7\xA4\xD7\xB4\xD7\x93\n"
    "  -               one date per line from standard input\n"
    "Hebrew months, in any letter case:\n";

constexpr std::string_view HelpAfterMonths =
    "Days and years are digits or Hebrew numerals, with or without the marks ' \" \xD7\xB3 \xD7\xB4 "
    "\xE2\x80\x98 \xE2\x80\x99 \xE2\x80\x9C \xE2\x80\x9D.\n"
    "A Hebrew-letter year without its thousands letter is in the sixth thousand: "
    "\xD7\xAA\xD7\xA9\xD7\xA4\xD7\xB4\xD7\x93 is\n5784; the thousands letter may stand apart: "
    "\xD7\x94\xD7\xB3 \xD7\xAA\xD7\xA9\xD7\xA4\xD7\xB4\xD7\x93.\n"
    "Niqqud and cantillation marks, the direction marks U+200E, U+200F and U+061C,\n"
    "non-breaking spaces and a byte-order mark may stand anywhere.\n"
    "Adar: in a leap year \"Adar\" is Adar I; in a common year \"Adar I\" is Adar, and \"Adar II\"\n"
    "is an error.\n"
    "The Hebrew text written for each date reads back as the same date: a year below 1000 is\n"
    "written in digits.\n"
    "\n"
    "Options\n"
    "  --format FORMAT  text (default), csv (with a header row), json (JSON Lines) or ics (an\n"
    "                   iCalendar calendar of all-day events, dated in the Gregorian calendar)\n"
    "  --gregorian      the proleptic Gregorian calendar for civil dates read and written\n"
    "  --julian         the proleptic Julian calendar\n"
    "  --switch DATE    Julian before DATE, Gregorian from DATE on (a Gregorian date, such as\n"
    "                   1752-09-14); the default is 1582-10-15\n"
    "  --carry          count a day past the end of its month on into the next month, read a day\n"
    "                   the change of calendar skipped as Gregorian, and Adar II of a common year\n"
    "                   as the month after Adar, instead of refusing them\n"
    "  --from DATE --to DATE  every day from the first DATE to the second, both included\n"
    "  --after-sunset   a civil DATE (and today) stands for its evening, which belongs to the\n"
    "                   next Hebrew day: 2024-04-22 is then 15 Nisan 5784\n"
    "  -h, --help       this text\n"
    "  -V, --version    the version\n"
    "A long option may be shortened while it stays unambiguous (--greg); repeating one is harmless.\n"
    "\n"
    "Anniversaries and holidays, one line each in day order, with two more fields: event\n"
    "(\"Birthday 13\", \"Pesach 1\", \"Rosh Chodesh Adar II 2\") and eventHebrew\n"
    "  --birthday DATE  the Hebrew birthday of someone born on DATE, in each later year\n"
    "  --yahrzeit DATE  the yahrzeit of a death on DATE, in each later year\n"
    "  --holidays       the holidays and fasts of each year (Yom HaShoah, Yom HaZikaron,\n"
    "                   Yom HaAtzma'ut and Yom Yerushalayim from 5765 on)\n"
    "  --years FIRST..LAST  Hebrew years, or one year; this Hebrew year and the nine after it\n"
    "                   when not given\n"
    "  --israel         holidays as kept in Israel: Pesach 7 days, Shavuot 1, Simchat Torah on\n"
    "                   Shmini Atzeret; elsewhere Pesach 8, Shavuot 2, Simchat Torah the day after\n"
    "A birthday in the last month of its year (Adar, or Adar II of a leap year) falls in the last\n"
    "month of each later year; otherwise in the same month, Adar I being Adar in a common year.\n"
    "A yahrzeit of 30 Heshvan or 30 Kislev, when the year after the death lacked that day, falls\n"
    "on the day before 1 Kislev or 1 Tevet; one of Adar II in the last month; one of 30 Adar I on\n"
    "30 Shevat in a common year; one of the Adar of a common year in Adar I of a leap year.\n"
    "Otherwise a day 30 that the month lacks counts on to the first of the next month.\n"
    "The fasts on Shabbat move: Tzom Gedaliah, Tzom Tammuz and Tish'a B'Av to Sunday,\n"
    "Ta'anit Esther to Thursday.\n"
    "Examples: detron-convert --yahrzeit 2023-11-14 --after-sunset --years 5785..5790\n"
    "          detron-convert --holidays --israel --format ics > holidays.ics\n"
    "\n"
    "Dates of Hebrew years 0 to 6001 convert, which holds the civil years -3760 to 2240.\n"
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
        std::size_t characters = 0;
        for (char c : item) {
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }
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

// The month spellings of --help, from the month list and its other spellings: "Tishri (Tishrei,
// Tishre), Heshvan (...)", wrapped, then the Hebrew names with theirs.
std::string MonthSpellingsHelp()
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

constexpr std::size_t OutputBufferBytes = 1 << 20;
constexpr std::size_t InputBufferBytes = 1 << 16;
constexpr std::size_t MaxLineBytes = 1024;

// Standard output through one large buffer; messages go out only after what came before them.
class Output {
public:
    explicit Output(Console& console) : console_(console), buffer_(new char[OutputBufferBytes]) {}

    // Space for one line of at most DayFormatter::MaxLineBytes.
    char* Reserve()
    {
        if (OutputBufferBytes - used_ < DayFormatter::MaxLineBytes) {
            Flush();
        }
        return buffer_.get() + used_;
    }
    void Commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }
    void Append(std::string_view text)
    {
        if (text.empty()) {
            return;
        }
        Flush();
        if (ok_ && !console_.Write(text.data(), text.size(), error_)) {
            ok_ = false;
        }
    }
    void Flush()
    {
        if (used_ > 0 && ok_ && !console_.Write(buffer_.get(), used_, error_)) {
            ok_ = false;
        }
        used_ = 0;
    }
    bool Ok() const { return ok_; }
    // Why the output failed; empty when its reader went away.
    const std::string& Error() const { return error_; }

private:
    Console& console_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
    std::string error_;
};

// A message line as the terminal will show it: bytes that are not UTF-8, the C0 and C1 controls
// and DEL become \xNN or \uNNNN, and so do the characters that reorder or hide text (direction
// marks, embeddings, overrides and isolates, zero-width characters, line separators, the
// byte-order mark), so that no input can move the cursor or disguise a message.
std::string Printable(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string printable;
    printable.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = byte < 0x80 ? 1 : (byte & 0xE0) == 0xC0 ? 2 : (byte & 0xF0) == 0xE0 ? 3
                                           : (byte & 0xF8) == 0xF0   ? 4
                                                                     : 0;
        bool valid = length > 0 && i + length <= text.size() && !(length == 1 && (byte < 0x20 || byte == 0x7F));
        char32_t code = length == 1 ? byte : byte & (0x7F >> length);
        for (std::size_t k = 1; valid && k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (valid && length > 1) {
            // Overlong forms, surrogates and values past U+10FFFF are not UTF-8 either.
            unsigned second = static_cast<unsigned char>(text[i + 1]);
            valid = !(byte == 0xC0 || byte == 0xC1 || (byte == 0xE0 && second < 0xA0) ||
                      (byte == 0xED && second >= 0xA0) || (byte == 0xF0 && second < 0x90) ||
                      (byte == 0xF4 && second >= 0x90) || byte > 0xF4);
        }
        if (!valid) {
            printable += "\\x";
            printable += hex[byte >> 4];
            printable += hex[byte & 15];
            ++i;
            continue;
        }
        bool hidden = (code >= 0x80 && code <= 0x9F) || code == 0x061C || (code >= 0x200B && code <= 0x200F) ||
                      (code >= 0x2028 && code <= 0x202E) || (code >= 0x2060 && code <= 0x2069) || code == 0xFEFF;
        if (hidden) {
            printable += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                printable += hex[(code >> shift) & 15];
            }
        } else {
            printable.append(text.substr(i, length));
        }
        i += length;
    }
    return printable;
}

struct LongOption {
    std::string_view name;
    bool takesValue;
};

constexpr LongOption LongOptions[] = {
    {"--format", true},    {"--gregorian", false}, {"--julian", false},   {"--switch", true},
    {"--carry", false},    {"--from", true},       {"--to", true},        {"--birthday", true},
    {"--yahrzeit", true},  {"--holidays", false},  {"--years", true},     {"--israel", false},
    {"--after-sunset", false}, {"--help", false},  {"--version", false},
};

struct Options {
    Format format = Format::Text;
    std::optional<std::string_view> calendarOption;  // --gregorian, --julian or --switch
    std::optional<CivilCalendar> calendar;
    std::optional<std::string> switchDate;
    bool carry = false;
    std::optional<std::string> from, to;
    std::vector<std::pair<std::size_t, std::string>> dates;  // argument number, text ("-" for input)
    std::vector<std::pair<observances::Event, std::string>> anniversaries;  // Birthday or Yahrzeit, DATE
    bool holidays = false;
    std::optional<std::string> years;
    bool israel = false;
    bool afterSunset = false;
    bool Observances() const { return holidays || !anniversaries.empty(); }
};

class Converter {
public:
    Converter(Console& console, std::optional<CivilLabel> today)
        : console_(console), output_(console), today_(today)
    {
    }

    int Run(const std::vector<std::string>& arguments)
    {
        std::optional<int> early = ReadOptions(arguments);
        if (early) {
            return *early;
        }
        CivilCalendar calendar = options_.calendar.value_or(CivilCalendar::Window());
        if (options_.switchDate) {
            // No --carry here: a change of calendar starts on a real day.
            ReadResult first = DateReader(CivilCalendar::Gregorian(), false, today_, false).Read(*options_.switchDate);
            if (!first.ok || !CivilCalendar::SwitchCanStartOn(first.day)) {
                return Usage("--switch " + Quoted(*options_.switchDate) + ": " +
                             (first.ok ? "before 1 March 200 the Gregorian calendar is behind the Julian one, so "
                                         "the change would repeat days"
                                       : first.error));
            }
            calendar = CivilCalendar::SwitchingOn(first.day);
        }
        DateReader reader(calendar, options_.carry, today_);
        DayFormatter formatter(options_.format, calendar, {options_.Observances(), options_.afterSunset});
        if (options_.Observances()) {
            return ListObservances(reader, formatter);
        }
        if (options_.from) {
            ReadResult from = reader.Read(*options_.from);
            ReadResult to = reader.Read(*options_.to);
            if (!from.ok || !to.ok) {
                if (!from.ok) {
                    Fail("--from " + Quoted(*options_.from) + ": " + from.error);
                }
                if (!to.ok) {
                    Fail("--to " + Quoted(*options_.to) + ": " + to.error);
                }
                return Finish();
            }
            if (from.day > to.day) {
                return Usage("--from " + Quoted(*options_.from) + " comes after --to " + Quoted(*options_.to));
            }
            // Civil days after sunset: each evening, with the Hebrew date of the day after.
            // Every day between two that can be written can be written too.
            LineExtras extras{nullptr, options_.afterSunset && from.civil && to.civil, {}};
            if (!Writable(from.day, extras, [&] { return "--from " + Quoted(*options_.from); }) ||
                !Writable(to.day, extras, [&] { return "--to " + Quoted(*options_.to); })) {
                return Finish();
            }
            output_.Append(formatter.Header());
            for (Day day = from.day; day <= to.day && output_.Ok(); ++day) {
                output_.Commit(formatter.Write(day, output_.Reserve(), extras));
            }
            output_.Append(formatter.Footer());
            return Finish();
        }

        output_.Append(formatter.Header());
        for (const auto& [number, text] : options_.dates) {
            if (!output_.Ok()) {
                break;
            }
            if (text == "-") {
                ReadInput(reader, formatter);
                continue;
            }
            Convert(reader, formatter, text, "argument", number);
        }
        output_.Append(formatter.Footer());
        return Finish();
    }

private:
    // The long option an argument names, whole or shortened as getopt_long allows; a usage
    // problem when it names none or several.
    std::variant<const LongOption*, std::string> FindLongOption(std::string_view name, std::string_view argument)
    {
        std::vector<const LongOption*> found;
        for (const LongOption& option : LongOptions) {
            if (option.name == name) {
                return &option;
            }
            if (name.size() > 2 && option.name.starts_with(name)) {
                found.push_back(&option);
            }
        }
        if (found.size() == 1) {
            return found[0];
        }
        if (found.empty()) {
            return "unknown option " + Quoted(argument);
        }
        std::string problem = "option '" + std::string(name) + "' is ambiguous; possibilities:";
        for (const LongOption* option : found) {
            problem += " '" + std::string(option->name) + "'";
        }
        return problem;
    }

    std::optional<int> ReadOptions(const std::vector<std::string>& arguments)
    {
        bool onlyDates = false;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            std::string_view argument = arguments[i];
            bool date = onlyDates || argument == "-" || argument.empty() || argument[0] != '-' ||
                        (argument.size() > 1 && argument[1] >= '0' && argument[1] <= '9');
            if (date) {
                options_.dates.emplace_back(i + 1, arguments[i]);
                continue;
            }
            if (argument == "--") {
                onlyDates = true;
                continue;
            }
            if (argument == "-h" || argument == "-V") {
                return Show(argument == "-h" ? Help() : std::string(Program) + " " DETRON_VERSION "\n");
            }
            if (!argument.starts_with("--")) {
                return Usage("unknown option " + Quoted(argument));
            }
            std::string_view written = argument.substr(0, argument.find('='));
            std::variant<const LongOption*, std::string> found = FindLongOption(written, argument);
            if (const std::string* problem = std::get_if<std::string>(&found)) {
                return Usage(*problem);
            }
            const LongOption& option = *std::get<const LongOption*>(found);
            std::string_view name = option.name;
            std::optional<std::string> value;
            if (written.size() < argument.size()) {
                if (!option.takesValue) {
                    return Usage(std::string(name) + " takes no value");
                }
                value = std::string(argument.substr(written.size() + 1));
            } else if (option.takesValue) {
                if (i + 1 == arguments.size()) {
                    return Usage(std::string(name) + " needs a value");
                }
                value = arguments[++i];
            }

            if (name == "--help" || name == "--version") {
                return Show(name == "--help" ? Help() : std::string(Program) + " " DETRON_VERSION "\n");
            }
            if (name == "--format") {
                if (*value == "text") {
                    options_.format = Format::Text;
                } else if (*value == "csv") {
                    options_.format = Format::Csv;
                } else if (*value == "json") {
                    options_.format = Format::Json;
                } else if (*value == "ics") {
                    options_.format = Format::Ics;
                } else {
                    return Usage("--format " + Quoted(*value) + ": the formats are text, csv, json and ics");
                }
            } else if (name == "--gregorian" || name == "--julian" || name == "--switch") {
                // The same choice twice is harmless; two different ones contradict each other.
                if (options_.calendarOption && *options_.calendarOption != name) {
                    return Usage("choose one of --gregorian, --julian and --switch");
                }
                options_.calendarOption = name;
                if (name == "--switch") {
                    options_.switchDate = *value;
                } else {
                    options_.calendar = name == "--gregorian" ? CivilCalendar::Gregorian() : CivilCalendar::Julian();
                }
            } else if (name == "--carry") {
                options_.carry = true;
            } else if (name == "--birthday" || name == "--yahrzeit") {
                options_.anniversaries.emplace_back(
                    name == "--birthday" ? observances::Event::Birthday : observances::Event::Yahrzeit, *value);
            } else if (name == "--holidays") {
                options_.holidays = true;
            } else if (name == "--years") {
                options_.years = *value;
            } else if (name == "--israel") {
                options_.israel = true;
            } else if (name == "--after-sunset") {
                options_.afterSunset = true;
            } else {
                (name == "--from" ? options_.from : options_.to) = *value;
            }
        }
        if (options_.from.has_value() != options_.to.has_value()) {
            return Usage("--from and --to go together");
        }
        if (options_.from && !options_.dates.empty()) {
            return Usage("give either dates or --from and --to, not both");
        }
        if (options_.Observances() && (options_.from || !options_.dates.empty())) {
            return Usage("--birthday, --yahrzeit and --holidays list days of their own; give no other dates");
        }
        if (options_.years && !options_.Observances()) {
            return Usage("--years goes with --birthday, --yahrzeit or --holidays");
        }
        if (!options_.from && options_.dates.empty() && !options_.Observances()) {
            // Dates piped in, or a file, need no "-"; a person at a terminal has forgotten them.
            if (console_.Input() == InputKind::Terminal) {
                return Usage("no date given");
            }
            options_.dates.emplace_back(0, "-");
        }
        return std::nullopt;
    }

    static std::string Help() { return std::string(HelpBeforeMonths) + MonthSpellingsHelp() + std::string(HelpAfterMonths); }

    int Show(const std::string& text)
    {
        output_.Append(text);
        return Finish();
    }

    int Usage(const std::string& problem)
    {
        output_.Flush();
        console_.WriteError(Printable(std::string(Program) + ": " + problem) + "\nTry '" + std::string(Program) +
                            " --help' for more information.\n");
        return ExitUsage;
    }

    void Fail(const std::string& problem)
    {
        failed_ = true;
        output_.Flush();
        console_.WriteError(Printable(std::string(Program) + ": " + problem) + "\n");
    }

    int Finish()
    {
        output_.Flush();
        if (!output_.Ok()) {
            // A reader that went away (a closed pipe) wanted no more; that is no news to anyone.
            if (!output_.Error().empty()) {
                console_.WriteError(Printable(std::string(Program) + ": write error: " + output_.Error()) + "\n");
            }
            return ExitSomeInputFailed;
        }
        return failed_ ? ExitSomeInputFailed : ExitSuccess;
    }

    // The date of argument or input line `number`, named so in a message.
    void Convert(const DateReader& reader, DayFormatter& formatter, std::string_view text, const char* what,
                 std::size_t number)
    {
        auto where = [&] {
            std::string message = what;
            message += ' ';
            message += std::to_string(number);
            return message + ": " + Quoted(text);
        };
        ReadResult result = reader.Read(text);
        if (!result.ok) {
            Fail(where() + ": " + result.error);
            return;
        }
        LineExtras extras{nullptr, options_.afterSunset && result.civil, {}};
        WriteLine(formatter, result.day, extras, where);
    }

    // One line, unless the day cannot be written as the format asks.
    template <class Where>
    void WriteLine(DayFormatter& formatter, Day day, const LineExtras& extras, const Where& where)
    {
        if (Writable(day, extras, where)) {
            output_.Commit(formatter.Write(day, output_.Reserve(), extras));
        }
    }

    // Whether the day can be written as the format asks; a message when not. `where` makes the
    // start of the message, only when there is one: this runs for every line.
    template <class Where>
    bool Writable(Day day, const LineExtras& extras, const Where& where)
    {
        if (extras.evening && day + 1 > LastSupportedDay()) {
            Fail(where() + ": its evening belongs to a Hebrew day past the end of Hebrew year " +
                 std::to_string(LastHebrewYear));
            return false;
        }
        if (options_.format == Format::Ics && !IcsCanHold(day)) {
            Fail(where() + ": " + IsoText(GregorianOfDay(day)) +
                 " (Gregorian) cannot be written in iCalendar, which holds the years 1 to 9999");
            return false;
        }
        return true;
    }

    // --years FIRST..LAST (or one year), Hebrew years; this Hebrew year and the nine after it
    // when not given.
    std::optional<std::pair<int, int>> ObservanceYears(Day today)
    {
        if (!options_.years) {
            int year = observances::HebrewDayOf(today).year;
            return std::pair{year, std::min(year + 9, LastHebrewYear)};
        }
        std::string_view text = *options_.years;
        std::size_t dots = text.find("..");
        std::string_view firstText = text.substr(0, dots);
        std::string_view lastText = dots == std::string_view::npos ? firstText : text.substr(dots + 2);
        auto number = [](std::string_view digits) -> int {
            if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != digits.npos) {
                return -1;
            }
            return std::stoi(std::string(digits));
        };
        int first = number(firstText);
        int last = number(lastText);
        if (first < FirstHebrewYear || last > LastHebrewYear || first > last) {
            Usage("--years " + Quoted(text) + ": expected FIRST..LAST or one year, Hebrew years " +
                  std::to_string(FirstHebrewYear) + " to " + std::to_string(LastHebrewYear) +
                  " in order, such as 5785..5794");
            return std::nullopt;
        }
        return std::pair{first, last};
    }

    // Anniversaries of each --birthday and --yahrzeit date and the holidays, for each year, in
    // day order.
    int ListObservances(const DateReader& reader, DayFormatter& formatter)
    {
        struct Line {
            observances::Observance observance;
            std::string uidKey;
        };
        std::vector<Line> lines;
        Day today = 0;
        if (!options_.years) {
            if (!today_) {
                Fail("the local date is unknown (the clock could not be read); give --years");
                return Finish();
            }
            today = GregorianToDay(*today_) + (options_.afterSunset ? 1 : 0);
        }
        std::optional<std::pair<int, int>> years = ObservanceYears(today);
        if (!years) {
            return ExitUsage;
        }
        for (const auto& [event, text] : options_.anniversaries) {
            std::string option = event == observances::Event::Birthday ? "--birthday " : "--yahrzeit ";
            ReadResult date = reader.Read(text);
            if (date.ok && options_.afterSunset && date.civil && date.day + 1 > LastSupportedDay()) {
                date = {false, 0, "its evening belongs to a Hebrew day past the end of Hebrew year " +
                                      std::to_string(LastHebrewYear)};
            }
            if (!date.ok) {
                Fail(option + Quoted(text) + ": " + date.error);
                continue;
            }
            Day day = date.day + (options_.afterSunset && date.civil ? 1 : 0);
            observances::HebrewDay hebrew = observances::HebrewDayOf(day);
            std::string key = (event == observances::Event::Birthday ? "born-" : "died-") +
                              std::to_string(day + JulianDayOffset);
            for (int year = std::max(years->first, hebrew.year + 1); year <= years->second; ++year) {
                Day anniversary = event == observances::Event::Birthday ? observances::Birthday(hebrew, year)
                                                                        : observances::Yahrzeit(hebrew, year);
                lines.push_back({{anniversary, event, year - hebrew.year}, key});
            }
        }
        if (options_.holidays) {
            for (int year = years->first; year <= years->second; ++year) {
                for (const observances::Observance& holiday : observances::Holidays(year, options_.israel)) {
                    lines.push_back({holiday, {}});
                }
            }
        }
        std::stable_sort(lines.begin(), lines.end(),
                         [](const Line& a, const Line& b) { return a.observance.day < b.observance.day; });
        output_.Append(formatter.Header());
        for (const Line& line : lines) {
            if (!output_.Ok()) {
                break;
            }
            WriteLine(formatter, line.observance.day, {&line.observance, false, line.uidKey},
                      [&] { return observances::LatinName(line.observance); });
        }
        output_.Append(formatter.Footer());
        return Finish();
    }

    // One date per line; blank lines are passed over. A line longer than any date is reported
    // once and skipped without being held, so that memory stays bounded whatever the input.
    // Input that may wait (a terminal, a pipe) has every answer written before the next read,
    // so that a program writing a line and waiting for its answer gets it.
    void ReadInput(const DateReader& reader, DayFormatter& formatter)
    {
        bool answerEachRead = console_.Input() != InputKind::File;
        std::unique_ptr<char[]> buffer(new char[InputBufferBytes]);
        std::string line;
        line.reserve(MaxLineBytes + 1);
        bool tooLong = false;
        std::size_t number = 0;
        auto endLine = [&]() {
            ++number;
            if (!tooLong && !line.empty() && line.back() == '\r') {
                line.pop_back();  // a line ended by CR LF
            }
            tooLong = tooLong || line.size() > MaxLineBytes;
            if (tooLong) {
                Fail("line " + std::to_string(number) + ": " + Quoted(line) + ": longer than " +
                     std::to_string(MaxLineBytes) + " bytes, no date");
            } else if (line.find_first_not_of(" \t\r\v\f") != std::string::npos) {
                Convert(reader, formatter, line, "line", number);
            }
            line.clear();
            tooLong = false;
        };
        bool first = true;
        while (output_.Ok()) {
            if (answerEachRead) {
                output_.Flush();
            }
            std::string error;
            std::size_t got = console_.Read(buffer.get(), InputBufferBytes, error);
            if (got == 0) {
                if (!error.empty()) {
                    Fail("error reading 'standard input': " + error);
                }
                break;
            }
            const char* at = buffer.get();
            const char* end = at + got;
            if (first && got >= 3 && std::memcmp(at, "\xEF\xBB\xBF", 3) == 0) {
                at += 3;  // a byte-order mark, as some Windows programs begin a file
            }
            first = false;
            while (at < end) {
                const char* newline = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
                const char* stop = newline ? newline : end;
                // One byte more than a line may hold, for the CR of a CR LF.
                std::size_t room = MaxLineBytes + 1 - line.size();
                std::size_t length = static_cast<std::size_t>(stop - at);
                line.append(at, length < room ? length : room);
                tooLong = tooLong || length > room;
                at = stop;
                if (newline) {
                    endLine();
                    ++at;
                }
            }
        }
        if (!line.empty() || tooLong) {
            endLine();
        }
    }

    Console& console_;
    Output output_;
    std::optional<CivilLabel> today_;
    Options options_;
    bool failed_ = false;
};

}  // namespace

int RunConverter(const std::vector<std::string>& arguments, Console& console, std::optional<CivilLabel> today)
{
    return Converter(console, today).Run(arguments);
}

}  // namespace cli
