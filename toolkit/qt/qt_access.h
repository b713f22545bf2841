#pragma once
// The Qt widgets behind toolkit numbers, for tests that drive the window as a person would and
// for the program's own picture of itself. Not part of the converter's toolkit interface.

class QWidget;
class QMenuBar;

namespace toolkit::qt_access {

QWidget* Window(int number);   // nullptr when the number holds no window
QWidget* Control(int number);  // nullptr when the number holds no control
QMenuBar* MenuBar(int number);

// Whether the program waits for the window system with nothing left to hand over: every pass
// that the input so far called for has run. Asked from within the program's own rounds (a
// timer), it tells a test when the window shows the program's answer.
bool Idle();

}  // namespace toolkit::qt_access
