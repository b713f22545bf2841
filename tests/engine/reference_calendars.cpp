#include "reference_calendars.h"

namespace reference {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b)
{
    return a - b * FloorDiv(a, b);
}

bool IsHebrewLeap(int year)
{
    return FloorMod(7 * static_cast<std::int64_t>(year) + 1, 19) < 7;
}

// Days from the epoch to the molad-derived start of a year, with the one-day delay that keeps
// 1 Tishri off Sunday, Wednesday and Friday.
std::int64_t ElapsedDays(int year)
{
    std::int64_t months = FloorDiv(235 * static_cast<std::int64_t>(year) - 234, 19);
    std::int64_t parts = 12084 + 13753 * months;
    std::int64_t day = 29 * months + FloorDiv(parts, 25920);
    if (FloorMod(3 * (day + 1), 7) < 3) {
        ++day;
    }
    return day;
}

// The two remaining postponements, judged by the lengths they would otherwise produce.
int LengthCorrection(int year)
{
    std::int64_t before = ElapsedDays(year - 1);
    std::int64_t start = ElapsedDays(year);
    std::int64_t after = ElapsedDays(year + 1);
    if (after - start == 356) {
        return 2;
    }
    if (start - before == 382) {
        return 1;
    }
    return 0;
}

}  // namespace

bool IsCivilLeapYear(int year)
{
    if (year > 1582) {
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    }
    return FloorMod(year, 4) == 0;
}

int CivilMonthLength(int month, int year)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsCivilLeapYear(year)) {
        return 29;
    }
    return lengths[month - 1];
}

Date NextCivilDay(Date date)
{
    if (date.year == 1582 && date.month == 10 && date.day == 4) {
        return {15, 10, 1582};
    }
    if (date.day < CivilMonthLength(date.month, date.year)) {
        return {date.day + 1, date.month, date.year};
    }
    if (date.month < 12) {
        return {1, date.month + 1, date.year};
    }
    return {1, 1, date.year + 1};
}

std::int64_t HebrewNewYear(int year)
{
    return 1 + ElapsedDays(year) + LengthCorrection(year);
}

std::vector<int> HebrewMonthLengths(int year)
{
    std::int64_t length = HebrewNewYear(year + 1) - HebrewNewYear(year);
    int heshvan = length % 10 == 5 ? 30 : 29;
    int kislev = length % 10 == 3 ? 29 : 30;
    std::vector<int> months = {30, heshvan, kislev, 29, 30};
    if (IsHebrewLeap(year)) {
        months.insert(months.end(), {30, 29});
    } else {
        months.push_back(29);
    }
    months.insert(months.end(), {30, 29, 30, 29, 30, 29});
    return months;
}

void HebrewDayCounter::Next()
{
    if (++date_.day > months_[static_cast<std::size_t>(date_.month - 1)]) {
        date_.day = 1;
        if (++date_.month > static_cast<int>(months_.size())) {
            date_.month = 1;
            months_ = HebrewMonthLengths(++date_.year);
        }
    }
}

}  // namespace reference
