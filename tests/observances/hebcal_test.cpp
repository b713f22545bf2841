// The week, the month and the modern days against Debian's hebcal, an independent calendar: its
// output read once per range and compared line by line with the same lines made from the
// library. hebcal writes proleptic Gregorian ISO dates (-g) and reads Hebrew years (-H).

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "engine/civil_days.h"
#include "hebrew_text/weekday_names.h"
#include "observances/week.h"

namespace {

using observances::Day;
using observances::Event;
using observances::Observance;
using M = hebrew_text::HebrewMonth;

// hebcal's lines for `options`, or a failure: a test dependency that does not run is no pass.
std::vector<std::string> Hebcal(const std::string& options)
{
    std::vector<std::string> lines;
    std::string command = "hebcal -g -H " + options;
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr) << command;
    if (pipe == nullptr) {
        return lines;
    }
    std::string line;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    EXPECT_FALSE(lines.empty()) << command;
    return lines;
}

std::vector<std::string> Containing(const std::vector<std::string>& lines, const std::set<std::string>& words)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        for (const std::string& word : words) {
            if (line.find(word) != std::string::npos) {
                kept.push_back(line);
                break;
            }
        }
    }
    return kept;
}

std::string Iso(Day day)
{
    engine::CivilLabel date = engine::GregorianOfDay(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// The first line where the two lists part, with its neighbours, or nothing when they agree.
void ExpectSameLines(const std::vector<std::string>& ours, const std::vector<std::string>& hebcal)
{
    std::size_t at = 0;
    while (at < ours.size() && at < hebcal.size() && ours[at] == hebcal[at]) {
        ++at;
    }
    if (at == ours.size() && at == hebcal.size()) {
        return;
    }
    std::string context;
    for (std::size_t i = at > 2 ? at - 2 : 0; i < at + 3; ++i) {
        context += "\n  ours:   " + (i < ours.size() ? ours[i] : std::string("(end)"));
        context += "\n  hebcal: " + (i < hebcal.size() ? hebcal[i] : std::string("(end)"));
    }
    ADD_FAILURE() << "line " << at << " of " << ours.size() << " / " << hebcal.size() << context;
}

// Every Shabbat of 5600 ... 6000 (1839 ... 2240), which holds every kind of year many times over;
// hebcal goes on to 6200, past the end of the range here.
TEST(AgainstHebcal, EveryShabbatsPortionOf5600To6000)
{
    constexpr int first = 5600;
    constexpr int last = 6000;
    for (bool israel : {false, true}) {
        SCOPED_TRACE(israel ? "Israel" : "elsewhere");
        std::set<std::pair<int, int>> kinds;
        std::vector<std::string> ours;
        for (int year = first; year <= last; ++year) {
            Day newYear = observances::DayOf(1, M::Tishri, year);
            kinds.insert({observances::Weekday(newYear),
                          static_cast<int>(observances::DayOf(1, M::Tishri, year + 1) - newYear)});
            for (const Observance& o : observances::Portions(year, israel)) {
                ours.push_back(Iso(o.day) + " " + observances::LatinName(o));
            }
        }
        EXPECT_EQ(kinds.size(), 14u);
        std::string options = std::string(israel ? "-i " : "") + "-s -h -x --no-modern --years " +
                              std::to_string(last - first + 1) + " " + std::to_string(first);
        ExpectSameLines(ours, Containing(Hebcal(options), {" Parashat "}));
    }
}

// hebcal's month names, its clock (noon is "12 AM", midnight "0 AM") and the molad's clock
// weekday, which for an evening molad is the day before the Hebrew day named here.
std::string HebcalMoladLine(const Observance& blessing, const Observance& molad)
{
    static const std::pair<M, const char*> names[] = {
        {M::Heshvan, "Cheshvan"}, {M::Kislev, "Kislev"}, {M::Tevet, "Tevet"},     {M::Shevat, "Sh'vat"},
        {M::Adar, "Adar"},        {M::AdarI, "Adar I"},  {M::AdarII, "Adar II"},  {M::Nisan, "Nisan"},
        {M::Iyar, "Iyyar"},       {M::Sivan, "Sivan"},   {M::Tammuz, "Tamuz"},    {M::Av, "Av"},
        {M::Elul, "Elul"},
    };
    std::string month;
    for (const auto& [m, name] : names) {
        month = m == molad.month ? name : month;
    }
    const observances::MoladTime& time = molad.molad;
    int clockWeekday = (time.weekday + (time.hour >= 18 ? 6 : 0)) % 7;
    std::string weekday(hebrew_text::WeekdayNames[static_cast<std::size_t>(clockWeekday)].latin.substr(0, 3));
    std::string hour = time.hour <= 12 ? std::to_string(time.hour) + " AM" : std::to_string(time.hour - 12) + " PM";
    return Iso(blessing.day) + " Molad " + month + ": " + weekday + ", " + std::to_string(time.minute) +
           " minutes and " + std::to_string(time.parts) + " chalakim after " + hour;
}

// The molad of every month of three centuries, on its Shabbat Mevarchim. Tishri's molad, which
// no Shabbat announces, hebcal does not list.
TEST(AgainstHebcal, MoladAndShabbatMevarchimOf5600To5899)
{
    constexpr int first = 5600;
    constexpr int last = 5899;
    std::vector<std::string> ours;
    for (int year = first; year <= last; ++year) {
        std::vector<Observance> list = observances::Moladot(year);
        for (std::size_t i = 0; i + 1 < list.size(); ++i) {
            if (list[i].event == Event::ShabbatMevarchim) {
                ASSERT_EQ(list[i + 1].event, Event::Molad);
                ours.push_back(HebcalMoladLine(list[i], list[i + 1]));
            }
        }
    }
    std::string options = "-M -h -x --no-modern --years " + std::to_string(last - first + 1) + " " +
                          std::to_string(first);
    ExpectSameLines(ours, Containing(Hebcal(options), {" Molad "}));
}

// The modern days of every year 5700 ... 5800, from before their first years on.
TEST(AgainstHebcal, ModernDaysOf5700To5800)
{
    constexpr int first = 5700;
    constexpr int last = 5800;
    const std::set<Event> modern = {Event::YomHaShoah, Event::YomHaZikaron, Event::YomHaAtzmaut,
                                    Event::YomYerushalayim};
    std::vector<std::string> ours;
    for (int year = first; year <= last; ++year) {
        for (const Observance& o : observances::Holidays(year, false)) {
            if (modern.count(o.event) != 0) {
                ours.push_back(Iso(o.day) + " " + observances::LatinName(o));
            }
        }
    }
    std::string options = "-x --years " + std::to_string(last - first + 1) + " " + std::to_string(first);
    ExpectSameLines(ours, Containing(Hebcal(options),
                                     {" Yom HaShoah", " Yom HaZikaron", " Yom HaAtzma'ut", " Yom Yerushalayim"}));
}

}  // namespace
