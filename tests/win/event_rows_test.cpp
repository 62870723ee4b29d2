// Alarm rows on a real list view: what goes in comes back, check box and all.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "alarms/event_rows_win.h"

namespace {

class EventRowList : public ::testing::Test {
protected:
    HWND parent = nullptr;
    HWND list = nullptr;

    void SetUp() override
    {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        parent = CreateWindowExA(0, "STATIC", "rows", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 380, 280,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(list, nullptr);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
        for (int column = 0; column < 5; ++column) {
            LVCOLUMNA c{};
            c.mask = LVCF_WIDTH;
            c.cx = 60;
            SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
        }
    }

    void TearDown() override
    {
        if (parent)
            DestroyWindow(parent);
    }

    void select(int index)
    {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    }
};

std::string cellText(HWND list, int row, int column)
{
    char text[TEXT_SIZE] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = TEXT_SIZE;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

AlarmEvent makeEvent(int period, int isOn, int hours, int minutes, const char* description)
{
    AlarmEvent e{};
    e.isOn = isOn;
    std::strcpy(e.description, description);
    e.hours = hours;
    e.minutes = minutes;
    e.period = period;
    e.days[1] = 1;
    e.days[5] = 1;
    e.baseDay = 29;
    e.baseMonth = 2;
    e.periodHours = 1;
    return e;
}

}  // namespace

TEST_F(EventRowList, AllFourPeriodsComeBack)
{
    AlarmEvent day = makeEvent(PERIOD_DAY, 1, 6, 45, "Wake up");
    AlarmEvent month = makeEvent(PERIOD_MONTH, 0, 12, 0, "Rent");
    AlarmEvent quarter = makeEvent(PERIOD_QUARTER, 1, 9, 30, "Taxes");
    AlarmEvent year = makeEvent(PERIOD_YEAR, 0, 23, 59, "Leap day");
    // Inserted out of order, as the editor does, to prove the index is used.
    insertEventRow(list, 0, year);
    insertEventRow(list, 0, day);
    insertEventRow(list, 1, quarter);
    insertEventRow(list, 1, month);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(cellText(list, 0, 0), "");
    EXPECT_EQ(cellText(list, 0, 4), "-+---+-");
    EXPECT_EQ(cellText(list, 1, 4), "29");
    EXPECT_EQ(cellText(list, 2, 1), "09:30");
    EXPECT_EQ(cellText(list, 2, 2), "Taxes");
    EXPECT_EQ(cellText(list, 2, 4), "29:02");
    EXPECT_EQ(cellText(list, 3, 3), "Year");

    // Each comes back with what its period keeps, everything else 0.
    day.baseDay = day.baseMonth = 0;
    month.baseMonth = 0;
    for (AlarmEvent* e : {&day, &month, &quarter, &year}) {
        e->periodHours = 0;
        if (e->period != PERIOD_DAY)
            std::memset(e->days, 0, sizeof e->days);
    }
    const AlarmEvent* expected[4] = {&day, &month, &quarter, &year};
    for (int row = 0; row < 4; ++row) {
        AlarmEvent back;
        std::memset(&back, 0x55, sizeof back);  // readEventRow must clear it all
        readEventRow(list, row, &back);
        EXPECT_EQ(std::memcmp(&back, expected[row], sizeof back), 0) << "row " << row;
    }
}

TEST_F(EventRowList, CheckBoxIsTheStateImage)
{
    insertEventRow(list, 0, makeEvent(PERIOD_DAY, 1, 7, 0, "on"));
    insertEventRow(list, 1, makeEvent(PERIOD_DAY, 0, 7, 0, "off"));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    EXPECT_TRUE(ListView_GetCheckState(list, 0));
    EXPECT_FALSE(ListView_GetCheckState(list, 1));

    // The user ticks and unticks the boxes.
    ListView_SetCheckState(list, 0, FALSE);
    ListView_SetCheckState(list, 1, TRUE);
    AlarmEvent back;
    readEventRow(list, 0, &back);
    EXPECT_EQ(back.isOn, 0);
    readEventRow(list, 1, &back);
    EXPECT_EQ(back.isOn, 1);
}

TEST_F(EventRowList, NoSelectionIsMinusOne)
{
    EXPECT_EQ(findSelectedRow(list), -1);
    insertEventRow(list, 0, makeEvent(PERIOD_DAY, 1, 7, 0, "a"));
    insertEventRow(list, 1, makeEvent(PERIOD_DAY, 1, 8, 0, "b"));
    EXPECT_EQ(findSelectedRow(list), -1);
}

TEST_F(EventRowList, FirstSelectedRowIsFound)
{
    for (int i = 0; i < 4; ++i)
        insertEventRow(list, i, makeEvent(PERIOD_DAY, 1, 7 + i, 0, "row"));
    select(2);
    EXPECT_EQ(findSelectedRow(list), 2);
    select(1);
    EXPECT_EQ(findSelectedRow(list), 1);
}
