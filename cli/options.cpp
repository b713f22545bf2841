#include "cli/options.h"

#include <bitset>
#include <variant>

#include "cli/date_input.h"
#include "detron_version.h"
#include "engine/hebrew_date.h"
#include "hebrew_text/utf8.h"

namespace cli {

namespace {

using Id = OptionId;

constexpr std::size_t BirthdayNameLimit = 200;

// In --help's order within each section.
constexpr OptionRow Rows[] = {
    {Id::Format, "format", 0, "FORMAT", "",
     "text (default), csv (with a header row), json (JSON Lines) or ics (an\n"
     "iCalendar calendar of all-day events, dated in the Gregorian calendar)",
     HelpSection::General, "", Mode::Any, {}, 0},
    {Id::Gregorian, "gregorian", 0, "", "", "the proleptic Gregorian calendar for civil dates read and written",
     HelpSection::General, "calendar", Mode::Any, {}, 0},
    {Id::Julian, "julian", 0, "", "", "the proleptic Julian calendar", HelpSection::General, "calendar", Mode::Any,
     {}, 0},
    {Id::Switch, "switch", 0, "DATE", "",
     "Julian before DATE, Gregorian from DATE on (a Gregorian date, such as\n"
     "1752-09-14); the default is 1582-10-15",
     HelpSection::General, "calendar", Mode::Any, {}, 0},
    {Id::Carry, "carry", 0, "", "",
     "count a day past the end of its month on into the next month, read a day\n"
     "the change of calendar skipped as Gregorian, and Adar II of a common year\n"
     "as the month after Adar, instead of refusing them",
     HelpSection::General, "", Mode::Any, {}, 0},
    {Id::From, "from", 0, "DATE", "--from DATE --to DATE", "every day from the first DATE to the second, both included",
     HelpSection::General, "", Mode::Range, {Id::To}, 1},
    {Id::To, "to", 0, "DATE", "", "", HelpSection::General, "", Mode::Range, {Id::From}, 1},
    {Id::AfterSunset, "after-sunset", 0, "", "",
     "a civil DATE (and today) stands for its evening, which belongs to the\n"
     "next Hebrew day: 2024-04-22 is then 15 Nisan 5784; in a range every line\n"
     "is an evening, and a Hebrew end is the Hebrew day of its line",
     HelpSection::General, "", Mode::Any, {}, 0},
    {Id::Events, "events", 0, "", "",
     "what each date is, in two more fields, event and eventHebrew: its\n"
     "holidays, Rosh Chodesh, the portion of a Shabbat, Shabbat Mevarchim\n"
     "and the day of the omer, joined by \"; \" (empty for none); after\n"
     "sunset, those of the evening's Hebrew day",
     HelpSection::General, "", Mode::Dated, {}, 0},
    {Id::Help, "help", 'h', "", "-h, --help", "this text", HelpSection::General, "", Mode::Any, {}, 0},
    {Id::Version, "version", 'V', "", "-V, --version", "the version", HelpSection::General, "", Mode::Any, {}, 0},
    {Id::Birthday, "birthday", 0, "[NAME=]DATE", "",
     "the Hebrew birthday of someone born on DATE, in each later year;\n"
     "NAME, when given, names the person in each line",
     HelpSection::Listing, "", Mode::Listing, {}, 0},
    {Id::Yahrzeit, "yahrzeit", 0, "[NAME=]DATE", "", "the yahrzeit of a death on DATE, in each later year",
     HelpSection::Listing, "", Mode::Listing, {}, 0},
    {Id::Holidays, "holidays", 0, "", "",
     "the holidays and fasts of each year, and Yom HaShoah, Yom HaZikaron,\n"
     "Yom HaAtzma'ut and Yom Yerushalayim from the years they were first kept",
     HelpSection::Listing, "", Mode::Listing, {}, 0},
    {Id::Parsha, "parsha", 0, "", "", "the portion read on each Shabbat that is no festival day",
     HelpSection::Listing, "", Mode::Listing, {}, 0},
    {Id::Molad, "molad", 0, "", "",
     "each month's molad and the Shabbat Mevarchim that announces it, on\n"
     "that Shabbat (Tishri's molad on the year's last Shabbat)",
     HelpSection::Listing, "", Mode::Listing, {}, 0},
    {Id::Omer, "omer", 0, "", "", "the 49 days of the omer, 16 Nisan to 5 Sivan",
     HelpSection::Listing, "", Mode::Listing, {}, 0},
    {Id::Years, "years", 0, "FIRST..LAST", "",
     "Hebrew years, or one year; this Hebrew year and the nine after it\n"
     "when not given",
     HelpSection::Listing, "", Mode::Any,
     {Id::Birthday, Id::Yahrzeit, Id::Holidays, Id::Parsha, Id::Molad, Id::Omer}, 6},
    {Id::Israel, "israel", 0, "", "",
     "holidays and portions as kept in Israel: Pesach 7 days, Shavuot 1,\n"
     "Simchat Torah on Shmini Atzeret, and the portions one ahead until a\n"
     "pair rejoins them; elsewhere Pesach 8, Shavuot 2, Simchat Torah the\n"
     "day after",
     HelpSection::Listing, "", Mode::Any, {Id::Holidays, Id::Parsha, Id::Events}, 3},
};

const OptionRow& RowOf(Id id)
{
    for (const OptionRow& row : Rows) {
        if (row.id == id) {
            return row;
        }
    }
    return Rows[0];
}

std::string Dashed(const OptionRow& row)
{
    return "--" + std::string(row.name);
}

// "A, B and C" or "A, B or C" of the rows' options.
template <class Ids>
std::string Listed(const Ids& ids, std::size_t count, std::string_view last)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += i == 0 ? "" : i + 1 == count ? std::string(" ") + std::string(last) + " " : std::string(", ");
        text += Dashed(RowOf(ids[i]));
    }
    return text;
}

// The options of a choice, or of a mode, as a list.
std::vector<Id> RowsWhere(bool (*match)(const OptionRow&, const OptionRow&), const OptionRow& like)
{
    std::vector<Id> ids;
    for (const OptionRow& row : Rows) {
        if (match(row, like)) {
            ids.push_back(row.id);
        }
    }
    return ids;
}

bool SameChoice(const OptionRow& row, const OptionRow& like)
{
    return row.choice == like.choice;
}

bool SameMode(const OptionRow& row, const OptionRow& like)
{
    return row.mode == like.mode;
}

// --years FIRST..LAST or one year, Hebrew years in order.
std::optional<std::pair<int, int>> YearsValue(std::string_view text)
{
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
        return std::nullopt;
    }
    return std::pair{first, last};
}

// NAME=DATE or DATE. A name is what a person types for a person: text, no controls.
std::string ReadAnniversary(Options& options, observances::Event event, const std::string& value)
{
    std::size_t equals = value.find('=');
    Anniversary anniversary{event, {}, value};
    if (equals != std::string::npos) {
        anniversary.name = value.substr(0, equals);
        anniversary.date = value.substr(equals + 1);
        bool control = false;
        for (char c : anniversary.name) {
            control = control || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        }
        if (anniversary.name.empty() || anniversary.name.size() > BirthdayNameLimit || control ||
            !hebrew_text::IsValidUtf8(anniversary.name) ||
            hebrew_text::EscapedForMessage(anniversary.name) != anniversary.name) {
            return Quoted(value) + ": the NAME before \"=\" is 1 to " + std::to_string(BirthdayNameLimit) +
                   " bytes of text, without control or direction characters";
        }
    }
    options.anniversaries.push_back(std::move(anniversary));
    return {};
}

// What an option does to the options; a usage problem when its value is not one it takes.
std::string Apply(Options& options, const OptionRow& row, const std::string& value)
{
    switch (row.id) {
    case Id::Format: {
        constexpr std::pair<std::string_view, Format> formats[] = {
            {"text", Format::Text}, {"csv", Format::Csv}, {"json", Format::Json}, {"ics", Format::Ics}};
        for (const auto& [name, format] : formats) {
            if (value == name) {
                options.format = format;
                return {};
            }
        }
        return Quoted(value) + ": the formats are text, csv, json and ics";
    }
    case Id::Gregorian: options.calendar = CivilCalendar::Gregorian(); break;
    case Id::Julian: options.calendar = CivilCalendar::Julian(); break;
    case Id::Switch: options.switchDate = value; break;
    case Id::Carry: options.carry = true; break;
    case Id::From: options.from = value; break;
    case Id::To: options.to = value; break;
    case Id::AfterSunset: options.afterSunset = true; break;
    case Id::Birthday: return ReadAnniversary(options, observances::Event::Birthday, value);
    case Id::Yahrzeit: return ReadAnniversary(options, observances::Event::Yahrzeit, value);
    case Id::Holidays: options.holidays = true; break;
    case Id::Parsha: options.parsha = true; break;
    case Id::Molad: options.molad = true; break;
    case Id::Omer: options.omer = true; break;
    case Id::Events: options.events = true; break;
    case Id::Years:
        options.years = YearsValue(value);
        if (!options.years) {
            return Quoted(value) + ": expected FIRST..LAST or one year, Hebrew years " +
                   std::to_string(FirstHebrewYear) + " to " + std::to_string(LastHebrewYear) +
                   " in order, such as 5785..5794";
        }
        break;
    case Id::Israel: options.israel = true; break;
    case Id::Help:
    case Id::Version: break;
    }
    return {};
}

// The option an argument names, whole or shortened as getopt_long allows; a usage problem when
// it names none or several.
std::variant<const OptionRow*, std::string> FindOption(std::string_view name, std::string_view argument)
{
    std::vector<const OptionRow*> found;
    for (const OptionRow& row : Rows) {
        if (row.name == name) {
            return &row;
        }
        if (!name.empty() && row.name.starts_with(name)) {
            found.push_back(&row);
        }
    }
    if (found.size() == 1) {
        return found[0];
    }
    if (found.empty()) {
        return "unknown option " + Quoted(argument);
    }
    std::string problem = "option '--" + std::string(name) + "' is ambiguous; possibilities:";
    for (const OptionRow* row : found) {
        problem += " '" + Dashed(*row) + "'";
    }
    return problem;
}

class Reader {
public:
    Reader(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ReadArguments Read(bool inputIsTerminal)
    {
        for (next_ = 0; next_ < arguments_.size(); ++next_) {
            std::string problem = ReadArgument();
            if (!problem.empty() || shown_) {
                return shown_ ? ReadArguments{std::nullopt, *shown_, {}} : ReadArguments{std::nullopt, {}, problem};
            }
        }
        std::string problem = Check();
        if (problem.empty() && !options_.from && options_.dates.empty() && !options_.Listing()) {
            // Dates piped in, or a file, need no "-"; a person at a terminal has forgotten them.
            if (inputIsTerminal) {
                problem = "no date given";
            }
            options_.dates.emplace_back(0, "-");
        }
        if (!problem.empty()) {
            return {std::nullopt, {}, problem};
        }
        return {std::move(options_), {}, {}};
    }

private:
    std::string ReadArgument()
    {
        const std::string& argument = arguments_[next_];
        bool date = onlyDates_ || argument == "-" || argument.empty() || argument[0] != '-' ||
                    (argument.size() > 1 && argument[1] >= '0' && argument[1] <= '9');
        if (date) {
            options_.dates.emplace_back(next_ + 1, argument);
            return {};
        }
        if (argument == "--") {
            onlyDates_ = true;
            return {};
        }
        if (argument.size() == 2 && argument[1] != '-') {
            for (const OptionRow& row : Rows) {
                if (row.shortName == argument[1]) {
                    return Given(row, {});
                }
            }
            return "unknown option " + Quoted(argument);
        }
        if (!argument.starts_with("--")) {
            return "unknown option " + Quoted(argument);
        }
        std::string_view written = std::string_view(argument).substr(2, argument.find('=') - 2);
        std::variant<const OptionRow*, std::string> found = FindOption(written, argument);
        if (const std::string* problem = std::get_if<std::string>(&found)) {
            return *problem;
        }
        const OptionRow& row = *std::get<const OptionRow*>(found);
        std::optional<std::string> value;
        if (argument.find('=') != std::string::npos) {
            if (row.value.empty()) {
                return Dashed(row) + " takes no value";
            }
            value = argument.substr(argument.find('=') + 1);
        } else if (!row.value.empty()) {
            if (next_ + 1 == arguments_.size()) {
                return Dashed(row) + " needs a value";
            }
            value = arguments_[++next_];
        }
        return Given(row, value);
    }

    std::string Given(const OptionRow& row, const std::optional<std::string>& value)
    {
        if (row.id == Id::Help || row.id == Id::Version) {
            shown_ = row.id == Id::Help ? HelpText() : "detron-convert " + std::string(DetronVersion) + "\n";
            return {};
        }
        // The same choice twice is harmless; two different ones contradict each other.
        if (!row.choice.empty()) {
            std::vector<Id> choice = RowsWhere(SameChoice, row);
            for (Id other : choice) {
                if (other != row.id && given_[static_cast<std::size_t>(other)]) {
                    return "choose one of " + Listed(choice, choice.size(), "and");
                }
            }
        }
        given_[static_cast<std::size_t>(row.id)] = true;
        std::string problem = Apply(options_, row, value.value_or(""));
        return problem.empty() ? problem : Dashed(row) + " " + problem;
    }

    bool Given(Id id) const { return given_[static_cast<std::size_t>(id)]; }

    // What goes with what: each option's needs, then the kinds of output that exclude each other.
    std::string Check() const
    {
        for (const OptionRow& row : Rows) {
            bool met = row.needCount == 0 || !Given(row.id);
            for (std::size_t i = 0; i < row.needCount; ++i) {
                met = met || Given(row.needs[i]);
            }
            if (!met) {
                const OptionRow& other = RowOf(row.needs[0]);
                bool together = row.needCount == 1 && other.needCount == 1 && other.needs[0] == row.id;
                return together ? Dashed(row) + " and " + Dashed(other) + " go together"
                                : Dashed(row) + " goes with " + Listed(row.needs, row.needCount, "or");
            }
        }
        bool range = options_.from.has_value();
        std::vector<Id> listing = RowsWhere(SameMode, RowOf(Id::Holidays));
        if (options_.Listing() && (range || !options_.dates.empty())) {
            return Listed(listing, listing.size(), "and") + " list days of their own; give no other dates";
        }
        for (const OptionRow& row : Rows) {
            if (row.mode == Mode::Dated && Given(row.id) && options_.Listing()) {
                return Dashed(row) + " is for dates converted; " + Listed(listing, listing.size(), "and") +
                       " name their events already";
            }
        }
        if (range && !options_.dates.empty()) {
            return "give either dates or --from and --to, not both";
        }
        return {};
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    bool onlyDates_ = false;
    std::bitset<OptionCount> given_;
    Options options_;
    std::optional<std::string> shown_;
};

}  // namespace

std::span<const OptionRow> OptionTable()
{
    return Rows;
}

ReadArguments ReadOptions(const std::vector<std::string>& arguments, bool inputIsTerminal)
{
    return Reader(arguments).Read(inputIsTerminal);
}

// The rows of a section as --help lists them: the option and its value, then its text from the
// 20th column on (after two spaces when the option is longer), continued there.
std::string OptionsHelp(HelpSection section)
{
    std::string text;
    for (const OptionRow& row : Rows) {
        if (row.section != section || row.help.empty()) {
            continue;
        }
        std::string label(row.label);
        if (label.empty()) {
            label.append("--").append(row.name);
            if (!row.value.empty()) {
                label.append(" ").append(row.value);
            }
        }
        text.append("  ").append(label).append(label.size() < 17 ? 17 - label.size() : 2, ' ');
        for (char c : row.help) {
            text += c;
            if (c == '\n') {
                text += std::string(19, ' ');
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace cli
