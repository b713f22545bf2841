#include "observances/day_line.h"

#include <vector>

#include "engine/hebrew_date.h"
#include "observances/week.h"

namespace observances {

namespace {

constexpr std::string_view Separator = " · ";
constexpr std::string_view ShabbatWord = "שבת ";
constexpr std::string_view WeekPortionLabel = "פרשת השבוע: ";

void Join(std::string& line, std::string_view part)
{
    if (!line.empty()) {
        line += Separator;
    }
    line += part;
}

// The reading of the Shabbat on or after `day`; -1 when that Shabbat reads a festival's portion
// or lies past the supported range.
int ReadingOfWeek(Day day, bool israel)
{
    Day shabbat = day + (Shabbat - Weekday(day));
    if (shabbat > engine::LastSupportedDay()) {
        return -1;  // the range ends in the week of its last Shabbat's year
    }
    for (const Observance& observance : EventsOfDay(shabbat, israel)) {
        if (observance.event == Event::Parsha) {
            return observance.number;
        }
    }
    return -1;
}

}  // namespace

std::string DayLineHebrew(Day day, bool israel)
{
    const std::vector<Observance> events = EventsOfDay(day, israel);
    std::string line;
    // The Shabbat's name comes first: the day is that Shabbat before it is anything else.
    for (const Observance& observance : events) {
        if (observance.event == Event::Parsha) {
            line = std::string(ShabbatWord) + HebrewName(observance);
        }
    }
    for (const Observance& observance : events) {
        if (observance.event == Event::Parsha) {
            continue;
        }
        Join(line, HebrewName(observance));
        if (observance.event == Event::ShabbatMevarchim) {
            Observance molad = observance;
            molad.event = Event::Molad;
            molad.molad = MoladOf(observance.month, HebrewDayOf(day).year);
            Join(line, HebrewName(molad));
        }
    }
    if (line.empty()) {
        int reading = ReadingOfWeek(day, israel);
        if (reading >= 0) {
            line = std::string(WeekPortionLabel) + ReadingHebrewName(reading);
        }
    }
    return line;
}

}  // namespace observances
