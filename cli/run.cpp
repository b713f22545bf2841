#include "cli/run.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/date_input.h"
#include "cli/day_format.h"
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
    "Converts civil dates to Hebrew dates and Hebrew dates to civil dates, one line per date.\n"
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
    "  --format FORMAT  text (default), csv (with a header row) or json (JSON Lines)\n"
    "  --gregorian      the proleptic Gregorian calendar for civil dates read and written\n"
    "  --julian         the proleptic Julian calendar\n"
    "  --switch DATE    Julian before DATE, Gregorian from DATE on (a Gregorian date, such as\n"
    "                   1752-09-14); the default is 1582-10-15\n"
    "  --carry          count a day past the end of its month on into the next month, read a day\n"
    "                   the change of calendar skipped as Gregorian, and Adar II of a common year\n"
    "                   as the month after Adar, instead of refusing them\n"
    "  --from DATE --to DATE  every day from the first DATE to the second, both included\n"
    "  -h, --help       this text\n"
    "  -V, --version    the version\n"
    "A long option may be shortened while it stays unambiguous (--greg); repeating one is harmless.\n"
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
    {"--format", true}, {"--gregorian", false}, {"--julian", false}, {"--switch", true}, {"--carry", false},
    {"--from", true},   {"--to", true},         {"--help", false},   {"--version", false},
};

struct Options {
    Format format = Format::Text;
    std::optional<std::string_view> calendarOption;  // --gregorian, --julian or --switch
    std::optional<CivilCalendar> calendar;
    std::optional<std::string> switchDate;
    bool carry = false;
    std::optional<std::string> from, to;
    std::vector<std::pair<std::size_t, std::string>> dates;  // argument number, text ("-" for input)
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
        DayFormatter formatter(options_.format, calendar);
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
            output_.Append(formatter.Header());
            for (Day day = from.day; day <= to.day && output_.Ok(); ++day) {
                output_.Commit(formatter.Write(day, output_.Reserve()));
            }
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
            Convert(reader, formatter, text, "argument " + std::to_string(number));
        }
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
                } else {
                    return Usage("--format " + Quoted(*value) + ": the formats are text, csv and json");
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
        if (!options_.from && options_.dates.empty()) {
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

    void Convert(const DateReader& reader, DayFormatter& formatter, std::string_view text, const std::string& where)
    {
        ReadResult result = reader.Read(text);
        if (!result.ok) {
            Fail(where + ": " + Quoted(text) + ": " + result.error);
            return;
        }
        output_.Commit(formatter.Write(result.day, output_.Reserve()));
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
                Convert(reader, formatter, line, "line " + std::to_string(number));
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
