#include "converter/startup.h"

#include <cstdint>
#include <string_view>

#include "converter/day_line.h"
#include "converter/window_layout.h"
#include "engine/numeric.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"
#include "toolkit/toolkit.h"

namespace converter {

namespace {

constexpr std::uint32_t WindowFlags = toolkit::OverlappedWindowStyle | toolkit::CentreOnScreen;
constexpr int ListHeight = 30;
constexpr int ButtonHeight = 30;
constexpr int FrameHeight = 65;

void CreateControls()
{
    constexpr int offset = VerticalOffset;
    toolkit::AddFrame(CivilFrame, 10, 40 - offset, 265, FrameHeight, CivilFrameCaption.view());
    toolkit::AddDropDownList(CivilDayList, 15, 65 - offset, 50, ListHeight);
    toolkit::AddDropDownList(CivilMonthList, 75, 65 - offset, 100, ListHeight);
    toolkit::AddDropDownList(CivilYearList, 185, 65 - offset, 80, ListHeight);
    toolkit::AddFrame(HebrewFrame, 10, 140 - offset, 260, FrameHeight, HebrewFrameCaption.view());
    // The Hebrew side reads right to left: day at the right, year at the left.
    toolkit::AddDropDownList(HebrewDayList, 215, 165 - offset, 50, ListHeight);
    toolkit::AddDropDownList(HebrewMonthList, 110, 165 - offset, 95, ListHeight);
    toolkit::AddDropDownList(HebrewYearList, 20, 165 - offset, 80, ListHeight);
    toolkit::AddButton(TodayButton, 75, 250 - offset, 130, ButtonHeight, TodayCaption.view());
    toolkit::AddButton(CloseButton, 75, 290 - offset, 130, ButtonHeight, CloseCaption.view());

    toolkit::SetControlName(CivilDayList, CivilDayName.view());
    toolkit::SetControlName(CivilMonthList, CivilMonthName.view());
    toolkit::SetControlName(CivilYearList, CivilYearName.view());
    toolkit::SetControlName(HebrewDayList, HebrewDayName.view());
    toolkit::SetControlName(HebrewMonthList, HebrewMonthName.view());
    toolkit::SetControlName(HebrewYearList, HebrewYearName.view());
}

void FillLists()
{
    for (std::string_view name : hebrew_text::CivilMonthNames) {
        toolkit::AddListItem(CivilMonthList, -1, name);
    }
    for (std::string_view name : hebrew_text::HebrewMonthNames) {
        toolkit::AddListItem(HebrewMonthList, -1, name);
    }
    for (int day = 1; day <= 31; ++day) {
        toolkit::AddListItem(CivilDayList, -1, toolkit::NumberToText(day));
    }
    const int firstHebrewYear = engine::RoundToInt(FirstCivilYear + HebrewYearShift);
    const int lastHebrewYear = engine::RoundToInt(FirstCivilYear + YearSpan + HebrewYearShift);
    for (int year = firstHebrewYear; year <= lastHebrewYear; ++year) {
        toolkit::AddListItem(HebrewYearList, -1, hebrew_text::HebrewNumeral(year));
    }
    const int firstCivilYear = engine::RoundToInt(FirstCivilYear);
    const int lastCivilYear = engine::RoundToInt(FirstCivilYear + YearSpan);
    for (int year = firstCivilYear; year <= lastCivilYear; ++year) {
        toolkit::AddListItem(CivilYearList, -1, toolkit::NumberToText(year));
    }
    for (int day = 1; day <= 30; ++day) {
        toolkit::AddListItem(HebrewDayList, -1, hebrew_text::HebrewNumeral(day));
    }
}

}  // namespace

void StartUp(ControllerState& state)
{
    toolkit::InitToolkit();
    state = ControllerState{};
    toolkit::OpenMainWindow(ConverterWindow, 0, 0, ClientWidth, ClientHeight, Title,
                            WindowFlags);
    toolkit::UseControlParent(toolkit::WindowHandle(ConverterWindow));
    toolkit::AddMenuBar(ConverterMenuBar, toolkit::WindowHandle(ConverterWindow));
    toolkit::AddMenuItem(AboutItem, AboutCaption.view());
    CreateControls();
    AddDayLine(state);
    FillLists();
    SelectToday();
}

}  // namespace converter
