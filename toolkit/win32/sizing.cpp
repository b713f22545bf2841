#include "toolkit/win32/sizing.h"

namespace toolkit::win32 {

namespace {

constexpr int SizingStep = 10;  // pixels per arrow key while sizing from the keyboard

// The sizing going on, if any: one at a time, on the program's one thread.
struct Sizing {
    HWND window = nullptr;
    int edge = 0;  // WMSZ_LEFT ... WMSZ_BOTTOMRIGHT; 0 until an arrow key chooses one
    RECT start{};
    RECT current{};
    POINT anchor{};
};

Sizing active;

void EndSizing(bool restore)
{
    Sizing& sizing = active;
    HWND window = sizing.window;
    if (window == nullptr) {
        return;
    }
    sizing.window = nullptr;
    if (restore) {
        RECT& r = sizing.start;
        SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (GetCapture() == window) {
        ReleaseCapture();
    }
    SendMessageW(window, WM_EXITSIZEMOVE, 0, 0);
}

bool MovesLeft(int edge)
{
    return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
}

bool MovesRight(int edge)
{
    return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
}

bool MovesTop(int edge)
{
    return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
}

bool MovesBottom(int edge)
{
    return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
}

// Moves the dragged edges by (dx, dy) from where sizing began, within the window's limits.
void SizeTo(int dx, int dy)
{
    Sizing& sizing = active;
    RECT r = sizing.start;
    int edge = sizing.edge;
    if (MovesLeft(edge)) r.left += dx;
    if (MovesRight(edge)) r.right += dx;
    if (MovesTop(edge)) r.top += dy;
    if (MovesBottom(edge)) r.bottom += dy;
    SendMessageW(sizing.window, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));

    MINMAXINFO limits{};
    limits.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    limits.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageW(sizing.window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    auto clamp = [](LONG size, LONG least, LONG most) { return size < least ? least : size > most ? most : size; };
    LONG width = clamp(r.right - r.left, limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x);
    LONG height = clamp(r.bottom - r.top, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y);
    if (MovesLeft(edge)) r.left = r.right - width; else r.right = r.left + width;
    if (MovesTop(edge)) r.top = r.bottom - height; else r.bottom = r.top + height;

    sizing.current = r;
    SetWindowPos(sizing.window, nullptr, r.left, r.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool DragsFullWindows()
{
    BOOL full = FALSE;
    return SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

void BeginSizing(HWND window, int edge)
{
    Sizing& sizing = active;
    sizing.window = window;
    sizing.edge = edge;
    GetWindowRect(window, &sizing.start);
    sizing.current = sizing.start;
    GetCursorPos(&sizing.anchor);
    SendMessageW(window, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(window);
}

bool HandleSizing(const MSG& message)
{
    Sizing& sizing = active;
    if (sizing.window == nullptr) {
        return false;
    }
    switch (message.message) {
    case WM_MOUSEMOVE:
        // Where the pointer was on the screen, not in a client area that moves with the edge.
        if (sizing.edge != 0) {
            SizeTo(message.pt.x - sizing.anchor.x, message.pt.y - sizing.anchor.y);
        }
        return true;
    case WM_LBUTTONUP:
        EndSizing(false);
        return true;
    case WM_KEYDOWN:
        switch (message.wParam) {
        case VK_RETURN:
            EndSizing(false);
            return true;
        case VK_ESCAPE:
            EndSizing(true);
            return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: {
            bool horizontal = message.wParam == VK_LEFT || message.wParam == VK_RIGHT;
            int step = message.wParam == VK_LEFT || message.wParam == VK_UP ? -SizingStep : SizingStep;
            if (sizing.edge == 0) {
                sizing.edge = message.wParam == VK_LEFT    ? WMSZ_LEFT
                              : message.wParam == VK_RIGHT ? WMSZ_RIGHT
                              : message.wParam == VK_UP    ? WMSZ_TOP
                                                           : WMSZ_BOTTOM;
                return true;
            }
            RECT& now = sizing.current;
            RECT& from = sizing.start;
            int dx = (MovesLeft(sizing.edge) ? now.left - from.left : now.right - from.right) + (horizontal ? step : 0);
            int dy = (MovesTop(sizing.edge) ? now.top - from.top : now.bottom - from.bottom) + (horizontal ? 0 : step);
            SizeTo(dx, dy);
            return true;
        }
        default:
            return true;
        }
    case WM_KEYUP:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

void SizingCaptureChanged(HWND window, HWND newCapture)
{
    if (active.window == window && newCapture != window) {
        active.window = nullptr;
        SendMessageW(window, WM_EXITSIZEMOVE, 0, 0);
    }
}

}  // namespace toolkit::win32
