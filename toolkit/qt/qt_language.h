#pragma once
// The texts Qt draws itself (a message box's button, for one) in Hebrew, like every text of
// the program, whatever the user's locale. Qt's own Hebrew translation is built into the
// program, so it needs no language package at run time.

namespace toolkit::qt_language {

// Call once, after the QApplication exists and before any window is created. Windows stay
// left to right: Hebrew text is drawn right to left inside left-to-right controls.
void SpeakHebrew();

}  // namespace toolkit::qt_language
