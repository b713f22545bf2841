#pragma once
// Sizing a window by its border, carried out by the toolkit's own fetches instead of the
// platform's modal loop, so that the converter's passes keep running while a person sizes the
// window. Taken over only when the platform drags full windows.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace toolkit::win32 {

// Whether the platform is set to drag full windows (SPI_GETDRAGFULLWINDOWS).
bool DragsFullWindows();

// Starts sizing `window` by the border `edge` (WMSZ_LEFT ... WMSZ_BOTTOMRIGHT, or 0 for the
// keyboard's SC_SIZE, whose first arrow key chooses the edge). Captures the mouse.
void BeginSizing(HWND window, int edge);

// A fetched message while sizing: the mouse moves the edge, an arrow key moves it 10 pixels,
// Enter or the released button ends, Escape puts the window back. Returns whether the message
// belonged to the sizing (then nothing else is done with it); false when no sizing is going on.
bool HandleSizing(const MSG& message);

// WM_CAPTURECHANGED of `window`: the sizing ends when the capture went elsewhere.
void SizingCaptureChanged(HWND window, HWND newCapture);

}  // namespace toolkit::win32
