#pragma once
// The run of the command-line converter, once its options are read: the dates of the arguments
// and of standard input (run.cpp, input.cpp), a range, and the listings of anniversaries and
// holidays (listing.cpp), each day written by the format's writer through one output buffer.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/date_input.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/writer.h"
#include "observances/observances.h"

namespace cli {

// Why a civil date's evening cannot be converted: the next day is past the last Hebrew year.
std::string EveningPastTheEnd();

// A line of a listing: what it marks, and whose it is.
struct ListedLine {
    observances::Observance observance;
    std::size_t anniversary;  // its --birthday or --yahrzeit, or SIZE_MAX for a holiday
};

class Run {
public:
    Run(Console& console, std::optional<CivilLabel> today);

    // Returns the exit status.
    int Start(const std::vector<std::string>& arguments);

private:
    int Prepare();
    int Dates();
    int Range();
    int Listing();
    std::optional<std::pair<int, int>> ListedYears();
    std::vector<std::string> AnniversaryLines(std::pair<int, int> years, std::vector<ListedLine>& lines);
    void WriteListing(const std::vector<ListedLine>& lines, const std::vector<std::string>& keys);
    void ReadInput();
    // The date of argument or input line `number`, named so in a message.
    void Convert(std::string_view text, const char* what, std::size_t number);

    // Why the line cannot be written as asked; empty when it can.
    std::string Refusal(const Line& line) const;
    void Write(const Line& line) { output_.Commit(writer_->Write(line, output_.Reserve())); }
    // A converted date's line, with what its Hebrew day is when --events asks.
    void WriteDate(Line line);

    int Usage(const std::string& problem);
    void Fail(const std::string& problem);
    int Finish();

    Console& console_;
    Output output_;
    std::optional<CivilLabel> today_;
    Options options_;
    CivilCalendar calendar_ = CivilCalendar::Window();
    std::optional<DateReader> reader_;
    std::unique_ptr<Writer> writer_;
    bool failed_ = false;
    std::string events_, eventsHebrew_;  // of the line WriteDate writes
};

}  // namespace cli
