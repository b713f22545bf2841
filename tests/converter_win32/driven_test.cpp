// The Windows program itself, started as its own process and driven from outside as a person
// would: keys pressed on its lists, clicks on its buttons, its close box. What it shows is
// read back from its controls as Unicode, so the Hebrew must be right whatever the code page.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "converter/window_layout.h"
#include "detron_version.h"
#include "engine/engine.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"
#include "hebrew_text/encoding.h"

namespace {

using namespace converter;

std::wstring Wide(std::string_view cp1255)
{
    std::u16string text = hebrew_text::Cp1255ToUtf16(cp1255);
    return std::wstring(text.begin(), text.end());
}

std::wstring WideNumber(int value)
{
    return std::to_wstring(value);
}

// A visible top-level window of the program's process, by its class.
struct FoundWindow {
    DWORD process;
    const wchar_t* className;
    HWND window;
};

BOOL CALLBACK FindWindowOfProcess(HWND candidate, LPARAM found)
{
    auto& f = *reinterpret_cast<FoundWindow*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(candidate, &process);
    wchar_t name[32] = {};
    GetClassNameW(candidate, name, 32);
    if (process == f.process && std::wstring(name) == f.className && IsWindowVisible(candidate)) {
        f.window = candidate;
        return FALSE;
    }
    return TRUE;
}

// Waits for `done`; the deadline, far beyond any wait on a busy machine, only ends a wait
// that will never be met.
template <class Condition>
bool Eventually(Condition done, int seconds = 60)
{
    for (int tries = 0; tries < seconds * 100; ++tries) {
        if (done()) {
            return true;
        }
        Sleep(10);
    }
    return done();
}

std::wstring WindowsPath(std::string_view unixPath)
{
    std::wstring path = L"Z:";
    for (char c : unixPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return path;
}

std::wstring ProgramPath()
{
    return WindowsPath(DETRON_EXE);
}

class Program {
public:
    Program()
    {
        std::wstring command = ProgramPath();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(command.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_) != 0;
        if (!started_) {
            return;
        }
        FoundWindow found{process_.dwProcessId, L"WindowClass_0", nullptr};
        Eventually([&] {
            EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&found));
            return found.window != nullptr;
        });
        window_ = found.window;
        // The window shows before its lists are filled; a person starts once both sides show a
        // date, which the first pass of the main loop completes.
        Eventually([&] { return window_ != nullptr && Selection(HebrewYearList) >= 0; });
        // The pointer over the window and the window in front, as when a person turns to it:
        // a button takes the mouse only in the window in front.
        RECT r;
        GetWindowRect(window_, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SetForegroundWindow(window_);
        Eventually([&] {
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            return GetGUIThreadInfo(process_.dwThreadId, &gui) && gui.hwndActive == window_;
        });
        // A click that comes while the activation is still on its way loses the mouse to it:
        // the program must have handled every message the activation brought.
        Settle();
    }

    ~Program()
    {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 1);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }

    HWND Window() const { return window_; }
    HWND Focus() const
    {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(process_.dwThreadId, &gui) ? gui.hwndFocus : nullptr;
    }
    bool InMenu() const
    {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(process_.dwThreadId, &gui) && (gui.flags & GUI_INMENUMODE) != 0;
    }
    bool Active() const
    {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(process_.dwThreadId, &gui) && gui.hwndActive == window_;
    }
    DWORD Process() const { return process_.dwProcessId; }
    HWND Control(int number) const { return GetDlgItem(window_, number); }

    int Selection(int list) const { return static_cast<int>(SendMessageW(Control(list), CB_GETCURSEL, 0, 0)); }
    int Count(int list) const { return static_cast<int>(SendMessageW(Control(list), CB_GETCOUNT, 0, 0)); }

    // What the closed list shows: the selected item's text.
    std::wstring Shown(int list) const
    {
        wchar_t text[64] = {};
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(Control(list), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                            &copied);
        return text;
    }

    // Arrow keys on the list, one item per key, until `index` is selected.
    void Choose(int list, int index) const
    {
        HWND control = Control(list);
        int at = Selection(list);
        if (at < 0) {
            Press(control, VK_HOME);
            at = 0;
        }
        for (; at < index; ++at) {
            Press(control, VK_DOWN);
        }
        for (; at > index; --at) {
            Press(control, VK_UP);
        }
        Eventually([&] { return Selection(list) == index; });
    }

    // Pressed and let go in the middle: the button is let go once it shows itself pressed.
    void Click(int button) const
    {
        HWND control = Control(button);
        RECT r;
        GetClientRect(control, &r);
        LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        EXPECT_TRUE(Eventually([&] { return (SendMessageW(control, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }))
            << "the button never showed itself pressed";
        PostMessageW(control, WM_LBUTTONUP, 0, middle);
    }

    // Returns once the program has handled every message sent or posted to it so far: the
    // message sent here is answered after those sent before it, and the process then counts
    // as idle only once its queue is empty.
    void Settle() const
    {
        DWORD_PTR answer = 0;
        EXPECT_NE(SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer), 0);
        EXPECT_EQ(WaitForInputIdle(process_.hProcess, 60000), 0u);
    }

    // The exit code once the process has ended, -1 if it is still running after a minute.
    long ExitCode() const
    {
        if (WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0) {
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    static void Press(HWND control, WPARAM key)
    {
        PostMessageW(control, WM_KEYDOWN, key, 1);
        PostMessageW(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    }

    bool started_ = false;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Both sides of the window for one civil date, computed here from the engine and the name
// tables, as the program should show them.
struct Expected {
    std::wstring civilDay, civilMonth, civilYear;
    std::wstring hebrewDay, hebrewYear;
    int hebrewMonthIndex;
    int hebrewMonthCount;
};

Expected ExpectedFor(int day, int month, int year)
{
    engine::HebrewDate hebrew = engine::DayNumberToHebrew(engine::CivilToDayNumber(day, month, year));
    return {WideNumber(day),
            Wide(hebrew_text::CivilMonthNames[month - 1]),
            WideNumber(year),
            Wide(hebrew_text::HebrewNumeral(hebrew.day)),
            Wide(hebrew_text::HebrewNumeral(hebrew.year)),
            static_cast<int>(hebrew.month) - 1,
            engine::IsHebrewLeapYear(hebrew.year) ? 13 : 12};
}

void ExpectShows(const Program& program, const Expected& expected)
{
    EXPECT_TRUE(Eventually([&] {
        return program.Shown(CivilDayList) == expected.civilDay && program.Shown(CivilMonthList) == expected.civilMonth &&
               program.Shown(CivilYearList) == expected.civilYear && program.Shown(HebrewDayList) == expected.hebrewDay &&
               program.Selection(HebrewMonthList) == expected.hebrewMonthIndex &&
               program.Shown(HebrewYearList) == expected.hebrewYear;
    }));
    EXPECT_EQ(program.Shown(CivilDayList), expected.civilDay);
    EXPECT_EQ(program.Shown(CivilMonthList), expected.civilMonth);
    EXPECT_EQ(program.Shown(CivilYearList), expected.civilYear);
    EXPECT_EQ(program.Shown(HebrewDayList), expected.hebrewDay);
    EXPECT_EQ(program.Selection(HebrewMonthList), expected.hebrewMonthIndex);
    EXPECT_EQ(program.Count(HebrewMonthList), expected.hebrewMonthCount);
    EXPECT_EQ(program.Shown(HebrewYearList), expected.hebrewYear);
}

// The project's version with the four fields Windows reads: "3.1" is 3.1.0.0.
std::string FourFieldVersion()
{
    std::string version(DetronVersion);
    for (auto dots = std::count(version.begin(), version.end(), '.'); dots < 3; ++dots) {
        version += ".0";
    }
    return version;
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name)
{
    std::wstring path = std::wstring(L"\\StringFileInfo\\040D04E7\\") + name;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || value == nullptr) {
        return L"(none)";
    }
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

std::wstring WideAscii(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
}

// Both programs carry the icon, a manifest naming the program and its processor, and the
// project's version, as Explorer, the installer and Windows read them.
TEST(WindowsProgram, BothProgramsCarryTheIconTheProjectsVersionAndAManifestForTheirProcessor)
{
    struct Built {
        std::string path, name;
        bool window;
    };
    const Built programs[] = {{DETRON_EXE, "detron", true}, {DETRON_CONVERT_EXE, "detron-convert", false}};
    const std::string quad = FourFieldVersion();
    for (const Built& tested : programs) {
        SCOPED_TRACE(tested.name);
        std::wstring path = WindowsPath(tested.path);
        HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr);
        HRSRC manifest = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        ASSERT_NE(manifest, nullptr);
        std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                         SizeofResource(program, manifest));
        EXPECT_NE(text.find("name=\"Detron." + tested.name + "\" version=\"" + quad + "\""), std::string::npos)
            << text;
        // Windows refuses to start a program whose manifest names another processor.
#ifdef _WIN64
        EXPECT_NE(text.find("processorArchitecture=\"amd64\""), std::string::npos);
#else
        EXPECT_NE(text.find("processorArchitecture=\"x86\""), std::string::npos);
#endif
        EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
        EXPECT_EQ(text.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"") != std::string::npos,
                  tested.window);
        EXPECT_EQ(text.find(">PerMonitorV2, PerMonitor</dpiAwareness>") != std::string::npos, tested.window);
        EXPECT_EQ(text.find(">true/pm</dpiAware>") != std::string::npos, tested.window)
            << "what Windows before 10 reads";

        HRSRC group = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // the icon group
        ASSERT_NE(group, nullptr);
        auto* directory = static_cast<PBYTE>(LockResource(LoadResource(program, group)));
        for (int size : {16, 32, 48, 128, 256}) {
            SCOPED_TRACE(size);
            int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            HRSRC image = FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));
            ASSERT_NE(image, nullptr);
            HICON icon = CreateIconFromResourceEx(static_cast<PBYTE>(LockResource(LoadResource(program, image))),
                                                  SizeofResource(program, image), TRUE, 0x30000, 0, 0, LR_DEFAULTCOLOR);
            ASSERT_NE(icon, nullptr);
            ICONINFO info{};
            GetIconInfo(icon, &info);
            BITMAP bitmap{};
            GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size) << "an image made for this size, not a scaled one";
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
        FreeLibrary(program);

        // The version information, read as Explorer's properties read it.
        DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
        ASSERT_GT(size, 0u);
        std::vector<BYTE> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionLS));
        EXPECT_EQ(numbers, quad);
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
        EXPECT_EQ(VersionString(info, L"FileVersion"), WideAscii(quad));
        EXPECT_EQ(VersionString(info, L"ProductVersion"), WideAscii(DetronVersion));
        EXPECT_EQ(VersionString(info, L"OriginalFilename"), WideAscii(tested.name + ".exe"));
        EXPECT_EQ(VersionString(info, L"ProductName"), L"Detron");
    }
}

TEST(WindowsProgram, RunsUnderTheExpectedCodePage)
{
    // The runs differ only in the locale (tools/wine-run.sh's default is Hebrew); a run meant to
    // be outside code page 1255 must be.
    const char* lang = std::getenv("DETRON_WINE_LANG");
    std::string_view locale = lang != nullptr ? lang : "he_IL.UTF-8";
    ASSERT_TRUE(locale.starts_with("he_IL") || locale.starts_with("en_US")) << locale;
    EXPECT_EQ(GetACP(), locale.starts_with("he_IL") ? 1255u : 1252u) << locale;
}

TEST(WindowsProgram, StartsShowingTodayOnBothSides)
{
    auto start = std::chrono::steady_clock::now();
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    SYSTEMTIME now;
    GetLocalTime(&now);
    ExpectShows(program, ExpectedFor(now.wDay, now.wMonth, now.wYear));
    // Reported, not judged: from starting the process to both sides filled in.
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    RecordProperty("StartUpMilliseconds", static_cast<int>(elapsed.count()));
    wchar_t title[64] = {};
    GetWindowTextW(program.Window(), title, 64);
    EXPECT_EQ(std::wstring(title), Wide(Title));
    EXPECT_EQ(program.Count(CivilYearList), 6001);
    EXPECT_EQ(program.Count(HebrewYearList), 6001);
}

TEST(WindowsProgram, ACivilChoiceShowsTheHebrewDateAndTodayComesBack)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    program.Choose(CivilYearList, 2024 + 3760);
    program.Choose(CivilMonthList, 3);  // April
    program.Choose(CivilDayList, 22);   // 23
    Expected spring = ExpectedFor(23, 4, 2024);
    ExpectShows(program, spring);
    EXPECT_EQ(program.Shown(HebrewDayList), L"\u05D8\u05D5") << "15 Nisan 5784";
    EXPECT_EQ(program.Shown(HebrewMonthList), Wide(hebrew_text::HebrewMonthNames[6]));
    EXPECT_EQ(program.Shown(HebrewYearList), L"\u05D4'\u05EA\u05E9\u05E4\u05D3");

    program.Click(TodayButton);
    SYSTEMTIME now;
    GetLocalTime(&now);
    ExpectShows(program, ExpectedFor(now.wDay, now.wMonth, now.wYear));
}

TEST(WindowsProgram, AHebrewChoiceShowsTheCivilDate)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    program.Choose(HebrewYearList, 5770);
    program.Choose(HebrewMonthList, 0);  // Tishri
    program.Choose(HebrewDayList, 0);
    ExpectShows(program, ExpectedFor(19, 9, 2009));
    EXPECT_EQ(program.Shown(CivilMonthList), Wide(hebrew_text::CivilMonthNames[8]));
}

TEST(WindowsProgram, AboutShowsItsBoxAndKeepsTheDate)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    program.Choose(CivilYearList, 2000 + 3760);
    Expected before = ExpectedFor(program.Selection(CivilDayList) + 1, program.Selection(CivilMonthList) + 1, 2000);
    ExpectShows(program, before);

    // F10 and Enter: the keyboard's way to the bar's only item.
    PostMessageW(program.Window(), WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(program.Window(), WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0000001));
    PostMessageW(program.Window(), WM_KEYDOWN, VK_RETURN, 1);
    FoundWindow box{program.Process(), L"#32770", nullptr};
    ASSERT_TRUE(Eventually([&] {
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&box));
        return box.window != nullptr;
    }));
    wchar_t caption[32] = {};
    GetWindowTextW(box.window, caption, 32);
    EXPECT_EQ(std::wstring(caption), Wide(AboutCaption.view()));
    wchar_t text[128] = {};
    GetWindowTextW(GetDlgItem(box.window, 0xFFFF), text, 128);
    EXPECT_EQ(std::wstring(text), Wide(AboutText));
    EXPECT_FALSE(IsWindowEnabled(program.Window())) << "the box is modal";

    PostMessageW(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Eventually([&] { return !IsWindow(box.window) && IsWindowEnabled(program.Window()); }));
    ExpectShows(program, before);
}

TEST(WindowsProgram, TheCloseButtonEndsItWithExitCodeZero)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    program.Click(CloseButton);
    EXPECT_EQ(program.ExitCode(), 0);
}

TEST(WindowsProgram, TheCloseBoxEndsItWithExitCodeZero)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    PostMessageW(program.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.ExitCode(), 0);
}

// Keys as the keyboard gives them, to whichever window has the focus, pressed with `held` (a
// modifier such as VK_MENU) down.
void PressKey(WORD key, WORD held = 0)
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD virtualKey, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (held != 0) {
        add(held, false);
    }
    add(key, false);
    add(key, true);
    if (held != 0) {
        add(held, true);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// Tab, one key at a time, until `control` has the focus: the window's eight stops at most.
void TabTo(const Program& program, int control)
{
    HWND target = program.Control(control);
    for (int stops = 0; stops < 8 && program.Focus() != target; ++stops) {
        HWND before = program.Focus();
        PressKey(VK_TAB);
        ASSERT_TRUE(Eventually([&] { return program.Focus() != before; })) << "Tab moved no focus";
    }
    ASSERT_EQ(program.Focus(), target);
}

bool IsOpen(const Program& program, int list)
{
    return SendMessageW(program.Control(list), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

// From the keyboard alone: the civil day list has the focus from the start, Tab goes round,
// and Enter on a focused button presses it as Space does.
TEST(WindowsProgram, TheKeyboardStartsOnTheCivilDayAndEnterPressesTheButtons)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_TRUE(Eventually([&] { return program.Focus() == program.Control(CivilDayList); }))
        << "no list has the focus at start";
    SYSTEMTIME now;
    GetLocalTime(&now);
    const Expected today = ExpectedFor(now.wDay, now.wMonth, now.wYear);
    ExpectShows(program, today);

    program.Choose(CivilYearList, now.wYear + 3 + 3760);
    ExpectShows(program, ExpectedFor(now.wDay, now.wMonth, now.wYear + 3));
    TabTo(program, TodayButton);
    PressKey(VK_RETURN);
    ExpectShows(program, today);

    TabTo(program, CloseButton);
    PressKey(VK_RETURN);
    EXPECT_EQ(program.ExitCode(), 0) << "Enter on Close";
}

// Escape closes an open list on the item it had when it opened: the arrows only moved through
// the list, and the date stays as it was.
TEST(WindowsProgram, EscapeInAnOpenListKeepsTheDate)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(Eventually([&] { return program.Focus() == program.Control(CivilDayList); }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const Expected today = ExpectedFor(now.wDay, now.wMonth, now.wYear);
    ExpectShows(program, today);
    const int opened = program.Selection(CivilDayList);

    PressKey(VK_DOWN, VK_MENU);
    ASSERT_TRUE(Eventually([&] { return IsOpen(program, CivilDayList); })) << "Alt+Down opened no list";
    // Three days away from today, towards the middle of the month.
    WORD away = opened < 15 ? VK_DOWN : VK_UP;
    for (int step = 1; step <= 3; ++step) {
        PressKey(away);
        int expected = away == VK_DOWN ? opened + step : opened - step;
        ASSERT_TRUE(Eventually([&] { return program.Selection(CivilDayList) == expected; })) << "arrow " << step;
    }
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Eventually([&] { return !IsOpen(program, CivilDayList); })) << "Escape left the list open";
    program.Settle();
    EXPECT_EQ(program.Selection(CivilDayList), opened);
    ExpectShows(program, today);
}

// The focus comes back to the control that had it, after the About box and when the window is
// activated again after another.
TEST(WindowsProgram, TheFocusComesBackAfterTheAboutBoxAndAnotherWindow)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(Eventually([&] { return program.Focus() == program.Control(CivilDayList); }));
    TabTo(program, CivilMonthList);

    PressKey(VK_F10);
    ASSERT_TRUE(Eventually([&] { return program.InMenu(); })) << "F10 did not reach the menu bar";
    PressKey(VK_RETURN);
    FoundWindow box{program.Process(), L"#32770", nullptr};
    ASSERT_TRUE(Eventually([&] {
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&box));
        return box.window != nullptr;
    })) << "F10 and Enter opened no About box";
    ASSERT_TRUE(Eventually([&] { return program.Focus() != nullptr && GetParent(program.Focus()) == box.window; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(Eventually([&] { return !IsWindow(box.window); })) << "Enter did not close the box";
    EXPECT_TRUE(Eventually([&] { return program.Focus() == program.Control(CivilMonthList); }))
        << "the focus did not come back after the About box";

    // Another program's window in front, then this one again.
    HWND other = CreateWindowExW(0, L"Static", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(Eventually([&] { return !program.Active(); })) << "the other window never came to the front";
    SetForegroundWindow(program.Window());
    EXPECT_TRUE(Eventually([&] { return program.Active() && program.Focus() == program.Control(CivilMonthList); }))
        << "the focus did not come back with the window";
    DestroyWindow(other);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

const int Lists[] = {CivilDayList, CivilMonthList, CivilYearList, HebrewDayList, HebrewMonthList, HebrewYearList};

// What a Windows screen reader reads: the list's name is the static text just before it.
TEST(WindowsProgram, EachListIsNamedByTheLabelBeforeIt)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    const std::string_view names[] = {CivilDayName.view(),  CivilMonthName.view(),  CivilYearName.view(),
                                      HebrewDayName.view(), HebrewMonthName.view(), HebrewYearName.view()};
    std::vector<std::wstring> seen;
    for (int at = 0; at < 6; ++at) {
        SCOPED_TRACE(Lists[at]);
        HWND label = GetWindow(program.Control(Lists[at]), GW_HWNDPREV);
        EXPECT_EQ(_wcsicmp(ClassOf(label).c_str(), L"Static"), 0);
        EXPECT_EQ(TextOf(label), Wide(names[at]));
        seen.push_back(TextOf(label));
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end()) << "six different names";

    // The Tab order is the children's order: six lists, then the two buttons.
    std::vector<HWND> stops;
    for (HWND child = GetWindow(program.Window(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(child)) {
            stops.push_back(child);
        }
    }
    ASSERT_EQ(stops.size(), 8u);
    for (int at = 0; at < 6; ++at) {
        EXPECT_EQ(stops[at], program.Control(Lists[at]));
    }
    EXPECT_EQ(TextOf(stops[6]), Wide(TodayCaption.view()));
    EXPECT_EQ(TextOf(stops[7]), Wide(CloseCaption.view()));
}

// What screen readers are told, seen by a hook outside the program's process: the windows of
// the events hooked, as the hook's calls come (as messages to this thread).
std::vector<HWND>* announced = nullptr;

void CALLBACK Announced(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (announced != nullptr && object == OBJID_CLIENT && child == CHILDID_SELF) {
        announced->push_back(window);
    }
}

bool WasAnnounced(const std::vector<HWND>& windows, HWND window)
{
    return Eventually([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        return std::find(windows.begin(), windows.end(), window) != windows.end();
    });
}

// A choice the program makes for the person (the other side of a conversion) reaches screen
// readers as a value change.

TEST(WindowsProgram, TheOtherSideOfAConversionIsAnnouncedAsAValueChange)
{
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    std::vector<HWND> changed;
    announced = &changed;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, Announced,
                                         program.Process(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    program.Choose(CivilYearList, program.Selection(CivilYearList) + 1);
    bool seen = WasAnnounced(changed, program.Control(HebrewYearList));
    UnhookWinEvent(hook);
    announced = nullptr;
    EXPECT_TRUE(seen) << "no value change of the Hebrew year list";
}

// The screen at another scaling (Windows' 150 or 200 %), for the programs started while it lives.
class ScreenScaling {
public:
    explicit ScreenScaling(DWORD dpi)
    {
        // Set also for 100 %, which is what the prefix shows without it.
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~ScreenScaling() { RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels"); }
};

RECT ClientPlace(HWND window, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Whether `text` in the controls' font at `dpi` fits `width` x `height`.
struct Measure {
    explicit Measure(int dpi)
    {
        LOGFONTW description{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        description.lfHeight = MulDiv(description.lfHeight, dpi, static_cast<int>(GetDpiForSystem()));
        font = CreateFontIndirectW(&description);
        context = CreateCompatibleDC(nullptr);
        SelectObject(context, font);
    }
    ~Measure()
    {
        DeleteDC(context);
        DeleteObject(font);
    }
    SIZE Of(const std::wstring& text) const
    {
        SIZE size{};
        GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    HFONT font;
    HDC context;
};

int FrameOf(int list)
{
    return list >= CivilDayList && list <= CivilYearList     ? CivilFrame
           : list >= HebrewDayList && list <= HebrewYearList ? HebrewFrame
                                                             : -1;
}

// At every scaling each control lies inside the window and apart from the others (a list inside
// its frame, below the caption), and every text fits: a button's caption, a frame's caption, a
// list's longest item beside its arrow.
void ExpectNothingCutOrOverlapping(int dpi)
{
    ScreenScaling scaling(static_cast<DWORD>(dpi));
    Program program;
    ASSERT_NE(program.Window(), nullptr);
    HWND window = program.Window();
    Measure measure(dpi);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, MulDiv(ClientWidth, dpi, 96)) << "the window keeps its proportions";

    const int frames[] = {CivilFrame, HebrewFrame};
    const int all[] = {CivilDayList, CivilMonthList, CivilYearList, HebrewDayList, HebrewMonthList, HebrewYearList,
                       TodayButton,  CloseButton,    CivilFrame,    HebrewFrame,     DayLine};
    for (int number : all) {
        SCOPED_TRACE(number);
        RECT place = ClientPlace(window, program.Control(number));
        RECT inside;
        EXPECT_TRUE(IntersectRect(&inside, &place, &client) && EqualRect(&inside, &place)) << "inside the window";
        for (int other : all) {
            RECT otherPlace = ClientPlace(window, program.Control(other));
            bool listInFrame = FrameOf(number) == other;
            if (other == number || FrameOf(other) == number) {
                continue;
            }
            RECT overlap;
            if (listInFrame) {
                RECT within;
                IntersectRect(&within, &place, &otherPlace);
                EXPECT_TRUE(EqualRect(&within, &place)) << "inside its frame";
                EXPECT_GE(place.top, otherPlace.top + measure.Of(TextOf(program.Control(other))).cy)
                    << "below the frame's caption";
            } else {
                EXPECT_FALSE(IntersectRect(&overlap, &place, &otherPlace)) << "overlaps " << other;
            }
        }
        int width = place.right - place.left;
        int height = place.bottom - place.top;
        if (number == DayLine) {
            EXPECT_GE(height, measure.Of(TextOf(program.Control(number))).cy) << "the line as tall as its text";
        } else if (std::find(std::begin(frames), std::end(frames), number) != std::end(frames) || number <= CloseButton) {
            SIZE text = measure.Of(TextOf(program.Control(number)));
            EXPECT_LT(text.cx, width - 2 * MulDiv(8, dpi, 96));
            EXPECT_LT(text.cy, height);
        } else {
            int widest = 0;
            for (int item = 0; item < program.Count(number); ++item) {
                wchar_t text[64] = {};
                SendMessageW(program.Control(number), CB_GETLBTEXT, static_cast<WPARAM>(item),
                             reinterpret_cast<LPARAM>(text));
                widest = std::max(widest, static_cast<int>(measure.Of(text).cx));
            }
            // Beside the item: the arrow, as wide as a scroll bar, and the list's border and margins.
            int room = width - GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi)) -
                       4 * GetSystemMetricsForDpi(SM_CXEDGE, static_cast<UINT>(dpi));
            EXPECT_LE(widest, room) << "the longest item is cut";
            EXPECT_GE(height, measure.Of(L"0").cy) << "a closed list as tall as its text";
        }
    }
}

// One after the other: the scaling is the whole prefix's, for every program started meanwhile.
TEST(WindowsProgram, NothingIsCutOrOverlapsAtTwoHundredOrOneHundredPercent)
{
    {
        SCOPED_TRACE("200 %");
        ExpectNothingCutOrOverlapping(192);
    }
    SCOPED_TRACE("100 %");
    ExpectNothingCutOrOverlapping(96);
}

// The day line, read back through the window's own text and announced on each change (Wine's
// accessibility layer reads no other process's objects: the toolkit's tests read its name
// in-process); the place switched by the keyboard on the menu bar and kept for the next start.
std::wstring WideUtf8(const char* utf8)
{
    return Wide(hebrew_text::Utf8ToCp1255(utf8));
}

const wchar_t* const SettingsKey = L"Software\\Detron";

std::wstring PlaceKept()
{
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, SettingsKey, L"place", RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

TEST(WindowsProgram, TheDayLineNamesTheChosenDayAndThePlaceIsKept)
{
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
    const wchar_t abroad[] = L"abroad";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKey, L"place", REG_SZ, abroad, sizeof abroad), ERROR_SUCCESS);
    {
        Program program;
        ASSERT_NE(program.Window(), nullptr);
        HWND line = program.Control(DayLine);
        ASSERT_NE(line, nullptr);
        std::vector<HWND> changed;
        announced = &changed;
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Announced,
                                             program.Process(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
        program.Choose(CivilYearList, 2026 + 3760);
        struct Row {
            int day, month;
            const char* line;
        };
        const Row rows[] = {
            {11, 5, "יום ל״ט לעומר"},
            {23, 5, "שבועות ב׳"},
            {28, 11, "שבת פרשת וישלח"},
            {29, 11, "פרשת השבוע: וישב"},
            {5, 12, "שבת פרשת וישב · חנוכה א׳ · שבת מברכים טבת · מולד טבת: יום רביעי 11:11 ו־4 חלקים"},
            {10, 12, "ראש חודש טבת יום א׳ · חנוכה ו׳"},
            {11, 12, "ראש חודש טבת יום ב׳ · חנוכה ז׳"},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.line);
            program.Choose(CivilMonthList, row.month - 1);
            program.Choose(CivilDayList, row.day - 1);
            std::wstring expected = WideUtf8(row.line);
            EXPECT_TRUE(Eventually([&] { return TextOf(line) == expected; })) << "shows the day's line";
            EXPECT_TRUE(WasAnnounced(changed, line));
            changed.clear();
        }
        UnhookWinEvent(hook);
        announced = nullptr;

        // 23 May 2026 in Israel: F10 onto the bar's first item, Right to the place, Enter.
        program.Choose(CivilMonthList, 4);
        program.Choose(CivilDayList, 22);
        PostMessageW(program.Window(), WM_SYSKEYDOWN, VK_F10, 1);
        PostMessageW(program.Window(), WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0000001));
        PostMessageW(program.Window(), WM_KEYDOWN, VK_RIGHT, 1);
        PostMessageW(program.Window(), WM_KEYDOWN, VK_RETURN, 1);
        std::wstring israel = WideUtf8("שבת פרשת נשא");
        EXPECT_TRUE(Eventually([&] { return TextOf(line) == israel; })) << "the same Shabbat in Israel";
        EXPECT_EQ(PlaceKept(), L"israel");
        ExpectShows(program, ExpectedFor(23, 5, 2026));
    }
    Program again;
    ASSERT_NE(again.Window(), nullptr);
    again.Choose(CivilYearList, 2026 + 3760);
    again.Choose(CivilMonthList, 4);
    again.Choose(CivilDayList, 22);
    std::wstring israel = WideUtf8("שבת פרשת נשא");
    EXPECT_TRUE(Eventually([&] { return TextOf(again.Control(DayLine)) == israel; })) << "kept for the next start";
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
}

}  // namespace
