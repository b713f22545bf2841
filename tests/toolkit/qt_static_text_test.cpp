// The static text on the Qt backend: no focus, right to left, a text too long cut with an
// ellipsis and whole in its tooltip and its accessible name; and a menu item's new text.

#include <QAction>
#include <QLabel>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "tests/toolkit/test_window.h"
#include "toolkit/qt/qt_access.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

using namespace test_window;

TEST_F(LineWindow, QtCutsWhatDoesNotFitAndKeepsItWholeInItsTooltipAndName)
{
    auto* label = qobject_cast<QLabel*>(qt_access::Control(Line));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(label->layoutDirection(), Qt::RightToLeft);
    EXPECT_TRUE(label->toolTip().isEmpty()) << "a text that fits has no tooltip";
    std::string whole = ShortLine;
    for (int i = 0; i < 5; ++i) {
        whole += std::string(" \xB7 ") + ShortLine;
    }
    SetControlText(Line, whole);
    EXPECT_EQ(GetControlText(Line), whole) << "the program gets back what it set";
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_EQ(label->toolTip().size(), static_cast<qsizetype>(whole.size()));
    EXPECT_EQ(label->accessibleName(), label->toolTip());
    SetControlText(Line, ShortLine);
    EXPECT_TRUE(label->toolTip().isEmpty());

    EXPECT_EQ(SetMenuItemText(MenuItem, "\xE0\xF8\xF5"), 1);
    EXPECT_EQ(qt_access::MenuBar(1)->actions().front()->text(), QString::fromUtf8("\u05D0\u05E8\u05E5"));
    EXPECT_EQ(SetMenuItemText(99, "x"), 0) << "no menu has item 99";
}

}  // namespace
}  // namespace toolkit
