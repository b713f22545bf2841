// The static text and the menu item's text on the Win32 backend, in-process under Wine: the line
// is right to left, no tab stop and sends its window nothing; a text too long gets a tooltip with
// the whole text; the accessibility layer reads the line's text as its name.

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

const char* const Short = ShortLine;

class Win32StaticText : public LineWindow {
protected:
    void SetUp() override
    {
        LineWindow::SetUp();
        line = win32_access::Control(Line);
        ASSERT_NE(line, nullptr);
        Drain();
    }
    HWND line = nullptr;
};

std::wstring AccessibleName(HWND window)
{
    IAccessible* accessible = nullptr;
    std::wstring name;
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&accessible)),
              S_OK);
    if (accessible != nullptr) {
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

// The tooltip that the line's window holds for it, with its text; empty when there is none.
std::wstring TipText(HWND line)
{
    HWND tip = nullptr;
    for (HWND at = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); at != nullptr;
         at = FindWindowExW(nullptr, at, TOOLTIPS_CLASSW, nullptr)) {
        if (GetWindow(at, GW_OWNER) == GetParent(line) && SendMessageW(at, TTM_GETTOOLCOUNT, 0, 0) > 0) {
            tip = at;
        }
    }
    if (tip == nullptr) {
        return {};
    }
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(line);
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(Win32StaticText, ReadsRightToLeftTakesNoFocusAndSendsNothing)
{
    EXPECT_EQ(GetControlText(Line), Short);
    EXPECT_NE(GetWindowLongW(line, GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
    LONG style = GetWindowLongW(line, GWL_STYLE);
    EXPECT_EQ(style & WS_TABSTOP, 0);
    EXPECT_EQ(style & SS_NOTIFY, 0) << "no clicks reported to the window";
    EXPECT_NE(style & SS_ENDELLIPSIS, 0);
    PostMessageW(line, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(line, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageW(line, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SetControlText(Line, "\xE7\xF0\xE5\xEB\xE4");
    EXPECT_FALSE(Contains(Drain(), ControlEvent));
    EXPECT_NE(EventSource(), Line);
}

TEST_F(Win32StaticText, ATextTooLongHasItsWholeTextInATooltipAndAsItsName)
{
    EXPECT_EQ(TipText(line), L"") << "a text that fits has no tooltip";
    std::string whole = Short;
    for (int i = 0; i < 5; ++i) {
        whole += std::string(" \xB7 ") + Short;
    }
    SetControlText(Line, whole);
    EXPECT_EQ(GetControlText(Line), whole);
    std::wstring wide = TipText(line);
    EXPECT_EQ(wide.size(), whole.size());
    EXPECT_EQ(AccessibleName(line), wide);
    SetControlText(Line, Short);
    EXPECT_EQ(TipText(line), L"");
    EXPECT_EQ(AccessibleName(line), L"\u05E9\u05D1\u05EA \u05E4\u05E8\u05E9\u05EA \u05D5\u05D9\u05E9\u05D1");
}

TEST_F(Win32StaticText, AMenuItemTakesANewText)
{
    EXPECT_EQ(SetMenuItemText(MenuItem, "\xE0\xF8\xF5"), 1);
    wchar_t item[16] = {};
    GetMenuStringW(win32_access::Menu(1), MenuItem, item, 16, MF_BYCOMMAND);
    EXPECT_STREQ(item, L"\u05D0\u05E8\u05E5");
    EXPECT_EQ(SetMenuItemText(99, "x"), 0) << "no menu has item 99";
}

}  // namespace
}  // namespace toolkit
