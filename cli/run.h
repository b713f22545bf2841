#pragma once
// The whole command-line converter, apart from the platform: options, the dates of the arguments
// and of standard input, the output lines and the messages.

#include <optional>
#include <string>
#include <vector>

#include "cli/civil_calendars.h"
#include "cli/console.h"

namespace cli {

inline constexpr int ExitSuccess = 0;
inline constexpr int ExitSomeInputFailed = 1;  // also when the input or the output failed
inline constexpr int ExitUsage = 2;

// `arguments` are those after the program's name; `today` is the local date (Gregorian), nothing
// when the clock could not be read. Returns the exit status.
int RunConverter(const std::vector<std::string>& arguments, Console& console, std::optional<CivilLabel> today);

}  // namespace cli
