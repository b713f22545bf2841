#pragma once
// The window toolkit the converter is written against: windows, controls and menus addressed
// by small numbers the program chooses, event fetching with the toolkit's own codes, the local
// date and decimal texts. All texts are code page 1255 bytes. One backend (Qt or Win32) is
// linked into the program; nothing here names a platform type.
//
// Failure is reported only through results: 0 from a creation whose platform call failed, 0 or
// the empty text from any operation on a number that holds nothing, -1 from GetListSelection
// when nothing is selected, 0 from a fetch that found nothing.

#include <cstdint>
#include <string>
#include <string_view>

namespace toolkit {

// An opaque platform handle (window or menu) carried as a number; 0 means none.
using Handle = std::uintptr_t;

// Event codes returned by PollEvent and WaitEvent.
inline constexpr int NoEvent = 0;
inline constexpr int ControlEvent = 13100;      // a control reported a user's activity
inline constexpr int MenuEvent = 13101;         // a menu item was chosen
inline constexpr int CloseWindowEvent = 16;     // close box, system menu or Alt+F4
inline constexpr int WindowMovedEvent = 3;
inline constexpr int WindowResizedEvent = 5;
inline constexpr int RepaintEvent = 15;
inline constexpr int WindowActivatedEvent = 13104;

// OpenMainWindow flags: the two lowest bits are the toolkit's, the rest platform styles.
inline constexpr std::uint32_t CentreOnScreen = 0x1;
inline constexpr std::uint32_t CentreOnParent = 0x2;
inline constexpr std::uint32_t HiddenWindow = 0x10000000;
inline constexpr std::uint32_t OverlappedWindowStyle = 0xCF0000;

// The program's command line, for the window system's own options (under Qt: -platform,
// -display ...); the toolkit keeps argv. Call before InitToolkit; Win32 reads none.
void UseCommandLine(int argc, char** argv);

// Start and end. InitToolkit runs once before any window. The windows carry the program's own
// icon: icon resource 1 of the program under Win32, the images in its Qt resource folder
// :/program-icon under Qt. Under Qt, when no display can be reached, it says so in one line and
// ends the process with status 1. EndToolkit closes every window, releases the toolkit's objects
// and ends the process with exit code 0.
void InitToolkit();
[[noreturn]] void EndToolkit();

// Windows. OpenMainWindow takes the client size; the menu bar added later takes its height
// out of that area. Returns the platform handle, 0 on failure. Creating under a number in use
// closes the window that held it.
Handle OpenMainWindow(int number, int x, int y, int clientWidth, int clientHeight,
                      std::string_view title, std::uint32_t flags);
Handle WindowHandle(int number);       // 0 when the number holds no window
void UseControlParent(Handle window);  // parent of the controls created next

// Menus: a bar whose items are commands standing directly on it.
Handle AddMenuBar(int menuNumber, Handle ownerWindow);
int AddMenuItem(int itemNumber, std::string_view text);  // 1 on success, 0 on failure
// A new text for the item of that number on any menu; 1 on success, 0 when no menu has it.
int SetMenuItemText(int itemNumber, std::string_view text);

// Controls, in client coordinates of the control parent. Each returns the platform handle,
// 0 when the platform refuses. Creating under a number in use destroys the old control.
// The order of creation is the Tab order; frames take no focus.
Handle AddFrame(int number, int x, int y, int width, int height, std::string_view caption);
Handle AddDropDownList(int number, int x, int y, int width, int height);
Handle AddButton(int number, int x, int y, int width, int height, std::string_view caption);
// A line of text read right to left, right-aligned, that takes no focus and reports nothing:
// no event comes of it. A text too long for the width ends in an ellipsis and shows whole in a
// tooltip. GetControlText and SetControlText read and set it; assistive technology hears of
// each change and can read it again.
Handle AddStaticText(int number, int x, int y, int width, int height, std::string_view text);

// Lists. Changes made through these raise no event.
// Position -1 appends, p >= 0 inserts before the item now at p, below -1 does nothing; the
// selection follows its item. Returns 0.
int AddListItem(int list, int position, std::string_view text);
// Removing the selected item leaves no selection. Returns -1 for a position outside the list,
// otherwise the number of items left.
int RemoveListItem(int list, int position);
std::string GetListItemText(int list, int position);  // empty outside the list
int GetListSelection(int list);                       // -1 when nothing is selected
// -1 or an index outside the list clears the selection. Returns -1 then, else the index.
int SetListSelection(int list, int index);
// For a drop-down list: the selected item's text, empty when none.
std::string GetControlText(int control);
// For a drop-down list: the empty text clears the selection; any other text selects the first
// item equal to it, and a text no item has leaves the selection as it was.
void SetControlText(int control, std::string_view text);

// The name assistive technology reads for a control; lists would otherwise be announced by
// their current item's text.
void SetControlName(int control, std::string_view name);

// A modal box with caption, text (a line feed starts a new line) and an OK button. Returns
// the platform's answer, 1 for OK.
int ShowMessage(std::string_view caption, std::string_view text, int flags = 0);

// Events. EventSource is the number of the control or menu item of the most recent
// ControlEvent or MenuEvent, 0 before the first; no other event or fetch changes it.
// PollEvent never blocks and gives 0 when nothing is waiting; WaitEvent blocks, using no CPU,
// until something arrives. Codes other than the named ones never equal 13100, 13101 or 16.
int EventSource();
int PollEvent();
int WaitEvent();

// Clock: local wall-clock time as seconds since 1970-01-01 00:00:00 read as if it were UTC,
// 64 bits wide so that every date up to 31 December 2240 works; -1 for a rejected reading.
std::int64_t LocalTimestamp();
// Copies the mask, replacing %yyyy, %yy, %mm, %dd, %hh, %ii, %ss (any letter case) with fields
// of the timestamp read as UTC.
std::string FormatTimestamp(std::string_view mask, std::int64_t timestamp);
struct LocalDate {
    int day, month, year;
};
// Today's local date, all three fields from one reading of the clock.
LocalDate CurrentLocalDate();

// The local time zone as the system names it: "Asia/Jerusalem" (Linux), "Israel Standard
// Time" (Windows); the empty text when the system names none.
std::string LocalTimeZoneName();

// Settings of the user, kept by the system between runs (the Qt settings file; the registry
// under HKCU\Software\Detron). A name never written reads as the empty text; a failed write
// is not reported, the setting then reads as before.
std::string ReadSetting(std::string_view name);
void WriteSetting(std::string_view name, std::string_view value);

// Decimal texts: "-3760", "0", "-2147483648".
std::string NumberToText(std::int32_t value);
// Leading blanks and tabs, an optional sign, then "$" hex, "%" binary or decimal digits up
// to the first other character; no digits give 0. Saturates instead of overflowing.
std::int32_t TextToNumber(std::string_view text);

}  // namespace toolkit
