#include "cli/run.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/date_input.h"
#include "cli/day_format.h"

#ifndef DETRON_VERSION
#define DETRON_VERSION "unknown"
#endif

namespace cli {

namespace {

constexpr std::string_view Program = "detron-convert";

constexpr std::string_view HelpText =
    "Usage: detron-convert [OPTION]... DATE...\n"
    "       detron-convert [OPTION]... -\n"
    "       detron-convert [OPTION]... --from DATE --to DATE\n"
    "Converts civil dates to Hebrew dates and Hebrew dates to civil dates, one line per date.\n"
    "\n"
    "A DATE is\n"
    "  YYYY-MM-DD      a civil date, astronomical years: 2024-04-23, 0000-03-01, -0001-12-31\n"
    "  today           the local date\n"
    "  DAY MONTH YEAR  a Hebrew date: 15 Nisan 5784, 1 Adar II 5784, \xD7\x98\xD7\xB4\xD7\x95 "
    "\xD7\xA0\xD7\x99\xD7\xA1\xD7\x9F \xD7\x94\xD7\xB3\xD7\xAA\xD7\xA9\xD7\xA4\xD7\xB4\xD7\x93\n"
    "  -               one date per line from standard input\n"
    "Hebrew months: Tishri (Tishrei), Heshvan (Cheshvan, Marcheshvan), Kislev, Tevet (Teves),\n"
    "Shevat (Shvat), Adar, Adar I (Adar 1), Adar II (Adar 2), Nisan, Iyar, Sivan, Tammuz (Tamuz),\n"
    "Av, Elul, in any letter case, or the Hebrew names. Days and years are digits or Hebrew\n"
    "numerals, with or without ' \" \xD7\xB3 \xD7\xB4. A Hebrew-letter year without its thousands "
    "letter is in\nthe sixth thousand: \xD7\xAA\xD7\xA9\xD7\xA4\xD7\xB4\xD7\x93 is 5784.\n"
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
    "  --help           this text\n"
    "  --version        the version\n"
    "\n"
    "Dates of Hebrew years 0 to 6001 convert, which holds the civil years -3760 to 2240.\n"
    "Exit status: 0 when every date converted, 1 when any did not (each gets a line on standard\n"
    "error; the others are still written, in order), 2 for a usage error.\n";

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
        if (ok_ && !console_.Write(text.data(), text.size())) {
            ok_ = false;
        }
    }
    void Flush()
    {
        if (used_ > 0 && ok_ && !console_.Write(buffer_.get(), used_)) {
            ok_ = false;
        }
        used_ = 0;
    }
    bool Ok() const { return ok_; }

private:
    Console& console_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

// A message line as the terminal will show it: control bytes and bytes that are not UTF-8 become
// \xNN, so that no input can move the cursor or garble the terminal.
std::string Printable(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string printable;
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = byte < 0x80 ? 1 : (byte & 0xE0) == 0xC0 ? 2 : (byte & 0xF0) == 0xE0 ? 3
                                           : (byte & 0xF8) == 0xF0   ? 4
                                                                     : 0;
        bool valid = length > 0 && i + length <= text.size() && !(length == 1 && (byte < 0x20 || byte == 0x7F));
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
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
        printable.append(text.substr(i, length));
        i += length;
    }
    return printable;
}

struct Options {
    Format format = Format::Text;
    std::optional<CivilCalendar> calendar;
    std::optional<std::string> switchDate;
    bool carry = false;
    std::optional<std::string> from, to;
    std::vector<std::pair<std::size_t, std::string>> dates;  // argument number, text ("-" for input)
};

class Converter {
public:
    Converter(Console& console, CivilLabel today) : console_(console), output_(console), today_(today) {}

    int Run(const std::vector<std::string>& arguments)
    {
        std::optional<int> early = ReadOptions(arguments);
        if (early) {
            return *early;
        }
        CivilCalendar calendar = options_.calendar.value_or(CivilCalendar::Window());
        if (options_.switchDate) {
            ReadResult first = DateReader(CivilCalendar::Gregorian(), false, today_).Read(*options_.switchDate);
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
            if (text == "-") {
                ReadInput(reader, formatter);
                continue;
            }
            Convert(reader, formatter, text, "argument " + std::to_string(number));
        }
        return Finish();
    }

private:
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
            std::string_view name = argument.substr(0, argument.find('='));
            std::optional<std::string> value;
            if (name.size() < argument.size()) {
                value = std::string(argument.substr(name.size() + 1));
            }
            auto needValue = [&]() -> bool {
                if (!value && i + 1 < arguments.size()) {
                    value = arguments[++i];
                }
                return value.has_value();
            };
            auto noValue = [&]() { return !value.has_value(); };

            if (name == "--help" && noValue()) {
                output_.Append(HelpText);
                output_.Flush();
                return output_.Ok() ? ExitSuccess : ExitSomeInputFailed;
            }
            if (name == "--version" && noValue()) {
                output_.Append(std::string(Program) + " " DETRON_VERSION "\n");
                output_.Flush();
                return output_.Ok() ? ExitSuccess : ExitSomeInputFailed;
            }
            if (name == "--format" && needValue()) {
                if (*value == "text") {
                    options_.format = Format::Text;
                } else if (*value == "csv") {
                    options_.format = Format::Csv;
                } else if (*value == "json") {
                    options_.format = Format::Json;
                } else {
                    return Usage("--format " + Quoted(*value) + ": the formats are text, csv and json");
                }
            } else if ((name == "--gregorian" || name == "--julian") && noValue()) {
                if (options_.calendar || options_.switchDate) {
                    return Usage("choose one of --gregorian, --julian and --switch");
                }
                options_.calendar = name == "--gregorian" ? CivilCalendar::Gregorian() : CivilCalendar::Julian();
            } else if (name == "--switch" && needValue()) {
                if (options_.calendar || options_.switchDate) {
                    return Usage("choose one of --gregorian, --julian and --switch");
                }
                options_.switchDate = *value;
            } else if (name == "--carry" && noValue()) {
                options_.carry = true;
            } else if ((name == "--from" || name == "--to") && needValue()) {
                (name == "--from" ? options_.from : options_.to) = *value;
            } else if (name == "--help" || name == "--version" || name == "--gregorian" || name == "--julian" ||
                       name == "--carry") {
                return Usage(std::string(name) + " takes no value");
            } else if (name == "--format" || name == "--switch" || name == "--from" || name == "--to") {
                return Usage(std::string(name) + " needs a value");
            } else {
                return Usage("unknown option " + Quoted(argument));
            }
        }
        if (options_.from.has_value() != options_.to.has_value()) {
            return Usage("--from and --to go together");
        }
        if (options_.from && !options_.dates.empty()) {
            return Usage("give either dates or --from and --to, not both");
        }
        if (!options_.from && options_.dates.empty()) {
            return Usage("no date given");
        }
        return std::nullopt;
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
            console_.WriteError(std::string(Program) + ": the output could not be written\n");
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
    void ReadInput(const DateReader& reader, DayFormatter& formatter)
    {
        std::unique_ptr<char[]> buffer(new char[InputBufferBytes]);
        std::string line;
        line.reserve(MaxLineBytes);
        bool tooLong = false;
        std::size_t number = 0;
        auto endLine = [&]() {
            ++number;
            if (!tooLong && !line.empty() && line.back() == '\r') {
                line.pop_back();  // a line ended by CR LF
            }
            if (tooLong) {
                Fail("line " + std::to_string(number) + ": " + Quoted(line) + ": longer than " +
                     std::to_string(MaxLineBytes) + " bytes, no date");
            } else if (line.find_first_not_of(" \t\r\v\f") != std::string::npos) {
                Convert(reader, formatter, line, "line " + std::to_string(number));
            }
            line.clear();
            tooLong = false;
        };
        while (output_.Ok()) {
            std::size_t got = console_.Read(buffer.get(), InputBufferBytes);
            if (got == 0) {
                break;
            }
            const char* at = buffer.get();
            const char* end = at + got;
            while (at < end) {
                const char* newline = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
                const char* stop = newline ? newline : end;
                std::size_t room = MaxLineBytes - line.size();
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
    CivilLabel today_;
    Options options_;
    bool failed_ = false;
};

}  // namespace

int RunConverter(const std::vector<std::string>& arguments, Console& console, CivilLabel today)
{
    return Converter(console, today).Run(arguments);
}

}  // namespace cli
