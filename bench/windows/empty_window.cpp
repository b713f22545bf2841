// The peer of the start-up benchmark: an empty Win32 window with the converter window's class
// style, frame, client size (295 x 320), menu bar and placement, and nothing in it. Whatever the
// converter takes beyond this is its own start-up.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"EmptyWindow";
    RegisterClassW(&windowClass);

    DWORD style = WS_OVERLAPPEDWINDOW;
    RECT frame{0, 0, 295, 320};
    AdjustWindowRect(&frame, style, FALSE);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowExW(0, L"EmptyWindow", L"Empty window", style, x, y, width, height, nullptr,
                                  nullptr, instance, nullptr);
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_STRING, 1, L"About");
    SetMenu(window, bar);
    ShowWindow(window, SW_SHOWNORMAL);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
