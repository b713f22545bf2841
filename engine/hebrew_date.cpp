#include "engine/hebrew_date.h"

#include <cstdint>

#include "engine/hebrew_year.h"
#include "engine/stepwise.h"

// The fast conversions answer from two tables that the compiler computes with the step-by-step
// operations: the first day and kind of every tabled year, and for each of the six kinds of
// year the date of every day of the year and the first day of every month position. A year's
// month layout depends on its length alone, so the dates of one year of each length serve all.

namespace engine {

namespace {

constexpr int TabledYears = static_cast<int>(LastTabledHebrewYear - FirstTabledHebrewYear) + 1;
constexpr int FirstYear = static_cast<int>(FirstTabledHebrewYear);
constexpr int LongestYear = 385;

// The six year lengths, deficient, regular and complete, common then leap; a kind is an index.
constexpr double KindLengths[] = {353, 354, 355, 383, 384, 385};
constexpr int Kinds = 6;

constexpr int KindOfLength(double length)
{
    for (int kind = 0; kind < Kinds; ++kind) {
        if (KindLengths[kind] == length) {
            return kind;
        }
    }
    return -1;
}

// A year's entry: its baseDay, moved to be non-negative, above its kind in the low three bits,
// so that one load gives both.
constexpr std::int32_t BaseDayBias = 1024;
constexpr std::int32_t PadBaseDay = -BaseDayBias;  // below every tabled day

constexpr std::uint32_t PackYear(std::int32_t baseDay, int kind)
{
    return static_cast<std::uint32_t>(baseDay + BaseDayBias) << 3 | static_cast<std::uint32_t>(kind);
}
constexpr std::int32_t BaseDayOf(std::uint32_t entry)
{
    return static_cast<std::int32_t>(entry >> 3) - BaseDayBias;
}
constexpr int KindOf(std::uint32_t entry)
{
    return static_cast<int>(entry & 7);
}

// entry[y + 1 - FirstYear] for year y; the first entry stands before the first tabled year,
// so that the year before an estimate can always be read; the last is the year after the last
// tabled one, whose baseDay closes it.
struct YearTable {
    std::uint32_t entry[TabledYears + 2];
};

constexpr YearTable BuildYearTable()
{
    YearTable table{};
    table.entry[0] = PackYear(PadBaseDay, 0);
    for (int i = 0; i <= TabledYears; ++i) {
        HebrewYearInfo info = HebrewYearStart(FirstYear + i);
        int kind = i < TabledYears ? KindOfLength(info.length) : 0;
        table.entry[i + 1] = PackYear(static_cast<std::int32_t>(info.baseDay), kind);
    }
    return table;
}

constexpr YearTable Years = BuildYearTable();

constexpr std::int32_t BaseDayOfYear(int year)
{
    return BaseDayOf(Years.entry[year + 1 - FirstYear]);
}

constexpr bool EveryTabledYearHasAKind()
{
    for (int year = FirstYear; year < FirstYear + TabledYears; ++year) {
        if (KindOfLength(BaseDayOfYear(year + 1) - BaseDayOfYear(year)) < 0) {
            return false;
        }
    }
    return true;
}
static_assert(EveryTabledYearHasAKind());

constexpr DayNumber FirstTabledDay = BaseDayOfYear(FirstYear) + 1;
constexpr DayNumber LastTabledDay = BaseDayOfYear(FirstYear + TabledYears);

// The year of a tabled day, estimated from the mean year of 235 / 19 mean months as a 32-bit
// binary fraction: the day's own year or the next one, never another (checked below).
constexpr std::int64_t YearsPerDayScaled = 11759082;  // 2^32 * 19 * 25920 / (235 * 765433), rounded

constexpr std::int32_t EstimateYear(std::int32_t day, std::int32_t offset)
{
    return static_cast<std::int32_t>((static_cast<std::int64_t>(day) + offset) * YearsPerDayScaled >> 32) +
           FirstYear;
}

// The smallest offset that never estimates a year too small, found on each year's first day.
constexpr std::int32_t FindEstimateOffset()
{
    std::int32_t offset = -static_cast<std::int32_t>(FirstTabledDay);
    for (int year = FirstYear; year < FirstYear + TabledYears; ++year) {
        while (EstimateYear(BaseDayOfYear(year) + 1, offset) < year) {
            ++offset;
        }
    }
    return offset;
}

constexpr std::int32_t EstimateOffset = FindEstimateOffset();

constexpr bool EstimateIsAtMostOneYearAhead()
{
    for (int year = FirstYear; year < FirstYear + TabledYears; ++year) {
        if (EstimateYear(BaseDayOfYear(year + 1), EstimateOffset) > year + 1) {
            return false;
        }
    }
    return true;
}
static_assert(EstimateIsAtMostOneYearAhead());

struct DayInMonth {
    std::uint8_t day, month;
};

// For each kind: the date of day k of the year (k = 1 ... length), and the DayNumber of day 0 of
// each month position 1 ... 13 counted from baseDay, as HebrewToDayNumber lays it out (also for
// position 13 of a common year, which counts on into the next year).
struct MonthTable {
    DayInMonth byDayOfYear[Kinds][LongestYear + 1];
    std::int16_t monthBase[Kinds][14];
};

constexpr MonthTable BuildMonthTable()
{
    MonthTable table{};
    for (int kind = 0; kind < Kinds; ++kind) {
        int year = FirstYear;
        while (BaseDayOfYear(year + 1) - BaseDayOfYear(year) != KindLengths[kind]) {
            ++year;
        }
        double baseDay = BaseDayOfYear(year);
        for (int k = 1; k <= KindLengths[kind]; ++k) {
            HebrewDate date = stepwise::DayNumberToHebrew(baseDay + k);
            table.byDayOfYear[kind][k] = {static_cast<std::uint8_t>(date.day), static_cast<std::uint8_t>(date.month)};
        }
        for (int month = 1; month <= 13; ++month) {
            DayNumber first = stepwise::HebrewToDayNumber(1, month, year);
            table.monthBase[kind][month] = static_cast<std::int16_t>(first - baseDay - 1);
        }
    }
    return table;
}

constexpr MonthTable Months = BuildMonthTable();

}  // namespace

double EstimateHebrewYear(DayNumber d)
{
    return stepwise::EstimateHebrewYear(d);
}

HebrewDate DayNumberToHebrew(DayNumber d)
{
    std::int32_t day = 0;
    if (!IsWholeIn(d, FirstTabledDay, LastTabledDay, day)) {
        return stepwise::DayNumberToHebrew(d);
    }
    std::int32_t estimate = EstimateYear(day, EstimateOffset);  // the year of day or the next
    std::uint32_t estimated = Years.entry[estimate + 1 - FirstYear];
    std::uint32_t before = Years.entry[estimate - FirstYear];
    bool inYearBefore = day <= BaseDayOf(estimated);
    std::uint32_t entry = inYearBefore ? before : estimated;
    DayInMonth date = Months.byDayOfYear[KindOf(entry)][day - BaseDayOf(entry)];
    return {static_cast<double>(date.day), static_cast<double>(date.month),
            static_cast<double>(estimate - static_cast<std::int32_t>(inYearBefore))};
}

int HebrewMonthLength(double year, double month)
{
    std::int32_t y = 0;
    std::int32_t m = 0;
    if (IsWholeIn(year, FirstTabledHebrewYear, LastTabledHebrewYear, y) && IsWholeIn(month, 1, 13, m)) {
        std::uint32_t entry = Years.entry[y + 1 - FirstYear];
        int kind = KindOf(entry);
        int months = KindLengths[kind] > 380 ? 13 : 12;
        if (m > months) {
            return 0;
        }
        int end = m == months ? static_cast<int>(KindLengths[kind]) : Months.monthBase[kind][m + 1];
        return end - Months.monthBase[kind][m];
    }
    bool wholeYear = year > -2147483648.0 && year < 2147483648.0 && year == RoundDown(year);
    if (!wholeYear || !IsWholeIn(month, 1, IsHebrewLeapYear(year) ? 13 : 12, m)) {
        return 0;
    }
    HebrewDate back = stepwise::DayNumberToHebrew(stepwise::HebrewToDayNumber(30, month, year));
    return back.day == 30 ? 30 : 29;
}

DayNumber HebrewToDayNumber(double D, double M, double Y)
{
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;
    if (IsWholeIn(D, 1, 30, day) && IsWholeIn(M, 1, 13, month) &&
        IsWholeIn(Y, FirstTabledHebrewYear, LastTabledHebrewYear, year)) {
        std::uint32_t entry = Years.entry[year + 1 - FirstYear];
        return static_cast<double>(BaseDayOf(entry) + Months.monthBase[KindOf(entry)][month] + day);
    }
    return stepwise::HebrewToDayNumber(D, M, Y);
}

}  // namespace engine
