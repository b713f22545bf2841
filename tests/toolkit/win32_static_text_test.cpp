// The static text on the Win32 backend, in-process under Wine (whose accessibility layer reads
// no other process's objects): right to left, no tab stop, sending nothing; a text too long gets
// a tooltip with the whole text; the accessibility layer names the line by its text. And a
// menu item's new text.

#include <string>

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include "tests/toolkit/test_window.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/win32_access.h"

namespace toolkit {
namespace {

using namespace test_window;

std::wstring AccessibleName(HWND window)
{
    IAccessible* accessible = nullptr;
    std::wstring name;
    if (AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&accessible)) == S_OK) {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR text = nullptr;
        if (accessible->get_accName(self, &text) == S_OK) {
            name = text;
            SysFreeString(text);
        }
        accessible->Release();
    }
    return name;
}

// The text of the tooltip the line's window holds for it; empty when it holds none.
std::wstring TipText(HWND line)
{
    wchar_t text[256] = {};
    for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip != nullptr;
         tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        TOOLINFOW tool{sizeof(TOOLINFOW), 0, GetParent(line), 1, {}, nullptr, text, 0, nullptr};
        if (GetWindow(tip, GW_OWNER) == GetParent(line) && SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) > 0) {
            SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        }
    }
    return text;
}

TEST_F(LineWindow, Win32ReadsRightToLeftSendsNothingAndShowsWhatIsCutInATooltip)
{
    HWND line = win32_access::Control(Line);
    ASSERT_NE(line, nullptr);
    EXPECT_NE(GetWindowLongW(line, GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
    EXPECT_EQ(GetWindowLongW(line, GWL_STYLE) & (WS_TABSTOP | SS_NOTIFY), 0) << "no focus stop, no clicks reported";
    EXPECT_EQ(TipText(line), L"") << "a text that fits has no tooltip";
    std::string whole = ShortLine;
    for (int i = 0; i < 5; ++i) {
        whole += std::string(" \xB7 ") + ShortLine;
    }
    SetControlText(Line, whole);
    EXPECT_EQ(GetControlText(Line), whole);
    EXPECT_EQ(TipText(line).size(), whole.size());
    EXPECT_EQ(AccessibleName(line), TipText(line));
    SetControlText(Line, ShortLine);
    EXPECT_EQ(TipText(line), L"");
    EXPECT_EQ(AccessibleName(line), L"\u05E9\u05D1\u05EA \u05E4\u05E8\u05E9\u05EA \u05D5\u05D9\u05E9\u05D1");

    EXPECT_EQ(SetMenuItemText(MenuItem, "\xE0\xF8\xF5"), 1);
    wchar_t item[16] = {};
    GetMenuStringW(win32_access::Menu(1), MenuItem, item, 16, MF_BYCOMMAND);
    EXPECT_STREQ(item, L"\u05D0\u05E8\u05E5");
    EXPECT_EQ(SetMenuItemText(99, "x"), 0) << "no menu has item 99";
}

}  // namespace
}  // namespace toolkit
