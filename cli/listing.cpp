// Anniversaries of each --birthday and --yahrzeit date, the holidays, the portions, the moladot
// and the omer, for each Hebrew year of --years, in day order.

#include <algorithm>

#include "cli/run_loop.h"
#include "observances/observances.h"
#include "observances/week.h"

namespace cli {

namespace {

// A UID key for an anniversary: what it is, its date, the person's name, and a count for the
// same date given again, so that no two of them are one event to a calendar program.
std::string UidKey(const Anniversary& anniversary, Day day, int repeat)
{
    std::string key = (anniversary.event == observances::Event::Birthday ? "born-" : "died-") +
                      std::to_string(day + JulianDayOffset);
    static const char hex[] = "0123456789abcdef";
    if (!anniversary.name.empty()) {
        key += '-';
    }
    for (char c : anniversary.name) {
        auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            key += c;
        } else if (c >= 'A' && c <= 'Z') {
            key += static_cast<char>(c - 'A' + 'a');
        } else {
            key.append({'%', hex[byte >> 4], hex[byte & 15]});
        }
    }
    return repeat > 1 ? key + "-" + std::to_string(repeat) : key;
}

}  // namespace

// --years, or this Hebrew year and the nine after it.
std::optional<std::pair<int, int>> Run::ListedYears()
{
    if (options_.years) {
        return options_.years;
    }
    if (!today_) {
        Fail("the local date is unknown (the clock could not be read); give --years");
        return std::nullopt;
    }
    Day today = GregorianToDay(*today_) + (options_.afterSunset ? 1 : 0);
    int year = observances::HebrewDayOf(today).year;
    return std::pair{year, std::min(year + 9, LastHebrewYear)};
}

int Run::Listing()
{
    std::optional<std::pair<int, int>> years = ListedYears();
    if (!years) {
        return Finish();
    }
    std::vector<ListedLine> lines;
    std::vector<std::string> keys = AnniversaryLines(*years, lines);
    // One kind after another, each in the library's order, so that a day's lines come in the
    // order EventsOfDay gives them: anniversaries, holidays, portion, Shabbat Mevarchim and its
    // molad, omer.
    bool israel = options_.israel;
    const std::pair<bool, std::vector<observances::Observance> (*)(int, bool)> kinds[] = {
        {options_.holidays, observances::Holidays},
        {options_.parsha, observances::Portions},
        {options_.molad, [](int year, bool) { return observances::Moladot(year); }},
        {options_.omer, [](int year, bool) { return observances::OmerDays(year); }},
    };
    for (const auto& [wanted, list] : kinds) {
        for (int year = years->first; wanted && year <= years->second; ++year) {
            for (const observances::Observance& observance : list(year, israel)) {
                lines.push_back({observance, SIZE_MAX});
            }
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const ListedLine& a, const ListedLine& b) {
        return a.observance.day < b.observance.day;
    });
    WriteListing(lines, keys);
    return Finish();
}

// The lines of each anniversary in `years`; returns each one's UID key (empty for a date that
// failed).
std::vector<std::string> Run::AnniversaryLines(std::pair<int, int> years, std::vector<ListedLine>& lines)
{
    std::vector<std::string> keys, firstKeys;
    for (std::size_t i = 0; i < options_.anniversaries.size(); ++i) {
        const Anniversary& anniversary = options_.anniversaries[i];
        std::string where = (anniversary.event == observances::Event::Birthday ? "--birthday " : "--yahrzeit ") +
                            Quoted(anniversary.date) + ": ";
        ReadResult date = reader_->Read(anniversary.date);
        Line evening{date.day, options_.afterSunset && date.civil};
        // The date itself is never written: only its evening must be a day the converter knows.
        std::string problem = !date.ok                                                  ? date.error
                              : evening.evening && date.day + 1 > LastSupportedDay() ? EveningPastTheEnd()
                                                                                     : "";
        if (!problem.empty()) {
            Fail(where + problem);
            keys.emplace_back();
            firstKeys.emplace_back();
            continue;
        }
        Day day = date.day + (evening.evening ? 1 : 0);
        observances::HebrewDay hebrew = observances::HebrewDayOf(day);
        firstKeys.push_back(UidKey(anniversary, day, 1));
        keys.push_back(UidKey(anniversary, day, static_cast<int>(std::count(firstKeys.begin(), firstKeys.end(),
                                                                            firstKeys.back()))));
        int firstYear = std::max(years.first, hebrew.year + 1);
        if (firstYear > years.second) {
            Fail(where + "no year of --years " + std::to_string(years.first) + ".." + std::to_string(years.second) +
                 " comes after " + std::to_string(hebrew.year) + ", the Hebrew year of the date");
        }
        for (int year = firstYear; year <= years.second; ++year) {
            Day back = anniversary.event == observances::Event::Birthday ? observances::Birthday(hebrew, year)
                                                                         : observances::Yahrzeit(hebrew, year);
            lines.push_back({{back, anniversary.event, year - hebrew.year}, i});
        }
    }
    return keys;
}

// The lines with their events' names, a person's name after an anniversary's. Days the format
// cannot hold are counted and said once.
void Run::WriteListing(const std::vector<ListedLine>& lines, const std::vector<std::string>& keys)
{
    output_.Append(writer_->Header());
    std::size_t refused = 0;
    Day firstRefused = 0, lastRefused = 0;
    for (const ListedLine& listed : lines) {
        if (!output_.Ok()) {
            break;
        }
        std::string latin = observances::LatinName(listed.observance);
        std::string hebrew = observances::HebrewName(listed.observance);
        std::string_view key;
        if (listed.anniversary != SIZE_MAX) {
            const std::string& name = options_.anniversaries[listed.anniversary].name;
            latin += name.empty() ? "" : " (" + name + ")";
            hebrew += name.empty() ? "" : " (" + name + ")";
            key = keys[listed.anniversary];
        }
        Line line{listed.observance.day, false, latin, hebrew, key};
        if (!writer_->Refusal(line.day).empty()) {
            firstRefused = refused++ == 0 ? line.day : firstRefused;
            lastRefused = line.day;
            continue;
        }
        Write(line);
    }
    output_.Append(writer_->Footer());
    if (refused > 0) {
        Fail(std::to_string(refused) + (refused == 1 ? " event is" : " events are") + " left out, from " +
             IsoText(GregorianOfDay(firstRefused)) + " to " + IsoText(GregorianOfDay(lastRefused)) +
             " (Gregorian): " + std::string(writer_->Limits()));
    }
}

}  // namespace cli
