// The list rules, which every backend keeps the same way.

#include "tests/toolkit/test_window.h"

namespace toolkit {
namespace {

using namespace test_window;

TEST_F(ToolkitWindow, ListsStartWithNoSelectionAndSelectionFollowsItsItem)
{
    EXPECT_EQ(GetListSelection(List), -1);
    EXPECT_EQ(GetControlText(List), "");
    SetListSelection(List, 8);  // Sivan
    AddListItem(List, 6, SecondAdar);
    EXPECT_EQ(GetListItemText(List, 6), SecondAdar);
    EXPECT_EQ(GetListItemText(List, 7), Months[6]);
    EXPECT_EQ(GetListItemText(List, 12), Months[11]);
    EXPECT_EQ(GetListSelection(List), 9);
    EXPECT_EQ(GetControlText(List), Months[8]);

    EXPECT_EQ(RemoveListItem(List, 6), 12);
    EXPECT_EQ(GetListSelection(List), 8);
    SetListSelection(List, 6);
    EXPECT_EQ(RemoveListItem(List, 6), 11);
    EXPECT_EQ(GetListSelection(List), -1) << "removing the selected item leaves no selection";
    EXPECT_EQ(RemoveListItem(List, 11), -1);
    EXPECT_EQ(GetListItemText(List, 11), "");
    EXPECT_EQ(GetListItemText(List, -1), "");
    AddListItem(List, -2, "x");
    AddListItem(List, 40, "x");
    EXPECT_NE(GetListItemText(List, 10), "");
    EXPECT_EQ(GetListItemText(List, 11), "") << "eleven items, as before";
}

TEST_F(ToolkitWindow, SetControlTextSelectsByExactTextOrClears)
{
    SetListSelection(List, 2);
    SetControlText(List, "\xE0\xE3");  // a prefix of Adar, which no item is
    EXPECT_EQ(GetListSelection(List), 2);
    SetControlText(List, Months[5]);
    EXPECT_EQ(GetListSelection(List), 5);
    EXPECT_EQ(GetControlText(List), Months[5]);
    SetControlText(List, "");
    EXPECT_EQ(GetListSelection(List), -1);
    EXPECT_EQ(GetControlText(List), "");
    EXPECT_EQ(SetListSelection(List, 12), -1);
    EXPECT_EQ(GetListSelection(List), -1);
}

TEST_F(ToolkitWindow, EmptyNumbersDoNothing)
{
    EXPECT_EQ(GetListSelection(33), -1);
    EXPECT_EQ(GetListItemText(33, 0), "");
    EXPECT_EQ(GetControlText(33), "");
    EXPECT_EQ(RemoveListItem(33, 0), -1);
    SetControlText(33, "x");
    AddListItem(33, -1, "x");
    EXPECT_EQ(WindowHandle(7), 0u);
    EXPECT_EQ(GetListSelection(First), -1) << "a button is no list";
}

TEST_F(ToolkitWindow, ProgramChangesRaiseNoEvent)
{
    Drain();
    SetListSelection(List, 3);
    AddListItem(List, 6, SecondAdar);
    RemoveListItem(List, 6);
    SetControlText(List, Months[1]);
    int before = EventSource();
    EXPECT_FALSE(Contains(Drain(), ControlEvent));
    EXPECT_EQ(EventSource(), before);
}

}  // namespace
}  // namespace toolkit
