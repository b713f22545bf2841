// Time to build every numeral text the lists show at start-up: years 0 to 6000, days 1 to 30.

#include <string>

#include <benchmark/benchmark.h>

#include "hebrew_text/numerals.h"

namespace {

void AllListNumerals(benchmark::State& state)
{
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int year = 0; year <= 6000; ++year) {
            bytes += hebrew_text::HebrewNumeral(year).size();
        }
        for (int day = 1; day <= 30; ++day) {
            bytes += hebrew_text::HebrewNumeral(day).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * 6031);
}
BENCHMARK(AllListNumerals)->Unit(benchmark::kMicrosecond);

}  // namespace
