// The converter on a real X display with a window manager, driven as a person drives it: key
// presses and wheel turns from xdotool reach the program through the X server while its own
// passes run. What the window shows is read back from its lists once the program has gone
// idle, that is, waits with nothing more to do; no further input may be needed to show it.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
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
#include "toolkit/qt/qt_access.h"
#include "toolkit/toolkit.h"

namespace converter {
namespace {

constexpr int Kislev = 3;  // month position, the same in every year
constexpr int Tevet = 4;

// One thing the person does or looks at: xdotool's arguments (left out when `unless` holds by
// then), or a look at the window once the program has gone idle.
struct Step {
    QStringList xdotool;
    std::function<void()> look;
    std::function<bool()> unless;
};

Step Xdo(QStringList arguments, std::function<bool()> unless = {})
{
    return {std::move(arguments), {}, std::move(unless)};
}

Step OnceIdle(std::function<void()> look = [] {})
{
    return {{}, std::move(look), {}};
}

QStringList Keys(const QString& key, int times)
{
    QStringList arguments = {"key", "--delay", "80"};
    for (int i = 0; i < times; ++i) {
        arguments << key;
    }
    return arguments;
}

// Processor time a process has used so far, in clock ticks (user and system).
long ProcessorTicks(qint64 pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(file, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14) {
            ticks += std::stol(field);
        }
    }
    return ticks;
}

// The output of a command, which must succeed.
QString RunCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ' ' << arguments.join(' ').toStdString();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

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

    // The person turns to the window, then acts; the program's passes run meanwhile. Returns
    // when the steps are done or the program ended, with the number of steps not reached.
    std::size_t Play(std::vector<Step> steps)
    {
        steps.insert(steps.begin(), Xdo({"windowactivate", "--sync", windowId}));
        std::size_t next = 0;
        bool done = false;
        int passes = 0;
        int lastPasses = -1;
        QElapsedTimer quiet;
        QElapsedTimer overall;
        overall.start();
        QProcess xdotool;
        QTimer ticker;
        ticker.setInterval(20);

        // Runs inside the program's fetches: no timer or process of the test is an event the
        // toolkit reports, so none of it counts as input.
        auto advance = [&] {
            if (done || xdotool.state() != QProcess::NotRunning) {
                return;
            }
            if (overall.elapsed() > 60000) {
                ADD_FAILURE() << "the steps did not finish";
                next = steps.size();
            }
            if (next == steps.size()) {
                done = true;
                window->close();  // lets the last wait return, so that Play can
                return;
            }
            Step& step = steps[next];
            if (!step.xdotool.isEmpty()) {
                ++next;
                if (step.unless && step.unless()) {
                    return;
                }
                quiet.invalidate();
                xdotool.start("xdotool", step.xdotool);
                return;
            }
            if (passes != lastPasses || !quiet.isValid()) {
                lastPasses = passes;
                quiet.start();
                return;
            }
            if (quiet.elapsed() >= 300) {
                ++next;
                step.look();
                quiet.invalidate();
            }
        };
        QObject::connect(&ticker, &QTimer::timeout, advance);
        ticker.start();
        while (!done) {
            if (ConversionPass(state)) {
                ended = !done;
                break;
            }
            ++passes;
        }
        ticker.stop();
        xdotool.waitForFinished(5000);
        EXPECT_EQ(xdotool.exitCode(), 0) << "xdotool " << xdotool.arguments().join(' ').toStdString();
        return steps.size() - next;
    }

    // Moves the pointer over a control, as the next wheel turn needs.
    Step PointAt(int control)
    {
        QWidget* widget = toolkit::qt_access::Control(control);
        QPoint at = widget->mapTo(window, widget->rect().center());
        return Xdo({"mousemove", "--window", windowId, QString::number(at.x()), QString::number(at.y())});
    }

    // Presses Tab, looking each time, until `control` has the focus.
    std::vector<Step> TabTo(int control)
    {
        auto reached = [control] { return QApplication::focusWidget() == toolkit::qt_access::Control(control); };
        std::vector<Step> steps = {Xdo({"windowactivate", "--sync", windowId})};
        for (int i = 0; i < 16; ++i) {  // twice round, for a key a busy machine may lose
            steps.push_back(OnceIdle());
            steps.push_back(Xdo({"key", "Tab"}, reached));
        }
        steps.push_back(OnceIdle([reached] { EXPECT_TRUE(reached()) << "the focus never came"; }));
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
    std::vector<Step> steps = {
        PointAt(CivilYearList),
        Xdo({"click", "--repeat", "2", "--delay", "150", "5"}),  // two years on
        OnceIdle([&] {
            chosen = ShownDay();
            EXPECT_EQ(Selection(CivilYearList) + FirstCivilYear, today.year + 2);
        }),
        Xdo(Keys("Tab", 16)),  // eight focus stops, twice round
        OnceIdle([&] { EXPECT_EQ(ShownDay(), chosen) << "after Tab twice round"; }),
        Xdo(Keys("shift+Tab", 16)),
        OnceIdle([&] { EXPECT_EQ(ShownDay(), chosen) << "after Shift+Tab twice round"; }),
    };
    for (const Step& step : TabTo(TodayButton)) {
        steps.push_back(step);
    }
    steps.push_back(OnceIdle([&] { EXPECT_EQ(ShownDay(), chosen) << "the focus on Today"; }));
    steps.push_back(Xdo({"key", "space"}));
    steps.push_back(OnceIdle([&] { EXPECT_EQ(ShownDay(), todayNumber) << "Space on Today"; }));
    for (const Step& step : TabTo(CloseButton)) {
        steps.push_back(step);
    }
    steps.push_back(Xdo({"key", "space"}));
    steps.push_back(OnceIdle([] { ADD_FAILURE() << "Space on Close did not end the program"; }));
    EXPECT_EQ(Play(steps), 1u) << "the program ended before Space on Close";
    EXPECT_TRUE(ended);
}

TEST_F(DesktopTest, AWheelTurnOntoADayThatDoesNotExistShowsTheRealDate)
{
    // 30 Kislev 5805; Kislev 5804 has 29 days.
    const engine::CivilDate start = {20, 12, 2044};
    ASSERT_EQ(engine::DayNumberToHebrew(engine::CivilToDayNumber(20, 12, 2044)).day, 30);
    ASSERT_EQ(engine::DayNumberToHebrew(engine::HebrewToDayNumber(30, Kislev, 5804)).day, 1);
    Open(&start);
    // The pointer rests on the year list while the keyboard chooses Kislev again.
    std::vector<Step> steps = {PointAt(HebrewYearList)};
    for (const Step& step : TabTo(HebrewMonthList)) {
        steps.push_back(step);
    }
    for (const Step& step : {
        Xdo({"key", "alt+Down"}),  // opens the month list
        OnceIdle([] {
            auto* list = static_cast<QComboBox*>(toolkit::qt_access::Control(HebrewMonthList));
            EXPECT_TRUE(list->view()->isVisible()) << "the month list did not open";
        }),
        Xdo({"key", "Return"}),  // and takes Kislev again
        OnceIdle([&] { ExpectShows(engine::CivilToDayNumber(20, 12, 2044)); }),
        Xdo({"click", "4"}),  // one year back
        OnceIdle([&] { ExpectShows(engine::HebrewToDayNumber(30, Kislev, 5804)); }),
        PointAt(HebrewMonthList),
        Xdo({"click", "--repeat", "2", "--delay", "150", "5"}),  // two months on, from 1 Tevet
        OnceIdle([&] { ExpectShows(engine::HebrewToDayNumber(1, Tevet + 2, 5804)); }),
    }) {
        steps.push_back(step);
    }
    EXPECT_EQ(Play(steps), 0u);
    EXPECT_FALSE(ended);
}

TEST_F(DesktopTest, AWheelTurnFromThe31stOntoFebruaryShowsTheRealDate)
{
    // Three tries, as a fault that shows only sometimes needs.
    for (int year : {2023, 2025, 2026}) {
        SCOPED_TRACE(year);
        const engine::CivilDate start = {31, 1, static_cast<double>(year)};
        Open(&start);
        EXPECT_EQ(Play({
                      PointAt(CivilMonthList),
                      Xdo({"click", "5"}),
                      OnceIdle([&] { ExpectShows(engine::CivilToDayNumber(3, 3, year)); }),
                  }),
                  0u);
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
    auto settledTicks = [pid] {
        // Start-up and the answer to a change are over once a second goes by without any use.
        long before = ProcessorTicks(pid);
        for (int tries = 0; tries < 20; ++tries) {
            QTest::qWait(1000);
            long now = ProcessorTicks(pid);
            if (now == before) {
                return now;
            }
            before = now;
        }
        return before;
    };
    // A program that spins uses about 200 ticks in two seconds; a few allow for the window
    // manager's own late doings on a busy machine.
    constexpr long Allowed = 5;
    long idle = settledTicks();
    QTest::qWait(2000);
    EXPECT_LE(ProcessorTicks(pid) - idle, Allowed) << "ticks used in two idle seconds after start-up";

    RunCommand("xdotool", {"windowactivate", "--sync", id});
    RunCommand("xdotool", {"mousemove", "--window", id, QString::number(at.x()), QString::number(at.y())});
    RunCommand("xdotool", {"click", "5"});
    idle = settledTicks();
    QTest::qWait(2000);
    EXPECT_LE(ProcessorTicks(pid) - idle, Allowed) << "ticks used in two idle seconds after a change";
    program.kill();
    program.waitForFinished();
}

}  // namespace
}  // namespace converter
