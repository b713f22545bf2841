#pragma once
// The window both backends' toolkit tests open: a button, a frame, a list of the twelve months
// and a second button, created in that order, under a menu bar with one item. Tests written
// against the toolkit's operations alone run on both backends.

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/toolkit.h"

namespace toolkit::test_window {

inline constexpr int Window = 0;
inline constexpr int First = 1;   // button
inline constexpr int Frame = 10;  // takes no focus
inline constexpr int List = 4;
inline constexpr int Last = 2;    // button
inline constexpr int MenuItem = 1;

inline const char* const Months[12] = {"\xFA\xF9\xF8\xE9", "\xE7\xF9\xE5\xEF", "\xEB\xF1\xEC\xE5", "\xE8\xE1\xFA",
                                       "\xF9\xE1\xE8",     "\xE0\xE3\xF8",     "\xF0\xE9\xF1\xEF", "\xE0\xE9\xE9\xF8",
                                       "\xF1\xE9\xE5\xEF", "\xFA\xEE\xE5\xE6", "\xE0\xE1",         "\xE0\xEC\xE5\xEC"};
inline const char* const SecondAdar = "'\xE0\xE3\xF8 \xE1";

// Every code the fetches hand out until nothing is left.
inline std::vector<int> Drain()
{
    std::vector<int> codes;
    for (int code = PollEvent(); code != NoEvent; code = PollEvent()) {
        codes.push_back(code);
    }
    return codes;
}

inline bool Contains(const std::vector<int>& codes, int code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Opens the window; each backend's fixture then makes it the active one.
class ToolkitWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitToolkit();
        OpenMainWindow(Window, 0, 0, 295, 320, "\xE3\xE8\xF8\xE5\xEF", CentreOnScreen | OverlappedWindowStyle);
        UseControlParent(WindowHandle(Window));
        AddMenuBar(1, WindowHandle(Window));
        AddMenuItem(MenuItem, "\xE0\xE5\xE3\xE5\xFA");
        AddButton(First, 10, 10, 100, 30, "\xE4\xE9\xE5\xED");
        AddFrame(Frame, 10, 50, 200, 60, "\xFA\xE0\xF8\xE9\xEA");
        AddDropDownList(List, 20, 70, 100, 200);
        AddButton(Last, 10, 120, 100, 30, "\xF1\xE2\xE5\xF8");
        for (const char* month : Months) {
            AddListItem(List, -1, month);
        }
    }
};

// The same window with a static text under the list, holding a text that fits.
inline constexpr int Line = 12;
inline const char* const ShortLine = "\xF9\xE1\xFA \xF4\xF8\xF9\xFA \xE5\xE9\xF9\xE1";  // שבת פרשת וישב

class LineWindow : public ToolkitWindow {
protected:
    void SetUp() override
    {
        ToolkitWindow::SetUp();
        AddStaticText(Line, 10, 160, 120, 24, ShortLine);
    }
};

}  // namespace toolkit::test_window
