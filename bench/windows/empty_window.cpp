// An empty window with the converter window's client size, style and place, and nothing in it:
// what the converter's start-up is measured against (bench/windows_startup.sh).
// With --controls it holds the converter's controls as a plain Win32 program makes them (its
// menu, two group frames, six drop-down lists, two buttons, in the same places and font), each
// list holding only the one item it shows: what making and drawing this window costs at all,
// before anything fills the lists.
// Built as themed_window.exe it starts as the program does: with the program's manifest, which
// asks for the themed common controls, and the common-control and COM start-up calls.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#ifdef STARTS_AS_THE_PROGRAM
#include <commctrl.h>
#include <objbase.h>
#endif

#include <cstring>

namespace {

constexpr int ClientWidth = 295;
constexpr int ClientHeight = 320;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND AddControl(HWND window, const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int width,
                int height)
{
    HWND control = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, window,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

void AddList(HWND window, int x, int y, int width, const wchar_t* shown)
{
    HWND list = AddControl(window, L"COMBOBOX", nullptr, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, x, y, width, 200);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown));
    SendMessageW(list, CB_SETCURSEL, 0, 0);
}

void AddControls(HWND window)
{
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_STRING, 1, L"\u05d0\u05d5\u05d3\u05d5\u05ea");
    SetMenu(window, bar);
    AddControl(window, L"BUTTON", L"\u05ea\u05d0\u05e8\u05d9\u05da \u05dc\u05d5\u05e2\u05d6\u05d9", BS_GROUPBOX, 10, 10,
               265, 65);
    AddList(window, 15, 35, 50, L"8");
    AddList(window, 75, 35, 100, L"\u05d3\u05e6\u05de\u05d1\u05e8");
    AddList(window, 185, 35, 80, L"2026");
    AddControl(window, L"BUTTON", L"\u05ea\u05d0\u05e8\u05d9\u05da \u05e2\u05d1\u05e8\u05d9", BS_GROUPBOX, 10, 110, 260,
               65);
    AddList(window, 215, 135, 50, L"\u05d9\u05f4\u05d7");
    AddList(window, 110, 135, 95, L"\u05db\u05e1\u05dc\u05d5");
    AddList(window, 20, 135, 80, L"\u05d4\u05ea\u05e9\u05e4\u05f4\u05d6");
    AddControl(window, L"BUTTON", L"\u05d4\u05d9\u05d5\u05dd", WS_TABSTOP | BS_PUSHBUTTON, 75, 220, 130, 30);
    AddControl(window, L"BUTTON", L"\u05e1\u05d2\u05d5\u05e8", WS_TABSTOP | BS_PUSHBUTTON, 75, 260, 130, 30);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
#ifdef STARTS_AS_THE_PROGRAM
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    InitCommonControls();
    CoInitialize(nullptr);
#endif
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"EmptyWindow";
    RegisterClassW(&windowClass);

    RECT outer{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowExW(0, L"EmptyWindow", L"Empty", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                                  nullptr, instance, nullptr);
    if (commandLine != nullptr && std::strcmp(commandLine, "--controls") == 0) {
        AddControls(window);
    }
    ShowWindow(window, SW_SHOWNORMAL);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
