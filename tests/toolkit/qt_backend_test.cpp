#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/qt/qt_access.h"
#include "toolkit/qt/qt_preload.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

using namespace test_window;

// What the fetches return when `action` happens while the program waits, as a user's action
// does: the wait and every poll after it.
std::vector<int> WhileWaiting(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    std::vector<int> codes{WaitEvent()};
    for (int code : Drain()) {
        codes.push_back(code);
    }
    return codes;
}

class QtToolkit : public ToolkitWindow {
protected:
    void SetUp() override
    {
        ToolkitWindow::SetUp();
        window = qt_access::Window(Window);
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        Drain();
    }

    QComboBox* Combo() { return static_cast<QComboBox*>(qt_access::Control(List)); }
    QWidget* window = nullptr;
};

// Docks on Wayland find the window's launcher by this name: it must be a desktop entry we ship.
TEST_F(QtToolkit, TheApplicationNamesTheDesktopEntryWeShip)
{
    const QString entry = QGuiApplication::desktopFileName();
    ASSERT_FALSE(entry.isEmpty());
    EXPECT_TRUE(QFile::exists(QStringLiteral(DETRON_DESKTOP_DIR "/") + entry + QStringLiteral(".desktop")))
        << entry.toStdString();
}

TEST_F(QtToolkit, QtSeesUnicodeHebrewAndTextsComeBackAsBytes)
{
    EXPECT_EQ(Combo()->itemText(0), QString::fromUtf8("\u05EA\u05E9\u05E8\u05D9")) << "Qt sees Unicode Hebrew";
    EXPECT_EQ(GetControlText(First), "\xE4\xE9\xE5\xED");
}

TEST_F(QtToolkit, UserActionsRaiseControlEvents)
{
    SetListSelection(List, 1);
    EXPECT_TRUE(Contains(WhileWaiting([] { QTest::mouseClick(qt_access::Control(Last), Qt::LeftButton); }), ControlEvent));
    EXPECT_EQ(EventSource(), Last);

    std::vector<int> codes = WhileWaiting([this] {
        Combo()->setFocus();
        QTest::keyClick(Combo(), Qt::Key_Down);  // the user picks the next month
    });
    EXPECT_TRUE(Contains(codes, ControlEvent));
    EXPECT_EQ(EventSource(), List);
    EXPECT_EQ(GetListSelection(List), 2);

    // The source stays through other events.
    window->move(window->x() + 5, window->y());
    codes = Drain();
    EXPECT_FALSE(Contains(codes, ControlEvent));
    EXPECT_EQ(EventSource(), List);
}

TEST_F(QtToolkit, TheMenuItemIsAOneClickCommandOnTheBar)
{
    QMenuBar* bar = qt_access::MenuBar(1);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    QAction* item = bar->actions().front();
    EXPECT_EQ(item->menu(), nullptr);
    EXPECT_TRUE(Contains(WhileWaiting([&] { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(item).center()); }),
                         MenuEvent));
    EXPECT_EQ(EventSource(), MenuItem);
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(qt_access::Control(First)->parentWidget()->y(), bar->height())
        << "the bar's height comes out of the client area";
    EXPECT_EQ(window->height(), 320);
}

TEST_F(QtToolkit, CloseRequestsAreQueuedOnceAndLeaveTheWindowOpen)
{
    window->close();
    window->close();
    std::vector<int> codes = Drain();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), CloseWindowEvent), 1);
    EXPECT_TRUE(window->isVisible());
    window->close();
    EXPECT_EQ(PollEvent(), CloseWindowEvent);
}

TEST_F(QtToolkit, TabAndShiftTabFollowCreationOrderPastTheFrame)
{
    std::vector<int> codes = WhileWaiting([] {
        qt_access::Control(First)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    });
    EXPECT_TRUE(Contains(codes, ControlEvent)) << "focus changes are control notifications";
    EXPECT_EQ(EventSource(), List);
    EXPECT_EQ(QApplication::focusWidget(), qt_access::Control(List));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), qt_access::Control(Last));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), qt_access::Control(First)) << "after the last comes the first";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), qt_access::Control(Last));
}

TEST_F(QtToolkit, ButtonsReportTheirClickButNeverTheirFocus)
{
    WhileWaiting([] { qt_access::Control(List)->setFocus(); });
    EXPECT_EQ(EventSource(), List);
    // Tab from the list onto a button: the list reports losing the focus, the button nothing.
    std::vector<int> codes = WhileWaiting([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); });
    ASSERT_EQ(QApplication::focusWidget(), qt_access::Control(Last));
    EXPECT_EQ(EventSource(), List);
    // Space clicks it.
    codes = WhileWaiting([] { QTest::keyClick(qt_access::Control(Last), Qt::Key_Space); });
    EXPECT_TRUE(Contains(codes, ControlEvent));
    EXPECT_EQ(EventSource(), Last);
    // From one button to the other: no event at all.
    codes = WhileWaiting([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); });
    ASSERT_EQ(QApplication::focusWidget(), qt_access::Control(First));
    EXPECT_FALSE(Contains(codes, ControlEvent));
    EXPECT_EQ(EventSource(), Last);
}

// A user's change is followed by activity of its own, as on Win32, so that a program waiting
// after it gets to run once more without further input; then the waits block again.
TEST_F(QtToolkit, AUserChangeIsFollowedByRepaintsWithoutFurtherInput)
{
    std::vector<int> codes = WhileWaiting([this] {
        QTest::mouseMove(Combo());
        QWheelEvent notch(QPointF(5, 5), Combo()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Combo(), &notch);
    });
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[0], ControlEvent);
    EXPECT_EQ(GetListSelection(List), 0) << "a notch down from no selection";
    for (std::size_t i = 1; i < codes.size(); ++i) {
        EXPECT_NE(codes[i], ControlEvent);
        EXPECT_NE(codes[i], NoEvent);
    }

    // Nothing else happens now; a wait that found nothing would block until a close below.
    int closes = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, window, [&] {
        ++closes;
        window->close();
    });
    closer.start(1000);
    int code = WaitEvent();
    EXPECT_EQ(closes, 0) << "the wait after the change needed further input";
    EXPECT_NE(code, ControlEvent);
    EXPECT_NE(code, CloseWindowEvent);
    EXPECT_EQ(WaitEvent(), CloseWindowEvent) << "an idle program waits";
    EXPECT_EQ(closes, 1);
}

TEST_F(QtToolkit, ShowMessageIsModalWithCaptionTextAndOk)
{
    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ShowMessage("\xE0\xE5\xE3\xE5\xFA", "line\nsecond"), 1);
    EXPECT_EQ(caption, QString::fromUtf8("\u05D0\u05D5\u05D3\u05D5\u05EA"));
    EXPECT_EQ(text, QStringLiteral("line\nsecond"));
}

TEST_F(QtToolkit, ReplacingAWindowReleasesItsControls)
{
    OpenMainWindow(Window, 0, 0, 100, 100, "", CentreOnScreen | OverlappedWindowStyle);
    EXPECT_EQ(qt_access::Control(List), nullptr) << "the old window's list went with it";
    EXPECT_EQ(GetListSelection(List), -1);
}

// A list inside a frame belongs to the frame's group (what a screen reader announces), yet
// it is the window's control: it stays where it is when the frame is replaced.
TEST_F(QtToolkit, AListInsideAFrameIsInItsGroupAndOutlivesIt)
{
    QWidget* list = qt_access::Control(List);
    EXPECT_EQ(list->parentWidget(), qt_access::Control(Frame));
    const QPoint place = list->mapTo(window, QPoint(0, 0));

    AddFrame(Frame, 10, 200, 200, 60, "");
    ASSERT_EQ(qt_access::Control(List), list);
    EXPECT_EQ(list->mapTo(window, QPoint(0, 0)), place);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(GetListItemText(List, 0), Months[0]);
}

// The fonts start loading before the application exists; a program that ends before it does
// (its display could not be opened, say) still ends, and with its own status.
TEST(QtPreload, AProgramEndingBeforeItsApplicationExistsStillEnds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            qt_preload::Begin();
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace toolkit
