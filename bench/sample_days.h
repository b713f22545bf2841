#pragma once
// The days the benchmarks convert: a fixed pseudo-random sample, the same on every run and
// machine, large enough that no branch predictor or cache learns it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/civil_calendar.h"

namespace bench {

inline constexpr std::size_t SampleSize = 100000;

// The civil year list: 1 January -3760 ... 31 December 2240.
inline constexpr engine::DayNumber FirstListDay = -279;
inline constexpr engine::DayNumber LastListDay = 2191571;

// The Gregorian part of the list, 15 October 1582 on, where a proleptic Gregorian converter
// names the same civil dates as the engine.
inline constexpr engine::DayNumber FirstGregorianListDay = engine::FirstGregorianDay;

// Whole days drawn uniformly from [first, last] with SplitMix64 from a fixed seed.
inline std::vector<engine::DayNumber> RandomDays(engine::DayNumber first, engine::DayNumber last,
                                                 std::uint64_t seed = 0x5eed0f5787ULL)
{
    std::vector<engine::DayNumber> days;
    days.reserve(SampleSize);
    const std::uint64_t span = static_cast<std::uint64_t>(last - first) + 1;
    std::uint64_t state = seed;
    for (std::size_t i = 0; i < SampleSize; ++i) {
        state += 0x9e3779b97f4a7c15ULL;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        z = z ^ (z >> 31);
        days.push_back(first + static_cast<double>(z % span));
    }
    return days;
}

}  // namespace bench
