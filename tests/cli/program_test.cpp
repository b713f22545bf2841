// The installed kind of program, run as a shell script runs it: real streams, real exit statuses.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "detron_version.h"

namespace {

struct Finished {
    int status;
    std::string output, errors;
};

std::string Slurp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// `script` is shell text run with $P naming the program; its standard output and error are
// caught unless the script sends them elsewhere, and `input` is its standard input, from a file.
Finished Shell(const std::string& script, const std::string& input = {})
{
    setenv("P", DETRON_CONVERT, 1);
    // Files of this process alone: ctest runs the tests of this program side by side.
    std::string base = ::testing::TempDir() + "detron-convert-" + std::to_string(getpid());
    std::ofstream(base + ".in", std::ios::binary) << input;
    std::string command = "{\n" + script + "\n} <'" + base + ".in' >'" + base + ".out' 2>'" + base + ".err'";
    int status = std::system(command.c_str());
    Finished finished{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(base + ".out"), Slurp(base + ".err")};
    for (const char* suffix : {".in", ".out", ".err"}) {
        std::remove((base + suffix).c_str());
    }
    return finished;
}

// `arguments` is shell text.
Finished RunProgram(const std::string& arguments, const std::string& input = {})
{
    return Shell("\"$P\" " + arguments, input);
}

// Reads from `descriptor` until `wanted` has arrived (true) or the stream ends; the deadline only
// bounds a program that will never answer.
bool ReadUntil(int descriptor, const std::string& wanted, std::string& got)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (got.find(wanted) == std::string::npos) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{descriptor, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
        char buffer[4096];
        ssize_t count = read(descriptor, buffer, sizeof buffer);
        if (count <= 0) {
            return false;
        }
        got.append(buffer, static_cast<std::size_t>(count));
    }
    return true;
}

int WaitForExit(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The program with its standard input and output on pipes: `input` and `output` are the test's
// ends. `nonBlocking` leaves the program's input non-blocking, as some parents do.
pid_t StartOnPipes(std::vector<const char*> arguments, int& input, int& output, bool nonBlocking = false)
{
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) {
        return -1;
    }
    if (nonBlocking) {
        fcntl(in[0], F_SETFL, fcntl(in[0], F_GETFL) | O_NONBLOCK);
    }
    arguments.insert(arguments.begin(), "detron-convert");
    arguments.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        for (int descriptor : {in[0], in[1], out[0], out[1]}) {
            close(descriptor);
        }
        execv(DETRON_CONVERT, const_cast<char* const*>(arguments.data()));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    input = in[1];
    output = out[0];
    return child;
}

TEST(Program, StreamsAndExitStatuses)
{
    Finished good = RunProgram("2024-04-23 '15 Nisan 5784'");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.output, "2024-04-23  Tuesday    15 Nisan 5784  ט״ו ניסן ה׳תשפ״ד\n"
                           "2024-04-23  Tuesday    15 Nisan 5784  ט״ו ניסן ה׳תשפ״ד\n");
    EXPECT_EQ(good.errors, "");

    Finished some = RunProgram("--format json -", "2024-04-31\n1 Nisan 5784\n");
    EXPECT_EQ(some.status, 1);
    EXPECT_EQ(some.output.substr(0, 22), "{\"civil\":\"2024-04-09\",");
    EXPECT_EQ(some.errors, "detron-convert: line 1: \"2024-04-31\": April 2024 has 30 days (--carry counts it on "
                           "into the next month)\n");

    Finished usage = RunProgram("--nonsense");
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.output, "");
    EXPECT_NE(usage.errors.find("unknown option"), std::string::npos);

    Finished negative = RunProgram("-0001-12-31 -- -3760-01-01");
    EXPECT_EQ(negative.status, 0) << negative.errors;
    EXPECT_EQ(negative.output.substr(0, 12), "-0001-12-31 ");
}

// What the program writes in Hebrew, fed back to it through its standard input, names the same
// days: both Adars of a leap year named as such, a year below 1000 in digits.
TEST(Program, ItsHebrewTextsReadBack)
{
    Finished written = RunProgram("--format csv '14 Adar I 5784' '14 Adar II 5784' '27 Heshvan 1' -- -3760-01-01");
    EXPECT_EQ(written.status, 0) << written.errors;
    std::istringstream lines(written.output);
    std::string line;
    std::string texts;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int column = 0; column < 8; ++column) {
            std::getline(fields, field, ',');
        }
        texts += field + "\n";
    }
    EXPECT_EQ(texts, "י״ד אדר א׳ ה׳תשפ״ד\nי״ד אדר ב׳ ה׳תשפ״ד\nכ״ז חשון 1\nט״ז טבת 0\n");
    Finished read = RunProgram("-", texts);
    EXPECT_EQ(read.status, 0) << read.errors;
    EXPECT_EQ(read.output, "2024-02-23  Friday     14 Adar I 5784  י״ד אדר א׳ ה׳תשפ״ד\n"
                           "2024-03-24  Sunday     14 Adar II 5784  י״ד אדר ב׳ ה׳תשפ״ד\n"
                           "-3760-12-02  Monday     27 Heshvan 1  כ״ז חשון 1\n"
                           "-3760-01-01  Monday     16 Tevet 0  ט״ז טבת 0\n");
}

// A program that writes one line and waits for its answer gets it: on a terminal, and on pipes
// with "-" or with no date at all.
TEST(Program, AnswersEachLineAtOnce)
{
    int terminal = -1;
    pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(DETRON_CONVERT, "detron-convert", "-", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string shown;
    ASSERT_EQ(write(terminal, "2024-04-23\n", 11), 11);
    EXPECT_TRUE(ReadUntil(terminal, "15 Nisan 5784", shown)) << shown;
    ASSERT_EQ(write(terminal, "1 Tishri 5785\n", 14), 14);
    EXPECT_TRUE(ReadUntil(terminal, "2024-10-03", shown)) << shown;
    ASSERT_EQ(write(terminal, "\x04", 1), 1);  // the end of input, typed
    std::string rest;
    ReadUntil(terminal, "never shown", rest);
    close(terminal);
    EXPECT_EQ(WaitForExit(child), 0);

    for (std::vector<const char*> arguments : {std::vector<const char*>{"-"}, std::vector<const char*>{}}) {
        int input = -1, output = -1;
        pid_t piped = StartOnPipes(arguments, input, output);
        ASSERT_GT(piped, 0);
        std::string answers;
        ASSERT_EQ(write(input, "2024-04-23\n", 11), 11);
        EXPECT_TRUE(ReadUntil(output, "15 Nisan 5784", answers));
        const char* hebrew = "\xD7\x98\xD7\xB4\xD7\x95 \xD7\xA0\xD7\x99\xD7\xA1\xD7\x9F 5785\n";
        ASSERT_EQ(write(input, hebrew, std::strlen(hebrew)), static_cast<ssize_t>(std::strlen(hebrew)));
        EXPECT_TRUE(ReadUntil(output, "2025-04-13", answers)) << answers;
        close(input);
        close(output);
        EXPECT_EQ(WaitForExit(piped), 0);
    }
}

// A non-blocking pipe with nothing in it yet is waited on, not taken for the end of the input.
TEST(Program, WaitsOnANonBlockingPipe)
{
    int input = -1, output = -1;
    pid_t child = StartOnPipes({"-"}, input, output, true);
    ASSERT_GT(child, 0);
    // Wait until it sleeps in poll (7) or ppoll (271) for its input, or has ended, which it must not.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool waiting = false;
    while (!waiting && std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            ADD_FAILURE() << "the program ended before any input came";
            close(input);
            close(output);
            return;
        }
        std::ifstream call("/proc/" + std::to_string(child) + "/syscall");
        std::string number;
        call >> number;
        waiting = number == "7" || number == "271";
        sched_yield();
    }
    ASSERT_TRUE(waiting);
    ASSERT_EQ(write(input, "2024-04-23\n", 11), 11);
    close(input);
    std::string answers;
    ReadUntil(output, "never written", answers);
    close(output);
    EXPECT_EQ(WaitForExit(child), 0);
    EXPECT_NE(answers.find("15 Nisan 5784"), std::string::npos) << answers;
}

// Every failure of the streams has its reason in the words of GNU tools and exit status 1; a
// reader that went away is no failure worth a word.
TEST(Program, StreamFailuresSayWhy)
{
    struct Row { std::string script, errors; };
    const std::string folder = ::testing::TempDir();
    const Row rows[] = {
        {"\"$P\" 2024-01-01 >/dev/full", "detron-convert: write error: No space left on device\n"},
        {"\"$P\" --help >/dev/full", "detron-convert: write error: No space left on device\n"},
        {"\"$P\" -V >/dev/full", "detron-convert: write error: No space left on device\n"},
        {"\"$P\" 2024-01-01 >&-", "detron-convert: write error: Bad file descriptor\n"},
        {"\"$P\" - <'" + folder + "'", "detron-convert: error reading 'standard input': Is a directory\n"},
        {"\"$P\" <'" + folder + "'", "detron-convert: error reading 'standard input': Is a directory\n"},
        {"\"$P\" - <&-", "detron-convert: error reading 'standard input': Bad file descriptor\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        Finished finished = Shell(row.script);
        EXPECT_EQ(finished.status, 1);
        EXPECT_EQ(finished.errors, row.errors);
    }
    Finished cut = Shell("\"$P\" --from 1900-01-01 --to 2100-12-31 | head -1; trap '' PIPE; "
                         "\"$P\" --from 1900-01-01 --to 2100-12-31 | head -1");
    EXPECT_EQ(cut.errors, "");
    EXPECT_EQ(cut.output.substr(0, 11), "1900-01-01 ");
}

// What other programs write reads back: hebcal's whole years in Hebrew, and a byte-order mark
// before the first line; what no program should show on a terminal is escaped.
TEST(Program, ReadsWhatOtherProgramsWrite)
{
    for (const char* year : {"1900", "2023", "2024"}) {
        SCOPED_TRACE(year);
        Finished hebcal = Shell("hebcal -d -h -g --lang he " + std::string(year));
        ASSERT_EQ(hebcal.status, 0) << "hebcal: " << hebcal.errors;
        std::istringstream lines(hebcal.output);
        std::string line, days, texts;
        while (std::getline(lines, line)) {
            days += line.substr(0, 10) + "\n";
            texts += line.substr(11) + "\n";
        }
        EXPECT_GE(days.size(), 365u * 11);
        Finished read = Shell("\"$P\" --format csv | cut -d, -f1 | tail -n +2", texts);
        EXPECT_EQ(read.errors, "");
        EXPECT_EQ(read.output, days);
    }
    Finished marked = Shell("\"$P\" -", "\xEF\xBB\xBF" "2024-01-01\r\n\xC2\x9B" "2J\n");
    EXPECT_EQ(marked.status, 1);
    EXPECT_EQ(marked.output.substr(0, 11), "2024-01-01 ");
    EXPECT_EQ(marked.errors.rfind("detron-convert: line 2: \"\\u009B2J\": not a date", 0), 0u) << marked.errors;
    // A line of 1024 bytes and its CR LF is as good as one with LF alone.
    std::string padded = std::string(1014, ' ') + "2024-01-01";
    Finished full = Shell("\"$P\" -", padded + "\r\n" + padded + "\n");
    EXPECT_EQ(full.status, 0) << full.errors;
}

// The local date: during a leap second it is the day of that second, and a clock that cannot be
// read is reported, never taken for a date.
TEST(Program, TodayFromAnyClock)
{
    const std::string shim = std::string("LD_PRELOAD='") + CLOCK_SHIM + "' ASAN_OPTIONS=verify_asan_link_order=0 ";
    Finished leap = Shell(shim + "TZ=right/UTC DETRON_TEST_CLOCK=1483228826 \"$P\" today");
    EXPECT_EQ(leap.status, 0) << leap.errors;
    EXPECT_EQ(leap.output.substr(0, 11), "2016-12-31 ");
    Finished failed = Shell(shim + "DETRON_TEST_CLOCK=fail \"$P\" today 2024-04-23");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.errors, "detron-convert: argument 1: \"today\": the local date is unknown: the clock could not "
                             "be read\n");
    EXPECT_EQ(failed.output.substr(0, 11), "2024-04-23 ");
}

// What a day is: today from a chosen clock and its evening, dates from standard input, and the
// holidays of Israel.
TEST(Program, WhatADayIs)
{
    // Noon of Shabbat 26 October 2024, 24 Tishri 5785: Bereshit is read and Heshvan announced.
    const std::string clock = std::string("LD_PRELOAD='") + CLOCK_SHIM +
                              "' ASAN_OPTIONS=verify_asan_link_order=0 TZ=UTC DETRON_TEST_CLOCK=1729944000 ";
    Finished today = Shell(clock + "\"$P\" --events today");
    EXPECT_EQ(today.status, 0) << today.errors;
    EXPECT_EQ(today.output, "2024-10-26  Saturday   24 Tishri 5785  כ״ד תשרי ה׳תשפ״ה  Parashat Bereshit; Shabbat "
                            "Mevarchim Heshvan  פרשת בראשית; שבת מברכים חשון\n");
    Finished evening = Shell(clock + "\"$P\" --events --after-sunset --format csv today");
    EXPECT_EQ(evening.output.substr(evening.output.find('\n') + 1),
              "2024-10-26,6,Saturday,5785,1,Tishri,25,כ״ה תשרי ה׳תשפ״ה,2460610,true,,\n");

    // 22 Nisan 5784 is Pesach 8 elsewhere, a weekday of the omer in Israel.
    for (const char* place : {"", "--israel"}) {
        SCOPED_TRACE(place);
        Finished piped = RunProgram(std::string("--events --format json ") + place, "2024-04-23\n2024-04-30\n");
        EXPECT_EQ(piped.status, 0) << piped.errors;
        EXPECT_NE(piped.output.find("\"event\":\"Pesach 1\",\"eventHebrew\":\"פסח א׳\"}\n"), std::string::npos)
            << piped.output;
        EXPECT_NE(piped.output.find(*place ? "\"event\":\"Omer 7\"," : "\"event\":\"Pesach 8; Omer 7\","),
                  std::string::npos)
            << piped.output;
    }
}

TEST(Program, VersionAndHelp)
{
    Finished version = RunProgram("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "detron-convert " + std::string(DetronVersion) + "\n");
    Finished help = RunProgram("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.substr(0, 21), "Usage: detron-convert");
    EXPECT_NE(help.output.find("Adar: in a leap year \"Adar\" is Adar I; in a common year \"Adar I\" is Adar, and "
                               "\"Adar II\"\nis an error."),
              std::string::npos);
}

}  // namespace

namespace {

// A Hebrew birthday born in the Adar of a common year falls in the second Adar of a leap year;
// civil dates after sunset belong to the next Hebrew day; the option mistakes are usage errors.
TEST(Program, AnniversariesHolidaysAndEvenings)
{
    // 1 March 2010 was 15 Adar 5770, Shushan Purim; 5787 is a leap year.
    Finished birthday = RunProgram("--birthday 2010-03-01 --years 5785..5787 --format csv");
    EXPECT_EQ(birthday.status, 0) << birthday.errors;
    EXPECT_NE(birthday.output.find(",event,eventHebrew\n"), std::string::npos);
    EXPECT_NE(birthday.output.find("2025-03-15,6,Saturday,5785,6,Adar,15,"), std::string::npos) << birthday.output;
    EXPECT_NE(birthday.output.find("2027-03-24,3,Wednesday,5787,7,Adar II,15,"), std::string::npos);
    EXPECT_NE(birthday.output.find(",Birthday 17,יום הולדת 17\n"), std::string::npos);

    // The evening of 22 April 2024 began 15 Nisan 5784.
    Finished evening = RunProgram("--after-sunset --format json 2024-04-22 '15 Nisan 5784'");
    EXPECT_NE(evening.output.find("{\"civil\":\"2024-04-22\",\"weekday\":1,\"weekdayName\":\"Monday\","
                                  "\"hebrewYear\":5784,\"hebrewMonth\":8,\"hebrewMonthName\":\"Nisan\","
                                  "\"hebrewDay\":15,"),
              std::string::npos)
        << evening.output;
    EXPECT_NE(evening.output.find("\"civil\":\"2024-04-23\""), std::string::npos);  // a Hebrew date keeps its day
    Finished bornInTheEvening = RunProgram("--after-sunset --birthday 2024-04-22 --years 5785");
    EXPECT_EQ(bornInTheEvening.output.substr(0, 10), "2025-04-13");  // 15 Nisan 5785

    Finished israel = RunProgram("--holidays --israel --years 5785 | grep -c Pesach");
    EXPECT_EQ(israel.output, "7\n");

    // The second day of Rosh Chodesh Adar I must not read as Rosh Chodesh of the second Adar.
    Finished adar = RunProgram("--holidays --years 5784 --format csv | grep ^2024-02-10");
    EXPECT_NE(adar.output.find(",Rosh Chodesh Adar I 2,ראש חודש אדר א׳ יום ב׳\n"), std::string::npos) << adar.output;

    for (const char* usage : {"--years 5785", "--holidays 2024-01-01", "--holidays --years 7000",
                              "--holidays --years 5790..5785", "--format ical 2024-01-01"}) {
        Finished refused = RunProgram(usage);
        EXPECT_EQ(refused.status, 2) << usage;
        EXPECT_NE(refused.errors.find("Try 'detron-convert --help'"), std::string::npos) << usage;
    }
    Finished beforeYearOne = RunProgram("--format ics --gregorian 0001-01-01 -- -0001-12-31");
    EXPECT_EQ(beforeYearOne.status, 1);
    EXPECT_NE(beforeYearOne.output.find("DTSTART;VALUE=DATE:00010101\r\n"), std::string::npos);
    EXPECT_NE(beforeYearOne.errors.find("holds the years 1 to 9999"), std::string::npos) << beforeYearOne.errors;
    EXPECT_NE(beforeYearOne.output.find("END:VCALENDAR\r\n"), std::string::npos);
}

}  // namespace
