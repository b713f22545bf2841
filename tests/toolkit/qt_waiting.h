#pragma once
// The Qt toolkit tests' way of acting as a user: while the program waits.

#include <QTimer>

#include <functional>
#include <vector>

#include "tests/toolkit/test_window.h"
#include "toolkit/toolkit.h"

namespace toolkit::test_window {

// What the fetches return when `action` happens while the program waits, as a user's action
// does: the wait and every poll after it.
inline std::vector<int> WhileWaiting(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    std::vector<int> codes{WaitEvent()};
    for (int code : Drain()) {
        codes.push_back(code);
    }
    return codes;
}

}  // namespace toolkit::test_window
