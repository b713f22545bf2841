#pragma once
// Inside the observances library only: the week's lists made from a year's holidays, which
// EventsOfDay has at hand already, and the names of the week's events for names.cpp.

#include <string>
#include <string_view>
#include <vector>

#include "observances/week.h"

namespace observances::detail {

// Portions and Moladot of `year`, with `holidays` the year's Holidays list for the same place
// (Rosh Chodesh is the same in both).
std::vector<Observance> PortionsAmong(int year, bool israel, const std::vector<Observance>& holidays);
std::vector<Observance> MoladotAmong(int year, const std::vector<Observance>& holidays);

// Parsha, ShabbatMevarchim, Molad and Omer, named here; `month` is the name of the observance's
// month in the text's language (UTF-8).
bool IsWeekEvent(Event event);
std::string WeekLatinName(const Observance& observance, std::string_view month);
std::string WeekHebrewName(const Observance& observance, std::string_view month);

}  // namespace observances::detail
