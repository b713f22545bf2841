// Runs each conversion direction over the benchmark's sample once, for instruction counts
// under callgrind: valgrind --tool=callgrind --toggle-collect='*Convert*' count_instructions.

#include <cstdio>
#include <vector>

#include "engine/engine.h"

namespace {

constexpr int SampleSize = 4096;

[[gnu::noinline]] engine::HebrewDate ConvertCivilToHebrew(const engine::CivilDate& c)
{
    return engine::DayNumberToHebrew(engine::CivilToDayNumber(c.day, c.month, c.year));
}

[[gnu::noinline]] engine::CivilDate ConvertHebrewToCivil(const engine::HebrewDate& h)
{
    return engine::DayNumberToCivil(engine::HebrewToDayNumber(h.day, h.month, h.year));
}

}  // namespace

int main()
{
    std::vector<engine::CivilDate> civil;
    std::vector<engine::HebrewDate> hebrew;
    for (int i = 0; i < SampleSize; ++i) {
        engine::DayNumber n = -279 + static_cast<double>(i) * 535;
        civil.push_back(engine::DayNumberToCivil(n));
        hebrew.push_back(engine::DayNumberToHebrew(n));
    }
    double check = 0;
    for (const engine::CivilDate& c : civil) {
        check += ConvertCivilToHebrew(c).day;
    }
    for (const engine::HebrewDate& h : hebrew) {
        check += ConvertHebrewToCivil(h).day;
    }
    std::printf("%d conversions each way, checksum %.0f\n", SampleSize, check);
    return 0;
}
