#include "toolkit/core/control_kinds.h"

#include <array>

namespace toolkit {

namespace {

struct Rule {
    ControlKind kind;
    int notification;
    bool reported;
};

// Every notification the toolkit's controls can send, and whether the program hears of it. A
// push button is made without the notify style, so its focus changes stay its own: a keyboard
// user tabbing past the Today button must not press it.
constexpr std::array<Rule, 10> Rules = {{
    {ControlKind::PushButton, ClickedNotification, true},
    {ControlKind::PushButton, ButtonFocusInNotification, false},
    {ControlKind::PushButton, ButtonFocusOutNotification, false},
    {ControlKind::DropDownList, SelectionNotification, true},
    {ControlKind::DropDownList, FocusInNotification, true},
    {ControlKind::DropDownList, FocusOutNotification, true},
    {ControlKind::DropDownList, ListOpenedNotification, true},
    {ControlKind::DropDownList, ListClosedNotification, true},
    {ControlKind::DropDownList, ChoiceMadeNotification, true},
    {ControlKind::DropDownList, ChoiceCancelledNotification, true},
}};

}  // namespace

bool ReportsNotification(ControlKind kind, int notification)
{
    for (const Rule& rule : Rules) {
        if (rule.kind == kind && rule.notification == notification) {
            return rule.reported;
        }
    }
    return false;
}

int FocusNotification(ControlKind kind, bool gained)
{
    switch (kind) {
    case ControlKind::PushButton:
        return gained ? ButtonFocusInNotification : ButtonFocusOutNotification;
    case ControlKind::DropDownList:
        return gained ? FocusInNotification : FocusOutNotification;
    case ControlKind::GroupFrame:
    case ControlKind::StaticText:
        break;
    }
    return -1;
}

}  // namespace toolkit
