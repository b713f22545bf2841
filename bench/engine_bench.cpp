// Time per conversion in each direction over a fixed sample of days spread over the whole
// civil year list (1 January -3760 to 31 December 2240).

#include <vector>

#include <benchmark/benchmark.h>

#include "engine/engine.h"

namespace {

constexpr engine::DayNumber FirstListDay = -279;
constexpr engine::DayNumber LastListDay = 2191571;
constexpr std::size_t SampleSize = 4096;  // a power of two, so the next index is a mask

// Evenly spaced with a stride that is no multiple of a week, a month or a year, so the sample
// visits every weekday, month position and kind of year.
std::vector<engine::DayNumber> SampleDays()
{
    std::vector<engine::DayNumber> days;
    double stride = 535;  // (LastListDay - FirstListDay) / SampleSize, made odd
    for (std::size_t i = 0; i < SampleSize; ++i) {
        days.push_back(FirstListDay + static_cast<double>(i) * stride);
    }
    days.back() = LastListDay;
    return days;
}

void CivilToHebrew(benchmark::State& state)
{
    std::vector<engine::CivilDate> dates;
    for (engine::DayNumber n : SampleDays()) {
        dates.push_back(engine::DayNumberToCivil(n));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const engine::CivilDate& c = dates[i];
        engine::HebrewDate h = engine::DayNumberToHebrew(engine::CivilToDayNumber(c.day, c.month, c.year));
        benchmark::DoNotOptimize(h);
        i = (i + 1) & (SampleSize - 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CivilToHebrew);

void HebrewToCivil(benchmark::State& state)
{
    std::vector<engine::HebrewDate> dates;
    for (engine::DayNumber n : SampleDays()) {
        dates.push_back(engine::DayNumberToHebrew(n));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const engine::HebrewDate& h = dates[i];
        engine::CivilDate c = engine::DayNumberToCivil(engine::HebrewToDayNumber(h.day, h.month, h.year));
        benchmark::DoNotOptimize(c);
        i = (i + 1) & (SampleSize - 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(HebrewToCivil);

}  // namespace
