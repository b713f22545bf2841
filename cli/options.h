#pragma once
// The command line's options, as one table: each row names an option (long and short name, its
// value, its line in --help, what it goes with), and from the table come the reading of the
// arguments as getopt_long reads them (a long option shortened while unambiguous, --name=VALUE,
// "--" before dates that begin with "-"), the checks of what goes together, and --help's lists.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/civil_calendars.h"
#include "cli/writer.h"
#include "observances/observances.h"

namespace cli {

enum class OptionId {
    Format, Gregorian, Julian, Switch, Carry, From, To, AfterSunset, Help, Version,
    Birthday, Yahrzeit, Holidays, Parsha, Molad, Omer, Years, Israel, Events,
};
inline constexpr std::size_t OptionCount = static_cast<std::size_t>(OptionId::Events) + 1;

// Where an option stands in --help.
enum class HelpSection { General, Listing };

// What kind of output an option asks for. A range and a listing make days of their own, so they
// take no dates, and not each other; an option of Dated says something of each date converted
// (of the arguments, a range or standard input), and goes with no listing.
enum class Mode { Any, Range, Listing, Dated };

struct OptionRow {
    OptionId id;
    std::string_view name;        // "format": written --format
    char shortName;               // 'h' for -h; 0 for none
    std::string_view value;       // the value's name in --help ("FORMAT"); empty for no value
    std::string_view label;       // --help's left column when not "--name VALUE"
    std::string_view help;        // --help's text, lines separated by '\n'; empty: on another's line
    HelpSection section;
    std::string_view choice;      // options of one choice exclude each other ("calendar")
    Mode mode;
    std::array<OptionId, 6> needs;  // at least one of these must be given too
    std::size_t needCount;
};

std::span<const OptionRow> OptionTable();

// A --birthday or --yahrzeit: the event, the person's name (empty when not given: NAME=DATE) and
// the date as written.
struct Anniversary {
    observances::Event event;
    std::string name;
    std::string date;
};

// What the arguments ask for.
struct Options {
    Format format = Format::Text;
    std::optional<CivilCalendar> calendar;  // --gregorian or --julian
    std::optional<std::string> switchDate;  // --switch
    bool carry = false;
    std::optional<std::string> from, to;
    std::vector<std::pair<std::size_t, std::string>> dates;  // argument number, text ("-" for input)
    std::vector<Anniversary> anniversaries;
    bool holidays = false;
    bool parsha = false, molad = false, omer = false;
    std::optional<std::pair<int, int>> years;  // Hebrew years, first and last
    bool israel = false;
    bool afterSunset = false;
    bool events = false;  // each date's events
    bool Listing() const { return holidays || parsha || molad || omer || !anniversaries.empty(); }
};

// The arguments read: the options, or a text to show (--help, --version) and exit with success,
// or a usage problem (exit status 2) in `problem`.
struct ReadArguments {
    std::optional<Options> options;
    std::string shown;
    std::string problem;
};

// `arguments` are those after the program's name. With no date, no range and no listing, dates
// come from standard input, unless it is a terminal (a person who forgot them).
ReadArguments ReadOptions(const std::vector<std::string>& arguments, bool inputIsTerminal);

// The whole of --help, and its list of the options of one section.
std::string HelpText();
std::string OptionsHelp(HelpSection section);

}  // namespace cli
