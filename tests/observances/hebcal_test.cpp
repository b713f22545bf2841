// The week, the month and the modern days against Debian's hebcal, an independent calendar: its
// output for a whole range read at once (-g ISO dates, -H Hebrew years) and compared line by line.

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/civil_days.h"
#include "hebrew_text/weekday_names.h"
#include "observances/week.h"

namespace {

using observances::Observance;
using M = hebrew_text::HebrewMonth;

// hebcal's lines for `options` that hold one of `words`; a hebcal that does not run fails the test.
std::vector<std::string> Hebcal(const std::string& options, std::initializer_list<std::string_view> words)
{
    std::string command = "hebcal -g -H " + options;
    FILE* pipe = popen(command.c_str(), "r");
    std::vector<std::string> lines;
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        std::string line(buffer);
        for (std::string_view word : words) {
            if (line.find(word) != std::string::npos) {
                lines.push_back(line.substr(0, line.size() - 1));
                break;
            }
        }
    }
    EXPECT_TRUE(pipe != nullptr && pclose(pipe) == 0) << command;
    EXPECT_FALSE(lines.empty()) << command;
    return lines;
}

std::string Iso(observances::Day day)
{
    engine::CivilLabel date = engine::GregorianOfDay(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// The first line where the lists part, or nothing.
void ExpectSameLines(const std::vector<std::string>& ours, const std::vector<std::string>& hebcal)
{
    std::size_t at = 0;
    while (at < ours.size() && at < hebcal.size() && ours[at] == hebcal[at]) {
        ++at;
    }
    if (at < ours.size() || at < hebcal.size()) {
        ADD_FAILURE() << "line " << at << " of " << ours.size() << " / " << hebcal.size() << "\n  ours:   "
                      << (at < ours.size() ? ours[at] : "(end)") << "\n  hebcal: " << (at < hebcal.size() ? hebcal[at] : "(end)");
    }
}

// Every Shabbat of 5600 ... 6000, which holds every kind of year; hebcal's 6001 ... 6200 are past
// the range here.
TEST(AgainstHebcal, EveryShabbatsPortionOf5600To6000)
{
    for (bool israel : {false, true}) {
        SCOPED_TRACE(israel ? "Israel" : "elsewhere");
        std::set<std::pair<int, int>> kinds;  // weekday of Rosh Hashana, length
        std::vector<std::string> ours;
        for (int year = 5600; year <= 6000; ++year) {
            observances::Day newYear = observances::DayOf(1, M::Tishri, year);
            kinds.insert({observances::Weekday(newYear), observances::DayOf(1, M::Tishri, year + 1) - newYear});
            for (const Observance& o : observances::Portions(year, israel)) {
                ours.push_back(Iso(o.day) + " " + observances::LatinName(o));
            }
        }
        EXPECT_EQ(kinds.size(), 14u);
        ExpectSameLines(ours, Hebcal(std::string(israel ? "-i " : "") + "-s -h -x --no-modern --years 401 5600", {" Parashat "}));
    }
}

// The molad of every month of three centuries on its Shabbat Mevarchim, in hebcal's words: its
// month names, its clock (noon "12 AM", midnight "0 AM") and the clock's weekday, the day before
// the Hebrew day for an evening molad. hebcal lists no Tishri, which no Shabbat announces.
TEST(AgainstHebcal, MoladAndShabbatMevarchimOf5600To5899)
{
    const std::pair<M, const char*> names[] = {
        {M::Heshvan, "Cheshvan"}, {M::Kislev, "Kislev"}, {M::Tevet, "Tevet"}, {M::Shevat, "Sh'vat"}, {M::Adar, "Adar"},
        {M::AdarI, "Adar I"}, {M::AdarII, "Adar II"}, {M::Nisan, "Nisan"}, {M::Iyar, "Iyyar"}, {M::Sivan, "Sivan"},
        {M::Tammuz, "Tamuz"}, {M::Av, "Av"}, {M::Elul, "Elul"},
    };
    std::vector<std::string> ours;
    for (int year = 5600; year <= 5899; ++year) {
        std::vector<Observance> list = observances::Moladot(year);
        for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
            const Observance& molad = list[i + 1];
            ASSERT_EQ(list[i].event, observances::Event::ShabbatMevarchim);
            ASSERT_EQ(list[i].day, molad.day);
            ASSERT_EQ(list[i].month, molad.month);
            const observances::MoladTime& t = molad.molad;
            int clockWeekday = (t.weekday + (t.hour >= 18 ? 6 : 0)) % 7;
            std::string month;
            for (const auto& [m, name] : names) {
                month = m == molad.month ? name : month;
            }
            ours.push_back(Iso(molad.day) + " Molad " + month + ": " +
                           std::string(hebrew_text::WeekdayNames[static_cast<std::size_t>(clockWeekday)].latin.substr(0, 3)) +
                           ", " + std::to_string(t.minute) + " minutes and " + std::to_string(t.parts) + " chalakim after " +
                           (t.hour <= 12 ? std::to_string(t.hour) + " AM" : std::to_string(t.hour - 12) + " PM"));
        }
    }
    ExpectSameLines(ours, Hebcal("-M -h -x --no-modern --years 300 5600", {" Molad "}));
}

// The modern days of every year 5700 ... 5800, from before the first of them.
TEST(AgainstHebcal, ModernDaysOf5700To5800)
{
    using observances::Event;
    const std::set<Event> modern = {Event::YomHaShoah, Event::YomHaZikaron, Event::YomHaAtzmaut, Event::YomYerushalayim};
    std::vector<std::string> ours;
    for (int year = 5700; year <= 5800; ++year) {
        for (const Observance& o : observances::Holidays(year, false)) {
            if (modern.count(o.event) != 0) {
                ours.push_back(Iso(o.day) + " " + observances::LatinName(o));
            }
        }
    }
    ExpectSameLines(ours, Hebcal("-x --years 101 5700", {" Yom HaShoah", " Yom HaZikaron", " Yom HaAtzma'ut", " Yom Yerushalayim"}));
}

}  // namespace
