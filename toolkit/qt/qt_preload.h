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

// Starts the loading; call once, on the program's thread, as soon as the QApplication exists.
// (Started any earlier, the loading would compete for the processor with the display server
// while the application connects to it.) Windows stay left to right: Hebrew text runs right
// to left inside left-to-right controls, and the translation would ask for mirrored layouts.
void Start();

// Returns once everything is loaded, with the translation in use; at once after the first
// time. Call it before anything measures or draws text.
void AwaitLoaded();

}  // namespace toolkit::qt_preload
