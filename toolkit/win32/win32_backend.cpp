// The toolkit over the Win32 user interface. The program's texts are code page 1255 bytes; they
// cross into Windows through the exact conversion to UTF-16 and the wide entry points, so the
// Hebrew shows the same whatever the system's ANSI code page is. Events reach the converter
// only through the fetches: the window procedure leaves a code or queues a pair, and the fetch
// that dispatched the message hands it over.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <initguid.h>
#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <vector>

#include "hebrew_text/encoding.h"
#include "toolkit/core/event_state.h"
#include "toolkit/core/objects.h"
#include "toolkit/core/platform.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/sizing.h"
#include "toolkit/win32/win32_access.h"

namespace toolkit {

namespace {

constexpr DWORD CommonControlClasses = ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES;
constexpr UINT ClassStyle = CS_DBLCLKS;
constexpr int DefaultPosition = -65535;
constexpr std::uint32_t ToolkitFlags = CentreOnScreen | CentreOnParent;
constexpr WORD NextTabStop = 1212;
constexpr WORD PreviousTabStop = 1213;

constexpr DWORD FrameStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX;
constexpr DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP | CBS_HASSTRINGS | WS_TABSTOP |
                            CBS_DROPDOWNLIST;
constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
static_assert(FrameStyle == 0x50020007 && ListStyle == 0x50A30203 && ButtonStyle == 0x50030000);

// Window properties: number + 1, so that a property of 0 means "not ours".
const wchar_t* const WindowNumberProperty = L"ToolkitWindowNumber";
const wchar_t* const ControlNumberProperty = L"ToolkitControlNumber";

std::wstring Wide(std::string_view text)
{
    std::u16string unicode = hebrew_text::Cp1255ToUtf16(text);
    return std::wstring(unicode.begin(), unicode.end());
}

std::string Narrow(const wchar_t* text, std::size_t length)
{
    return hebrew_text::Utf16ToCp1255(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

std::wstring ClassName(int number)
{
    wchar_t name[32];
    std::swprintf(name, 32, L"WindowClass_%d", number);
    return name;
}

HWND ToWindow(Handle handle)
{
    return reinterpret_cast<HWND>(handle);
}

Handle ToHandle(const void* handle)
{
    return reinterpret_cast<Handle>(handle);
}

struct WindowRecord {
    HWND hwnd = nullptr;
    HACCEL accelerators = nullptr;
    HBRUSH background = nullptr;  // none in this program
    int number = 0;
    ~WindowRecord();
};

struct ControlRecord {
    HWND hwnd = nullptr;
    ControlKind kind = ControlKind::PushButton;
    WNDPROC platformProcedure = nullptr;
    ~ControlRecord()
    {
        // Cleared first, so that the destruction's own notice finds nothing left to release.
        HWND window = hwnd;
        hwnd = nullptr;
        if (window != nullptr && IsWindow(window)) {
            DestroyWindow(window);
        }
    }
};

struct MenuRecord {
    HMENU menu = nullptr;
    int ownerWindow = -1;
    ~MenuRecord()
    {
        if (menu != nullptr && IsMenu(menu)) {
            DestroyMenu(menu);
        }
    }
};

struct Toolkit : Objects<WindowRecord, ControlRecord, MenuRecord> {
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HFONT font = nullptr;
    HWND controlParent = nullptr;
    IAccPropServices* accessibility = nullptr;  // made on first use, kept for the program's life
    // Built since the last message was handled, see FinishBuilding: controls made hidden, and
    // lists being filled with their redrawing held off.
    std::vector<HWND> unshown;
    std::vector<HWND> filling;
    // Each control's own platform procedure, apart from the records, which may already be on
    // their way out when the last messages come; not a window property, which Wine keeps in
    // its server, a round trip for every message.
    std::unordered_map<HWND, WNDPROC> platformProcedures;
    WPARAM lastWParam = 0;
    LPARAM lastLParam = 0;
};

Toolkit* state = nullptr;

Toolkit& State()
{
    if (state == nullptr) {
        InitToolkit();
    }
    return *state;
}

void ReleaseMenusOf(int window, HWND hwnd);

WindowRecord::~WindowRecord()
{
    HWND window = hwnd;
    hwnd = nullptr;
    if (window != nullptr && IsWindow(window)) {
        ReleaseMenusOf(number, window);
        RemovePropW(window, WindowNumberProperty);
        DestroyWindow(window);
    }
    UnregisterClassW(ClassName(number).c_str(), state != nullptr ? state->instance : nullptr);
    if (accelerators != nullptr) {
        DestroyAcceleratorTable(accelerators);
    }
    if (background != nullptr) {
        DeleteObject(background);
    }
}

int NumberProperty(HWND window, const wchar_t* property)
{
    return static_cast<int>(reinterpret_cast<std::intptr_t>(GetPropW(window, property))) - 1;
}

// The number of the toolkit window that holds `window`, walking up its parents; -1 when none.
// The records are asked before the window property: the window procedure asks for every
// message, and Wine keeps properties in its server.
int WindowNumberOf(HWND window)
{
    for (HWND at = window; at != nullptr; at = GetParent(at)) {
        int number = State().FindWindowNumber([at](const WindowRecord& record) { return record.hwnd == at; });
        if (number < 0) {
            number = NumberProperty(at, WindowNumberProperty);
        }
        if (number >= 0) {
            return number;
        }
    }
    return -1;
}

WindowRecord* WindowRecordOf(HWND window)
{
    WindowRecord* record = State().windows.Find(WindowNumberOf(window));
    return record != nullptr && record->hwnd == window ? record : nullptr;
}

HWND ListOf(int number)
{
    ControlRecord* record = State().FindControl(number, ControlKind::DropDownList);
    return record != nullptr ? record->hwnd : nullptr;
}

BOOL CALLBACK CollectTabStop(HWND child, LPARAM list)
{
    if (IsWindowEnabled(child) && IsWindowVisible(child) && (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    }
    return TRUE;
}

// Tab and Shift+Tab: the enabled, visible tab stops among the active window's children, in
// the platform's order of its children.
void MoveFocus(HWND active, bool forward)
{
    std::vector<HWND> stops;
    EnumChildWindows(active, CollectTabStop, reinterpret_cast<LPARAM>(&stops));
    if (stops.empty()) {
        return;
    }
    HWND focus = GetFocus();
    std::size_t count = stops.size();
    std::size_t target = forward ? 0 : count - 1;
    for (std::size_t at = 0; at < count; ++at) {
        if (stops[at] == focus || IsChild(stops[at], focus)) {
            target = forward ? (at + 1) % count : (at + count - 1) % count;
            break;
        }
    }
    SetFocus(stops[target]);
}

// The menus of a window that is going: the one on its bar goes with the window itself.
void ReleaseMenusOf(int window, HWND hwnd)
{
    Toolkit& t = State();
    std::vector<int> owned;
    HMENU onBar = GetMenu(hwnd);
    t.menus.ForEach([&](int number, MenuRecord& record) {
        if (record.ownerWindow == window) {
            if (record.menu == onBar) {
                record.menu = nullptr;
            }
            owned.push_back(number);
        }
    });
    for (int number : owned) {
        t.menus.Release(number);
    }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Toolkit& t = State();
    int number = WindowNumberOf(window);
    switch (message) {
    case WM_COMMAND: {
        auto control = reinterpret_cast<HWND>(lParam);
        if (control != nullptr) {
            // Only what the control's kind reports becomes an event; a control the toolkit did
            // not make reports nothing.
            int id = static_cast<int>(GetWindowLongPtrW(control, GWLP_ID));
            ControlRecord* record = t.controls.Find(id);
            if (record != nullptr && record->hwnd == control) {
                Events().ReportControl(id, record->kind, number, HIWORD(wParam));
            }
        } else if (HIWORD(wParam) != 0 && (LOWORD(wParam) == NextTabStop || LOWORD(wParam) == PreviousTabStop)) {
            MoveFocus(window, LOWORD(wParam) == NextTabStop);
        } else {
            Events().ReportMenu(LOWORD(wParam), number);
        }
        return 0;
    }
    case WM_CLOSE:
        Events().Queue(CloseWindowEvent, number);
        return 0;
    case WM_MOVE:
        Events().Queue(WindowMovedEvent, number);
        return 0;
    case WM_SIZE:
        if (GetParent(window) == nullptr && wParam != SIZE_MINIMIZED) {
            Events().Queue(WindowResizedEvent, number);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            Events().Queue(WindowActivatedEvent, number);
        }
        return 1;
    case WM_ERASEBKGND:
        Events().Queue(RepaintEvent, number);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_SIZE && win32::DragsFullWindows()) {
            win32::BeginSizing(window, static_cast<int>(wParam & 0xF));
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        win32::SizingCaptureChanged(window, reinterpret_cast<HWND>(lParam));
        break;
    case WM_NCDESTROY:
        ReleaseMenusOf(number, window);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Every control's messages pass through here on their way to the platform's own procedure, so
// that a control destroyed by its window gives its number back.
LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    Toolkit& t = State();
    auto found = t.platformProcedures.find(control);
    if (found == t.platformProcedures.end()) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    WNDPROC platform = found->second;
    if (message == WM_NCDESTROY) {
        int number = NumberProperty(control, ControlNumberProperty);
        ControlRecord* record = t.controls.Find(number);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platform));
        RemovePropW(control, ControlNumberProperty);
        t.platformProcedures.erase(found);
        if (record != nullptr && record->hwnd == control) {
            record->hwnd = nullptr;
            t.controls.Release(number);
        }
    }
    return CallWindowProcW(platform, control, message, wParam, lParam);
}

Handle CreateControl(int number, ControlKind kind, const wchar_t* className, DWORD extendedStyle, DWORD style, int x,
                     int y, int width, int height, std::string_view caption)
{
    Toolkit& t = State();
    if (t.controlParent == nullptr || number < 0) {
        return 0;
    }
    t.controls.Release(number);
    // Shown by FinishBuilding: a visible control paints itself at once, one at a time.
    bool visible = (style & WS_VISIBLE) != 0;
    HWND control = CreateWindowExW(extendedStyle, className, Wide(caption).c_str(), style & ~WS_VISIBLE, x, y, width,
                                   height, t.controlParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
                                   t.instance, nullptr);
    if (control == nullptr) {
        return 0;
    }
    auto record = std::make_unique<ControlRecord>();
    record->hwnd = control;
    record->kind = kind;
    record->platformProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure)));
    t.platformProcedures[control] = record->platformProcedure;
    t.controls.Put(number, std::move(record));
    SetWindowLongPtrW(control, GWLP_ID, number);
    SetPropW(control, ControlNumberProperty, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(number) + 1));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(t.font), TRUE);
    if (visible) {
        t.unshown.push_back(control);
    }
    return ToHandle(control);
}

// A list that the program fills item by item neither redraws nor recomputes its scroll bar after
// each item, until FinishBuilding.
void HoldRedraw(HWND combo)
{
    std::vector<HWND>& filling = State().filling;
    if (std::find(filling.begin(), filling.end(), combo) == filling.end()) {
        SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
        filling.push_back(combo);
    }
}

// What the program built since the last message was handled is shown whole before the next one
// is: the controls it made, and the lists it filled, redrawn once. Nobody sees the window between
// two messages, so a person sees the same window as when every control and item showed at once,
// only sooner: under Wine a themed control that shows as it is made paints itself there and
// then, and a list redraws after each item.
void FinishBuilding()
{
    Toolkit& t = State();
    for (HWND control : t.unshown) {
        if (IsWindow(control)) {
            ShowWindow(control, SW_SHOWNA);
        }
    }
    t.unshown.clear();
    for (HWND combo : t.filling) {
        if (IsWindow(combo)) {
            SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(combo, nullptr, TRUE);
        }
    }
    t.filling.clear();
}


// While the message box is open, the thread's other windows take no input.
struct DisabledWindows {
    DWORD thread;
    HWND foreground;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM found)
{
    auto& disabled = *reinterpret_cast<DisabledWindows*>(found);
    if (GetWindowThreadProcessId(window, nullptr) == disabled.thread && IsWindowVisible(window) &&
        IsWindowEnabled(window) && window != disabled.foreground) {
        EnableWindow(window, FALSE);
        disabled.windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

// The platform round: one message, handed to the sizing, the active window's accelerators or
// the window procedure, and reported to the event state as its own number.
void platform::Round(bool wait)
{
    Toolkit& t = State();
    FinishBuilding();
    MSG message;
    if (wait) {
        if (GetMessageW(&message, nullptr, 0, 0) == -1) {
            return;
        }
    } else if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        return;
    }
    if (!win32::HandleSizing(message)) {
        HWND active = GetActiveWindow();
        WindowRecord* record = active != nullptr ? WindowRecordOf(active) : nullptr;
        if (record == nullptr || record->accelerators == nullptr ||
            TranslateAcceleratorW(active, record->accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    t.lastWParam = message.wParam;
    t.lastLParam = message.lParam;
    Events().ReportRaw(static_cast<int>(message.message));
}

void InitToolkit()
{
    if (state != nullptr) {
        return;
    }
    state = new Toolkit;
    state->instance = GetModuleHandleW(nullptr);
    state->icon = LoadIconW(state->instance, MAKEINTRESOURCEW(1));
    state->cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    state->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), CommonControlClasses};
    InitCommonControlsEx(&classes);
    InitCommonControls();
    CoInitialize(nullptr);
}

void EndToolkit()
{
    if (state != nullptr) {
        // Windows first: each takes its controls and the menu on its bar with it.
        state->windows.Clear();
        state->controls.Clear();
        state->menus.Clear();
    }
    ExitProcess(0);
}

Handle OpenMainWindow(int number, int x, int y, int clientWidth, int clientHeight, std::string_view title,
                      std::uint32_t flags)
{
    Toolkit& t = State();
    if (number < 0) {
        return 0;
    }
    t.windows.Release(number);
    std::wstring className = ClassName(number);
    WNDCLASSW windowClass{};
    windowClass.style = ClassStyle;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = t.instance;
    windowClass.hIcon = t.icon;
    windowClass.hCursor = t.cursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassW(&windowClass);

    bool hidden = (flags & HiddenWindow) != 0;
    DWORD style = flags & ~(ToolkitFlags | HiddenWindow);
    if (style == 0) {
        style = WS_CAPTION;
    }
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&outer, style, FALSE);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;

    if ((flags & CentreOnScreen) != 0) {
        int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        width = std::min(width, screenWidth);
        height = std::min(height, screenHeight);
        x = (screenWidth - width) / 2;
        y = (screenHeight - height) / 2;
    } else if ((flags & CentreOnParent) != 0) {
        HWND around = GetActiveWindow();
        RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (around != nullptr) {
            GetWindowRect(around, &area);
        }
        x = std::max(0L, area.left + (area.right - area.left - width) / 2);
        y = std::max(0L, area.top + (area.bottom - area.top - height) / 2);
    } else if (x == DefaultPosition || y == DefaultPosition) {
        x = CW_USEDEFAULT;
        y = CW_USEDEFAULT;
    }

    HWND window = CreateWindowExW(0, className.c_str(), Wide(title).c_str(), style, x, y, width, height, nullptr,
                                  nullptr, t.instance, nullptr);
    if (window == nullptr) {
        UnregisterClassW(className.c_str(), t.instance);
        return 0;
    }
    auto record = std::make_unique<WindowRecord>();
    record->hwnd = window;
    record->number = number;
    t.windows.Put(number, std::move(record));
    SetPropW(window, WindowNumberProperty, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(number) + 1));

    if (!hidden) {
        int show = (style & WS_MAXIMIZE) != 0 ? SW_MAXIMIZE : (style & WS_MINIMIZE) != 0 ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
        ShowWindow(window, show);
    }
    ACCEL keys[2] = {{FVIRTKEY | FNOINVERT, VK_TAB, NextTabStop}, {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, PreviousTabStop}};
    if (WindowRecord* opened = t.windows.Find(number)) {
        opened->accelerators = CreateAcceleratorTableW(keys, 2);
    }
    return ToHandle(window);
}

Handle WindowHandle(int number)
{
    WindowRecord* record = State().windows.Find(number);
    return record != nullptr ? ToHandle(record->hwnd) : 0;
}

void UseControlParent(Handle window)
{
    State().controlParent = ToWindow(window);
}

Handle AddMenuBar(int menuNumber, Handle ownerWindow)
{
    Toolkit& t = State();
    if (menuNumber < 0) {
        return 0;
    }
    HMENU menu = CreateMenu();
    if (menu == nullptr) {
        return 0;
    }
    auto record = std::make_unique<MenuRecord>();
    record->menu = menu;
    record->ownerWindow = WindowNumberOf(ToWindow(ownerWindow));
    t.menus.Put(menuNumber, std::move(record));
    t.currentMenu = menuNumber;
    return ToHandle(menu);
}

int AddMenuItem(int itemNumber, std::string_view text)
{
    Toolkit& t = State();
    MenuRecord* menu = t.menus.Find(t.currentMenu);
    if (menu == nullptr || menu->menu == nullptr) {
        return 0;
    }
    if (!AppendMenuW(menu->menu, MF_STRING, static_cast<UINT_PTR>(itemNumber), Wide(text).c_str())) {
        return 0;
    }
    if (WindowRecord* owner = t.windows.Find(menu->ownerWindow)) {
        SetMenu(owner->hwnd, menu->menu);
    }
    return 1;
}

Handle AddFrame(int number, int x, int y, int width, int height, std::string_view caption)
{
    return CreateControl(number, ControlKind::GroupFrame, L"Button", 0, FrameStyle, x, y, width, height, caption);
}

Handle AddDropDownList(int number, int x, int y, int width, int height)
{
    return CreateControl(number, ControlKind::DropDownList, L"ComboBox", WS_EX_CLIENTEDGE, ListStyle, x, y, width,
                         height, {});
}

Handle AddButton(int number, int x, int y, int width, int height, std::string_view caption)
{
    return CreateControl(number, ControlKind::PushButton, L"Button", 0, ButtonStyle, x, y, width, height, caption);
}

int AddListItem(int list, int position, std::string_view text)
{
    HWND combo = ListOf(list);
    if (combo != nullptr && position >= -1) {
        HoldRedraw(combo);
        SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(Wide(text).c_str()));
    }
    return 0;
}

int RemoveListItem(int list, int position)
{
    HWND combo = ListOf(list);
    if (combo == nullptr) {
        return CB_ERR;  // as for a position outside the list: nothing was removed
    }
    return static_cast<int>(SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(position), 0));
}

std::string GetListItemText(int list, int position)
{
    HWND combo = ListOf(list);
    if (combo == nullptr) {
        return {};
    }
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
    if (length == CB_ERR || length < 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR || copied < 0) {
        return {};
    }
    return Narrow(buffer.data(), static_cast<std::size_t>(std::min(copied, length)));
}

int GetListSelection(int list)
{
    HWND combo = ListOf(list);
    return combo != nullptr ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1;
}

int SetListSelection(int list, int index)
{
    HWND combo = ListOf(list);
    return combo != nullptr ? static_cast<int>(SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0)) : -1;
}

std::string GetControlText(int control)
{
    ControlRecord* record = State().controls.Find(control);
    if (record == nullptr || record->hwnd == nullptr) {
        return {};
    }
    int length = GetWindowTextLengthW(record->hwnd);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(record->hwnd, buffer.data(), length + 1);
    return Narrow(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void SetControlText(int control, std::string_view text)
{
    ControlRecord* record = State().controls.Find(control);
    if (record == nullptr || record->hwnd == nullptr) {
        return;
    }
    HWND window = record->hwnd;
    if (record->kind == ControlKind::DropDownList && (GetWindowLongW(window, GWL_STYLE) & 1) != 0) {
        if (text.empty()) {
            SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            return;
        }
        LRESULT found = SendMessageW(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Wide(text).c_str()));
        if (found != CB_ERR) {
            SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
        }
        return;
    }
    SetWindowTextW(window, Wide(text).c_str());
}

void SetControlName(int control, std::string_view name)
{
    Toolkit& t = State();
    ControlRecord* record = t.controls.Find(control);
    if (record == nullptr || record->hwnd == nullptr) {
        return;
    }
    if (t.accessibility == nullptr &&
        FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&t.accessibility)))) {
        t.accessibility = nullptr;
        return;  // no accessibility service: the lists keep the platform's own names
    }
    std::wstring text = Wide(name);
    t.accessibility->SetHwndPropStr(record->hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                    text.c_str());
}

int ShowMessage(std::string_view caption, std::string_view text, int flags)
{
    State();
    FinishBuilding();
    DisabledWindows disabled{GetCurrentThreadId(), GetForegroundWindow(), {}};
    EnumWindows(DisableOne, reinterpret_cast<LPARAM>(&disabled));
    HWND owner = nullptr;
    DWORD process = 0;
    if (disabled.foreground != nullptr) {
        GetWindowThreadProcessId(disabled.foreground, &process);
        if (process == GetCurrentProcessId()) {
            owner = disabled.foreground;
        }
    }
    int answer = MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), static_cast<UINT>(flags));
    for (HWND window : disabled.windows) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    return answer;
}

namespace win32_access {

HWND Window(int number)
{
    WindowRecord* record = State().windows.Find(number);
    return record != nullptr ? record->hwnd : nullptr;
}

HWND Control(int number)
{
    ControlRecord* record = State().controls.Find(number);
    return record != nullptr ? record->hwnd : nullptr;
}

HMENU Menu(int number)
{
    MenuRecord* record = State().menus.Find(number);
    return record != nullptr ? record->menu : nullptr;
}

}  // namespace win32_access

}  // namespace toolkit
