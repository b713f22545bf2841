// The converter on a real X display with a window manager, driven as a person drives it: key
// presses and wheel turns from xdotool reach the program through the X server while its own
// passes run. What the window shows is read back from its lists once the program has gone
// idle, that is, waits with nothing more to do; no further input may be needed to show it.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "converter/controller.h"
#include "converter/startup.h"
#include "converter/window_layout.h"
#include "engine/engine.h"
#include "hebrew_text/encoding.h"
#include "toolkit/qt/qt_access.h"
#include "toolkit/toolkit.h"

namespace converter {
namespace {

constexpr int Kislev = 3;  // month position, the same in every year
constexpr int Tevet = 4;

// One thing the person does, or a state the test waits for. An input step runs xdotool and is
// done once the program has received what it sent: `keys` key releases (after the window has
// been seen to hold the X server's input focus) and `wheels` wheel turns. Other steps are done
// once their state holds: the program idle, then `look` is called; or `until` true.
struct Step {
    QStringList xdotool;
    int keys = 0;
    int wheels = 0;
    std::function<bool()> unless;  // an input step left out when this holds by then
    std::function<void()> look;
    std::function<bool()> until;
    std::string what;
};

Step Input(QStringList xdotool, int keys = 0, int wheels = 0)
{
    return {std::move(xdotool), keys, wheels, {}, {}, {}, {}};
}

// Key names, one step each: the program has each key before the next goes.
std::vector<Step> Keys(const QString& key, int times = 1)
{
    return std::vector<Step>(times, Input({"key", key}, static_cast<int>(key.count('+')) + 1));
}

// Wheel turns over whatever the pointer is on: 4 is away from the person, 5 towards.
std::vector<Step> Wheel(int button, int times = 1)
{
    return std::vector<Step>(times, Input({"click", QString::number(button)}, 0, 1));
}

Step OnceIdle(std::function<void()> look = [] {})
{
    return {{}, 0, 0, {}, std::move(look), {}, "the program to go idle"};
}

Step Until(std::function<bool()> until, std::string what)
{
    return {{}, 0, 0, {}, {}, std::move(until), std::move(what)};
}

void Append(std::vector<Step>& steps, const std::vector<Step>& more)
{
    steps.insert(steps.end(), more.begin(), more.end());
}

// Counts the key releases and wheel turns that reach the program's windows from the X server,
// once each (not again for the widget each is delivered to).
class InputCounter : public QObject {
public:
    int keys = 0;
    int wheels = 0;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (receiver->isWindowType()) {
            if (event->type() == QEvent::KeyRelease) {
                ++keys;
            } else if (event->type() == QEvent::Wheel) {
                ++wheels;
            }
        }
        return false;
    }
};

// Processor time a process has used so far, all its threads, in nanoseconds; and whether any
// of its threads is ready to run, that is, has work it is only waiting for a processor to do.
struct ProcessorUse {
    long long nanoseconds = 0;
    bool runnable = false;
};

ProcessorUse ReadProcessorUse(qint64 pid)
{
    ProcessorUse use;
    QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream schedstat(tasks.filePath(task + "/schedstat").toStdString());
        long long running = 0;
        if (schedstat >> running) {
            use.nanoseconds += running;
        }
        std::ifstream stat(tasks.filePath(task + "/stat").toStdString());
        std::string line;
        std::getline(stat, line);
        std::size_t end = line.rfind(')');
        if (end != std::string::npos && end + 2 < line.size() && line[end + 2] == 'R') {
            use.runnable = true;
        }
    }
    return use;
}

// The output of a command, which must succeed.
QString RunCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ' ' << arguments.join(' ').toStdString();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Far beyond any wait on a busy machine: only a step that will never finish reaches it.
constexpr qint64 StepDeadline = 60000;

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            GTEST_SKIP() << "needs an X display with a window manager (tools/x-session.sh)";
        }
        // The display itself, whatever the other suites ask of Qt.
        qputenv("QT_QPA_PLATFORM", "xcb");
    }

    // Opens the program's window; with a date given, the program starts on it as if it were
    // today's.
    void Open(const engine::CivilDate* start = nullptr)
    {
        state = ControllerState{};
        StartUp(state);
        if (start != nullptr) {
            toolkit::SetListSelection(CivilDayList, engine::RoundToInt(start->day - 1));
            toolkit::SetListSelection(CivilMonthList, engine::RoundToInt(start->month - 1));
            toolkit::SetListSelection(CivilYearList, engine::RoundToInt(start->year - FirstCivilYear));
        }
        window = toolkit::qt_access::Window(ConverterWindow);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        windowId = QString::number(window->winId());
        ended = false;
    }

    // The person acts while the program's passes run; each step waits for the state it needs.
    // Returns whether every step was done; `ended` tells whether the program ended first.
    bool Play(const std::vector<Step>& steps)
    {
        enum class Phase { Begin, CheckFocus, Activate, Send, Deliver };
        InputCounter counter;
        qApp->installEventFilter(&counter);
        std::size_t next = 0;
        Phase phase = Phase::Begin;
        bool done = false;
        int keysBefore = 0;
        int wheelsBefore = 0;
        QElapsedTimer sinceStep;
        sinceStep.start();
        QProcess xdotool;
        QTimer ticker;
        ticker.setInterval(10);

        auto run = [&](const QStringList& arguments) {
            xdotool.start("xdotool", arguments);
        };
        auto finish = [&] {
            ++next;
            phase = Phase::Begin;
            sinceStep.restart();
        };
        // Runs inside the program's fetches: no timer or process of the test is an event the
        // toolkit reports, so none of it counts as input.
        auto advance = [&] {
            if (done || xdotool.state() != QProcess::NotRunning) {
                return;
            }
            if (next < steps.size() && sinceStep.elapsed() > StepDeadline) {
                const char* phases[] = {"begin", "the input focus", "the window's activation", "sending",
                                        "the input reaching the program"};
                const Step& step = steps[next];
                ADD_FAILURE() << "step " << next + 1 << " never finished: " << (step.what.empty() ? "" : step.what)
                              << " xdotool " << step.xdotool.join(' ').toStdString() << ", waiting for "
                              << phases[static_cast<int>(phase)];
                next = steps.size();
            }
            if (next == steps.size()) {
                done = true;
                window->close();  // lets the last wait return, so that Play can
                return;
            }
            const Step& step = steps[next];
            if (step.look) {
                if (toolkit::qt_access::Idle()) {
                    step.look();
                    finish();
                }
                return;
            }
            if (step.until) {
                if (step.until()) {
                    finish();
                }
                return;
            }
            switch (phase) {
            case Phase::Begin:
                if (step.unless && step.unless()) {
                    finish();
                    return;
                }
                phase = step.keys > 0 ? Phase::CheckFocus : Phase::Send;
                if (phase == Phase::CheckFocus) {
                    run({"getwindowfocus"});
                }
                return;
            case Phase::CheckFocus:
            case Phase::Activate: {
                // Keys go where the X server's input focus is: the window must hold it, and
                // Qt must have taken it in, before one is sent.
                bool checked = phase == Phase::CheckFocus;
                QString focus = QString::fromLatin1(xdotool.readAllStandardOutput()).trimmed();
                if (checked && focus == windowId && window->isActiveWindow()) {
                    phase = Phase::Send;
                } else if (checked) {
                    phase = Phase::Activate;
                    run({"windowactivate", windowId});
                } else {
                    phase = Phase::CheckFocus;
                    run({"getwindowfocus"});
                }
                return;
            }
            case Phase::Send:
                keysBefore = counter.keys;
                wheelsBefore = counter.wheels;
                phase = Phase::Deliver;
                run(step.xdotool);
                return;
            case Phase::Deliver:
                if (xdotool.exitStatus() != QProcess::NormalExit || xdotool.exitCode() != 0) {
                    ADD_FAILURE() << "xdotool " << step.xdotool.join(' ').toStdString() << " failed";
                    next = steps.size();
                    return;
                }
                if (counter.keys - keysBefore >= step.keys && counter.wheels - wheelsBefore >= step.wheels) {
                    finish();
                }
                return;
            }
        };
        QObject::connect(&ticker, &QTimer::timeout, advance);
        ticker.start();
        while (!done) {
            if (ConversionPass(state)) {
                ended = !done;
                break;
            }
        }
        ticker.stop();
        xdotool.waitForFinished(StepDeadline);
        qApp->removeEventFilter(&counter);
        return next == steps.size() && !HasFailure();
    }

    // Moves the pointer over a control, as the next wheel turn needs; done once the X server
    // has it there.
    std::vector<Step> PointAt(int control)
    {
        QWidget* widget = toolkit::qt_access::Control(control);
        QPoint at = widget->mapTo(window, widget->rect().center());
        QPoint global = widget->mapToGlobal(widget->rect().center());
        return {Input({"mousemove", "--window", windowId, QString::number(at.x()), QString::number(at.y())}),
                Until([global] { return QCursor::pos() == global; }, "the pointer to reach the control")};
    }

    // Presses Tab, one key at a time, until `control` has the focus.
    std::vector<Step> TabTo(int control)
    {
        auto reached = [control] { return QApplication::focusWidget() == toolkit::qt_access::Control(control); };
        std::vector<Step> steps;
        for (int i = 0; i < 8; ++i) {  // the window's eight focus stops
            Step tab = Keys("Tab")[0];
            tab.unless = reached;
            steps.push_back(tab);
        }
        steps.push_back(OnceIdle([reached] { EXPECT_TRUE(reached()) << "the focus never came"; }));
        return steps;
    }

    // `key` on Today, which brings today back, then on Close, which ends the program: the step
    // after it is never reached.
    std::vector<Step> TodayThenClose(const QString& key, engine::DayNumber todayNumber)
    {
        std::string name = key.toStdString();
        std::vector<Step> steps = TabTo(TodayButton);
        Append(steps, Keys(key));
        steps.push_back(OnceIdle([this, todayNumber, name] { EXPECT_EQ(ShownDay(), todayNumber) << name << " on Today"; }));
        Append(steps, TabTo(CloseButton));
        Append(steps, Keys(key));
        steps.push_back(OnceIdle([name] { ADD_FAILURE() << name << " on Close did not end the program"; }));
        return steps;
    }

    int Selection(int list) { return toolkit::GetListSelection(list); }

    // The date both sides show, as a day number, after checking that both sides show the real
    // date of one and the same day.
    engine::DayNumber ShownDay()
    {
        engine::DayNumber day = engine::CivilToDayNumber(Selection(CivilDayList) + 1, Selection(CivilMonthList) + 1,
                                                         Selection(CivilYearList) + FirstCivilYear);
        ExpectShows(day);
        return day;
    }

    void ExpectShows(engine::DayNumber day)
    {
        engine::CivilDate civil = engine::DayNumberToCivil(day);
        engine::HebrewDate hebrew = engine::DayNumberToHebrew(day);
        std::ostringstream expected;
        expected << civil.day << '.' << civil.month << '.' << civil.year << " = " << hebrew.day << '.' << hebrew.month
                 << '.' << hebrew.year;
        std::ostringstream shown;
        shown << Selection(CivilDayList) + 1 << '.' << Selection(CivilMonthList) + 1 << '.'
              << Selection(CivilYearList) + FirstCivilYear << " = " << Selection(HebrewDayList) + 1 << '.'
              << Selection(HebrewMonthList) + 1 << '.' << Selection(HebrewYearList);
        EXPECT_EQ(shown.str(), expected.str()) << "day, month and year on the civil side = on the Hebrew side";
    }

    ControllerState state;
    QWidget* window = nullptr;
    QString windowId;
    bool ended = false;
};

TEST_F(DesktopTest, TabbingRoundTheWindowKeepsTheDateAndSpacePressesTheButtons)
{
    Open();
    toolkit::LocalDate today = toolkit::CurrentLocalDate();
    engine::DayNumber todayNumber = engine::CivilToDayNumber(today.day, today.month, today.year);
    engine::DayNumber chosen = 0;
    std::vector<Step> steps = PointAt(CivilYearList);
    Append(steps, Wheel(5, 2));  // two years on
    steps.push_back(OnceIdle([&] {
        chosen = ShownDay();
        EXPECT_EQ(Selection(CivilYearList) + FirstCivilYear, today.year + 2);
    }));
    Append(steps, Keys("Tab", 16));  // eight focus stops, twice round
    steps.push_back(OnceIdle([&] { EXPECT_EQ(ShownDay(), chosen) << "after Tab twice round"; }));
    Append(steps, Keys("shift+Tab", 16));
    steps.push_back(OnceIdle([&] { EXPECT_EQ(ShownDay(), chosen) << "after Shift+Tab twice round"; }));
    Append(steps, TabTo(TodayButton));
    steps.push_back(OnceIdle([&] { EXPECT_EQ(ShownDay(), chosen) << "the focus on Today"; }));
    Append(steps, TodayThenClose("space", todayNumber));
    Play(steps);
    EXPECT_TRUE(ended) << "Space on Close ends the program";
}

// The keys a Windows user expects, on this window too: the civil day list has the focus from
// the start; Escape closes an open list on the day it had; the focus comes back after the
// About box; Enter presses a focused button.
TEST_F(DesktopTest, TheKeyboardStartsOnTheCivilDayAndEscapeEnterAndTheAboutBoxKeepTheFocus)
{
    Open();
    toolkit::LocalDate today = toolkit::CurrentLocalDate();
    const engine::DayNumber todayNumber = engine::CivilToDayNumber(today.day, today.month, today.year);
    auto focused = [](int control) { return QApplication::focusWidget() == toolkit::qt_access::Control(control); };
    auto* dayList = static_cast<QComboBox*>(toolkit::qt_access::Control(CivilDayList));
    std::vector<Step> steps = {Until([&] { return focused(CivilDayList); }, "the civil day list to have the focus")};

    Append(steps, Keys("alt+Down"));
    steps.push_back(Until([dayList] { return dayList->view()->isVisible(); }, "the day list to open"));
    Append(steps, Keys(today.day < 15 ? "Down" : "Up", 3));
    steps.push_back(Until([dayList, &today] { return dayList->view()->currentIndex().row() != today.day - 1; },
                          "the arrows to move in the open list"));
    Append(steps, Keys("Escape"));
    steps.push_back(OnceIdle([&] {
        EXPECT_FALSE(dayList->view()->isVisible()) << "Escape closed the list";
        EXPECT_EQ(ShownDay(), todayNumber) << "Escape kept the day";
        EXPECT_TRUE(focused(CivilDayList));
    }));

    // The About item on the bar, clicked; its box closed with Enter.
    Append(steps, TabTo(CivilMonthList));
    QMenuBar* bar = toolkit::qt_access::MenuBar(ConverterMenuBar);
    QPoint about = bar->actionGeometry(bar->actions().value(0)).center();
    QPoint aboutInWindow = bar->mapTo(window, about);
    QPoint aboutOnScreen = bar->mapToGlobal(about);
    steps.push_back(Input({"mousemove", "--window", windowId, QString::number(aboutInWindow.x()),
                           QString::number(aboutInWindow.y())}));
    steps.push_back(Until([aboutOnScreen] { return QCursor::pos() == aboutOnScreen; }, "the pointer on About"));
    steps.push_back(Input({"click", "1"}));
    steps.push_back(Until([] { return qobject_cast<QMessageBox*>(QApplication::activeWindow()) != nullptr; },
                          "the About box to open and take the input"));
    steps.push_back(Until([] { return RunCommand("xdotool", {"getwindowfocus"}) ==
                                      QString::number(QApplication::activeWindow()->winId()); },
                          "the About box to hold the X server's input focus"));
    steps.push_back(Input({"key", "Return"}));
    steps.push_back(Until([this] { return QApplication::activeWindow() == window; }, "the About box to close"));
    steps.push_back(Until([&] { return focused(CivilMonthList); }, "the focus back on the civil month list"));

    // Another year, and Enter on Today brings today back; Enter on Close ends the program.
    Append(steps, PointAt(CivilYearList));
    Append(steps, Wheel(5));
    steps.push_back(OnceIdle([&] { EXPECT_NE(ShownDay(), todayNumber) << "a year on"; }));
    Append(steps, TodayThenClose("Return", todayNumber));
    Play(steps);
    EXPECT_TRUE(ended) << "Enter on Close ends the program";
}

TEST_F(DesktopTest, AWheelTurnOntoADayThatDoesNotExistShowsTheRealDate)
{
    // 30 Kislev 5805; Kislev 5804 has 29 days.
    const engine::CivilDate start = {20, 12, 2044};
    ASSERT_EQ(engine::DayNumberToHebrew(engine::CivilToDayNumber(20, 12, 2044)).day, 30);
    ASSERT_EQ(engine::DayNumberToHebrew(engine::HebrewToDayNumber(30, Kislev, 5804)).day, 1);
    Open(&start);
    auto* monthList = static_cast<QComboBox*>(toolkit::qt_access::Control(HebrewMonthList));
    // The pointer rests on the year list while the keyboard chooses Kislev again.
    std::vector<Step> steps = PointAt(HebrewYearList);
    Append(steps, TabTo(HebrewMonthList));
    Append(steps, Keys("alt+Down"));  // opens the month list
    steps.push_back(Until([monthList] { return monthList->view()->isVisible(); }, "the month list to open"));
    Append(steps, Keys("Return"));  // and takes Kislev again
    steps.push_back(OnceIdle([&] {
        EXPECT_FALSE(monthList->view()->isVisible()) << "Return closed the month list";
        ExpectShows(engine::CivilToDayNumber(20, 12, 2044));
    }));
    Append(steps, Wheel(4));  // one year back
    steps.push_back(OnceIdle([&] { ExpectShows(engine::HebrewToDayNumber(30, Kislev, 5804)); }));
    Append(steps, PointAt(HebrewMonthList));
    Append(steps, Wheel(5, 2));  // two months on, from 1 Tevet
    steps.push_back(OnceIdle([&] { ExpectShows(engine::HebrewToDayNumber(1, Tevet + 2, 5804)); }));
    EXPECT_TRUE(Play(steps));
    EXPECT_FALSE(ended);
}

TEST_F(DesktopTest, AWheelTurnFromThe31stOntoFebruaryShowsTheRealDate)
{
    // Three tries, as a fault that shows only sometimes needs.
    for (int year : {2023, 2025, 2026}) {
        SCOPED_TRACE(year);
        const engine::CivilDate start = {31, 1, static_cast<double>(year)};
        Open(&start);
        std::vector<Step> steps = PointAt(CivilMonthList);
        Append(steps, Wheel(5));
        steps.push_back(OnceIdle([&] { ExpectShows(engine::CivilToDayNumber(3, 3, year)); }));
        EXPECT_TRUE(Play(steps));
        EXPECT_FALSE(ended);
    }
}

}  // namespace
}  // namespace converter

namespace converter {
namespace {

// The program itself, in a process of its own: once started, and again after a change, it
// waits without using the processor. A program that answered its own repaints with more work
// would spin here.
TEST_F(DesktopTest, TheProgramUsesNoProcessorWhileNothingHappens)
{
    Open();  // the same layout, to find the year list in the program's window
    QWidget* list = toolkit::qt_access::Control(CivilYearList);
    QPoint at = list->mapTo(window, list->rect().center());

    QProcess program;
    program.start(DETRON_PROGRAM, {});
    ASSERT_TRUE(program.waitForStarted());
    qint64 pid = program.processId();
    QString id =
        RunCommand("xdotool", {"search", "--sync", "--onlyvisible", "--pid", QString::number(pid)}).split('\n').last();

    // The program is seen idle once it has gone a whole second without a thread ready to run
    // and without using the processor: start-up or the answer to a change is over, however
    // long a busy machine made it take. Returns its processor time at that moment.
    auto seenIdle = [pid](const char* after) {
        QElapsedTimer overall;
        overall.start();
        QElapsedTimer quiet;
        ProcessorUse from = ReadProcessorUse(pid);
        quiet.start();
        while (overall.elapsed() < StepDeadline) {
            QTest::qWait(50);
            ProcessorUse now = ReadProcessorUse(pid);
            if (now.runnable || now.nanoseconds - from.nanoseconds > 1000000) {
                from = now;
                quiet.restart();
            } else if (quiet.elapsed() >= 1000) {
                return from.nanoseconds;
            }
        }
        ADD_FAILURE() << "the program never went idle " << after;
        return from.nanoseconds;
    };
    // A program that spins uses about two seconds in two; a little allows for the window
    // manager's own late doings.
    constexpr long long Allowed = 50000000;
    long long idle = seenIdle("after start-up");
    QTest::qWait(2000);
    EXPECT_LE(ReadProcessorUse(pid).nanoseconds - idle, Allowed)
        << "nanoseconds used in two idle seconds after start-up";

    // The pointer over the year list, once the X server has it there.
    QString corner = RunCommand("xwininfo", {"-id", id});
    QRegularExpressionMatch x = QRegularExpression("Absolute upper-left X: *(-?\\d+)").match(corner);
    QRegularExpressionMatch y = QRegularExpression("Absolute upper-left Y: *(-?\\d+)").match(corner);
    ASSERT_TRUE(x.hasMatch() && y.hasMatch()) << corner.toStdString();
    QPoint global = at + QPoint(x.captured(1).toInt(), y.captured(1).toInt());
    RunCommand("xdotool", {"mousemove", "--window", id, QString::number(at.x()), QString::number(at.y())});
    QElapsedTimer moving;
    moving.start();
    while (QCursor::pos() != global && moving.elapsed() < StepDeadline) {
        QTest::qWait(10);
    }
    ASSERT_EQ(QCursor::pos(), global) << "the pointer never reached the year list";
    long long beforeTurn = ReadProcessorUse(pid).nanoseconds;
    RunCommand("xdotool", {"click", "5"});
    // The turn has reached the program once it has run since.
    QElapsedTimer reaching;
    reaching.start();
    while (ReadProcessorUse(pid).nanoseconds == beforeTurn && reaching.elapsed() < StepDeadline) {
        QTest::qWait(10);
    }
    idle = seenIdle("after a change");
    QTest::qWait(2000);
    EXPECT_LE(ReadProcessorUse(pid).nanoseconds - idle, Allowed)
        << "nanoseconds used in two idle seconds after a change";
    program.kill();
    program.waitForFinished();
}

}  // namespace
}  // namespace converter

namespace converter {
namespace {

// The day line as a person meets it: days chosen by keys and the wheel, the place switched from
// the menu by the mouse and by the keyboard, and the choice kept for the next start. The
// settings go to a folder of the test's own, and the time zone is one outside Israel.
class DayLineDesktopTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        ASSERT_TRUE(settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        qputenv("TZ", "Europe/London");
    }

    void TearDown() override { qunsetenv("TZ"); }

    // A look at the line once the program is idle.
    Step LineReads(const char* utf8, const char* what)
    {
        return OnceIdle([utf8, what] {
            EXPECT_EQ(hebrew_text::Cp1255ToUtf8(toolkit::GetControlText(DayLine)), utf8) << what;
        });
    }

    // A click on the place item of the menu bar.
    std::vector<Step> ClickPlace()
    {
        QMenuBar* bar = toolkit::qt_access::MenuBar(ConverterMenuBar);
        QPoint at = bar->mapTo(window, bar->actionGeometry(bar->actions().at(1)).center());
        return {Input({"mousemove", "--window", windowId, QString::number(at.x()), QString::number(at.y())}),
                Input({"click", "1"})};
    }

    QString PlaceShown()
    {
        return toolkit::qt_access::MenuBar(ConverterMenuBar)->actions().at(1)->text();
    }

    QTemporaryDir settings;
};

TEST_F(DayLineDesktopTest, TheLineNamesEachChosenDayInIsraelAndAbroadAndThePlaceIsKept)
{
    const engine::CivilDate start = {28, 11, 2026};  // Shabbat 18 Kislev 5787
    Open(&start);
    EXPECT_EQ(PlaceShown(), QString::fromUtf8("חוץ לארץ")) << "outside Israel's time zone";
    std::vector<Step> steps = {LineReads("שבת פרשת וישלח", "a Shabbat with its portion")};
    Append(steps, PointAt(CivilDayList));
    Append(steps, Wheel(5));
    steps.push_back(LineReads("פרשת השבוע: וישב", "a plain weekday"));
    Append(steps, TabTo(CivilDayList));
    Append(steps, Keys("Down", 6));
    steps.push_back(LineReads("שבת פרשת וישב · חנוכה א׳ · שבת מברכים טבת · מולד טבת: יום רביעי 11:11 ו־4 חלקים",
                              "Shabbat Mevarchim on Chanukah, with the molad"));
    Append(steps, Keys("Down", 5));
    steps.push_back(LineReads("ראש חודש טבת יום א׳ · חנוכה ו׳", "the first day of Rosh Chodesh"));
    Append(steps, Keys("Down"));
    steps.push_back(LineReads("ראש חודש טבת יום ב׳ · חנוכה ז׳", "the second day"));
    Append(steps, Keys("Tab"));
    steps.push_back(Until([] { return QApplication::focusWidget() == toolkit::qt_access::Control(CivilMonthList); },
                          "the month list to take the focus"));
    Append(steps, Keys("Up", 7));  // 11 May 2026, 24 Iyar 5786
    steps.push_back(LineReads("יום ל״ט לעומר", "a day of the omer"));
    Append(steps, TabTo(CivilDayList));
    Append(steps, Keys("Down", 12));  // 23 May 2026, 7 Sivan, a Shabbat
    steps.push_back(LineReads("שבועות ב׳", "a festival Shabbat abroad"));
    Append(steps, ClickPlace());
    steps.push_back(Until([this] { return state.israel; }, "the place to switch"));
    steps.push_back(LineReads("שבת פרשת נשא", "the same Shabbat in Israel"));
    steps.push_back(OnceIdle([this] { EXPECT_EQ(PlaceShown(), QString::fromUtf8("ארץ ישראל")); }));
    // The keyboard's way to the menu bar: Alt, then along to the place item.
    Append(steps, Keys("alt"));
    Append(steps, Keys("Right"));
    Append(steps, Keys("Return"));
    steps.push_back(Until([this] { return !state.israel; }, "the keyboard to switch the place back"));
    steps.push_back(LineReads("שבועות ב׳", "abroad again"));
    Append(steps, ClickPlace());
    steps.push_back(Until([this] { return state.israel; }, "the place to switch again"));
    EXPECT_TRUE(Play(steps));
    EXPECT_FALSE(ended);

    Open(&start);
    EXPECT_TRUE(state.israel) << "the next start keeps the choice";
    EXPECT_EQ(PlaceShown(), QString::fromUtf8("ארץ ישראל"));
    EXPECT_TRUE(Play({LineReads("שבת פרשת וישלח", "Israel reads Vayishlach too")}));
}

}  // namespace
}  // namespace converter
