// The installed kind of program, run as a shell script runs it: real streams, real exit statuses.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

// `arguments` is shell text; `input` goes to standard input through a file.
Finished RunProgram(const std::string& arguments, const std::string& input = {})
{
    // Files of this process alone: ctest runs the tests of this program side by side.
    std::string base = ::testing::TempDir() + "detron-convert-" + std::to_string(getpid());
    std::ofstream(base + ".in", std::ios::binary) << input;
    std::string command = std::string("'") + DETRON_CONVERT + "' " + arguments + " <'" + base + ".in' >'" + base +
                          ".out' 2>'" + base + ".err'";
    int status = std::system(command.c_str());
    Finished finished{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(base + ".out"), Slurp(base + ".err")};
    for (const char* suffix : {".in", ".out", ".err"}) {
        std::remove((base + suffix).c_str());
    }
    return finished;
}

TEST(Program, StreamsAndExitStatuses)
{
    Finished good = RunProgram("2024-04-23 '15 Nisan 5784'");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.output, "2024-04-23  Tuesday    15 Nisan 5784  טו ניסן ה'תשפד\n"
                           "2024-04-23  Tuesday    15 Nisan 5784  טו ניסן ה'תשפד\n");
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
// days: the second Adar in logical order, a year below 1000 in digits.
TEST(Program, ItsHebrewTextsReadBack)
{
    Finished written = RunProgram("--format csv '14 Adar II 5784' '27 Heshvan 1' -- -3760-01-01");
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
    EXPECT_EQ(texts, "יד אדר ב' ה'תשפד\nכז חשון 1\nטז טבת 0\n");
    Finished read = RunProgram("-", texts);
    EXPECT_EQ(read.status, 0) << read.errors;
    EXPECT_EQ(read.output, "2024-03-24  Sunday     14 Adar II 5784  יד אדר ב' ה'תשפד\n"
                           "-3760-12-02  Monday     27 Heshvan 1  כז חשון 1\n"
                           "-3760-01-01  Monday     16 Tevet 0  טז טבת 0\n");
}

TEST(Program, VersionAndHelp)
{
    Finished version = RunProgram("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, std::string("detron-convert ") + DETRON_VERSION + "\n");
    Finished help = RunProgram("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.substr(0, 21), "Usage: detron-convert");
    EXPECT_NE(help.output.find("Adar: in a leap year \"Adar\" is Adar I; in a common year \"Adar I\" is Adar, and "
                               "\"Adar II\"\nis an error."),
              std::string::npos);
}

}  // namespace
