// The Win32 toolkit in a real window under Wine: user actions arrive as posted mouse and key
// messages or as SendInput, as the platform delivers a person's; the fetches turn them into
// the toolkit's events.

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <oleacc.h>

#include "tests/toolkit/test_window.h"
#include "toolkit/core/event_state.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/win32_access.h"

namespace toolkit {
namespace {

using namespace test_window;

LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

// A click in the middle of a control, as the mouse delivers it.
void PostClick(HWND control)
{
    RECT r;
    GetClientRect(control, &r);
    LPARAM middle = Point(r.right / 2, r.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

void PostKey(HWND window, WPARAM key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

void SendKeys(std::vector<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    std::reverse(keys.begin(), keys.end());
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The mouse pointer to a point of the screen, as the user moves it.
void MoveMouse(int x, int y)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

std::wstring WideItem(HWND combo, int position)
{
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text));
    return text;
}

class Win32Toolkit : public ToolkitWindow {
protected:
    void SetUp() override
    {
        ToolkitWindow::SetUp();
        window = win32_access::Window(Window);
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        SetActiveWindow(window);
        Drain();
    }

    HWND Control(int number) const { return win32_access::Control(number); }
    HWND window = nullptr;
};

TEST_F(Win32Toolkit, TextsReachWindowsAsUnicodeHebrewWhateverTheCodePage)
{
    EXPECT_EQ(WideItem(Control(List), 0), L"\u05EA\u05E9\u05E8\u05D9");
    wchar_t title[16] = {};
    GetWindowTextW(window, title, 16);
    EXPECT_STREQ(title, L"\u05D3\u05D8\u05E8\u05D5\u05DF");
    wchar_t item[16] = {};
    GetMenuStringW(win32_access::Menu(1), MenuItem, item, 16, MF_BYCOMMAND);
    EXPECT_STREQ(item, L"\u05D0\u05D5\u05D3\u05D5\u05EA");
    EXPECT_EQ(GetControlText(First), "\xE4\xE9\xE5\xED") << "read back as the program's own bytes";
    SetControlText(Last, "\xF1\xE2\xE5\xF8 \xE4\xEB\xEC");
    EXPECT_EQ(GetControlText(Last), "\xF1\xE2\xE5\xF8 \xE4\xEB\xEC");
}

TEST_F(Win32Toolkit, ControlsAreWhatThePlatformShows)
{
    HWND list = Control(List);
    // The combo box keeps its border and scroll bar styles for the list it opens.
    constexpr DWORD ListBits = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWNLIST;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE)) & ListBits, ListBits);
    EXPECT_EQ(GetWindowLongW(Control(Frame), GWL_STYLE) & 0xF, BS_GROUPBOX);
    EXPECT_EQ(GetWindowLongW(Control(Frame), GWL_STYLE) & WS_TABSTOP, 0) << "frames take no focus";
    EXPECT_EQ(GetDlgCtrlID(list), List) << "its notifications carry its number";
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    EXPECT_STREQ(name, L"WindowClass_0");

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 295);
    EXPECT_EQ(client.bottom, 320 - GetSystemMetrics(SM_CYMENU)) << "the menu bar's height comes out of the client area";
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2) << "centred on the screen";
}

// Filling holds a list's redrawing until the next message; then it is whole, shown and
// scrolls over every item, as when each item showed at once.
TEST_F(Win32Toolkit, AFilledListIsShownWholeFromTheNextMessageOn)
{
    for (int i = 12; i < 300; ++i) {
        AddListItem(List, -1, std::to_string(i));
    }
    SetListSelection(List, 250);
    Drain();
    HWND list = Control(List);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 300);
    EXPECT_EQ(GetControlText(List), "250");
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(list, &info));
    SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(info.hwndList, SB_VERT, &scroll));
    EXPECT_EQ(scroll.nMax, 299);
    EXPECT_GT(scroll.nPage, 0u);
    SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
    Drain();
}

TEST_F(Win32Toolkit, UserActionsRaiseControlEvents)
{
    SetListSelection(List, 1);
    PostClick(Control(Last));
    EXPECT_EQ(WaitEvent(), WM_LBUTTONDOWN) << "a message that raises nothing comes back as its own number";
    EXPECT_EQ(WaitEvent(), ControlEvent) << "the click, from the fetch that dispatched its button release";
    EXPECT_EQ(EventSource(), Last);
    EXPECT_EQ(Events().EventType(), BN_CLICKED);

    PostKey(Control(List), VK_DOWN);  // the user picks the next month
    EXPECT_EQ(WaitEvent(), ControlEvent);
    EXPECT_EQ(EventSource(), List);
    EXPECT_EQ(Events().EventType(), CBN_SELCHANGE);
    EXPECT_EQ(GetListSelection(List), 2);

    // The source stays through other events.
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, r.left + 5, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    std::vector<int> codes = Drain();
    EXPECT_TRUE(Contains(codes, WindowMovedEvent));
    EXPECT_FALSE(Contains(codes, ControlEvent));
    EXPECT_EQ(EventSource(), List);
}

TEST_F(Win32Toolkit, ChoosingTheMenuItemGivesAMenuEvent)
{
    // F10 then Enter: the keyboard's way to the bar's only item.
    PostMessageW(window, WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(window, WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0000001));
    PostKey(window, VK_RETURN);
    std::vector<int> codes = Drain();
    EXPECT_TRUE(Contains(codes, MenuEvent));
    EXPECT_EQ(EventSource(), MenuItem);

    // Items go straight onto the bar: no popup to open first.
    EXPECT_EQ(GetSubMenu(win32_access::Menu(1), 0), nullptr);
    EXPECT_EQ(GetMenu(window), win32_access::Menu(1));
}

TEST_F(Win32Toolkit, CloseRequestsAreQueuedOnceAndLeaveTheWindowOpen)
{
    SendMessageW(window, WM_CLOSE, 0, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    std::vector<int> codes = Drain();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), CloseWindowEvent), 1);
    EXPECT_TRUE(IsWindow(window) && IsWindowVisible(window));

    // The close box's system command: its fetch returns the command, the next one the request.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(PollEvent(), WM_SYSCOMMAND);
    EXPECT_EQ(PollEvent(), CloseWindowEvent);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Win32Toolkit, TabAndShiftTabFollowCreationOrderPastTheFrame)
{
    ASSERT_EQ(GetActiveWindow(), window);
    SetFocus(Control(First));
    Drain();
    SendKeys({VK_TAB});
    std::vector<int> codes = Drain();
    EXPECT_TRUE(Contains(codes, ControlEvent)) << "focus changes are control notifications";
    EXPECT_EQ(GetFocus(), Control(List));
    EXPECT_EQ(EventSource(), List);
    SendKeys({VK_TAB});
    Drain();
    EXPECT_EQ(GetFocus(), Control(Last));
    SendKeys({VK_TAB});
    Drain();
    EXPECT_EQ(GetFocus(), Control(First)) << "after the last comes the first";
    SendKeys({VK_SHIFT, VK_TAB});
    Drain();
    EXPECT_EQ(GetFocus(), Control(Last));

    SetFocus(nullptr);
    SendKeys({VK_SHIFT, VK_TAB});
    Drain();
    EXPECT_EQ(GetFocus(), Control(Last)) << "with nothing focused, Shift+Tab goes to the last";
}

TEST_F(Win32Toolkit, ButtonsReportTheirClickButNeverTheirFocus)
{
    SetFocus(Control(List));
    Drain();
    SendKeys({VK_TAB});
    Drain();
    ASSERT_EQ(GetFocus(), Control(Last));
    EXPECT_EQ(EventSource(), List) << "the list lost the focus; the button took it silently";

    // A button made with the notify style would tell its focus; the toolkit would not pass it on.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(First, BN_SETFOCUS), reinterpret_cast<LPARAM>(Control(First)));
    EXPECT_FALSE(Contains(Drain(), ControlEvent));
    EXPECT_EQ(EventSource(), List);

    SendKeys({VK_SPACE});
    EXPECT_TRUE(Contains(Drain(), ControlEvent));
    EXPECT_EQ(EventSource(), Last);
}

TEST_F(Win32Toolkit, SizingByTheBorderKeepsTheFetchesRunning)
{
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    POINT pointer;
    GetCursorPos(&pointer);
    RECT before;
    GetWindowRect(window, &before);
    MoveMouse(before.right - 1, before.top + 50);
    Drain();
    PostMessageW(window, WM_SYSCOMMAND, SC_SIZE | WMSZ_RIGHT, 0);
    EXPECT_EQ(PollEvent(), WM_SYSCOMMAND) << "the sizing does not hold the fetch";
    EXPECT_EQ(GetCapture(), window);

    MoveMouse(before.right - 1 + 40, before.top + 50);
    std::vector<int> codes = Drain();
    EXPECT_TRUE(Contains(codes, WindowResizedEvent));
    RECT during;
    GetWindowRect(window, &during);
    EXPECT_EQ(during.right - during.left, before.right - before.left + 40);
    EXPECT_EQ(during.left, before.left);

    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof(INPUT));
    Drain();
    EXPECT_NE(GetCapture(), window) << "released with the mouse button";

    // From the keyboard: the first arrow picks the edge, each further one moves it 10 pixels,
    // and Escape puts the window back.
    PostMessageW(window, WM_SYSCOMMAND, SC_SIZE, 0);
    PostKey(window, VK_DOWN);
    PostKey(window, VK_DOWN);
    PostKey(window, VK_DOWN);
    Drain();
    RECT keyed;
    GetWindowRect(window, &keyed);
    EXPECT_EQ(keyed.bottom - keyed.top, during.bottom - during.top + 20);
    PostKey(window, VK_ESCAPE);
    Drain();
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.bottom - after.top, during.bottom - during.top);
    EXPECT_NE(GetCapture(), window);

    // Never smaller than the platform's least window.
    PostMessageW(window, WM_SYSCOMMAND, SC_SIZE | WMSZ_RIGHT, 0);
    Drain();
    MoveMouse(0, before.top + 50);
    SendInput(1, &release, sizeof(INPUT));
    Drain();
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, GetSystemMetrics(SM_CXMINTRACK));
    MoveMouse(pointer.x, pointer.y);  // the display is shared with the tests that follow
}

BOOL CALLBACK FindMessageBox(HWND candidate, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(candidate, name, 16);
    if (std::wstring(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = candidate;
        return FALSE;
    }
    return TRUE;
}

// Finds the message box the test thread opened and answers it as a person would.
void PressOkWhenTheBoxShows(DWORD thread, bool& ownerWasDisabled, std::wstring& text)
{
    for (int tries = 0; tries < 500; ++tries) {
        HWND box = nullptr;
        EnumThreadWindows(thread, FindMessageBox, reinterpret_cast<LPARAM>(&box));
        if (box != nullptr) {
            ownerWasDisabled = !IsWindowEnabled(win32_access::Window(Window));
            wchar_t caption[16] = {};
            GetWindowTextW(box, caption, 16);
            text = caption;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return;
        }
        Sleep(10);
    }
}

TEST_F(Win32Toolkit, ShowMessageIsModalWithCaptionTextAndOk)
{
    bool ownerWasDisabled = false;
    std::wstring caption;
    std::thread person(PressOkWhenTheBoxShows, GetCurrentThreadId(), std::ref(ownerWasDisabled), std::ref(caption));
    int answer = ShowMessage("\xE0\xE5\xE3\xE5\xFA", "line\nsecond");
    person.join();
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(caption, L"\u05D0\u05D5\u05D3\u05D5\u05EA");
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(window)) << "enabled again afterwards";
}

// A Windows screen reader names a list by the static text just before it among its siblings.
TEST_F(Win32Toolkit, ANamedListHasAHiddenLabelJustBeforeIt)
{
    SetControlName(List, "\xE9\xE5\xED");
    SetControlName(List, "\xE7\xE5\xE3\xF9");
    HWND label = GetWindow(Control(List), GW_HWNDPREV);
    wchar_t text[16] = {};
    GetClassNameW(label, text, 16);
    EXPECT_EQ(_wcsicmp(text, L"Static"), 0);
    GetWindowTextW(label, text, 16);
    EXPECT_STREQ(text, L"\u05D7\u05D5\u05D3\u05E9") << "named anew, not labelled twice";
    EXPECT_EQ(GetWindow(label, GW_HWNDPREV), Control(Frame)) << "in the list's own place in the order";
    EXPECT_FALSE(IsWindowVisible(label));
    EXPECT_EQ(GetWindowLongW(label, GWL_STYLE) & WS_TABSTOP, 0);

    // Wine's own accessibility layer reads every window as a plain client object named by its
    // text: it does not look for a list's label, nor keep a name given through IAccPropServices,
    // so a list reads as its current item there. It does read the label, as invisible.
    IAccessible* accessible = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(label, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&accessible)),
              S_OK);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    ASSERT_EQ(accessible->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"\u05D7\u05D5\u05D3\u05E9");
    SysFreeString(name);
    VARIANT state;
    VariantInit(&state);
    ASSERT_EQ(accessible->get_accState(self, &state), S_OK);
    EXPECT_NE(state.lVal & STATE_SYSTEM_INVISIBLE, 0);
    accessible->Release();

    AddDropDownList(List, 0, 0, 10, 10);
    EXPECT_FALSE(IsWindow(label)) << "the label goes with its list";
}

RECT PlaceIn(HWND window, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

LONG FontHeight(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// Moved to a monitor at 200 %: every control at twice its place and size (a closed list's height is
// its font's), in a font twice as tall, and the window where Windows proposes; back at 100 %, all
// as it was.
TEST_F(Win32Toolkit, AChangeOfDpiScalesEveryControlAndItsFont)
{
    const int numbers[] = {First, Frame, List, Last};
    std::vector<RECT> before;
    for (int number : numbers) {
        before.push_back(PlaceIn(window, Control(number)));
    }
    LONG height = FontHeight(Control(List));
    RECT outer;
    GetWindowRect(window, &outer);
    RECT proposed{outer.left, outer.top, outer.left + 2 * (outer.right - outer.left),
                  outer.top + 2 * (outer.bottom - outer.top)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&proposed));
    for (std::size_t at = 0; at < before.size(); ++at) {
        SCOPED_TRACE(numbers[at]);
        RECT now = PlaceIn(window, Control(numbers[at]));
        EXPECT_EQ(now.left, 2 * before[at].left);
        EXPECT_EQ(now.top, 2 * before[at].top);
        EXPECT_EQ(now.right - now.left, 2 * (before[at].right - before[at].left));
        if (numbers[at] != List) {
            EXPECT_EQ(now.bottom - now.top, 2 * (before[at].bottom - before[at].top));
        }
        EXPECT_EQ(FontHeight(Control(numbers[at])), 2 * height);
    }
    RECT moved;
    GetWindowRect(window, &moved);
    EXPECT_TRUE(EqualRect(&moved, &proposed));

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&outer));
    for (std::size_t at = 0; at < before.size(); ++at) {
        RECT now = PlaceIn(window, Control(numbers[at]));
        EXPECT_TRUE(EqualRect(&now, &before[at])) << numbers[at];
    }
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(Control(List), WM_GETFONT, 0, 0));
    EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT));
    Drain();
}

TEST_F(Win32Toolkit, ReplacingAWindowReleasesItsControlsAndMenus)
{
    OpenMainWindow(Window, 0, 0, 100, 100, "", CentreOnScreen | OverlappedWindowStyle);
    EXPECT_EQ(Control(List), nullptr) << "the old window's list went with it";
    EXPECT_EQ(win32_access::Menu(1), nullptr);
    EXPECT_EQ(GetListSelection(List), -1);
    EXPECT_NE(WindowHandle(Window), 0u);
    EXPECT_FALSE(IsWindow(window));

    // A control replaced under its number is destroyed; the new one answers to it.
    UseControlParent(WindowHandle(Window));
    HWND old = reinterpret_cast<HWND>(AddButton(First, 0, 0, 10, 10, "a"));
    AddButton(First, 0, 0, 10, 10, "b");
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(GetControlText(First), "b");
}

}  // namespace
}  // namespace toolkit
