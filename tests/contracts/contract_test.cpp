// Each kind of contract the headers state, broken once: the checked builds stop there with the
// contract's text. The builds that ship leave the checks out, and these tests with them.

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "cli/writer.h"
#include "engine/civil_days.h"
#include "engine/contract.h"
#include "engine/hebrew_date.h"
#include "hebrew_text/numerals.h"
#include "hebrew_text/utf8.h"
#include "observances/week.h"

namespace {

// Values the compiler cannot see, so that each break happens when the test runs.
template <class T>
T Opaque(T value)
{
    volatile T kept = value;
    return kept;
}

struct Break {
    const char* contract;  // the start of the text the program stops with
    std::function<void()> breaking;
};

TEST(Contracts, EachKindStopsTheCheckedBuildsWithItsText)
{
    if (!DETRON_CONTRACTS) {
        GTEST_SKIP() << "contracts are left out of this build";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Break breaks[] = {
        {"a day of the supported range",
         [] { observances::EventsOfDay(Opaque(engine::LastSupportedDay() + 1), false); }},
        {"a Hebrew year of the supported range", [] { observances::Holidays(Opaque(engine::LastHebrewYear + 1), false); }},
        {"a month the year has", [] { observances::MoladOf(hebrew_text::HebrewMonth::AdarII, Opaque(5783)); }},
        {"a civil month 1 \\.\\.\\. 12", [] { engine::JulianToDay({2024, Opaque(13), 1}); }},
        {"a change of calendar that names no day twice",
         [] { engine::CivilCalendar::SwitchingOn(Opaque(engine::FirstSupportedDay())); }},
        {"a character begins inside the text", [] { hebrew_text::DecodeUtf8(std::string_view("x", Opaque<std::size_t>(0)), 0); }},
        {"a numeral up to 6001", [] { hebrew_text::HebrewNumeralUtf8(Opaque(23000)); }},
        {"a line's days within the supported range",
         [] {
             std::unique_ptr<cli::Writer> writer = cli::MakeWriter(cli::Format::Text, cli::CivilCalendar::Window(), {});
             char line[cli::Writer::MaxLineBytes];
             writer->Write(cli::Line(Opaque(engine::FirstSupportedDay() - 1)), line);
         }},
    };
    for (const Break& row : breaks) {
        SCOPED_TRACE(row.contract);
        EXPECT_DEATH(row.breaking(), std::string("contract broken: ") + row.contract);
    }
}

}  // namespace
