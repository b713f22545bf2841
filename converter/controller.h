#pragma once
// The conversion controller: one pass at a time, each pass converting the date of the side the
// user touched last, keeping the Hebrew month list in the layout of the held year, answering the
// About item and close requests, waiting once and settling impossible dates.

#include <string>

#include "engine/civil_calendar.h"
#include "engine/hebrew_date.h"

namespace converter {

// Marks hold 224 when idle and 0 when due, as the first pass and the settle step use them.
inline constexpr int MarkIdle = 224;
inline constexpr int MarkDue = 0;

struct ControllerState {
    int sourceNumber = 0;        // the control whose side this pass converts
    int eventCode = 0;           // the code polled at the head, or by the second poll
    int startupMark = MarkIdle;  // MarkIdle until the first civil-side conversion
    int settleMark = MarkIdle;   // MarkDue once a control event has been seen
    int rememberedEvent = 0;     // the code the settle condition compares against
    int stopFlag = 0;            // 1 once the program is to end after this pass
    int previousLeapIndex = 0;   // the LeapIndex whose layout the Hebrew month list has
    int lastEventKind = 0;       // ControlEvent or MenuEvent, whichever was fetched last
    int lastControlSource = 0;   // the control of the last ControlEvent fetched
    engine::CivilDate civilDate = {0, 0, 0};
    engine::HebrewDate hebrewDate = {0, 0, 0};
    engine::DayNumber dayNumber = 0;
    // The day line: the place it is for, and the day, place and text it shows.
    bool israel = false;
    bool lineShown = false;
    engine::DayNumber lineDay = 0;
    bool lineIsrael = false;
    std::string lineText;
};

// One pass over the window's lists. Returns true when the program is to end now: a close
// request or a click on the Close button was fetched in this pass, or the Close button is
// the source.
bool ConversionPass(ControllerState& state);

// Selects today's local date in the three civil lists.
void SelectToday();

// Repeats ConversionPass until it asks to stop, then ends the program through EndToolkit.
[[noreturn]] void RunMainLoop(ControllerState& state);

}  // namespace converter
