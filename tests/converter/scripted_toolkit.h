#pragma once
// An in-memory toolkit for controller tests: lists behave like drop-down lists, fetches replay
// a script of event codes and user actions, the clock reads a date the test sets.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace scripted {

enum class ControlKind { Frame, DropDownList, Button, StaticText };

struct Control {
    ControlKind kind;
    int number, x, y, width, height;
    std::string caption;
    std::vector<std::string> items;
    int selection = -1;
};

enum class Fetch { Poll, Wait };

// One fetch's answer. A ControlEvent or MenuEvent makes source the toolkit's source number;
// userAction runs first, as the user's change made while the fetch dispatched messages.
struct Step {
    Fetch fetch;
    int code;
    int source = 0;
    std::function<void()> userAction = {};
};

// Thrown by EndToolkit and by a wait with nothing left in the script.
struct ToolkitEnded {};
struct ScriptEnded {};

struct Toolkit {
    std::map<int, Control> controls;
    std::vector<int> creationOrder;
    std::string title;
    int clientWidth = 0, clientHeight = 0;
    std::uint32_t windowFlags = 0;
    int menuBar = -1;
    std::vector<std::pair<int, std::string>> menuItems;
    std::vector<std::pair<std::string, std::string>> messages;  // caption, text of each box
    std::vector<int> filledLists;  // each list once, in the order its first item came
    std::deque<Step> script;
    int source = 0;
    int waits = 0;
    toolkit::LocalDate today = {23, 4, 2024};
    std::string timeZone = "Europe/London";
    std::map<std::string, std::string> settings;  // as the system keeps them between runs
    int textChanges = 0;  // how often SetControlText changed a static text

    // The user's choice of item index in a list, as the window would make it.
    void Choose(int list, int index) { controls.at(list).selection = index; }
    // The text a list shows, empty with no selection.
    std::string Shown(int list) const;
    int Selection(int list) const { return controls.at(list).selection; }
};

// The one toolkit the functions of toolkit/toolkit.h work on; Reset starts afresh.
Toolkit& Current();
void Reset();

}  // namespace scripted
