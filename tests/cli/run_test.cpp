// The converter as a whole, in process, behind a console that records what it is given: the
// order of output and messages, exit statuses, formats, and hostile input.

#include "cli/run.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/options.h"
#include "hebrew_text/month_names.h"

namespace cli {
namespace {

constexpr CivilLabel Today{2026, 12, 8};

class RecordingConsole : public Console {
public:
    explicit RecordingConsole(std::string input = {}, std::size_t failWritesAfter = SIZE_MAX,
                              InputKind kind = InputKind::File)
        : input_(std::move(input)), failAfter_(failWritesAfter), kind_(kind) {}

    std::size_t Read(char* buffer, std::size_t size, std::string&) override
    {
        // Small, uneven pieces, so that lines cross the reads.
        std::size_t taken = std::min({size, input_.size() - read_, std::size_t{7} + read_ % 5});
        input_.copy(buffer, taken, read_);
        read_ += taken;
        return taken;
    }
    bool Write(const char* bytes, std::size_t size, std::string& error) override
    {
        if (output.size() + size > failAfter_) {
            error = "No space left on device";
            return false;
        }
        output.append(bytes, size);
        log += std::string(bytes, size);
        return true;
    }
    void WriteError(std::string_view message) override
    {
        errors += message;
        log += "! " + std::string(message);
    }
    InputKind Input() override { return kind_; }

    std::string output, errors, log;  // log: both streams in the order they were written

private:
    std::string input_;
    std::size_t read_ = 0;
    std::size_t failAfter_;
    InputKind kind_;
};

int Convert(std::vector<std::string> arguments, RecordingConsole& console)
{
    return RunConverter(arguments, console, Today);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

TEST(Run, OutputKeepsItsOrderWhenSomeLinesFail)
{
    RecordingConsole console("2024-04-23\nbad\r\n\n  \r\n2024-04-24\r\n30 Heshvan 5784\n1 Kislev 5784");
    EXPECT_EQ(Convert({"--format", "csv", "2024-04-22", "-", "2024-02-30", "2024-04-25"}, console), ExitSomeInputFailed);
    std::vector<std::string> log = Lines(console.log);
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(log[0].substr(0, 6), "civil,");
    EXPECT_EQ(log[1].substr(0, 11), "2024-04-22,");
    EXPECT_EQ(log[2].substr(0, 11), "2024-04-23,");
    EXPECT_EQ(log[3], "! detron-convert: line 2: \"bad\": not a date: expected YYYY-MM-DD, \"today\" or a Hebrew "
                      "day, month and year such as \"15 Nisan 5784\"");
    EXPECT_EQ(log[4].substr(0, 11), "2024-04-24,");
    EXPECT_EQ(log[5], "! detron-convert: line 6: \"30 Heshvan 5784\": Heshvan 5784 has 29 days (--carry counts "
                      "it on into the next month)");
    EXPECT_EQ(log[6].substr(0, 11), "2023-11-14,");
    EXPECT_EQ(log[7], "! detron-convert: argument 5: \"2024-02-30\": February 2024 has 29 days (--carry counts "
                      "it on into the next month)");
    EXPECT_EQ(log[8].substr(0, 11), "2024-04-25,");
}

TEST(Run, UsageErrors)
{
    struct Row { std::vector<std::string> arguments; const char* problem; };
    const Row rows[] = {
        {{}, "no date given"},
        {{"--bogus", "2024-01-01"}, "unknown option \"--bogus\""},
        {{"-x"}, "unknown option \"-x\""},
        {{"--f", "x"}, "option '--f' is ambiguous; possibilities: '--format' '--from'"},
        {{"--gregorian", "--switch=1752-09-14", "today"}, "choose one of --gregorian, --julian and --switch"},
        {{"--format"}, "--format needs a value"},
        {{"--format", "xml", "today"}, "--format \"xml\": the formats are text, csv, json and ics"},
        {{"--carry=yes", "today"}, "--carry takes no value"},
        {{"--julian", "--gregorian", "today"}, "choose one of --gregorian, --julian and --switch"},
        {{"--switch", "1752-09-14", "--julian", "today"}, "choose one of --gregorian, --julian and --switch"},
        {{"--switch", "1752-02-30", "today"}, "--switch \"1752-02-30\": February 1752 has 29 days"},
        {{"--switch=0100-01-01", "today"}, "--switch \"0100-01-01\": before 1 March 200 the Gregorian calendar is "
                                           "behind the Julian one, so the change would repeat days"},
        {{"--from", "2024-01-01"}, "--from and --to go together"},
        {{"--from", "2024-01-01", "--to", "2024-01-02", "today"}, "give either dates or --from and --to, not both"},
        {{"--from", "2024-01-02", "--to", "2024-01-01"}, "--from \"2024-01-02\" comes after --to \"2024-01-01\""},
        {{"--israel", "today"}, "--israel goes with --holidays, --parsha or --events"},
        {{"--israel", "--molad", "--omer"}, "--israel goes with --holidays, --parsha or --events"},
        {{"--years", "5785", "today"}, "--years goes with --birthday, --yahrzeit, --holidays, --parsha, --molad or "
                                       "--omer"},
        {{"--holidays", "today"}, "--birthday, --yahrzeit, --holidays, --parsha, --molad and --omer list days of their "
                                  "own; give no other dates"},
        {{"--omer", "--from", "2024-01-01", "--to", "2024-01-02"}, "--birthday, --yahrzeit, --holidays, --parsha, "
                                                                   "--molad and --omer list days of their own; give "
                                                                   "no other dates"},
        {{"--events", "--parsha"}, "--events is for dates converted; --birthday, --yahrzeit, --holidays, --parsha, "
                                   "--molad and --omer name their events already"},
        {{"--birthday", "=2010-03-01"}, "--birthday \"=2010-03-01\": the NAME before \"=\" is 1 to 200 bytes of "
                                        "text, without control or direction characters"},
        {{"--yahrzeit", "\xE2\x80\xAEx=2010-03-01"}, "--yahrzeit \"\\u202Ex=2010-03-01\": the NAME before \"=\" is 1 "
                                                       "to 200 bytes of text, without control or direction characters"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.problem);
        RecordingConsole console({}, SIZE_MAX, InputKind::Terminal);
        EXPECT_EQ(Convert(row.arguments, console), ExitUsage);
        EXPECT_EQ(console.errors, std::string("detron-convert: ") + row.problem +
                                      "\nTry 'detron-convert --help' for more information.\n");
        EXPECT_EQ(console.output, "");
    }
}

// Options as getopt_long takes them: shortened while unambiguous, -h and -V, the same option
// twice; with no date, dates come from standard input unless it is a terminal.
TEST(Run, OptionsAsOtherToolsTakeThem)
{
    for (std::vector<std::string> arguments : {std::vector<std::string>{"--greg", "--gregorian", "--fo=csv",
                                                                        "--form", "csv", "--carr", "--carry"},
                                               std::vector<std::string>{"--sw", "1582-10-15", "--switch=1582-10-15",
                                                                        "--format=csv"}}) {
        RecordingConsole console("2024-04-31\n");
        EXPECT_EQ(Convert(arguments, console), arguments[0] == "--greg" ? ExitSuccess : ExitSomeInputFailed)
            << console.errors;
        EXPECT_EQ(Lines(console.output).size(), arguments[0] == "--greg" ? 2u : 1u);
    }
    for (const char* help : {"-h", "--he", "--help"}) {
        RecordingConsole console;
        EXPECT_EQ(Convert({help}, console), ExitSuccess);
        EXPECT_EQ(console.output.substr(0, 21), "Usage: detron-convert");
    }
    for (const char* version : {"-V", "--vers"}) {
        RecordingConsole console;
        EXPECT_EQ(Convert({version}, console), ExitSuccess);
        EXPECT_EQ(console.output.substr(0, 15), "detron-convert ");
    }
    RecordingConsole piped("2024-04-23\n", SIZE_MAX, InputKind::Stream);
    EXPECT_EQ(Convert({"--format=csv"}, piped), ExitSuccess);
    EXPECT_EQ(Lines(piped.output).size(), 2u);
}

// --help names every spelling the reader takes, from the month list and its other spellings.
TEST(Run, HelpListsEverySpellingAndMark)
{
    RecordingConsole console;
    ASSERT_EQ(Convert({"--help"}, console), ExitSuccess);
    for (const hebrew_text::HebrewMonthSpelling& spelling : hebrew_text::OtherMonthSpellings()) {
        EXPECT_NE(console.output.find(spelling.utf8), std::string::npos) << spelling.utf8;
    }
    for (const char* mark : {"\xD7\xB3", "\xD7\xB4", "\xE2\x80\x98", "\xE2\x80\x99", "\xE2\x80\x9C", "\xE2\x80\x9D",
                             "U+200E", "U+200F", "U+061C", "niqqud", "byte-order mark"}) {
        EXPECT_NE(console.output.find(mark), std::string::npos) << mark;
    }
    for (const std::string& line : Lines(console.output)) {
        std::size_t characters = 0;
        for (char c : line) {
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }
        EXPECT_LE(characters, 96u) << line;
    }
}

// A message shows every control and every character that reorders or hides text as an escape.
TEST(Run, MessagesCannotChangeTheTerminal)
{
    RecordingConsole console("\xC2\x9B" "2J\n\x1B[2J \x7F\n\xE2\x80\xAE" "abc\xE2\x81\xA6\n");
    EXPECT_EQ(Convert({"-"}, console), ExitSomeInputFailed);
    std::vector<std::string> errors = Lines(console.errors);
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0].rfind("detron-convert: line 1: \"\\u009B2J\": not a date", 0), 0u) << errors[0];
    EXPECT_EQ(errors[1].rfind("detron-convert: line 2: \"\\x1B[2J \\x7F\": not a date", 0), 0u) << errors[1];
    EXPECT_EQ(errors[2].rfind("detron-convert: line 3: \"\\u202Eabc\\u2066\": not a date", 0), 0u) << errors[2];
}

TEST(Run, TheThreeFormats)
{
    struct Row { const char* format; const char* date; const char* line; };
    const Row rows[] = {
        {"text", "2024-04-23", "2024-04-23  Tuesday    15 Nisan 5784  ט״ו ניסן ה׳תשפ״ד"},
        {"text", "-3760-01-01", "-3760-01-01  Monday     16 Tevet 0  ט״ז טבת 0"},
        {"csv", "2024-03-11", "2024-03-11,1,Monday,5784,7,Adar II,1,א׳ אדר ב׳ ה׳תשפ״ד,2460381"},
        {"json", "2024-04-23",
         "{\"civil\":\"2024-04-23\",\"weekday\":2,\"weekdayName\":\"Tuesday\",\"hebrewYear\":5784,"
         "\"hebrewMonth\":8,\"hebrewMonthName\":\"Nisan\",\"hebrewDay\":15,\"hebrewText\":\"ט״ו ניסן ה׳תשפ״ד\","
         "\"julianDay\":2460424}"},
        {"json", "-0001-12-31",
         "{\"civil\":\"-0001-12-31\",\"weekday\":3,\"weekdayName\":\"Wednesday\",\"hebrewYear\":3760,"
         "\"hebrewMonth\":5,\"hebrewMonthName\":\"Shevat\",\"hebrewDay\":5,\"hebrewText\":\"ה׳ שבט ג׳תש״ס\","
         "\"julianDay\":1721057}"},
        {"json", "2023-03-07",
         "{\"civil\":\"2023-03-07\",\"weekday\":2,\"weekdayName\":\"Tuesday\",\"hebrewYear\":5783,"
         "\"hebrewMonth\":6,\"hebrewMonthName\":\"Adar\",\"hebrewDay\":14,\"hebrewText\":\"י״ד אדר ה׳תשפ״ג\","
         "\"julianDay\":2460011}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.date);
        RecordingConsole console;
        EXPECT_EQ(Convert({std::string("--format=") + row.format, row.date}, console), ExitSuccess);
        std::vector<std::string> lines = Lines(console.output);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), row.line);
    }
}

TEST(Run, ARangeHasEveryDayOnce)
{
    RecordingConsole console;
    EXPECT_EQ(Convert({"--format", "csv", "--from", "1 Tishri 5784", "--to", "29 Elul 5784"}, console), ExitSuccess);
    std::vector<std::string> lines = Lines(console.output);
    ASSERT_EQ(lines.size(), 1u + 383u);  // the header and a deficient leap year
    EXPECT_EQ(lines[1].substr(0, 11), "2023-09-16,");
    EXPECT_EQ(lines.back().substr(0, 11), "2024-10-02,");

    RecordingConsole britain;
    EXPECT_EQ(Convert({"--switch", "1752-09-14", "--from", "1752-09-01", "--to", "1752-09-15"}, britain), ExitSuccess);
    lines = Lines(britain.output);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].substr(0, 10), "1752-09-14");

    RecordingConsole bad;
    EXPECT_EQ(Convert({"--format", "csv", "--from", "2024-02-30", "--to", "2024-03-01"}, bad), ExitSomeInputFailed);
    EXPECT_EQ(bad.output, "");
}

TEST(Run, AFailedWriteIsReported)
{
    RecordingConsole console({}, 1000);
    EXPECT_EQ(Convert({"--from", "2024-01-01", "--to", "2024-12-31"}, console), ExitSomeInputFailed);
    EXPECT_EQ(console.errors, "detron-convert: write error: No space left on device\n");
}

// Random bytes, very long lines, NUL bytes, broken UTF-8, huge numbers and half-dates: every line
// gets a date or one message, messages carry no control bytes, and nothing reads out of bounds
// (this suite also runs under the address and undefined-behaviour sanitizers).
TEST(Run, HostileInputNeverBreaksIt)
{
    std::mt19937 random(20261208);
    const std::vector<std::string> pieces = {
        "2024", "-", "04", "23", " ", "Nisan", "Adar II", "15", "ט״ו", "ה'תשפ\"ד", "\xD7", "\xD7\xB3", "\xFF",
        std::string(1, '\0'), "\x1B[2J", "99999999999999999999", "-9999999", "\t", "'", "\"", "today", "30",
        "Heshvan", "0000", "אדר ב", "\xE2\x80", "\xC0\x80", "\xED\xA0\x80", "+", "1582-10-10"};
    std::string input;
    std::size_t lines = 0;
    for (int i = 0; i < 3000; ++i) {
        int pieceCount = static_cast<int>(random() % 8);
        for (int k = 0; k < pieceCount; ++k) {
            input += pieces[random() % pieces.size()];
        }
        if (i % 500 == 0) {
            input += std::string(5000 + random() % 3000, static_cast<char>(random()));
        }
        input += '\n';
        ++lines;
    }
    input += std::string(100000, '7');  // a last line, very long and without an end
    ++lines;
    for (const char* format : {"text", "csv", "json"}) {
        SCOPED_TRACE(format);
        RecordingConsole console(input);
        int status = Convert({"--format", format, "--carry", "-", std::string(70000, '\xD7'), "1 Nisan 0", "-0"}, console);
        EXPECT_TRUE(status == ExitSuccess || status == ExitSomeInputFailed);
        std::vector<std::string> out = Lines(console.output);
        std::vector<std::string> errors = Lines(console.errors);
        for (const std::string& error : errors) {
            EXPECT_EQ(error.rfind("detron-convert: ", 0), 0u);
            EXPECT_TRUE(std::none_of(error.begin(), error.end(), [](char c) { return c >= 0 && c < 0x20; }));
        }
        for (const std::string& line : out) {
            if (std::string(format) == "json") {
                ASSERT_EQ(line.front(), '{');
                ASSERT_EQ(line.back(), '}');
            }
        }
        EXPECT_LE(out.size() + errors.size(), lines + 3 + (std::string(format) == "csv" ? 1 : 0));
        EXPECT_GE(errors.size(), 3u);
    }
}

// Random command lines from the options, their values and dates: always one of the three exit
// statuses, and a usage error writes nothing to standard output.
// Every option of the table is in --help and in the manual page.
TEST(Run, EveryOptionIsDocumented)
{
    std::ifstream file(DETRON_MAN_PAGE);
    std::string manual((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(manual.empty());
    std::string help = HelpText();
    for (const OptionRow& row : OptionTable()) {
        std::string name = "--" + std::string(row.name);
        EXPECT_NE(help.find(name), std::string::npos) << name;
        // groff writes a hyphen as \-.
        std::string roff;
        for (char c : name) {
            roff += c == '-' ? "\\-" : std::string(1, c);
        }
        EXPECT_NE(manual.find(roff), std::string::npos) << name;
    }
}

// A range after sunset is every line an evening, whichever its ends are; a Hebrew end is the
// Hebrew day of its line.
TEST(Run, ARangeAfterSunsetWhateverItsEnds)
{
    struct Row { const char* from; const char* to; std::vector<std::string> starts; };
    const Row rows[] = {
        {"2024-04-22", "16 Nisan 5784", {"2024-04-22  Monday     15 Nisan", "2024-04-23  Tuesday    16 Nisan"}},
        {"15 Nisan 5784", "2024-04-22", {"2024-04-22  Monday     15 Nisan"}},
        {"15 Nisan 5784", "15 Nisan 5784", {"2024-04-22  Monday     15 Nisan"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.from);
        RecordingConsole console;
        EXPECT_EQ(Convert({"--after-sunset", "--from", row.from, "--to", row.to}, console), ExitSuccess);
        std::vector<std::string> lines = Lines(console.output);
        ASSERT_EQ(lines.size(), row.starts.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].rfind(row.starts[i], 0), 0u) << lines[i];
            EXPECT_TRUE(lines[i].ends_with("  after sunset")) << lines[i];
        }
    }
}

// What a listing says when it cannot list: no later year, days iCalendar cannot hold (once);
// named anniversaries carry the name, and no two lines share a UID.
TEST(Run, ListingsSayWhatTheyLeaveOut)
{
    RecordingConsole none;
    EXPECT_EQ(Convert({"--yahrzeit", "2023-11-14", "--years", "5784"}, none), ExitSomeInputFailed);
    EXPECT_EQ(none.errors, "detron-convert: --yahrzeit \"2023-11-14\": no year of --years 5784..5784 comes after "
                           "5784, the Hebrew year of the date\n");

    RecordingConsole early;
    EXPECT_EQ(Convert({"--holidays", "--years", "3758..3762", "--format", "ics"}, early), ExitSomeInputFailed);
    ASSERT_EQ(Lines(early.errors).size(), 1u) << early.errors;
    EXPECT_EQ(early.errors, "detron-convert: 198 events are left out, from -0003-09-20 to 0000-12-24 (Gregorian): iCalendar holds the years 1 to 9999\n");
    EXPECT_NE(early.output.find("BEGIN:VEVENT"), std::string::npos);

    RecordingConsole named;
    EXPECT_EQ(Convert({"--yahrzeit", "Sarah=2023-11-14", "--yahrzeit", "2023-11-14", "--yahrzeit", "2023-11-14",
                       "--birthday", "דוד=2010-03-01", "--years", "5785", "--format", "ics"},
                      named),
              ExitSuccess);
    std::vector<std::string> uids;
    for (const std::string& line : Lines(named.output)) {
        if (line.starts_with("UID:")) {
            uids.push_back(line);
        }
    }
    std::sort(uids.begin(), uids.end());
    EXPECT_EQ(uids.size(), 4u);
    EXPECT_EQ(std::unique(uids.begin(), uids.end()), uids.end());
    EXPECT_NE(named.output.find("SUMMARY:Yahrzeit 1 (Sarah) / יארצייט 1 (Sarah)"), std::string::npos);
    EXPECT_NE(named.output.find("Birthday 15 (דוד)"), std::string::npos);
}

// The CSV lines of a run after its header; the run must succeed.
std::vector<std::string> CsvRows(std::vector<std::string> arguments)
{
    RecordingConsole console;
    arguments.insert(arguments.end(), {"--format", "csv"});
    EXPECT_EQ(Convert(arguments, console), ExitSuccess) << console.errors;
    std::vector<std::string> lines = Lines(console.output);
    return lines.empty() ? lines : std::vector<std::string>(lines.begin() + 1, lines.end());
}

std::vector<std::string> Fields(const std::string& row)
{
    std::vector<std::string> fields(1);
    for (char c : row) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    return fields;
}

// The listings given together are each one alone merged by day, a day's lines in one order of
// kinds (anniversaries, holidays, portion, Shabbat Mevarchim and its molad, omer); --israel
// changes the holidays and the portions only.
TEST(Run, ListingsTogetherMergeByDay)
{
    // Born on 1 Heshvan: the birthday in 5785 is a Shabbat of Rosh Chodesh and Noach.
    const std::vector<std::vector<std::string>> kinds = {
        {"--birthday", "1 Heshvan 5770"}, {"--holidays"}, {"--parsha"}, {"--molad"}, {"--omer"}};
    for (bool israel : {false, true}) {
        SCOPED_TRACE(israel ? "Israel" : "elsewhere");
        std::vector<std::string> together = {"--years", "5784..5785"}, expected;
        for (const std::vector<std::string>& kind : kinds) {
            together.insert(together.end(), kind.begin(), kind.end());
            std::vector<std::string> arguments = kind;
            arguments.insert(arguments.end(), {"--years", "5784..5785"});
            if (israel && (kind[0] == "--holidays" || kind[0] == "--parsha")) {
                arguments.push_back("--israel");
            }
            std::vector<std::string> alone = CsvRows(arguments);
            expected.insert(expected.end(), alone.begin(), alone.end());
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const std::string& a, const std::string& b) { return a.substr(0, 10) < b.substr(0, 10); });
        if (israel) {
            together.push_back("--israel");
        }
        std::vector<std::string> rows = CsvRows(together);
        EXPECT_EQ(rows, expected);
        auto noach = std::find_if(rows.begin(), rows.end(),
                                  [](const std::string& row) { return row.starts_with("2024-11-02"); });
        ASSERT_NE(noach, rows.end());
        EXPECT_TRUE(noach[0].ends_with(",Birthday 15,יום הולדת 15")) << noach[0];
        EXPECT_TRUE(noach[1].ends_with(",Rosh Chodesh Heshvan 2,ראש חודש חשון יום ב׳")) << noach[1];
        EXPECT_TRUE(noach[2].ends_with(",Parashat Noach,פרשת נח")) << noach[2];
    }
}

// --events names of each date what the listings list on its Hebrew day (all but the moladot),
// in their order, joined by "; ", whether the line is its day or the evening before it.
TEST(Run, EventsAreWhatTheListingsList)
{
    for (bool israel : {false, true}) {
        for (bool evening : {false, true}) {
            SCOPED_TRACE(std::string(israel ? "Israel" : "elsewhere") + (evening ? ", after sunset" : ""));
            std::vector<std::string> place;
            if (israel) {
                place.push_back("--israel");
            }
            std::map<std::string, std::pair<std::string, std::string>> listed;  // Hebrew date: events
            std::vector<std::string> arguments = {"--holidays", "--parsha", "--molad", "--omer", "--years", "5784"};
            arguments.insert(arguments.end(), place.begin(), place.end());
            for (const std::string& row : CsvRows(arguments)) {
                std::vector<std::string> fields = Fields(row);
                if (!fields[9].starts_with("Molad ")) {
                    auto& [latin, hebrew] = listed[fields[7]];
                    latin += (latin.empty() ? "" : "; ") + fields[9];
                    hebrew += (hebrew.empty() ? "" : "; ") + fields[10];
                }
            }
            arguments = {"--events", "--from", "1 Tishri 5784", "--to", "29 Elul 5784"};
            arguments.insert(arguments.end(), place.begin(), place.end());
            if (evening) {
                arguments.push_back("--after-sunset");
            }
            std::vector<std::string> rows = CsvRows(arguments);
            ASSERT_EQ(rows.size(), 383u);
            std::size_t named = 0;
            for (const std::string& row : rows) {
                std::vector<std::string> fields = Fields(row);
                ASSERT_EQ(fields.size(), evening ? 12u : 11u) << row;
                auto found = listed.find(fields[7]);
                std::pair<std::string, std::string> expected;
                if (found != listed.end()) {
                    expected = found->second;
                }
                EXPECT_EQ(fields[fields.size() - 2], expected.first) << row;
                EXPECT_EQ(fields.back(), expected.second) << row;
                named += found != listed.end();
            }
            EXPECT_EQ(named, listed.size());
        }
    }
}

void SetVariable(const char* name, const char* value)
{
#ifdef _WIN32
    _putenv_s(name, value);  // the empty text removes it
#else
    setenv(name, value, 1);
#endif
}

// SOURCE_DATE_EPOCH stamps a calendar made again; one that is no such time is refused.
TEST(Run, SourceDateEpoch)
{
    struct Row { const char* value; const char* stamp; };
    const Row rows[] = {
        {"1700000000", "DTSTAMP:20231114T221320Z"}, {"253402300799", "DTSTAMP:99991231T235959Z"},
        {"253402300800", nullptr}, {"-1", nullptr}, {"12.5", nullptr}, {"1e9", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        SetVariable("SOURCE_DATE_EPOCH", row.value);
        RecordingConsole console;
        int status = Convert({"--format", "ics", "2024-01-01"}, console);
        SetVariable("SOURCE_DATE_EPOCH", "");
        if (row.stamp != nullptr) {
            EXPECT_EQ(status, ExitSuccess);
            EXPECT_NE(console.output.find(std::string(row.stamp) + "\r\n"), std::string::npos);
        } else {
            EXPECT_EQ(status, ExitSomeInputFailed);
            EXPECT_EQ(console.output, "");
            EXPECT_EQ(console.errors.rfind(std::string("detron-convert: SOURCE_DATE_EPOCH \"") + row.value, 0), 0u);
        }
    }
}

TEST(Run, RandomCommandLines)
{
    std::mt19937 random(8122026);
    const std::vector<std::string> words = {
        "--format", "--format=json", "csv", "xml", "--gregorian", "--julian", "--switch", "--switch=1752-09-14",
        "--carry", "--carry=1", "--from", "--to", "--", "-", "today", "2024-04-23", "-0001-12-31", "1582-10-10",
        "15 Nisan 5784", "30 Adar II 5783", "", "=", "--=", "-", "--help=x", "\xFF", std::string(3, '\0')};
    for (int run = 0; run < 2000; ++run) {
        std::vector<std::string> arguments(random() % 7);
        for (std::string& argument : arguments) {
            argument = words[random() % words.size()];
        }
        RecordingConsole console("2024-04-23\n");
        int status = Convert(arguments, console);
        ASSERT_TRUE(status == ExitSuccess || status == ExitSomeInputFailed || status == ExitUsage) << run;
        if (status == ExitUsage) {
            ASSERT_EQ(console.output, "") << run;
        }
    }
}

}  // namespace
}  // namespace cli
