#pragma once
// The Win32 objects behind toolkit numbers, for tests that drive the window as a person would.
// Not part of the converter's toolkit interface.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace toolkit::win32_access {

HWND Window(int number);   // nullptr when the number holds no window
HWND Control(int number);  // nullptr when the number holds no control
HMENU Menu(int number);    // nullptr when the number holds no menu

}  // namespace toolkit::win32_access
