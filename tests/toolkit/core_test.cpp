#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "local_date/local_date.h"
#include "toolkit/core/event_state.h"
#include "toolkit/core/registry.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

struct Probe {
    explicit Probe(int* counter) : released(counter) {}
    ~Probe() { ++*released; }
    int* released;
};

TEST(Registry, ReplacingReleasesTheOldObjectAndEmptyNumbersFindNothing)
{
    int released = 0;
    Registry<Probe> registry(ControlStep);
    EXPECT_EQ(registry.Find(3), nullptr);
    EXPECT_EQ(registry.Find(-1), nullptr);
    registry.Put(3, std::make_unique<Probe>(&released));
    EXPECT_EQ(registry.Capacity(), 53);  // grows to the number plus one step
    EXPECT_EQ(released, 0);
    registry.Put(3, std::make_unique<Probe>(&released));
    EXPECT_EQ(released, 1);
    EXPECT_NE(registry.Find(3), nullptr);
    EXPECT_EQ(registry.Find(4), nullptr);
    registry.Release(4);  // nothing there: nothing happens
    EXPECT_EQ(released, 1);
    EXPECT_EQ(registry.Put(-1, std::make_unique<Probe>(&released)), nullptr);
    EXPECT_EQ(released, 2);
    registry.Clear();
    EXPECT_EQ(released, 3);
}

TEST(EventState, QueueDropsAPairEqualToTheLastWaitingOne)
{
    EventState events;
    auto nothing = [](bool) {};
    events.Queue(CloseWindowEvent, 0);
    events.Queue(CloseWindowEvent, 0);  // second close request before the next fetch
    events.Queue(RepaintEvent, 0);
    events.Queue(CloseWindowEvent, 0);  // not equal to the last waiting pair: queued
    EXPECT_EQ(events.Waiting(), 3u);
    EXPECT_EQ(events.Fetch(false, nothing), CloseWindowEvent);
    EXPECT_EQ(events.Fetch(false, nothing), RepaintEvent);
    EXPECT_EQ(events.Fetch(false, nothing), CloseWindowEvent);
    EXPECT_EQ(events.Fetch(false, nothing), NoEvent);
}

TEST(EventState, SourceStaysThroughEveryLaterEvent)
{
    EventState events;
    EXPECT_EQ(events.Source(), 0);
    events.ReportControl(5, ControlKind::DropDownList, 0, SelectionNotification);
    EXPECT_EQ(events.Fetch(false, [](bool) {}), ControlEvent);
    for (int code : {RepaintEvent, WindowMovedEvent, CloseWindowEvent, WindowActivatedEvent}) {
        events.Queue(code, 0);
        EXPECT_EQ(events.Fetch(false, [](bool) {}), code);
        EXPECT_EQ(events.Fetch(false, [](bool) {}), NoEvent);
        EXPECT_EQ(events.Source(), 5);
    }
    events.ReportMenu(1, 0);
    EXPECT_EQ(events.Fetch(false, [](bool) {}), MenuEvent);
    EXPECT_EQ(events.Source(), 1);
}

TEST(EventState, QueuedPairsComeFirstAndWaitingDispatchesUntilSomethingArrives)
{
    EventState events;
    int rounds = 0;
    events.Queue(WindowResizedEvent, 0);
    EXPECT_EQ(events.Fetch(true, [&](bool) { ++rounds; }), WindowResizedEvent);
    EXPECT_EQ(rounds, 0);  // a queued pair needs no platform round

    // Rounds that bring nothing the converter knows keep a wait waiting.
    int code = events.Fetch(true, [&](bool wait) {
        EXPECT_TRUE(wait);
        if (++rounds == 3) {
            events.ReportControl(2, ControlKind::PushButton, 0, ClickedNotification);
        }
    });
    EXPECT_EQ(code, ControlEvent);
    EXPECT_EQ(rounds, 3);
    EXPECT_EQ(events.EventType(), ClickedNotification);
    EXPECT_EQ(events.Fetch(false, [](bool) {}), NoEvent);
    EXPECT_EQ(events.EventType(), -1);
}

TEST(EventState, AMessageThatRaisedNoEventComesBackAsItsOwnNumber)
{
    EventState events;
    constexpr int MouseMove = 512;
    // The message is returned as itself; what it queued waits for the next fetch.
    EXPECT_EQ(events.Fetch(true, [&](bool) {
        events.Queue(WindowActivatedEvent, 0);
        events.ReportRaw(MouseMove);
    }), MouseMove);
    EXPECT_EQ(events.Fetch(false, [](bool) {}), WindowActivatedEvent);
    // A control's notification raised while the message was handled wins over its number.
    EXPECT_EQ(events.Fetch(false, [&](bool) {
        events.ReportControl(6, ControlKind::DropDownList, 0, SelectionNotification);
        events.ReportRaw(MouseMove);
    }), ControlEvent);
    EXPECT_EQ(events.Fetch(false, [](bool) {}), NoEvent);
}

TEST(EventState, OnlyWhatAControlsKindReportsBecomesAnEvent)
{
    struct Row { ControlKind kind; int notification; bool reported; const char* note; };
    const Row rows[] = {
        {ControlKind::PushButton, ClickedNotification, true, "a click, by mouse, Space or Enter"},
        {ControlKind::PushButton, ButtonFocusInNotification, false, "tabbing onto a button presses nothing"},
        {ControlKind::PushButton, ButtonFocusOutNotification, false, ""},
        {ControlKind::PushButton, SelectionNotification, false, "a button has no selection"},
        {ControlKind::DropDownList, SelectionNotification, true, ""},
        {ControlKind::DropDownList, FocusInNotification, true, ""},
        {ControlKind::DropDownList, FocusOutNotification, true, ""},
        {ControlKind::DropDownList, ListOpenedNotification, true, ""},
        {ControlKind::DropDownList, ListClosedNotification, true, ""},
        {ControlKind::DropDownList, ChoiceMadeNotification, true, ""},
        {ControlKind::DropDownList, ChoiceCancelledNotification, true, ""},
        {ControlKind::GroupFrame, ClickedNotification, false, "a frame reports nothing"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        SCOPED_TRACE(row.notification);
        EventState events;
        EXPECT_EQ(events.ReportControl(4, row.kind, 0, row.notification), row.reported);
        EXPECT_EQ(events.Fetch(false, [](bool) {}), row.reported ? ControlEvent : NoEvent);
        EXPECT_EQ(events.Source(), row.reported ? 4 : 0);
    }
    EXPECT_EQ(FocusNotification(ControlKind::PushButton, true), ButtonFocusInNotification);
    EXPECT_EQ(FocusNotification(ControlKind::DropDownList, false), FocusOutNotification);
    EXPECT_EQ(FocusNotification(ControlKind::GroupFrame, true), -1);
}

TEST(FormatTimestamp, TokensInEitherCaseAndEverythingElseCopied)
{
    std::int64_t t = local_date::TimestampOfReading({2009, 3, 7, 4, 5, 6});
    EXPECT_EQ(FormatTimestamp("%dd", t), "07");
    EXPECT_EQ(FormatTimestamp("%yyyy", t), "2009");
    EXPECT_EQ(FormatTimestamp("%YYYY-%Mm-%dD %HH:%ii:%SS", t), "2009-03-07 04:05:06");
    EXPECT_EQ(FormatTimestamp("%yy", t), "09");
    EXPECT_EQ(FormatTimestamp("100% %x %", t), "100% %x %");
    EXPECT_EQ(FormatTimestamp("%y%yyy", t), "%y09y") << "a lone %y is copied; three y are the short token and a y";
    EXPECT_EQ(FormatTimestamp("%yyyyy", t), "2009y") << "the longer token is tried first";
    EXPECT_EQ(FormatTimestamp("%dd.%mm.%yyyy", local_date::TimestampOfReading({2240, 12, 31, 0, 0, 0})), "31.12.2240");
}

TEST(FormatTimestamp, UnreadableTimestampsGiveZeroFieldsWithoutOverrunning)
{
    std::int64_t huge = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(FormatTimestamp("%yyyy %yy %mm %dd", huge), "0000 00 00 00");
    EXPECT_EQ(FormatTimestamp("%yyyy", std::numeric_limits<std::int64_t>::min()), "0000");
    EXPECT_EQ(FormatTimestamp("%yy", local_date::TimestampOfReading({999, 1, 1, 0, 0, 0})), "99");
    EXPECT_EQ(FormatTimestamp("%", 0), "%");
    EXPECT_EQ(FormatTimestamp("", 0), "");
}

TEST(CurrentLocalDate, IsARealDate)
{
    LocalDate today = CurrentLocalDate();
    EXPECT_GE(today.year, 2024);
    EXPECT_NE(local_date::TimestampOfReading({today.year, today.month, today.day, 0, 0, 0}), -1);
}

TEST(NumberTexts, DecimalTextsBothWays)
{
    EXPECT_EQ(NumberToText(-3760), "-3760");
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(2240), "2240");
    EXPECT_EQ(NumberToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");

    struct Row { const char* text; std::int32_t value; };
    const Row rows[] = {
        {"07", 7}, {" -12a", -12}, {"", 0}, {"\t+5", 5}, {"$1F", 31}, {"$ff", 255}, {"%101", 5},
        {"%102", 2}, {"-", 0}, {"abc", 0}, {"1 2", 1}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"99999999999999999999999999", 2147483647}, {"-99999999999999999999999", std::numeric_limits<std::int32_t>::min()},
        {"$FFFFFFFFFFFFFFFF", 2147483647},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(TextToNumber(row.text), row.value);
    }
    for (std::int32_t value = -3761; value <= 2240; ++value) {
        ASSERT_EQ(TextToNumber(NumberToText(value)), value);
    }
}

}  // namespace
}  // namespace toolkit
