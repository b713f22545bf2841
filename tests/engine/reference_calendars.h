#pragma once
// Independent calendars on plain integers, for comparing the engine with day by day. They
// share nothing with the engine: the civil one counts days with the real month lengths, the
// Hebrew one counts the molad in whole parts.

#include <cstdint>
#include <vector>

namespace reference {

struct Date {
    int day, month, year;
};

// Julian up to 4 October 1582, Gregorian from 15 October 1582; astronomical years.
bool IsCivilLeapYear(int year);
int CivilMonthLength(int month, int year);
Date NextCivilDay(Date date);

// Day number (Julian Day Number - 347997) of 1 Tishri of a Hebrew year, and the year's
// month lengths in list order (12 or 13 months).
std::int64_t HebrewNewYear(int year);
std::vector<int> HebrewMonthLengths(int year);

// Counts Hebrew days one at a time from 1 Tishri of a year; month is the 1-based position in
// that year's month list.
class HebrewDayCounter {
public:
    explicit HebrewDayCounter(int year) : date_{1, 1, year}, months_(HebrewMonthLengths(year)) {}
    const Date& Current() const { return date_; }
    bool LeapYear() const { return months_.size() == 13; }
    void Next();

private:
    Date date_;
    std::vector<int> months_;
};

}  // namespace reference
