#include "cli/run.h"

#include "cli/ics.h"
#include "cli/run_loop.h"
#include "hebrew_text/utf8.h"
#include "observances/week.h"

namespace cli {

namespace {

constexpr std::string_view Program = "detron-convert";

}  // namespace

int RunConverter(const std::vector<std::string>& arguments, Console& console, std::optional<CivilLabel> today)
{
    return Run(console, today).Start(arguments);
}

Run::Run(Console& console, std::optional<CivilLabel> today) : console_(console), output_(console), today_(today) {}

int Run::Start(const std::vector<std::string>& arguments)
{
    ReadArguments read = ReadOptions(arguments, console_.Input() == InputKind::Terminal);
    if (!read.problem.empty()) {
        return Usage(read.problem);
    }
    if (!read.options) {
        output_.Append(read.shown);
        return Finish();
    }
    options_ = std::move(*read.options);
    if (int status = Prepare(); status != ExitSuccess) {
        return status;
    }
    if (options_.Listing()) {
        return Listing();
    }
    return options_.from ? Range() : Dates();
}

// The calendar, the reader and the writer the options ask for.
int Run::Prepare()
{
    calendar_ = options_.calendar.value_or(CivilCalendar::Window());
    if (options_.switchDate) {
        // No --carry here: a change of calendar starts on a real day.
        ReadResult first = DateReader(CivilCalendar::Gregorian(), false, today_, false).Read(*options_.switchDate);
        if (!first.ok || !CivilCalendar::SwitchCanStartOn(first.day)) {
            return Usage("--switch " + Quoted(*options_.switchDate) + ": " +
                         (first.ok ? "before 1 March 200 the Gregorian calendar is behind the Julian one, so "
                                     "the change would repeat days"
                                   : first.error));
        }
        calendar_ = CivilCalendar::SwitchingOn(first.day);
    }
    reader_.emplace(calendar_, options_.carry, today_);
    std::string stamp;
    if (options_.format == Format::Ics) {
        std::string problem;
        stamp = IcsStampNow(problem);
        if (!problem.empty()) {
            Fail(problem);
            return Finish();
        }
    }
    writer_ = MakeWriter(options_.format, calendar_, {options_.Listing() || options_.events, options_.afterSunset},
                         stamp);
    return ExitSuccess;
}

int Run::Dates()
{
    output_.Append(writer_->Header());
    for (const auto& [number, text] : options_.dates) {
        if (!output_.Ok()) {
            break;
        }
        if (text == "-") {
            ReadInput();
            continue;
        }
        Convert(text, "argument", number);
    }
    output_.Append(writer_->Footer());
    return Finish();
}

void Run::Convert(std::string_view text, const char* what, std::size_t number)
{
    ReadResult result = reader_->Read(text);
    std::string problem = result.error;
    Line line{result.day, options_.afterSunset && result.civil};
    if (result.ok) {
        problem = Refusal(line);
        if (problem.empty()) {
            WriteDate(line);
            return;
        }
    }
    Fail(std::string(what) + " " + std::to_string(number) + ": " + Quoted(text) + ": " + problem);
}

// Every day from --from to --to. After sunset every line is an evening: a civil end is that
// evening, and a Hebrew end the Hebrew day of its line, which began the evening before.
int Run::Range()
{
    ReadResult from = reader_->Read(*options_.from);
    ReadResult to = reader_->Read(*options_.to);
    if (!from.ok) {
        Fail("--from " + Quoted(*options_.from) + ": " + from.error);
    }
    if (!to.ok) {
        Fail("--to " + Quoted(*options_.to) + ": " + to.error);
    }
    if (!from.ok || !to.ok) {
        return Finish();
    }
    bool evening = options_.afterSunset;
    Line first{from.day - (evening && !from.civil ? 1 : 0), evening};
    Line last{to.day - (evening && !to.civil ? 1 : 0), evening};
    if (first.day > last.day) {
        return Usage("--from " + Quoted(*options_.from) + " comes after --to " + Quoted(*options_.to));
    }
    // Every day between two that can be written can be written too.
    std::string firstProblem = Refusal(first);
    std::string lastProblem = Refusal(last);
    if (!firstProblem.empty() || !lastProblem.empty()) {
        if (!firstProblem.empty()) {
            Fail("--from " + Quoted(*options_.from) + ": " + firstProblem);
        }
        if (!lastProblem.empty()) {
            Fail("--to " + Quoted(*options_.to) + ": " + lastProblem);
        }
        return Finish();
    }
    output_.Append(writer_->Header());
    for (Line line = first; line.day <= last.day && output_.Ok(); ++line.day) {
        WriteDate(line);
    }
    output_.Append(writer_->Footer());
    return Finish();
}

// The events of the line's Hebrew day (the next day's for an evening), each named as a listing
// names it, joined by "; ".
void Run::WriteDate(Line line)
{
    if (options_.events) {
        events_.clear();
        eventsHebrew_.clear();
        for (const observances::Observance& event : observances::EventsOfDay(line.day + (line.evening ? 1 : 0),
                                                                             options_.israel)) {
            events_.append(events_.empty() ? "" : "; ").append(observances::LatinName(event));
            eventsHebrew_.append(eventsHebrew_.empty() ? "" : "; ").append(observances::HebrewName(event));
        }
        line.event = events_;
        line.eventHebrew = eventsHebrew_;
    }
    Write(line);
}

std::string EveningPastTheEnd()
{
    return "its evening belongs to a Hebrew day past the end of Hebrew year " + std::to_string(LastHebrewYear);
}

std::string Run::Refusal(const Line& line) const
{
    if (line.evening && line.day + 1 > LastSupportedDay()) {
        return EveningPastTheEnd();
    }
    return writer_->Refusal(line.day);
}

int Run::Usage(const std::string& problem)
{
    output_.Flush();
    console_.WriteError(hebrew_text::EscapedForMessage(std::string(Program) + ": " + problem) + "\nTry '" +
                        std::string(Program) + " --help' for more information.\n");
    return ExitUsage;
}

void Run::Fail(const std::string& problem)
{
    failed_ = true;
    output_.Flush();
    console_.WriteError(hebrew_text::EscapedForMessage(std::string(Program) + ": " + problem) + "\n");
}

int Run::Finish()
{
    output_.Flush();
    if (!output_.Ok()) {
        // A reader that went away (a closed pipe) wanted no more; that is no news to anyone.
        if (!output_.Error().empty()) {
            console_.WriteError(hebrew_text::EscapedForMessage(std::string(Program) + ": write error: " +
                                                               output_.Error()) +
                                "\n");
        }
        return ExitSomeInputFailed;
    }
    return failed_ ? ExitSomeInputFailed : ExitSuccess;
}

}  // namespace cli
