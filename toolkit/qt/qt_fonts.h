#pragma once
// Loading the system's font configuration takes longer than everything else the program does
// before its window first shows, and none of that needs a font. So it loads on a second
// thread from the start, and the first thing that measures or draws text waits for it.

namespace toolkit::qt_fonts {

// Starts the loading; call once, before the QApplication exists.
void StartLoading();

// Returns once the configuration is loaded; at once after the first time. Call it before
// anything measures or draws text, and before the process ends.
void AwaitLoaded();

}  // namespace toolkit::qt_fonts
