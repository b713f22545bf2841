#pragma once
// The day line under the Hebrew date: what the held day is, for Israel or for abroad, and the
// menu item that switches between the two and names the current one. The choice is kept among
// the user's settings; a user who never chose gets Israel when the system's time zone is
// Israel's.

#include <string_view>

#include "converter/controller.h"

namespace converter {

// Whether a system time zone name is Israel's: "Asia/Jerusalem" and its older names on Linux,
// "Israel Standard Time" on Windows.
bool IsIsraelTimeZone(std::string_view zone);

// At start-up: the line (empty until the first pass) and the place item, with the place read
// from the settings or the time zone into state.israel.
void AddDayLine(ControllerState& state);

// Shows the held day's line when the day or the place differs from what the line shows.
void ShowDayLine(ControllerState& state);

// The place item was chosen: the other place is kept, named and shown.
void SwitchPlace(ControllerState& state);

}  // namespace converter
