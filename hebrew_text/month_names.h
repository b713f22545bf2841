#pragma once
// The month names of the two month lists, and the Hebrew month list of a year: which months a
// year holds, in what order, and each month's names. The window, the command line's reader and
// writer all take them from here. Hebrew as the window's code page 1255 bytes, and as UTF-8 for
// everything else.

#include <array>
#include <span>
#include <string_view>

namespace hebrew_text {

// January ... December: position p is civil month p + 1.
extern const std::array<std::string_view, 12> CivilMonthNames;

// The Hebrew months as they are named, whatever their place in a year.
enum class HebrewMonth {
    Tishri, Heshvan, Kislev, Tevet, Shevat, Adar, AdarI, AdarII, Nisan, Iyar, Sivan, Tammuz, Av, Elul
};

struct HebrewMonthEntry {
    HebrewMonth month;
    // As the window's month list shows it. The list is drawn left to right, so the second
    // Adar keeps its apostrophe first there ("'אדר ב") to be seen as "אדר ב'".
    std::string_view windowText;
    std::string_view latin;  // "Tishri" ... "Adar I", "Adar II" ... "Elul"
    // UTF-8 in logical order, for terminals, files and other programs: "אדר א׳" and "אדר ב׳" in a
    // leap year, with the geresh mark U+05F3, as the numerals write it. Other readers take a bare
    // "אדר" of a leap year for the second Adar, so the first is named as such; a common year's
    // Adar is "אדר".
    std::string_view utf8;
};

// A year's months, position 1 first: the 12 of a common year, or the 13 of a leap year, where
// Adar I and Adar II stand at positions 6 and 7.
std::span<const HebrewMonthEntry> HebrewMonthList(bool leap);
std::span<const HebrewMonthEntry> HebrewMonthListOfYear(double year);

// The position 1 ... 13 of a month named in a common or leap year; 0 where that year has no
// such month. Adar I is Adar in a common year, and Adar the first Adar in a leap year.
int HebrewMonthPosition(HebrewMonth month, bool leap);

// The month's entry in the list of a year that has it: Adar's in a common year's list, every
// other month's in a leap year's.
const HebrewMonthEntry& HebrewMonthEntryOf(HebrewMonth month);

// The month's name in UTF-8 that tells it apart in any year: the utf8 text of its entry ("אדר"
// for Adar, "אדר א׳" for Adar I).
std::string_view HebrewMonthFullName(HebrewMonth month);

// The window's texts of a common year's list, Tishri ... Elul: position p is month position p + 1.
extern const std::array<std::string_view, 12> HebrewMonthNames;

// Adar, at position 5; in a leap year it stands for the first Adar.
extern const std::string_view AdarName;

// The second Adar's window text, inserted at position 6 in a leap year.
extern const std::string_view SecondAdarName;

inline constexpr int SecondAdarPosition = 6;

// Other spellings of the months that people and other programs write, in UTF-8: the Latin ones
// of Ashkenazi and Sephardi use and other Hebrew ones. Letter case, marks and niqqud are no part
// of a spelling. Adar I and Adar II stand for Adar in a common year as HebrewMonthPosition says.
struct HebrewMonthSpelling {
    HebrewMonth month;
    std::string_view utf8;
};
std::span<const HebrewMonthSpelling> OtherMonthSpellings();

}  // namespace hebrew_text
