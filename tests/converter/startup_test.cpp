#include "converter/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "converter/window_layout.h"
#include "hebrew_text/numerals.h"
#include "tests/converter/scripted_toolkit.h"

namespace converter {
namespace {

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }
    void Start(toolkit::LocalDate today)
    {
        scripted::Current().today = today;
        StartUp(state);
    }
    scripted::Toolkit& window() { return scripted::Current(); }
    ControllerState state;
};

TEST_F(StartUpTest, WindowAndMenu)
{
    Start({23, 4, 2024});
    std::string title = "\xE3\xE8\xF8\xE5\xEF \xE2\xF8\xF1\xE0 ";  // דטרון גרסא
    title += DetronVersion;
    EXPECT_EQ(window().title, title);
    EXPECT_EQ(window().clientWidth, 295);
    EXPECT_EQ(window().clientHeight, 320);
    EXPECT_EQ(window().windowFlags, 0xCF0001u);
    EXPECT_EQ(window().menuBar, 1);
    ASSERT_EQ(window().menuItems.size(), 2u);
    EXPECT_EQ(window().menuItems[0].first, 1);
    EXPECT_EQ(window().menuItems[0].second, "\xE0\xE5\xE3\xE5\xFA");  // אודות
    EXPECT_EQ(window().menuItems[1].first, 3);
    EXPECT_EQ(window().menuItems[1].second, "\xE7\xE5\xF5 \xEC\xE0\xF8\xF5");  // חוץ לארץ, outside Israel's zone
}

TEST_F(StartUpTest, ControlsInCreationOrder)
{
    struct Row {
        int number;
        scripted::ControlKind kind;
        int x, y, width, height;
        std::string caption;
    };
    using K = scripted::ControlKind;
    const std::vector<Row> expected = {
        {11, K::Frame, 10, 10, 265, 65, "\xFA\xE0\xF8\xE9\xEA \xEC\xE5\xF2\xE6\xE9"},  // תאריך לועזי
        {4, K::DropDownList, 15, 35, 50, 30, ""},
        {5, K::DropDownList, 75, 35, 100, 30, ""},
        {6, K::DropDownList, 185, 35, 80, 30, ""},
        {10, K::Frame, 10, 110, 260, 65, "\xFA\xE0\xF8\xE9\xEA \xF2\xE1\xF8\xE9"},  // תאריך עברי
        {7, K::DropDownList, 215, 135, 50, 30, ""},
        {8, K::DropDownList, 110, 135, 95, 30, ""},
        {9, K::DropDownList, 20, 135, 80, 30, ""},
        {1, K::Button, 75, 220, 130, 30, "\xE4\xE9\xE5\xED"},  // היום
        {2, K::Button, 75, 260, 130, 30, "\xF1\xE2\xE5\xF8"},  // סגור
        {12, K::StaticText, 10, 185, 265, 26, ""},  // the day line, empty until the first pass
    };
    Start({23, 4, 2024});
    ASSERT_EQ(window().creationOrder.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].number);
        EXPECT_EQ(window().creationOrder[i], expected[i].number);
        const scripted::Control& control = window().controls.at(expected[i].number);
        EXPECT_EQ(control.kind, expected[i].kind);
        EXPECT_EQ(control.x, expected[i].x);
        EXPECT_EQ(control.y, expected[i].y);
        EXPECT_EQ(control.width, expected[i].width);
        EXPECT_EQ(control.height, expected[i].height);
        EXPECT_EQ(control.caption, expected[i].caption);
    }
}

TEST_F(StartUpTest, ListsFilledInOrder)
{
    Start({23, 4, 2024});
    EXPECT_EQ(window().filledLists, (std::vector<int>{5, 8, 4, 9, 6, 7}));

    const auto& civilYears = window().controls.at(CivilYearList).items;
    ASSERT_EQ(civilYears.size(), 6001u);
    EXPECT_EQ(civilYears.front(), "-3760");
    EXPECT_EQ(civilYears.back(), "2240");
    auto zero = std::find(civilYears.begin(), civilYears.end(), "0");
    ASSERT_NE(zero, civilYears.end());
    EXPECT_EQ(*(zero - 1), "-1");
    EXPECT_EQ(*(zero + 1), "1");

    const auto& hebrewYears = window().controls.at(HebrewYearList).items;
    ASSERT_EQ(hebrewYears.size(), 6001u);
    EXPECT_EQ(hebrewYears.front(), "");
    EXPECT_EQ(hebrewYears[5784], "\xE4'\xFA\xF9\xF4\xE3");  // ה'תשפד
    EXPECT_EQ(hebrewYears.back(), hebrew_text::HebrewNumeral(6000));

    const auto& civilDays = window().controls.at(CivilDayList).items;
    ASSERT_EQ(civilDays.size(), 31u);
    EXPECT_EQ(civilDays.front(), "1");
    EXPECT_EQ(civilDays.back(), "31");

    const auto& hebrewDays = window().controls.at(HebrewDayList).items;
    ASSERT_EQ(hebrewDays.size(), 30u);
    EXPECT_EQ(hebrewDays[14], "\xE8\xE5");  // טו
    EXPECT_EQ(hebrewDays.back(), "\xEC");   // ל

    EXPECT_EQ(window().controls.at(CivilMonthList).items.size(), 12u);
    EXPECT_EQ(window().controls.at(HebrewMonthList).items.size(), 12u);
}

TEST_F(StartUpTest, TodaySelectedOnTheCivilSideOnly)
{
    struct Row {
        toolkit::LocalDate today;
        int yearIndex;
        const char* note;
    };
    const Row rows[] = {
        {{23, 4, 2024}, 5784, "an ordinary day"},
        {{1, 1, 1}, 3761, "year 1"},
        {{31, 12, 2240}, 6000, "the last listed year"},
        {{1, 1, 2241}, -1, "a year past the list leaves it without selection"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        scripted::Reset();
        Start(row.today);
        EXPECT_EQ(window().Selection(CivilDayList), row.today.day - 1);
        EXPECT_EQ(window().Selection(CivilMonthList), row.today.month - 1);
        EXPECT_EQ(window().Selection(CivilYearList), row.yearIndex);
        for (int list : {HebrewDayList, HebrewMonthList, HebrewYearList}) {
            EXPECT_EQ(window().Selection(list), -1);
        }
    }
}

TEST(AboutText, FirstLineThenContactAddress)
{
    // תוכנת על ידי נוגלית
    EXPECT_EQ(AboutText, "\xFA\xE5\xEB\xF0\xFA \xF2\xEC \xE9\xE3\xE9 \xF0\xE5\xE2\xEC\xE9\xFA\n" +
                             std::string(ContactAddress));
    EXPECT_EQ(ContactAddress.find('\n'), std::string_view::npos);
}

}  // namespace
}  // namespace converter
