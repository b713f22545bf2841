#pragma once
// The kinds of control the toolkit makes, and which of their notifications become a
// ControlEvent. Both backends ask ReportsNotification before they report anything, so that a
// control reports the same happenings on every platform: a push button (made without the
// notify style) only its click, a drop-down list its focus changes, opening, closing and
// choices, a group frame and a static text nothing.

namespace toolkit {

// Kind codes as the control type tables number them.
enum class ControlKind { PushButton = 1, StaticText = 2, GroupFrame = 7, DropDownList = 8 };

// Notification codes, carried as the event type of a ControlEvent. They are the Win32 numbers,
// which differ by kind: 7 is a button losing the focus but a list dropping down.
inline constexpr int ClickedNotification = 0;           // push button: clicked, by mouse or key
inline constexpr int ButtonFocusInNotification = 6;     // push button: took the focus
inline constexpr int ButtonFocusOutNotification = 7;    // push button: lost the focus
inline constexpr int SelectionNotification = 1;         // list: the user changed the selection
inline constexpr int FocusInNotification = 3;           // list: took the focus
inline constexpr int FocusOutNotification = 4;          // list: lost the focus
inline constexpr int ListOpenedNotification = 7;        // list: dropped down
inline constexpr int ListClosedNotification = 8;        // list: closed up
inline constexpr int ChoiceMadeNotification = 9;        // list: closed on a chosen item
inline constexpr int ChoiceCancelledNotification = 10;  // list: closed without a choice

// Whether a control of `kind` reports `notification` to the program. Anything the table does
// not name, and any control that is no toolkit control, reports nothing.
bool ReportsNotification(ControlKind kind, int notification);

// The notification a control of `kind` sends when it takes (gained) or loses the focus; -1 for
// a kind that takes no focus.
int FocusNotification(ControlKind kind, bool gained);

}  // namespace toolkit
