// The day line through the controller: it follows every conversion of a pass and the place the
// user switches from the menu, whose item is never taken for Today or About; the first place is
// the time zone's until the user has chosen one. (The desktop and Windows tests restart.)

#include "converter/day_line.h"

#include <gtest/gtest.h>

#include <string>

#include "converter/startup.h"
#include "converter/window_layout.h"
#include "engine/civil_calendar.h"
#include "hebrew_text/encoding.h"
#include "observances/day_line.h"
#include "tests/converter/scripted_toolkit.h"

namespace converter {
namespace {

using scripted::Fetch;
using scripted::Step;

constexpr int Other = 512;

std::string LineOf(int day, int month, int year, bool israel)
{
    auto number = static_cast<observances::Day>(engine::CivilToDayNumber(day, month, year));
    return hebrew_text::Utf8ToCp1255(observances::DayLineHebrew(number, israel));
}

class DayLineTest : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }
    scripted::Toolkit& window() { return scripted::Current(); }
    std::string Line() { return window().controls.at(DayLine).caption; }
    std::string PlaceShown() { return window().menuItems.at(1).second; }

    // One pass whose wait returns `step`, then one whose head poll settles.
    void Act(Step step)
    {
        window().script.push_back(step);
        window().script.push_back({Fetch::Poll, toolkit::RepaintEvent});
        window().script.push_back({Fetch::Wait, Other});
        EXPECT_FALSE(ConversionPass(state));
        EXPECT_FALSE(ConversionPass(state));
    }

    ControllerState state;
};

TEST_F(DayLineTest, FollowsEachConversionAndThePlaceSwitchedFromTheMenu)
{
    window().today = {5, 12, 2026};  // Shabbat 25 Kislev 5787: Chanukah, Shabbat Mevarchim
    StartUp(state);
    EXPECT_EQ(Line(), "");
    window().script.push_back({Fetch::Wait, Other});
    EXPECT_FALSE(ConversionPass(state));
    EXPECT_EQ(Line(), LineOf(5, 12, 2026, false)) << "the first pass's day";

    // 22 Sivan 5786 (7 June 2026): abroad a week behind Israel, as the portion shows.
    Act({Fetch::Wait, toolkit::ControlEvent, HebrewDayList, [this] {
             window().Choose(HebrewDayList, 21);
             window().Choose(HebrewMonthList, 9);  // Sivan, in the leap layout of 5787 the list has
             window().Choose(HebrewYearList, 5786);
         }});
    const std::string abroad = LineOf(7, 6, 2026, false);
    const std::string israel = LineOf(7, 6, 2026, true);
    ASSERT_NE(abroad, israel);
    EXPECT_EQ(Line(), abroad) << "a Hebrew-side choice";

    int changes = window().textChanges;
    Act({Fetch::Wait, toolkit::MenuEvent, PlaceItem});
    EXPECT_EQ(Line(), israel) << "switched to Israel";
    EXPECT_EQ(PlaceShown(), IsraelCaption.str());
    EXPECT_EQ(window().settings["place"], "israel");
    EXPECT_EQ(window().Selection(CivilDayList), 6) << "the place item is not the Today button";
    EXPECT_TRUE(window().messages.empty()) << "nor the About item";
    EXPECT_EQ(window().textChanges, changes + 1) << "passes that change nothing leave the line alone";

    // 31 February 2027 settles on 3 March 2027, and the line is that day's.
    Act({Fetch::Wait, toolkit::ControlEvent, CivilDayList, [this] {
             window().Choose(CivilDayList, 30);
             window().Choose(CivilMonthList, 1);
             window().Choose(CivilYearList, 2027 + 3760);
         }});
    EXPECT_EQ(window().Selection(CivilMonthList), 2);
    EXPECT_EQ(Line(), LineOf(3, 3, 2027, true)) << "the settled day";

    Act({Fetch::Wait, toolkit::ControlEvent, TodayButton});
    EXPECT_EQ(Line(), LineOf(5, 12, 2026, true)) << "Today, in Israel";
}

TEST_F(DayLineTest, TheFirstPlaceIsTheTimeZonesUntilTheUserChooses)
{
    struct Row {
        const char* zone;
        const char* kept;
        bool israel;
    };
    const Row rows[] = {
        {"Asia/Jerusalem", "", true},        {"Israel Standard Time", "", true}, {"Asia/Tel_Aviv", "", true},
        {"Europe/London", "", false},         {"", "", false},                    {"America/New_York", "israel", true},
        {"Asia/Jerusalem", "abroad", false}, {"Asia/Jerusalem", "elsewhere", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.zone << " kept " << row.kept);
        scripted::Reset();
        window().timeZone = row.zone;
        if (*row.kept != '\0') {
            window().settings["place"] = row.kept;
        }
        StartUp(state);
        EXPECT_EQ(state.israel, row.israel);
        EXPECT_EQ(PlaceShown(), row.israel ? IsraelCaption.str() : AbroadCaption.str());
    }
}

}  // namespace
}  // namespace converter
