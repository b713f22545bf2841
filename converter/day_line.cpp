#include "converter/day_line.h"

#include <array>
#include <string>

#include "converter/window_layout.h"
#include "engine/hebrew_date.h"
#include "hebrew_text/encoding.h"
#include "observances/day_line.h"
#include "toolkit/toolkit.h"

namespace converter {

namespace {

constexpr std::string_view PlaceSetting = "place";
constexpr std::string_view IsraelValue = "israel";
constexpr std::string_view AbroadValue = "abroad";

// Base y 215: between the Hebrew frame's bottom (175) and the Today button's top (220), as wide as
// the civil frame.
constexpr int LineX = 10;
constexpr int LineY = 215 - VerticalOffset;
constexpr int LineWidth = 265;
constexpr int LineHeight = 26;

std::string_view PlaceCaption(bool israel)
{
    return israel ? IsraelCaption.view() : AbroadCaption.view();
}

bool ReadPlace()
{
    std::string kept = toolkit::ReadSetting(PlaceSetting);
    if (kept == IsraelValue || kept == AbroadValue) {
        return kept == IsraelValue;
    }
    return IsIsraelTimeZone(toolkit::LocalTimeZoneName());
}

}  // namespace

bool IsIsraelTimeZone(std::string_view zone)
{
    constexpr std::array<std::string_view, 4> Names = {"Asia/Jerusalem", "Asia/Tel_Aviv", "Israel",
                                                       "Israel Standard Time"};
    for (std::string_view name : Names) {
        if (zone == name) {
            return true;
        }
    }
    return false;
}

void AddDayLine(ControllerState& state)
{
    state.israel = ReadPlace();
    toolkit::AddMenuItem(PlaceItem, PlaceCaption(state.israel));
    toolkit::AddStaticText(DayLine, LineX, LineY, LineWidth, LineHeight, {});
}

void ShowDayLine(ControllerState& state)
{
    if (state.lineShown && state.lineDay == state.dayNumber && state.lineIsrael == state.israel) {
        return;
    }
    state.lineShown = true;
    state.lineDay = state.dayNumber;
    state.lineIsrael = state.israel;
    // The lists hold only days of the range; the held day is one of theirs.
    std::string text;
    auto day = static_cast<observances::Day>(state.dayNumber);
    if (day >= engine::FirstSupportedDay() && day <= engine::LastSupportedDay()) {
        text = hebrew_text::Utf8ToCp1255(observances::DayLineHebrew(day, state.israel));
    }
    if (text != state.lineText) {
        state.lineText = text;
        toolkit::SetControlText(DayLine, text);
    }
}

void SwitchPlace(ControllerState& state)
{
    state.israel = !state.israel;
    toolkit::WriteSetting(PlaceSetting, state.israel ? IsraelValue : AbroadValue);
    toolkit::SetMenuItemText(PlaceItem, PlaceCaption(state.israel));
    ShowDayLine(state);
}

}  // namespace converter
