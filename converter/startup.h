#pragma once
// Start-up: the toolkit, the window with its menu and ten controls, every list filled once,
// today's civil date selected. The Hebrew lists stay blank until the first conversion pass.

#include "converter/controller.h"

namespace converter {

// Runs once, before the first ConversionPass; leaves state as the first pass expects it.
void StartUp(ControllerState& state);

}  // namespace converter
