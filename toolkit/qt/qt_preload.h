#pragma once
// Work the program needs before it first draws text, which building its window does not wait
// for: the system's font configuration, Qt's font database and Qt's own Hebrew translation load
// on a second thread while the window and its lists are built, and the first thing that
// measures or draws text waits for them.
//
// The translation gives the texts Qt draws itself (a message box's button, for one) in
// Hebrew, like every text of the program, whatever the user's locale. It is built into the
// program, so it needs no language package at run time.

namespace toolkit::qt_preload {

// Starts the loading with the part that needs no Qt (the font configuration); call once, on the
// program's thread, before the QApplication is made, so that it runs while the application
// connects to the display.
void Begin();

// Lets the loading go on with Qt's part, once the QApplication exists (begins it first if
// Begin was not called). Windows stay left to right: Hebrew text runs right to left inside
// left-to-right controls, and the translation would ask for mirrored layouts.
void Start();

// Returns once everything is loaded, with the translation in use; at once after the first
// time. Call it before anything measures or draws text.
void AwaitLoaded();

}  // namespace toolkit::qt_preload
