// Runs each conversion direction once over the benchmark's sample of random days, for
// instruction counts under callgrind, the engine's and libhdate's:
//   valgrind --tool=callgrind --toggle-collect='*EngineCivilToHebrew*' count_instructions
// The conversions are counted in the functions named Engine... and Hdate..., and nothing else.

#include <cstdio>
#include <vector>

#include <hdate.h>

#include "bench/sample_days.h"
#include "engine/engine.h"

namespace {

[[gnu::noinline]] engine::HebrewDate EngineCivilToHebrew(const engine::CivilDate& c)
{
    return engine::DayNumberToHebrew(engine::CivilToDayNumber(c.day, c.month, c.year));
}

[[gnu::noinline]] engine::CivilDate EngineHebrewToCivil(const engine::HebrewDate& h)
{
    return engine::DayNumberToCivil(engine::HebrewToDayNumber(h.day, h.month, h.year));
}

// libhdate works on the Julian Day Number, DayNumber + 347997, and the proleptic Gregorian
// calendar; its results are only summed.
[[gnu::noinline]] int HdateCivilToHebrew(int day, int month, int year)
{
    int hebrewDay = 0, hebrewMonth = 0, hebrewYear = 0, tishri = 0, nextTishri = 0;
    hdate_jd_to_hdate(hdate_gdate_to_jd(day, month, year), &hebrewDay, &hebrewMonth, &hebrewYear, &tishri,
                      &nextTishri);
    return hebrewDay;
}

[[gnu::noinline]] int HdateHebrewToCivil(int day, int month, int year)
{
    int civilDay = 0, civilMonth = 0, civilYear = 0, tishri = 0, nextTishri = 0;
    hdate_jd_to_gdate(hdate_hdate_to_jd(day, month, year, &tishri, &nextTishri), &civilDay, &civilMonth, &civilYear);
    return civilDay;
}

}  // namespace

int main()
{
    // The Gregorian part of the civil year list, where libhdate's calendar is the civil one.
    std::vector<engine::CivilDate> civil;
    std::vector<engine::HebrewDate> hebrew;
    std::vector<int> hdateMonths;
    for (engine::DayNumber n : bench::RandomDays(bench::FirstGregorianListDay, bench::LastListDay)) {
        civil.push_back(engine::DayNumberToCivil(n));
        hebrew.push_back(engine::DayNumberToHebrew(n));
        int day = 0, month = 0, year = 0, tishri = 0, nextTishri = 0;
        hdate_jd_to_hdate(static_cast<int>(n) + 347997, &day, &month, &year, &tishri, &nextTishri);
        hdateMonths.push_back(month);
    }
    double check = 0;
    for (const engine::CivilDate& c : civil) {
        check += EngineCivilToHebrew(c).day;
    }
    for (const engine::HebrewDate& h : hebrew) {
        check += EngineHebrewToCivil(h).day;
    }
    for (const engine::CivilDate& c : civil) {
        check += HdateCivilToHebrew(static_cast<int>(c.day), static_cast<int>(c.month), static_cast<int>(c.year));
    }
    for (std::size_t i = 0; i < hebrew.size(); ++i) {
        check += HdateHebrewToCivil(static_cast<int>(hebrew[i].day), hdateMonths[i], static_cast<int>(hebrew[i].year));
    }
    std::printf("%zu conversions each way, checksum %.0f\n", bench::SampleSize, check);
    return 0;
}
