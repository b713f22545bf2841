// The static text and the menu item's text on the Qt backend: the line takes no focus and
// raises no event whatever the user does to it, cuts what does not fit and shows it whole in
// its tooltip, and tells assistive technology the whole text.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "tests/toolkit/qt_waiting.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/qt/qt_access.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

using namespace test_window;

const char* const Short = ShortLine;

class QtStaticText : public LineWindow {
protected:
    void SetUp() override
    {
        LineWindow::SetUp();
        QWidget* window = qt_access::Window(Window);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        Drain();
        label = qobject_cast<QLabel*>(qt_access::Control(Line));
        ASSERT_NE(label, nullptr);
    }
    QLabel* label = nullptr;
};

TEST_F(QtStaticText, TakesNoFocusAndRaisesNoEvent)
{
    EXPECT_EQ(GetControlText(Line), Short);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(label->layoutDirection(), Qt::RightToLeft);
    ASSERT_TRUE(Contains(WhileWaiting([] { QTest::mouseClick(qt_access::Control(Last), Qt::LeftButton); }), ControlEvent));
    EXPECT_FALSE(Contains(WhileWaiting([this] {
                              QTest::mouseClick(label, Qt::LeftButton);
                              QTest::mouseDClick(label, Qt::LeftButton);
                              SetControlText(Line, "\xE7\xF0\xE5\xEB\xE4");
                          }),
                          ControlEvent));
    EXPECT_EQ(EventSource(), Last) << "the line never becomes the source";
}

TEST_F(QtStaticText, ATextTooLongEndsInAnEllipsisAndIsWholeInItsTooltip)
{
    std::string whole;
    for (int i = 0; i < 6; ++i) {
        whole += i == 0 ? Short : std::string(" \xB7 ") + Short;
    }
    SetControlText(Line, whole);
    EXPECT_EQ(GetControlText(Line), whole) << "the program gets back what it set";
    EXPECT_TRUE(label->text().contains(QChar(0x2026))) << label->text().toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_EQ(label->toolTip(), label->accessibleName());
    EXPECT_EQ(label->toolTip().size(), static_cast<qsizetype>(whole.size()));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), label->toolTip());

    SetControlText(Line, Short);
    EXPECT_TRUE(label->toolTip().isEmpty()) << "a text that fits has no tooltip";
    EXPECT_EQ(label->text(), label->accessibleName());
}

TEST_F(QtStaticText, AMenuItemTakesANewText)
{
    EXPECT_EQ(SetMenuItemText(MenuItem, "\xE0\xF8\xF5"), 1);
    EXPECT_EQ(qt_access::MenuBar(1)->actions().front()->text(), QString::fromUtf8("\u05D0\u05E8\u05E5"));
    EXPECT_EQ(SetMenuItemText(99, "x"), 0) << "no menu has item 99";
}

}  // namespace
}  // namespace toolkit
