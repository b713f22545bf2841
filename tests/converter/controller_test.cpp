#include "converter/controller.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/startup.h"
#include "converter/window_layout.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"
#include "tests/converter/scripted_toolkit.h"

namespace converter {
namespace {

using scripted::Fetch;
using scripted::Step;

// Month names by their place in a common year.
const std::string Tishri(hebrew_text::HebrewMonthNames[0]);
const std::string Tevet(hebrew_text::HebrewMonthNames[3]);
const std::string Adar(hebrew_text::HebrewMonthNames[5]);
const std::string Nisan(hebrew_text::HebrewMonthNames[6]);
const std::string Iyar(hebrew_text::HebrewMonthNames[7]);
const std::string Sivan(hebrew_text::HebrewMonthNames[8]);
const std::string Elul(hebrew_text::HebrewMonthNames[11]);
const std::string SecondAdar(hebrew_text::SecondAdarName);

constexpr int Other = 512;  // any code without a meaning of its own

struct Civil {
    int day, month, year;
};
struct Hebrew {
    int day;
    std::string month;
    int year;
};

Step Poll(int code, int source = 0)
{
    return {Fetch::Poll, code, source};
}

Step Wait(int code, int source = 0)
{
    return {Fetch::Wait, code, source};
}

// The user picks item `index` of `list` while the wait dispatches messages.
Step Choose(int list, int index)
{
    return {Fetch::Wait, toolkit::ControlEvent, list,
            [=] { scripted::Current().Choose(list, index); }};
}

// The user sets all three civil lists; the day list reports last.
Step ChooseCivil(Civil date)
{
    return {Fetch::Wait, toolkit::ControlEvent, CivilDayList, [=] {
                scripted::Current().Choose(CivilDayList, date.day - 1);
                scripted::Current().Choose(CivilMonthList, date.month - 1);
                scripted::Current().Choose(CivilYearList, date.year + 3760);
            }};
}

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }

    void Start(toolkit::LocalDate today)
    {
        window().today = today;
        StartUp(state);
    }

    void Script(std::initializer_list<Step> steps)
    {
        for (const Step& step : steps) {
            window().script.push_back(step);
        }
    }

    // Runs passes until the script is used up, and at most `limit` of them.
    int RunPasses(int limit)
    {
        for (int pass = 0; pass < limit; ++pass) {
            if (window().script.empty() || ConversionPass(state)) {
                return pass + (window().script.empty() ? 0 : 1);
            }
        }
        return limit;
    }

    bool Pass() { return ConversionPass(state); }

    // Starts on `today` and lets a first idle pass convert it.
    void StartAndConvert(toolkit::LocalDate today)
    {
        Start(today);
        Script({Wait(Other)});
        EXPECT_FALSE(Pass());
    }

    // A pass whose wait returns the change, then one whose head poll lets the settle step run.
    void ChangeAndSettle(Step change)
    {
        Script({change, Poll(0), Poll(toolkit::RepaintEvent), Wait(Other)});
        EXPECT_FALSE(Pass());
        EXPECT_FALSE(Pass());
    }

    void ExpectCivil(Civil date)
    {
        EXPECT_EQ(window().Shown(CivilDayList), std::to_string(date.day));
        EXPECT_EQ(window().Selection(CivilMonthList), date.month - 1);
        EXPECT_EQ(window().Shown(CivilYearList), std::to_string(date.year));
    }

    void ExpectHebrew(const Hebrew& date)
    {
        EXPECT_EQ(window().Shown(HebrewDayList), hebrew_text::HebrewNumeral(date.day));
        EXPECT_EQ(window().Shown(HebrewMonthList), date.month);
        EXPECT_EQ(window().Shown(HebrewYearList), hebrew_text::HebrewNumeral(date.year));
    }

    std::size_t MonthCount() { return window().controls.at(HebrewMonthList).items.size(); }

    scripted::Toolkit& window() { return scripted::Current(); }
    ControllerState state;
};

// The first pass shows today's Hebrew date with the month list already in the layout of
// today's year: from the second Adar to Elul a leap year's month is not one item off.
TEST_F(ControllerTest, FirstPassShowsTodayInItsYearsLayout)
{
    struct Row {
        toolkit::LocalDate today;
        Hebrew hebrew;
        std::size_t months;
    };
    const Row rows[] = {
        {{23, 4, 2024}, {15, Nisan, 5784}, 13},
        {{15, 3, 2024}, {5, SecondAdar, 5784}, 13},
        {{10, 9, 2024}, {7, Elul, 5784}, 13},
        {{1, 1, 2000}, {23, Tevet, 5760}, 13},
        {{1, 1, 2025}, {1, Tevet, 5785}, 12},
        {{1, 5, 2023}, {10, Iyar, 5783}, 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hebrew.year * 100 + row.hebrew.day);
        scripted::Reset();
        StartAndConvert(row.today);
        ExpectHebrew(row.hebrew);
        ExpectCivil({row.today.day, row.today.month, row.today.year});
        EXPECT_EQ(MonthCount(), row.months);
        EXPECT_EQ(state.settleMark, MarkIdle);
    }
    // 15 Nisan of a leap year is position 8.
    scripted::Reset();
    StartAndConvert({23, 4, 2024});
    EXPECT_EQ(window().Selection(HebrewMonthList), 7);
}

TEST_F(ControllerTest, CivilDateChosenShowsItsHebrewDate)
{
    struct Row {
        Civil civil;
        Hebrew hebrew;
    };
    const Row rows[] = {
        {{23, 4, 2024}, {15, Nisan, 5784}},
        {{1, 1, 2000}, {23, Tevet, 5760}},
        {{17, 9, 2240}, {1, Tishri, 6001}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.civil.year);
        scripted::Reset();
        StartAndConvert({1, 5, 2023});
        ChangeAndSettle(ChooseCivil(row.civil));
        ExpectCivil(row.civil);
        EXPECT_EQ(window().Shown(HebrewDayList), hebrew_text::HebrewNumeral(row.hebrew.day));
        EXPECT_EQ(window().Shown(HebrewMonthList), row.hebrew.month);
        EXPECT_EQ(state.hebrewDate.year, row.hebrew.year);
    }
}

// The user changes the civil month during the wait of pass 2.
TEST_F(ControllerTest, WorkedSequence)
{
    Start({23, 4, 2024});
    Script({Poll(toolkit::WindowActivatedEvent), Wait(Other)});
    EXPECT_FALSE(Pass());
    ExpectHebrew({15, Nisan, 5784});
    EXPECT_EQ(state.settleMark, MarkIdle);

    Script({Choose(CivilMonthList, 4), Poll(0)});
    EXPECT_FALSE(Pass());
    EXPECT_EQ(state.settleMark, MarkDue);
    EXPECT_EQ(state.rememberedEvent, 0);
    ExpectCivil({23, 5, 2024});
    ExpectHebrew({15, Nisan, 5784});

    Script({Poll(toolkit::RepaintEvent), Wait(Other)});
    EXPECT_FALSE(Pass());
    EXPECT_EQ(state.sourceNumber, CivilMonthList);
    EXPECT_EQ(state.settleMark, MarkIdle);
    ExpectCivil({23, 5, 2024});
    ExpectHebrew({15, Iyar, 5784});

    Script({Poll(0), Wait(Other)});
    EXPECT_FALSE(Pass());
    ExpectCivil({23, 5, 2024});
    ExpectHebrew({15, Iyar, 5784});
}

// The settle step due in the pass whose wait returned the change shows the new selection,
// not the date converted before it.
TEST_F(ControllerTest, SettleAfterAChangeShowsTheChange)
{
    Start({23, 4, 2024});
    Script({Poll(toolkit::WindowActivatedEvent), Wait(Other)});
    EXPECT_FALSE(Pass());
    Script({Choose(CivilMonthList, 4), Poll(toolkit::RepaintEvent)});
    EXPECT_FALSE(Pass());
    EXPECT_EQ(state.settleMark, MarkIdle);
    ExpectCivil({23, 5, 2024});
    ExpectHebrew({15, Iyar, 5784});
}

// A control event fetched by the head poll converts its own side in that pass, instead of
// the other side writing over the change.
TEST_F(ControllerTest, ChangeFetchedAtTheHeadIsConvertedAtOnce)
{
    StartAndConvert({23, 4, 2024});
    ChangeAndSettle(Choose(HebrewDayList, 0));
    ExpectCivil({9, 4, 2024});
    Script({{Fetch::Poll, toolkit::ControlEvent, CivilYearList,
             [this] { window().Choose(CivilYearList, 2023 + 3760); }},
            Wait(Other)});
    EXPECT_FALSE(Pass());
    ExpectCivil({9, 4, 2023});
    EXPECT_EQ(state.civilDate.year, 2023);
}

// The side last touched is converted again in every pass.
TEST_F(ControllerTest, SourceSticks)
{
    StartAndConvert({23, 4, 2024});
    ChangeAndSettle(Choose(HebrewDayList, 0));
    ExpectCivil({9, 4, 2024});
    window().Choose(CivilDayList, 19);
    Script({Wait(Other)});
    EXPECT_FALSE(Pass());
    ExpectCivil({9, 4, 2024});
    EXPECT_EQ(state.sourceNumber, HebrewDayList);
}

TEST_F(ControllerTest, TodayReselectsTodayWhileItIsTheSource)
{
    StartAndConvert({23, 4, 2024});
    ChangeAndSettle(ChooseCivil({1, 1, 2000}));
    ChangeAndSettle(Wait(toolkit::ControlEvent, TodayButton));
    ExpectCivil({23, 4, 2024});
    ExpectHebrew({15, Nisan, 5784});
    window().today = {24, 4, 2024};
    Script({Wait(Other)});
    EXPECT_FALSE(Pass());
    ExpectCivil({24, 4, 2024});
    ExpectHebrew({16, Nisan, 5784});
}

// Impossible dates are converted as counted on, and the settle step shows the real date.
TEST_F(ControllerTest, SettleShowsTheRealDate)
{
    struct Row {
        const char* note;
        toolkit::LocalDate today;
        Step change;
        Civil civil;
        Hebrew hebrew;
    };
    const Row rows[] = {
        {"31 April", {10, 4, 2023}, Choose(CivilDayList, 30), {1, 5, 2023}, {10, Iyar, 5783}},
        {"30 February", {10, 2, 2023}, Choose(CivilDayList, 29), {2, 3, 2023}, {9, Adar, 5783}},
        {"30 February of a leap year", {10, 2, 2024}, Choose(CivilDayList, 29), {1, 3, 2024},
         {21, Adar, 5784}},
        {"30 Iyar", {1, 5, 2023}, Choose(HebrewDayList, 29), {21, 5, 2023}, {1, Sivan, 5783}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        scripted::Reset();
        StartAndConvert(row.today);
        ChangeAndSettle(row.change);
        ExpectCivil(row.civil);
        ExpectHebrew(row.hebrew);
    }
}

// Changing the Hebrew year between a common and a leap year keeps the month the user sees,
// and the month list grows or shrinks to the new year's layout.
TEST_F(ControllerTest, MonthStaysAcrossLeapYears)
{
    struct Row {
        const char* note;
        toolkit::LocalDate today;
        int year;
        Hebrew hebrew;
        Civil civil;
        std::size_t months;
    };
    const Row rows[] = {
        {"Iyar into a leap year", {1, 5, 2023}, 5784, {10, Iyar, 5784}, {18, 5, 2024}, 13},
        {"Iyar out of a leap year", {18, 5, 2024}, 5785, {10, Iyar, 5785}, {8, 5, 2025}, 12},
        {"Nisan into a leap year", {1, 4, 2023}, 5784, {10, Nisan, 5784}, {18, 4, 2024}, 13},
        {"Adar into a leap year", {1, 3, 2023}, 5784, {8, Adar, 5784}, {17, 2, 2024}, 13},
        {"first Adar out of a leap year", {16, 2, 2024}, 5785, {7, Adar, 5785}, {7, 3, 2025}, 12},
        {"second Adar out of a leap year", {15, 3, 2024}, 5785, {5, Adar, 5785}, {5, 3, 2025},
         12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        scripted::Reset();
        StartAndConvert(row.today);
        ChangeAndSettle(Choose(HebrewYearList, row.year));
        ExpectHebrew(row.hebrew);
        ExpectCivil(row.civil);
        EXPECT_EQ(MonthCount(), row.months);
    }
}

TEST_F(ControllerTest, MonthListFollowsCivilYears)
{
    StartAndConvert({1, 5, 2023});
    EXPECT_EQ(MonthCount(), 12u);
    ChangeAndSettle(ChooseCivil({15, 3, 2024}));
    EXPECT_EQ(MonthCount(), 13u);
    ExpectHebrew({5, SecondAdar, 5784});
    ChangeAndSettle(ChooseCivil({15, 3, 2025}));
    EXPECT_EQ(MonthCount(), 12u);
    ExpectHebrew({15, Adar, 5785});
    ChangeAndSettle(ChooseCivil({15, 3, 2024}));
    EXPECT_EQ(window().controls.at(HebrewMonthList).items[6], SecondAdar);
    EXPECT_EQ(MonthCount(), 13u);
}

// The About item shares its number with the Today button but changes no date.
TEST_F(ControllerTest, AboutKeepsTheDate)
{
    StartAndConvert({23, 4, 2024});
    ChangeAndSettle(ChooseCivil({1, 1, 2000}));
    Script({Wait(toolkit::MenuEvent, AboutItem), Wait(Other), Wait(Other)});
    EXPECT_EQ(RunPasses(3), 3);
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].first, AboutCaption.str());
    EXPECT_EQ(window().messages[0].second, AboutText);
    ExpectCivil({1, 1, 2000});
    ExpectHebrew({23, Tevet, 5760});
}

TEST_F(ControllerTest, EveryAboutChoiceShowsTheBoxOnce)
{
    StartAndConvert({23, 4, 2024});
    Script({Poll(toolkit::MenuEvent, AboutItem), Wait(Other),
            Wait(toolkit::MenuEvent, AboutItem),
            Choose(CivilDayList, 0), Poll(toolkit::MenuEvent, AboutItem)});
    EXPECT_FALSE(Pass());
    EXPECT_EQ(window().messages.size(), 1u);
    EXPECT_FALSE(Pass());
    EXPECT_EQ(window().messages.size(), 2u);
    EXPECT_FALSE(Pass());
    EXPECT_EQ(window().messages.size(), 3u);
    ExpectCivil({1, 4, 2024});
}

// A close request ends the program at the end of the pass that fetched it, whichever fetch.
TEST_F(ControllerTest, CloseRequestsAreNeverDropped)
{
    struct Row {
        const char* note;
        std::vector<Step> steps;
        int waits;
    };
    const Row rows[] = {
        {"head poll", {Poll(toolkit::CloseWindowEvent)}, 0},
        {"wait", {Wait(toolkit::CloseWindowEvent)}, 1},
        {"second poll", {Choose(CivilDayList, 2), Poll(toolkit::CloseWindowEvent)}, 1},
        {"Close button by the wait", {Wait(toolkit::ControlEvent, CloseButton)}, 1},
        {"Close button by the head poll", {Poll(toolkit::ControlEvent, CloseButton)}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        scripted::Reset();
        StartAndConvert({23, 4, 2024});
        int waitsBefore = window().waits;
        for (const Step& step : row.steps) {
            window().script.push_back(step);
        }
        EXPECT_TRUE(Pass());
        EXPECT_EQ(window().waits - waitsBefore, row.waits);
    }
}

TEST_F(ControllerTest, MainLoopEndsThroughTheToolkit)
{
    Start({23, 4, 2024});
    Script({Wait(Other), Choose(CivilDayList, 0), Poll(0), Wait(toolkit::CloseWindowEvent)});
    EXPECT_THROW(RunMainLoop(state), scripted::ToolkitEnded);
    EXPECT_EQ(window().waits, 3);
}

// A list with no selection keeps the held value of its field: Hebrew year 6001 is not in the
// year list, yet a change of the Hebrew day stays in that year.
TEST_F(ControllerTest, ListWithoutSelectionReadsTheHeldValue)
{
    StartAndConvert({20, 9, 2240});
    EXPECT_EQ(window().Selection(HebrewYearList), -1);
    ExpectCivil({20, 9, 2240});
    ChangeAndSettle(Choose(HebrewDayList, 4));
    EXPECT_EQ(state.hebrewDate.year, 6001);
    ExpectCivil({21, 9, 2240});
    EXPECT_EQ(window().Shown(HebrewDayList), hebrew_text::HebrewNumeral(5));
    EXPECT_EQ(window().Shown(HebrewMonthList), Tishri);
}

}  // namespace
}  // namespace converter
