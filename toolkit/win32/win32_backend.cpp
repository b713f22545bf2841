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
#include "toolkit/win32/win32_text.h"

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
// Right to left, one line centred in its height, its end cut with an ellipsis; no notify style,
// so it sends its window nothing, and no tab stop.
constexpr DWORD LineStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS;
constexpr DWORD LineExtendedStyle = WS_EX_RTLREADING;
static_assert(FrameStyle == 0x50020007 && ListStyle == 0x50A30203 && ButtonStyle == 0x50030000);

// Window properties: number + 1, so that a property of 0 means "not ours".
const wchar_t* const WindowNumberProperty = L"ToolkitWindowNumber";
const wchar_t* const ControlNumberProperty = L"ToolkitControlNumber";

using win32::Narrow;
using win32::Wide;

// The program gives every place and size for 96 dots per inch, Windows' 100 %; each window shows
// them at its monitor's DPI. The functions that tell a window's DPI came with Windows 10: looked up,
// so that the program still starts on older Windows, where the system's DPI is every window's.
constexpr UINT BaseDpi = USER_DEFAULT_SCREEN_DPI;

struct DpiFunctions {
    UINT(WINAPI* forWindow)(HWND) = nullptr;
    UINT(WINAPI* forSystem)() = nullptr;
    BOOL(WINAPI* adjustRect)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <class Function>
void LookUp(Function& function, HMODULE user, const char* name)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user, name)));
}

DpiFunctions FindDpiFunctions()
{
    DpiFunctions found;
    HMODULE user = GetModuleHandleW(L"user32.dll");
    LookUp(found.forWindow, user, "GetDpiForWindow");
    LookUp(found.forSystem, user, "GetDpiForSystem");
    LookUp(found.adjustRect, user, "AdjustWindowRectExForDpi");
    return found;
}

int Scale(int value, UINT dpi)
{
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(BaseDpi));
}

// A place and size as the program gave them, at 96 DPI.
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

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
    UINT dpi = BaseDpi;  // what its controls are sized for
    HWND lastFocus = nullptr;  // the control that had the focus last, which gets it back
    ~WindowRecord();
};

struct ControlRecord {
    HWND hwnd = nullptr;
    ControlKind kind = ControlKind::PushButton;
    WNDPROC platformProcedure = nullptr;
    HWND label = nullptr;  // the static text a screen reader names the control by, see SetControlName
    HWND tooltip = nullptr;  // a static text's whole text, while it is cut
    Place place;
    LRESULT selectionWhenOpened = CB_ERR;  // a list's selection when it last dropped down
    ~ControlRecord()
    {
        // Cleared first, so that the destruction's own notice finds nothing left to release.
        HWND window = hwnd;
        hwnd = nullptr;
        if (window != nullptr && IsWindow(window)) {
            DestroyWindow(window);
        }
        if (label != nullptr && IsWindow(label)) {
            DestroyWindow(label);
        }
        if (tooltip != nullptr && IsWindow(tooltip)) {
            DestroyWindow(tooltip);
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
    HFONT font = nullptr;  // for the system's DPI
    DpiFunctions dpiFunctions;
    UINT systemDpi = BaseDpi;
    std::unordered_map<UINT, HFONT> scaledFonts;  // the same font for other DPIs, made on first use
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
    // Above 0 while the toolkit itself gives a control the focus back: that is no person's
    // doing, and the lists' focus notifications are not reported.
    int quietFocus = 0;
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

UINT WindowDpi(HWND window)
{
    Toolkit& t = State();
    if (WindowRecord* record = WindowRecordOf(window)) {
        return record->dpi;
    }
    return t.dpiFunctions.forWindow != nullptr ? t.dpiFunctions.forWindow(window) : t.systemDpi;
}

// The controls' font at a DPI: the system's own at the system's DPI, else the same font scaled.
HFONT FontFor(UINT dpi)
{
    Toolkit& t = State();
    if (dpi == t.systemDpi) {
        return t.font;
    }
    HFONT& font = t.scaledFonts[dpi];
    if (font == nullptr) {
        LOGFONTW description{};
        GetObjectW(t.font, sizeof description, &description);
        description.lfHeight = MulDiv(description.lfHeight, static_cast<int>(dpi), static_cast<int>(t.systemDpi));
        description.lfWidth = MulDiv(description.lfWidth, static_cast<int>(dpi), static_cast<int>(t.systemDpi));
        font = CreateFontIndirectW(&description);
    }
    return font != nullptr ? font : t.font;
}

void PutAt(HWND window, const Place& place, UINT dpi)
{
    SetWindowPos(window, nullptr, Scale(place.x, dpi), Scale(place.y, dpi), Scale(place.width, dpi),
                 Scale(place.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window moved to a monitor of another DPI, or whose monitor's scaling changed: its controls
// and their font follow, and the window takes the outer rectangle Windows proposes for it.
void ChangeDpi(HWND window, UINT dpi, const RECT& proposed)
{
    Toolkit& t = State();
    WindowRecord* record = WindowRecordOf(window);
    if (record == nullptr || dpi == 0) {
        return;
    }
    record->dpi = dpi;
    HFONT font = FontFor(dpi);
    t.controls.ForEach([&](int, ControlRecord& control) {
        if (control.hwnd == nullptr || GetParent(control.hwnd) != window) {
            return;
        }
        for (HWND part : {control.hwnd, control.label}) {
            if (part != nullptr) {
                SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
                PutAt(part, control.place, dpi);
            }
        }
    });
    SetWindowPos(window, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                 proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}

// The outer size of a window whose client area is `client` at `dpi`.
RECT OuterRect(RECT client, DWORD style, UINT dpi)
{
    Toolkit& t = State();
    if (dpi != t.systemDpi && t.dpiFunctions.adjustRect != nullptr) {
        t.dpiFunctions.adjustRect(&client, style, FALSE, 0, dpi);
    } else {
        AdjustWindowRect(&client, style, FALSE);
    }
    return client;
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

// The focus back where it was when the window lost it: on the control that had it last, or on
// the first tab stop (the civil day list) when none has had it yet. A window that takes no
// focus into a control leaves a screen reader nothing to announce but the title, and the
// keyboard nothing to act on.
void RestoreFocus(HWND window)
{
    WindowRecord* record = WindowRecordOf(window);
    if (record == nullptr || IsIconic(window)) {
        return;
    }
    HWND target = record->lastFocus;
    if (target == nullptr || !IsWindow(target) || !IsChild(window, target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target)) {
        std::vector<HWND> stops;
        EnumChildWindows(window, CollectTabStop, reinterpret_cast<LPARAM>(&stops));
        if (stops.empty()) {
            return;
        }
        target = stops.front();
    }
    HWND focus = GetFocus();
    if (focus == target || IsChild(target, focus)) {
        return;
    }
    ++State().quietFocus;
    SetFocus(target);
    --State().quietFocus;
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

LRESULT Select(HWND combo, WPARAM index);

bool IsPushButton(HWND control)
{
    ControlRecord* record = State().controls.Find(NumberProperty(control, ControlNumberProperty));
    return record != nullptr && record->hwnd == control && record->kind == ControlKind::PushButton;
}

// A list closed without a choice (Escape, or a click outside it) shows the item it had when it
// dropped down: the arrow keys moved through the open list, and only a choice keeps where they
// went. Put back before the notification is reported, so that the program converts the date
// the person kept.
void KeepChoiceOfCancelledList(ControlRecord& record, int notification)
{
    if (notification == ListOpenedNotification) {
        record.selectionWhenOpened = SendMessageW(record.hwnd, CB_GETCURSEL, 0, 0);
    } else if (notification == ChoiceCancelledNotification && record.selectionWhenOpened != CB_ERR &&
               SendMessageW(record.hwnd, CB_GETCURSEL, 0, 0) != record.selectionWhenOpened) {
        Select(record.hwnd, static_cast<WPARAM>(record.selectionWhenOpened));
    }
    if (notification == ChoiceMadeNotification || notification == ChoiceCancelledNotification) {
        record.selectionWhenOpened = CB_ERR;
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
            int notification = HIWORD(wParam);
            if (record == nullptr || record->hwnd != control) {
                return 0;
            }
            if (record->kind == ControlKind::DropDownList) {
                KeepChoiceOfCancelledList(*record, notification);
            }
            bool focusChange = notification == FocusNotification(record->kind, true) ||
                               notification == FocusNotification(record->kind, false);
            if (!(focusChange && t.quietFocus > 0)) {
                Events().ReportControl(id, record->kind, number, notification);
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
            if (HIWORD(wParam) == 0) {  // not minimised
                RestoreFocus(window);
            }
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
    case WM_DPICHANGED:
        if (GetParent(window) == nullptr) {
            ChangeDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
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
    if (message == WM_SETFOCUS) {
        if (WindowRecord* window = WindowRecordOf(GetParent(control))) {
            window->lastFocus = control;
        }
    }
    if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_RETURN && IsPushButton(control)) {
        // Enter presses the focused button, as Space does; outside a dialog Windows leaves
        // it to the program. Held down, it presses once.
        if (message == WM_KEYDOWN && (lParam & 0x40000000) == 0) {
            SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                         reinterpret_cast<LPARAM>(control));
        }
        return 0;
    }
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
    UINT dpi = WindowDpi(t.controlParent);
    HWND control = CreateWindowExW(extendedStyle, className, Wide(caption).c_str(), style & ~WS_VISIBLE, Scale(x, dpi),
                                   Scale(y, dpi), Scale(width, dpi), Scale(height, dpi), t.controlParent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), t.instance, nullptr);
    if (control == nullptr) {
        return 0;
    }
    auto record = std::make_unique<ControlRecord>();
    record->hwnd = control;
    record->kind = kind;
    record->place = {x, y, width, height};
    record->platformProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure)));
    t.platformProcedures[control] = record->platformProcedure;
    t.controls.Put(number, std::move(record));
    SetWindowLongPtrW(control, GWLP_ID, number);
    SetPropW(control, ControlNumberProperty, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(number) + 1));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(dpi)), TRUE);
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
    bool shown = !t.unshown.empty();
    for (HWND control : t.unshown) {
        if (IsWindow(control)) {
            ShowWindow(control, SW_SHOWNA);
        }
    }
    t.unshown.clear();
    // The window was activated before it had controls; the first of them takes the focus now.
    if (HWND active = GetActiveWindow(); shown && active != nullptr && WindowRecordOf(active) != nullptr) {
        RestoreFocus(active);
    }
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

// Windows screen readers name a control that has no text of its own by the static text just
// before it among its siblings (the reverse Tab order, stopping at the previous tab stop), as a
// dialog's label stands before its field. The label is made there, in the same place as the
// control, and not shown: the window looks as it did, and a static text takes no focus.
void PutLabel(ControlRecord& record, const std::wstring& text)
{
    if (record.label != nullptr && IsWindow(record.label)) {
        SetWindowTextW(record.label, text.c_str());
        return;
    }
    HWND parent = GetParent(record.hwnd);
    UINT dpi = WindowDpi(parent);
    const Place& place = record.place;
    record.label = CreateWindowExW(0, L"Static", text.c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, Scale(place.x, dpi),
                                   Scale(place.y, dpi), Scale(place.width, dpi), Scale(place.height, dpi), parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), State().instance, nullptr);
    if (record.label == nullptr) {
        return;
    }
    SendMessageW(record.label, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(dpi)), FALSE);
    // A new child comes last; moved to just before its control, where it would stand had it
    // been made first.
    HWND before = GetWindow(record.hwnd, GW_HWNDPREV);
    SetWindowPos(record.label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

// F10 and Alt on their own reach the window's menu bar from any control, as they do from a
// dialog's: a list that has the focus would otherwise keep them to itself, and the About item
// could not be reached from the keyboard.
void ToMenuBar(MSG& message)
{
    bool key = message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP || message.message == WM_KEYUP;
    if (!key || (message.wParam != VK_F10 && message.wParam != VK_MENU) || message.hwnd == nullptr) {
        return;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root != message.hwnd && WindowRecordOf(root) != nullptr) {
        message.hwnd = root;
    }
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
        ToMenuBar(message);
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

// The window takes no options of the window system's.
void UseCommandLine(int, char**) {}

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
    state->dpiFunctions = FindDpiFunctions();
    if (state->dpiFunctions.forSystem != nullptr) {
        state->systemDpi = state->dpiFunctions.forSystem();
    } else if (HDC screen = GetDC(nullptr)) {
        state->systemDpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
    }
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
        for (auto& [dpi, font] : state->scaledFonts) {
            DeleteObject(font);
        }
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
    // Made on the primary monitor, whose DPI is the system's; told by WM_DPICHANGED should
    // Windows put it on another.
    UINT dpi = t.systemDpi;
    RECT outer = OuterRect({0, 0, Scale(clientWidth, dpi), Scale(clientHeight, dpi)}, style, dpi);
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
    UINT shownAt = t.dpiFunctions.forWindow != nullptr ? t.dpiFunctions.forWindow(window) : dpi;
    if (shownAt != 0 && shownAt != dpi) {
        dpi = shownAt;
        RECT resized = OuterRect({0, 0, Scale(clientWidth, dpi), Scale(clientHeight, dpi)}, style, dpi);
        SetWindowPos(window, nullptr, 0, 0, resized.right - resized.left, resized.bottom - resized.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    t.windows.Find(number)->dpi = dpi;
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

int SetMenuItemText(int itemNumber, std::string_view text)
{
    Toolkit& t = State();
    int changed = 0;
    std::wstring wide = Wide(text);
    t.menus.ForEach([&](int, MenuRecord& record) {
        if (changed == 0 && record.menu != nullptr &&
            ModifyMenuW(record.menu, static_cast<UINT>(itemNumber), MF_BYCOMMAND | MF_STRING,
                        static_cast<UINT_PTR>(itemNumber), wide.c_str())) {
            changed = 1;
            if (WindowRecord* owner = t.windows.Find(record.ownerWindow)) {
                DrawMenuBar(owner->hwnd);
            }
        }
    });
    return changed;
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

Handle AddStaticText(int number, int x, int y, int width, int height, std::string_view text)
{
    return CreateControl(number, ControlKind::StaticText, L"Static", LineExtendedStyle, LineStyle, x, y, width, height,
                         text);
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

namespace {

// A choice the program makes in a list is announced to screen readers as a person's own would be;
// the list itself tells them only of a person's.
LRESULT Select(HWND combo, WPARAM index)
{
    LRESULT before = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    LRESULT result = SendMessageW(combo, CB_SETCURSEL, index, 0);
    if (SendMessageW(combo, CB_GETCURSEL, 0, 0) != before) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, combo, OBJID_CLIENT, CHILDID_SELF);
    }
    return result;
}

// A static text cut by its ellipsis shows its whole text as a tooltip over it; one that fits
// has none. FIXME: the tip's place is set with the text; a window moved to a monitor of another
// DPI keeps it where the line was until the next text.
void ShowWholeWhenCut(ControlRecord& record)
{
    HWND line = record.hwnd;
    int length = GetWindowTextLengthW(line);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(line, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    RECT area;
    GetClientRect(line, &area);
    SIZE extent{};
    if (HDC context = GetDC(line)) {
        HGDIOBJ before = SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(line, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(context, text.c_str(), length, &extent);
        SelectObject(context, before);
        ReleaseDC(line, context);
    }
    bool cut = extent.cx > area.right - area.left;
    if (!cut && record.tooltip == nullptr) {
        return;
    }
    if (record.tooltip == nullptr) {
        record.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(line),
                                         nullptr, State().instance, nullptr);
        if (record.tooltip == nullptr) {
            return;
        }
    }
    // The line itself lets the pointer through to its window: the tip is for its place there.
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = GetParent(line);
    tool.uId = 1;
    SendMessageW(record.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (cut) {
        GetWindowRect(line, &tool.rect);
        MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
        tool.lpszText = text.data();
        SendMessageW(record.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace

int SetListSelection(int list, int index)
{
    HWND combo = ListOf(list);
    return combo != nullptr ? static_cast<int>(Select(combo, static_cast<WPARAM>(index))) : -1;
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
            Select(window, static_cast<WPARAM>(-1));
            return;
        }
        LRESULT found = SendMessageW(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Wide(text).c_str()));
        if (found != CB_ERR) {
            Select(window, static_cast<WPARAM>(found));
        }
        return;
    }
    SetWindowTextW(window, Wide(text).c_str());
    if (record->kind == ControlKind::StaticText) {
        ShowWholeWhenCut(*record);
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

void SetControlName(int control, std::string_view name)
{
    Toolkit& t = State();
    ControlRecord* record = t.controls.Find(control);
    if (record == nullptr || record->hwnd == nullptr) {
        return;
    }
    std::wstring text = Wide(name);
    PutLabel(*record, text);
    if (t.accessibility == nullptr &&
        FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&t.accessibility)))) {
        t.accessibility = nullptr;
        return;  // no accessibility service: the label names the control
    }
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
    // Windows activates the owner as the box goes, while it may still be disabled here, and a
    // disabled window's controls take no focus: the focus goes back once it is enabled.
    if (owner != nullptr && GetActiveWindow() == owner) {
        RestoreFocus(owner);
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
