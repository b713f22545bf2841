#include "converter/controller.h"

#include <string>

#include "converter/day_line.h"
#include "converter/window_layout.h"
#include "engine/engine.h"
#include "hebrew_text/month_names.h"
#include "toolkit/toolkit.h"

namespace converter {

namespace {

constexpr double DayOffset = 1;  // day = index + 1, month = index + 1
constexpr double HebrewFirstYear = FirstCivilYear + HebrewYearShift;

// The value a list's selection stands for: index + offset. A list with no selection (a year
// outside the list, a month list whose selected item was removed) keeps the held value, so
// the user's date stays the user's date.
double ReadField(int list, double offset, double held)
{
    int index = toolkit::GetListSelection(list);
    if (index < 0) {
        return held;
    }
    return static_cast<double>(index) + offset;
}

// Selects the item that stands for value; a value outside the list clears the selection.
void SelectField(int list, double value, double offset)
{
    toolkit::SetListSelection(list, engine::RoundToInt(value - offset));
}

// Gives the month list the layout of a year with the given leap index: the second Adar is
// inserted or removed, and the selected month follows its item.
void LayOutMonthList(ControllerState& state, int leapIndex)
{
    if (engine::IsLeapIndex(leapIndex) && !engine::IsLeapIndex(state.previousLeapIndex)) {
        toolkit::AddListItem(HebrewMonthList, hebrew_text::SecondAdarPosition,
                             hebrew_text::SecondAdarName);
    } else if (!engine::IsLeapIndex(leapIndex) && engine::IsLeapIndex(state.previousLeapIndex) &&
               toolkit::GetListItemText(HebrewMonthList, hebrew_text::SecondAdarPosition) ==
                   hebrew_text::SecondAdarName) {
        toolkit::RemoveListItem(HebrewMonthList, hebrew_text::SecondAdarPosition);
    }
    state.previousLeapIndex = leapIndex;
}

// The month list in the layout of the held Hebrew year, never without a selection: when the
// selected second Adar went away with its year, the list moves to Adar.
void MonthListStep(ControllerState& state)
{
    LayOutMonthList(state, engine::LeapIndex(state.hebrewDate.year));
    if (toolkit::GetControlText(HebrewMonthList).empty()) {
        toolkit::SetControlText(HebrewMonthList, hebrew_text::AdarName);
    }
}

// A month position read in one layout, as the same month in the other: Nisan is 7 in a
// common year and 8 in a leap year, Adar is the first Adar, and a second Adar becomes Adar.
double MonthInYearLayout(double position, bool listIsLeap, bool yearIsLeap)
{
    constexpr double SecondAdar = hebrew_text::SecondAdarPosition + 1;
    if (listIsLeap && !yearIsLeap && position >= SecondAdar) {
        return position - 1;
    }
    if (!listIsLeap && yearIsLeap && position >= SecondAdar) {
        return position + 1;
    }
    return position;
}

void SelectCivilDate(const engine::CivilDate& date)
{
    SelectField(CivilDayList, date.day, DayOffset);
    SelectField(CivilMonthList, date.month, DayOffset);
    SelectField(CivilYearList, date.year, FirstCivilYear);
}

// The month list takes the layout of the date's year first, so that the month position
// lands on the month it names.
void SelectHebrewDate(ControllerState& state, const engine::HebrewDate& date)
{
    LayOutMonthList(state, engine::LeapIndex(date.year));
    SelectField(HebrewDayList, date.day, DayOffset);
    SelectField(HebrewMonthList, date.month, DayOffset);
    SelectField(HebrewYearList, date.year, HebrewFirstYear);
}

void ConvertCivilSide(ControllerState& state)
{
    state.startupMark = MarkDue;
    const engine::CivilDate held = state.civilDate;
    state.civilDate = {ReadField(CivilDayList, DayOffset, held.day),
                       ReadField(CivilMonthList, DayOffset, held.month),
                       ReadField(CivilYearList, FirstCivilYear, held.year)};
    state.dayNumber =
        engine::CivilToDayNumber(state.civilDate.day, state.civilDate.month, state.civilDate.year);
    state.hebrewDate = engine::DayNumberToHebrew(state.dayNumber);
    SelectHebrewDate(state, state.hebrewDate);
}

void ConvertHebrewSide(ControllerState& state)
{
    const engine::HebrewDate held = state.hebrewDate;
    double year = ReadField(HebrewYearList, HebrewFirstYear, held.year);
    double month = MonthInYearLayout(ReadField(HebrewMonthList, DayOffset, held.month),
                                     engine::IsLeapIndex(state.previousLeapIndex),
                                     engine::IsLeapIndex(engine::LeapIndex(year)));
    state.hebrewDate = {ReadField(HebrewDayList, DayOffset, held.day), month, year};
    state.dayNumber =
        engine::HebrewToDayNumber(state.hebrewDate.day, state.hebrewDate.month, state.hebrewDate.year);
    state.civilDate = engine::DayNumberToCivil(state.dayNumber);
    SelectCivilDate(state.civilDate);
}

bool IsCivilList(int number)
{
    return number == CivilDayList || number == CivilMonthList || number == CivilYearList;
}

bool IsHebrewList(int number)
{
    return number == HebrewDayList || number == HebrewMonthList || number == HebrewYearList;
}

// Converts the side of the source control; the first pass converts today's civil date.
void ConvertFromSource(ControllerState& state)
{
    if (state.sourceNumber == TodayButton) {
        SelectToday();
        state.sourceNumber = CivilDayList;
    }
    if (IsCivilList(state.sourceNumber) || state.startupMark == MarkIdle) {
        ConvertCivilSide(state);
    }
    if (IsHebrewList(state.sourceNumber)) {
        ConvertHebrewSide(state);
    }
    MonthListStep(state);
}

void ShowAbout()
{
    toolkit::ShowMessage(AboutCaption.view(), AboutText);
}

// The menu item a fetched code chose: About or the place.
void AnswerMenu(ControllerState& state, int code)
{
    if (code != toolkit::MenuEvent) {
        return;
    }
    if (toolkit::EventSource() == AboutItem) {
        ShowAbout();
    } else if (toolkit::EventSource() == PlaceItem) {
        SwitchPlace(state);
    }
}

// Every fetch goes through here, so that no close request is lost and the controller knows
// whether the toolkit's source number names a control or the menu item.
void NoteFetched(ControllerState& state, int code)
{
    if (code == toolkit::ControlEvent) {
        state.lastEventKind = code;
        state.lastControlSource = toolkit::EventSource();
        if (state.lastControlSource == CloseButton) {
            state.stopFlag = 1;
        }
    } else if (code == toolkit::MenuEvent) {
        state.lastEventKind = code;
    } else if (code == toolkit::CloseWindowEvent) {
        state.stopFlag = 1;
    }
}

}  // namespace

void SelectToday()
{
    toolkit::LocalDate today = toolkit::CurrentLocalDate();
    SelectCivilDate({static_cast<double>(today.day), static_cast<double>(today.month),
                     static_cast<double>(today.year)});
}

bool ConversionPass(ControllerState& state)
{
    // The source number names the menu item after an About choice; the date then stays as
    // the last control left it.
    state.sourceNumber = toolkit::EventSource();
    if (state.lastEventKind == toolkit::MenuEvent) {
        state.sourceNumber = state.lastControlSource;
    }
    state.eventCode = toolkit::PollEvent();
    NoteFetched(state, state.eventCode);
    // A change fetched here is converted now, before the other side could write over it.
    if (state.eventCode == toolkit::ControlEvent) {
        state.sourceNumber = state.lastControlSource;
    }

    ConvertFromSource(state);
    ShowDayLine(state);

    if (state.eventCode == toolkit::ControlEvent) {
        state.settleMark = MarkDue;
        state.rememberedEvent = state.eventCode;
    }
    if (state.sourceNumber == CloseButton) {
        state.stopFlag = 1;
    }
    AnswerMenu(state, state.eventCode);

    // A program that is ending waits for nothing more.
    bool changeAfterConversion = false;
    if (state.stopFlag == 0) {
        int reply = toolkit::WaitEvent();
        NoteFetched(state, reply);
        AnswerMenu(state, reply);
        if (reply == toolkit::ControlEvent) {
            changeAfterConversion = true;
            state.settleMark = MarkDue;
            state.rememberedEvent = state.eventCode;
            state.eventCode = toolkit::PollEvent();
            NoteFetched(state, state.eventCode);
            AnswerMenu(state, state.eventCode);
        }
    }

    if (state.settleMark == MarkDue && state.eventCode != state.rememberedEvent) {
        // The settle step shows the date of the lists as the user left them.
        if (changeAfterConversion) {
            state.sourceNumber = state.lastControlSource;
            ConvertFromSource(state);
        }
        state.settleMark = MarkIdle;
        state.civilDate = engine::DayNumberToCivil(state.dayNumber);
        state.hebrewDate = engine::DayNumberToHebrew(state.dayNumber);
        SelectHebrewDate(state, state.hebrewDate);
        SelectCivilDate(state.civilDate);
        ShowDayLine(state);
    }
    return state.stopFlag == 1;
}

void RunMainLoop(ControllerState& state)
{
    while (!ConversionPass(state)) {
    }
    toolkit::EndToolkit();
}

}  // namespace converter
