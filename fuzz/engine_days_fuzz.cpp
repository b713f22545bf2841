// The engine's day numbers over the whole supported range and past its edges: the fast
// conversions give the step-by-step doubles bit for bit and go there and back, a calendar that
// changes on any allowed day names each day once, and impossible dates count on as the headers
// say (a day past a civil month's end, day 30 of a 29-day Hebrew month).
//
// Input: eight bytes of a day (near an edge when the first byte says so), eight of a day of
// change of calendar.

#include <array>
#include <bit>
#include <cstring>

#include "engine/civil_days.h"
#include "engine/hebrew_date.h"
#include "engine/stepwise.h"
#include "fuzz/fuzz_check.h"

namespace {

using engine::CivilCalendar;
using engine::CivilLabel;
using engine::WholeDay;

std::string DayText(WholeDay day)
{
    return "day number " + std::to_string(day);
}

bool Same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The days where rules change: the range's ends, the reform, Julian Day 0, the first day of
// year 1, and the ends of the whole-number spans.
constexpr std::array<WholeDay, 8> Edges = {engine::FirstSupportedDay(), engine::LastSupportedDay(),
                                           engine::ReformFirstGregorianDay, -engine::JulianDayOffset, 1, 0,
                                           2300000, engine::CivilCalendar::Gregorian().ToDay({200, 3, 1})};

WholeDay DayOf(std::uint64_t bits, bool nearEdge)
{
    constexpr WholeDay First = engine::FirstSupportedDay() - 400;
    constexpr WholeDay Span = engine::LastSupportedDay() + 400 - First + 1;
    bits >>= 1;  // the lowest bit chose
    if (nearEdge) {
        return Edges[bits % 256 % Edges.size()] + static_cast<WholeDay>((bits >> 8) % 801) - 400;
    }
    return First + static_cast<WholeDay>(bits % static_cast<std::uint64_t>(Span));
}

void CheckFastConversions(WholeDay day)
{
    auto n = static_cast<engine::DayNumber>(day);
    engine::HebrewDate hebrew = engine::DayNumberToHebrew(n);
    engine::HebrewDate stepHebrew = engine::stepwise::DayNumberToHebrew(n);
    FUZZ_CHECK(Same(hebrew.day, stepHebrew.day) && Same(hebrew.month, stepHebrew.month) &&
                   Same(hebrew.year, stepHebrew.year),
               DayText(day));
    if (day >= -engine::JulianDayOffset) {
        engine::CivilDate civil = engine::DayNumberToCivil(n);
        engine::CivilDate stepCivil = engine::stepwise::DayNumberToCivil(n);
        FUZZ_CHECK(Same(civil.day, stepCivil.day) && Same(civil.month, stepCivil.month) &&
                       Same(civil.year, stepCivil.year),
                   DayText(day));
        FUZZ_CHECK(Same(engine::CivilToDayNumber(civil.day, civil.month, civil.year), n), DayText(day));
        FUZZ_CHECK(Same(engine::stepwise::CivilToDayNumber(civil.day, civil.month, civil.year), n), DayText(day));
    }
    if (day < engine::FirstSupportedDay()) {
        return;  // no Hebrew year holds the days before 1 Tishri 0
    }
    FUZZ_CHECK(Same(engine::HebrewToDayNumber(hebrew.day, hebrew.month, hebrew.year), n), DayText(day));
    FUZZ_CHECK(Same(engine::stepwise::HebrewToDayNumber(hebrew.day, hebrew.month, hebrew.year), n), DayText(day));
    // Day 30 of the month: itself in a month of 30 days, the next month's first in one of 29.
    int length = engine::HebrewMonthLength(hebrew.year, hebrew.month);
    FUZZ_CHECK(length == 29 || length == 30, DayText(day));
    FUZZ_CHECK(hebrew.day <= length, DayText(day));
    double thirtieth = engine::HebrewToDayNumber(30, hebrew.month, hebrew.year);
    FUZZ_CHECK(thirtieth == n - hebrew.day + 30, DayText(day));
    engine::HebrewDate after = engine::DayNumberToHebrew(thirtieth);
    FUZZ_CHECK((length == 30) == (after.day == 30), DayText(day));
}

std::string LabelText(const CivilLabel& label)
{
    return std::to_string(label.year) + "-" + std::to_string(label.month) + "-" + std::to_string(label.day);
}

void CheckCalendar(const CivilCalendar& calendar, WholeDay day)
{
    CivilLabel label = calendar.LabelOf(day);
    std::string where = DayText(day) + " " + LabelText(label) + ", first Gregorian day " +
                        std::to_string(calendar.FirstGregorianDay());
    FUZZ_CHECK(label.month >= 1 && label.month <= 12 && label.day >= 1 &&
                   label.day <= calendar.MonthLength(label.year, label.month),
               where);
    FUZZ_CHECK(calendar.Classify(label) == engine::LabelKind::Real, where);
    FUZZ_CHECK(calendar.ToDay(label) == day, where);
    // The next day is the next label, or the first of the next month, or across the change.
    CivilLabel next = calendar.LabelOf(day + 1);
    bool sameMonth = next.year == label.year && next.month == label.month && next.day == label.day + 1;
    bool nextMonth = next.day == 1 && (next.month == label.month % 12 + 1) &&
                     next.year == label.year + (label.month == 12 ? 1 : 0);
    FUZZ_CHECK(sameMonth || nextMonth || day + 1 == calendar.FirstGregorianDay(), where);
    // --carry: a day past the end of the month counts on from its last day, unless the change of
    // calendar skipped the label.
    int length = calendar.MonthLength(label.year, label.month);
    for (int past = length + 1; past <= 31; ++past) {
        CivilLabel beyond{label.year, label.month, past};
        engine::LabelKind kind = calendar.Classify(beyond);
        FUZZ_CHECK(kind != engine::LabelKind::Real, where);
        if (kind == engine::LabelKind::PastMonthEnd && !calendar.HasSwitch()) {
            FUZZ_CHECK(calendar.ToDay(beyond) == calendar.ToDay({label.year, label.month, length}) + past - length,
                       where);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 16) {
        return 0;
    }
    std::uint64_t dayBits = 0;
    std::uint64_t switchBits = 0;
    std::memcpy(&dayBits, data, 8);
    std::memcpy(&switchBits, data + 8, 8);
    WholeDay day = DayOf(dayBits, (data[0] & 1) != 0);
    WholeDay switchDay = DayOf(switchBits, (data[8] & 1) != 0);

    CheckFastConversions(day);
    CheckCalendar(CivilCalendar::Window(), day);
    CheckCalendar(CivilCalendar::Gregorian(), day);
    CheckCalendar(CivilCalendar::Julian(), day);
    if (CivilCalendar::SwitchCanStartOn(switchDay)) {
        CheckCalendar(CivilCalendar::SwitchingOn(switchDay), day);
    }
    return 0;
}
