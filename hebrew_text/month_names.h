#pragma once
// The month names of the two month lists, in list order, as code page 1255 bytes.

#include <array>
#include <string_view>

namespace hebrew_text {

// January ... December: position p is civil month p + 1.
extern const std::array<std::string_view, 12> CivilMonthNames;

// Tishri ... Elul of a common year: position p is month position p + 1.
extern const std::array<std::string_view, 12> HebrewMonthNames;

// Adar, at position 5; in a leap year it stands for the first Adar.
extern const std::string_view AdarName;

// The second Adar, inserted at position 6 in a leap year: apostrophe, alef, dalet, resh,
// space, bet (27 e0 e3 f8 20 e1).
extern const std::string_view SecondAdarName;

inline constexpr int SecondAdarPosition = 6;

}  // namespace hebrew_text
