// The real window, offscreen, driven as a person would: clicks on the lists' popups, the
// buttons and the menu bar, while the converter's own passes run.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "converter/controller.h"
#include "converter/startup.h"
#include "converter/window_layout.h"
#include "engine/engine.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"
#include "toolkit/qt/qt_access.h"
#include "toolkit/toolkit.h"

namespace converter {
namespace {

QComboBox* List(int number)
{
    return static_cast<QComboBox*>(toolkit::qt_access::Control(number));
}

// Opens a list with a click, moves to the item at `index` in its popup and takes it with Enter.
void ChooseItem(int list, int index)
{
    QComboBox* combo = List(list);
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

class ConverterWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartUp(state);
        window = toolkit::qt_access::Window(ConverterWindow);
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        // Repaints keep the passes coming, as a desktop's own traffic would.
        ticker.setInterval(10);
        QObject::connect(&ticker, &QTimer::timeout, window, [this] { window->update(); });
        ticker.start();
        RunPasses(3);
    }

    void RunPasses(int count)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_FALSE(ConversionPass(state)) << "the program asked to end";
        }
    }

    // Does `action` while the converter waits, then lets it run its passes.
    void Do(const std::function<void()>& action)
    {
        QTimer::singleShot(0, action);
        RunPasses(6);
    }

    std::string Shown(int list) { return toolkit::GetControlText(list); }

    void ExpectCivil(int day, int month, int year)
    {
        EXPECT_EQ(Shown(CivilDayList), std::to_string(day));
        EXPECT_EQ(Shown(CivilMonthList), hebrew_text::CivilMonthNames[month - 1]);
        EXPECT_EQ(Shown(CivilYearList), std::to_string(year));
    }

    void ExpectHebrew(const engine::HebrewDate& date)
    {
        EXPECT_EQ(Shown(HebrewDayList), hebrew_text::HebrewNumeral(date.day));
        EXPECT_EQ(List(HebrewMonthList)->currentIndex(), static_cast<int>(date.month) - 1);
        EXPECT_EQ(Shown(HebrewYearList), hebrew_text::HebrewNumeral(date.year));
    }

    ControllerState state;
    QWidget* window = nullptr;
    QTimer ticker;
};

TEST_F(ConverterWindowTest, StartUpShowsTodayOnBothSides)
{
    toolkit::LocalDate today = toolkit::CurrentLocalDate();
    ExpectCivil(today.day, today.month, today.year);
    ExpectHebrew(engine::DayNumberToHebrew(engine::CivilToDayNumber(today.day, today.month, today.year)));
    EXPECT_EQ(List(CivilYearList)->count(), 6001);
    EXPECT_EQ(List(HebrewMonthList)->accessibleName(), QString::fromUtf8("\u05D7\u05D5\u05D3\u05E9 \u05E2\u05D1\u05E8\u05D9"))
        << "lists are named, not announced by their current item";
    for (int list : {CivilDayList, CivilMonthList, CivilYearList, HebrewDayList, HebrewYearList}) {
        EXPECT_FALSE(List(list)->accessibleName().isEmpty());
    }
    EXPECT_EQ(List(HebrewYearList)->count(), 6001);
}

TEST_F(ConverterWindowTest, ChoosingACivilDateShowsItsHebrewDate)
{
    Do([] { ChooseItem(CivilYearList, 2024 + 3760); });
    Do([] { ChooseItem(CivilMonthList, 3); });
    Do([] { ChooseItem(CivilDayList, 22); });
    ExpectCivil(23, 4, 2024);
    EXPECT_EQ(Shown(HebrewDayList), "\xE8\xE5");                 // 15
    EXPECT_EQ(Shown(HebrewMonthList), "\xF0\xE9\xF1\xEF");        // Nisan
    EXPECT_EQ(Shown(HebrewYearList), "\xE4'\xFA\xF9\xF4\xE3");   // 5784
    EXPECT_EQ(List(HebrewMonthList)->count(), 13) << "5784 is a leap year";
}

TEST_F(ConverterWindowTest, ChoosingAHebrewDateShowsItsCivilDate)
{
    Do([] { ChooseItem(HebrewYearList, 5770); });
    Do([] { ChooseItem(HebrewMonthList, 0); });
    Do([] { ChooseItem(HebrewDayList, 0); });
    ExpectCivil(19, 9, 2009);
    EXPECT_EQ(List(HebrewMonthList)->count(), 12);
}

TEST_F(ConverterWindowTest, TodayButtonBringsBackToday)
{
    Do([] { ChooseItem(CivilYearList, 1948 + 3760); });
    EXPECT_EQ(Shown(CivilYearList), "1948");
    Do([] { QTest::mouseClick(toolkit::qt_access::Control(TodayButton), Qt::LeftButton); });
    toolkit::LocalDate today = toolkit::CurrentLocalDate();
    ExpectCivil(today.day, today.month, today.year);
}

TEST_F(ConverterWindowTest, AboutShowsItsBoxAndKeepsTheDate)
{
    Do([] { ChooseItem(CivilYearList, 1948 + 3760); });
    QString text;
    QString button;
    Qt::LayoutDirection direction = Qt::RightToLeft;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            button = box->button(QMessageBox::Ok)->text();
            direction = box->layoutDirection();
            box->button(QMessageBox::Ok)->click();
        }
    });
    Do([] {
        QMenuBar* bar = toolkit::qt_access::MenuBar(ConverterMenuBar);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().front()).center());
    });
    EXPECT_TRUE(text.contains(QString::fromUtf8(ContactAddress.data(), ContactAddress.size())));
    EXPECT_EQ(button, QString::fromUtf8("\u05D0\u05D9\u05E9\u05D5\u05E8")) << "Qt's own Hebrew for OK, whatever the locale";
    EXPECT_EQ(direction, Qt::LeftToRight) << "the Hebrew translation mirrors nothing";
    EXPECT_EQ(window->layoutDirection(), Qt::LeftToRight);
    RunPasses(5);
    EXPECT_EQ(Shown(CivilYearList), "1948");
}

// Runs the whole program in a child process and returns how it ended.
int ExitStatusAfter(const std::function<void(QWidget* window)>& action)
{
    pid_t child = fork();
    if (child == 0) {
        alarm(30);  // a program that does not end fails the test instead of hanging it
        ControllerState state;
        StartUp(state);
        QWidget* window = toolkit::qt_access::Window(ConverterWindow);
        QTimer::singleShot(100, [&] { action(window); });
        RunMainLoop(state);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST(ConverterProgram, CloseButtonEndsWithExitCodeZero)
{
    int status = ExitStatusAfter([](QWidget*) {
        QTest::mouseClick(toolkit::qt_access::Control(CloseButton), Qt::LeftButton);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ConverterProgram, CloseBoxEndsWithExitCodeZero)
{
    int status = ExitStatusAfter([](QWidget* window) { window->close(); });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace converter
