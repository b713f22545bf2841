// Time per conversion in each direction, civil to Hebrew and Hebrew to civil, over 100,000
// random days: the engine's conversions, its step-by-step operations, and libhdate on the same
// days in the same run. At the end, the ratios of the engine to libhdate.
//
// libhdate's civil calendar is the proleptic Gregorian one, so the three are compared on the
// Gregorian part of the civil year list, where all three name the same dates (checked before
// timing); the engine alone is also timed over the whole list.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <hdate.h>

#include "bench/sample_days.h"
#include "engine/engine.h"
#include "engine/stepwise.h"

namespace {

struct IntDate {
    int day, month, year;
};

struct Sample {
    std::vector<engine::CivilDate> civil;
    std::vector<engine::HebrewDate> hebrew;
    std::vector<IntDate> gregorian;    // libhdate's input for civil to Hebrew
    std::vector<IntDate> hdateHebrew;  // libhdate's input for Hebrew to civil: months 13, 14 the Adars
};

// The engine's month position in libhdate's numbering, where a leap year's first and second
// Adar are 13 and 14 and Nisan ... Elul keep 7 ... 12.
int HdateMonth(const engine::HebrewDate& date)
{
    int month = static_cast<int>(date.month);
    if (!engine::IsHebrewLeapYear(date.year) || month < 6) {
        return month;
    }
    return month == 6 ? 13 : month == 7 ? 14 : month - 1;
}

Sample MakeSample(engine::DayNumber first, engine::DayNumber last)
{
    Sample sample;
    for (engine::DayNumber n : bench::RandomDays(first, last)) {
        engine::CivilDate c = engine::stepwise::DayNumberToCivil(n);
        engine::HebrewDate h = engine::stepwise::DayNumberToHebrew(n);
        sample.civil.push_back(c);
        sample.hebrew.push_back(h);
        sample.gregorian.push_back({static_cast<int>(c.day), static_cast<int>(c.month), static_cast<int>(c.year)});
        sample.hdateHebrew.push_back({static_cast<int>(h.day), HdateMonth(h), static_cast<int>(h.year)});
    }
    return sample;
}

const Sample& ListSample()
{
    static const Sample sample = MakeSample(bench::FirstListDay, bench::LastListDay);
    return sample;
}

const Sample& GregorianSample()
{
    static const Sample sample = MakeSample(bench::FirstGregorianListDay, bench::LastListDay);
    return sample;
}

// Days on which libhdate and the engine disagree, in either direction; expected 0.
int HdateDisagreements(const Sample& sample)
{
    int disagreements = 0;
    for (std::size_t i = 0; i < sample.civil.size(); ++i) {
        const IntDate& g = sample.gregorian[i];
        const IntDate& h = sample.hdateHebrew[i];
        int day = 0, month = 0, year = 0, tishri = 0, nextTishri = 0;
        hdate_jd_to_hdate(hdate_gdate_to_jd(g.day, g.month, g.year), &day, &month, &year, &tishri, &nextTishri);
        bool same = day == h.day && month == h.month && year == h.year;
        hdate_jd_to_gdate(hdate_hdate_to_jd(h.day, h.month, h.year, &tishri, &nextTishri), &day, &month, &year);
        same = same && day == g.day && month == g.month && year == g.year;
        disagreements += same ? 0 : 1;
    }
    return disagreements;
}

void Finish(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(bench::SampleSize));
    state.counters["per_conversion"] = benchmark::Counter(
        static_cast<double>(bench::SampleSize),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void EngineCivilToHebrew(benchmark::State& state, const Sample& (*sample)())
{
    const std::vector<engine::CivilDate>& dates = sample().civil;
    for (auto _ : state) {
        for (const engine::CivilDate& c : dates) {
            engine::HebrewDate h = engine::DayNumberToHebrew(engine::CivilToDayNumber(c.day, c.month, c.year));
            benchmark::DoNotOptimize(h);
        }
    }
    Finish(state);
}

void EngineHebrewToCivil(benchmark::State& state, const Sample& (*sample)())
{
    const std::vector<engine::HebrewDate>& dates = sample().hebrew;
    for (auto _ : state) {
        for (const engine::HebrewDate& h : dates) {
            engine::CivilDate c = engine::DayNumberToCivil(engine::HebrewToDayNumber(h.day, h.month, h.year));
            benchmark::DoNotOptimize(c);
        }
    }
    Finish(state);
}

void StepwiseCivilToHebrew(benchmark::State& state)
{
    for (auto _ : state) {
        for (const engine::CivilDate& c : GregorianSample().civil) {
            engine::HebrewDate h =
                engine::stepwise::DayNumberToHebrew(engine::stepwise::CivilToDayNumber(c.day, c.month, c.year));
            benchmark::DoNotOptimize(h);
        }
    }
    Finish(state);
}

void StepwiseHebrewToCivil(benchmark::State& state)
{
    for (auto _ : state) {
        for (const engine::HebrewDate& h : GregorianSample().hebrew) {
            engine::CivilDate c =
                engine::stepwise::DayNumberToCivil(engine::stepwise::HebrewToDayNumber(h.day, h.month, h.year));
            benchmark::DoNotOptimize(c);
        }
    }
    Finish(state);
}

void HdateCivilToHebrew(benchmark::State& state)
{
    for (auto _ : state) {
        for (const IntDate& g : GregorianSample().gregorian) {
            IntDate h{};
            int tishri = 0, nextTishri = 0;
            hdate_jd_to_hdate(hdate_gdate_to_jd(g.day, g.month, g.year), &h.day, &h.month, &h.year, &tishri,
                              &nextTishri);
            benchmark::DoNotOptimize(h);
        }
    }
    Finish(state);
}

void HdateHebrewToCivil(benchmark::State& state)
{
    for (auto _ : state) {
        for (const IntDate& h : GregorianSample().hdateHebrew) {
            IntDate g{};
            int tishri = 0, nextTishri = 0;
            hdate_jd_to_gdate(hdate_hdate_to_jd(h.day, h.month, h.year, &tishri, &nextTishri), &g.day, &g.month,
                              &g.year);
            benchmark::DoNotOptimize(g);
        }
    }
    Finish(state);
}

double Minimum(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

// Remembers the time per conversion of every benchmark: its median over the repetitions, and
// its best repetition; a single run stands for both. The times are the thread's CPU time, so
// that other programs on a shared machine weigh on neither side.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double median = 0;
        double best = 0;
    };
    std::map<std::string, Times> times;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            double perConversion = seconds * 1e9 / static_cast<double>(bench::SampleSize);  // ns
            Times& t = times[run.run_name.function_name];
            if (run.run_type == Run::RT_Iteration) {
                t.median = t.best = perConversion;
            } else if (run.aggregate_name == "median") {
                t.median = perConversion;
            } else if (run.aggregate_name == "min") {
                t.best = perConversion;
            }
        }
    }
};

void PrintRatio(const RatioReporter& reporter, const char* direction)
{
    auto find = [&](const std::string& name) {
        auto it = reporter.times.find(name + "/" + direction);
        return it == reporter.times.end() ? RatioReporter::Times{} : it->second;
    };
    RatioReporter::Times engineTimes = find("engine/gregorian");
    RatioReporter::Times hdateTimes = find("libhdate/gregorian");
    if (engineTimes.median == 0 || hdateTimes.median == 0) {
        return;
    }
    std::printf("%-16s engine %5.1f ns, libhdate %5.1f ns (best run %5.1f ns); engine / libhdate %.2f, "
                "over libhdate's best run %.2f\n",
                direction, engineTimes.median, hdateTimes.median, hdateTimes.best,
                engineTimes.median / hdateTimes.median, engineTimes.median / hdateTimes.best);
}

std::string CpuModel()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "unknown";
}

}  // namespace

// The first conversion each way in the process, before anything else has touched the tables
// or the engine's code: what the tables add to a program's start-up, in microseconds. They are
// computed by the compiler, so there is nothing to build; the first use only loads their pages.
std::pair<double, double> FirstConversionsMicroseconds()
{
    using Clock = std::chrono::steady_clock;
    volatile double day = 2112427;  // 23 April 2024, kept from being folded into a constant
    Clock::time_point start = Clock::now();
    engine::HebrewDate hebrew = engine::DayNumberToHebrew(day);
    Clock::time_point middle = Clock::now();
    engine::DayNumber back = engine::HebrewToDayNumber(hebrew.day, hebrew.month, hebrew.year);
    Clock::time_point end = Clock::now();
    benchmark::DoNotOptimize(back);
    return {std::chrono::duration<double, std::micro>(middle - start).count(),
            std::chrono::duration<double, std::micro>(end - middle).count()};
}

int main(int argc, char** argv)
{
    const auto [firstToHebrew, firstToDayNumber] = FirstConversionsMicroseconds();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    std::printf("Machine: %s, %u logical cores; compiler: g++ %s\n", CpuModel().c_str(),
                static_cast<unsigned>(benchmark::CPUInfo::Get().num_cpus), __VERSION__);
    std::printf("Sample: %zu random days; the whole civil list (1 January -3760 ... 31 December 2240) and its "
                "Gregorian part (15 October 1582 on)\n",
                bench::SampleSize);
    std::printf("First conversion in the process, tables untouched before: DayNumberToHebrew %.1f us, "
                "HebrewToDayNumber %.1f us\n",
                firstToHebrew, firstToDayNumber);
    std::printf("libhdate and the engine disagree on %d of the Gregorian days\n\n",
                HdateDisagreements(GregorianSample()));

    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> benchmarks[] = {
        {"engine/gregorian/civil-to-hebrew", [](benchmark::State& s) { EngineCivilToHebrew(s, GregorianSample); }},
        {"stepwise/gregorian/civil-to-hebrew", StepwiseCivilToHebrew},
        {"libhdate/gregorian/civil-to-hebrew", HdateCivilToHebrew},
        {"engine/gregorian/hebrew-to-civil", [](benchmark::State& s) { EngineHebrewToCivil(s, GregorianSample); }},
        {"stepwise/gregorian/hebrew-to-civil", StepwiseHebrewToCivil},
        {"libhdate/gregorian/hebrew-to-civil", HdateHebrewToCivil},
        {"engine/list/civil-to-hebrew", [](benchmark::State& s) { EngineCivilToHebrew(s, ListSample); }},
        {"engine/list/hebrew-to-civil", [](benchmark::State& s) { EngineHebrewToCivil(s, ListSample); }},
    };
    for (const auto& [name, function] : benchmarks) {
        benchmark::RegisterBenchmark(name, function)
            ->Unit(benchmark::kMillisecond)
            ->ComputeStatistics("min", Minimum);
    }

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time per conversion on the Gregorian days, medians of the repetitions:\n");
    PrintRatio(reporter, "civil-to-hebrew");
    PrintRatio(reporter, "hebrew-to-civil");
    benchmark::Shutdown();
    return 0;
}
