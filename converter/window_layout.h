#pragma once
// The numbers, places and texts of the converter window. Every text is code page 1255 bytes.

#include <string>
#include <string_view>

#include "detron_version.h"
#include "engine/hebrew_date.h"
#include "hebrew_text/cp1255.h"

namespace converter {

// The window, its menu bar and the one menu item.
inline constexpr int ConverterWindow = 0;
inline constexpr int ConverterMenuBar = 1;
inline constexpr int AboutItem = 1;
// Israel or abroad. Its number is that of no control, so that the controller, which tells
// Today, Close and the lists by the source number alone, never takes it for one of them.
inline constexpr int PlaceItem = 3;

// Controls. The About item shares the number 1 with the Today button; the controller tells
// them apart by the kind of event that made the number the source.
inline constexpr int TodayButton = 1;
inline constexpr int CloseButton = 2;
inline constexpr int CivilDayList = 4;
inline constexpr int CivilMonthList = 5;
inline constexpr int CivilYearList = 6;
inline constexpr int HebrewDayList = 7;
inline constexpr int HebrewMonthList = 8;
inline constexpr int HebrewYearList = 9;
inline constexpr int HebrewFrame = 10;
inline constexpr int CivilFrame = 11;
// What the chosen day is, between the Hebrew date's frame and the Today button. It reports
// nothing, so it is never the source.
inline constexpr int DayLine = 12;

// The civil year list holds FirstCivilYear ... FirstCivilYear + YearSpan, the Hebrew year list
// the same span moved by 3760 years (0 ... 6000, from the first year the engine converts);
// both bounds are included.
inline constexpr double HebrewYearShift = 3760;
inline constexpr double FirstCivilYear = engine::FirstHebrewYear - HebrewYearShift;
inline constexpr double YearSpan = 6000;

inline constexpr int ClientWidth = 295;
inline constexpr int ClientHeight = 320;
// Every control's y is its base y less this offset, measured below the menu bar.
inline constexpr int VerticalOffset = 30;

// "Detron version" and the project's version, whose digits and dots are the same bytes in code
// page 1255.
inline constexpr hebrew_text::Cp1255Literal TitleWords = u8"דטרון גרסא";
inline const std::string Title = TitleWords.str() + " " + std::string(DetronVersion);
inline constexpr hebrew_text::Cp1255Literal AboutCaption = u8"אודות";
inline constexpr hebrew_text::Cp1255Literal CivilFrameCaption = u8"תאריך לועזי";
inline constexpr hebrew_text::Cp1255Literal HebrewFrameCaption = u8"תאריך עברי";
inline constexpr hebrew_text::Cp1255Literal TodayCaption = u8"היום";
inline constexpr hebrew_text::Cp1255Literal CloseCaption = u8"סגור";

// What assistive technology calls the six lists, instead of reading out their current item.
inline constexpr hebrew_text::Cp1255Literal CivilDayName = u8"יום לועזי";
inline constexpr hebrew_text::Cp1255Literal CivilMonthName = u8"חודש לועזי";
inline constexpr hebrew_text::Cp1255Literal CivilYearName = u8"שנה לועזית";
inline constexpr hebrew_text::Cp1255Literal HebrewDayName = u8"יום עברי";
inline constexpr hebrew_text::Cp1255Literal HebrewMonthName = u8"חודש עברי";
inline constexpr hebrew_text::Cp1255Literal HebrewYearName = u8"שנה עברית";

// The place the day line's portion and festivals are for, as the menu item names it.
inline constexpr hebrew_text::Cp1255Literal IsraelCaption = u8"ארץ ישראל";
inline constexpr hebrew_text::Cp1255Literal AbroadCaption = u8"חוץ לארץ";

// The maker's contact address, the second line of the About box.
inline constexpr std::string_view ContactAddress = "detron@example.org";
inline constexpr hebrew_text::Cp1255Literal AboutFirstLine = u8"תוכנת על ידי נוגלית";
inline const std::string AboutText = AboutFirstLine.str() + "\n" + std::string(ContactAddress);

}  // namespace converter
