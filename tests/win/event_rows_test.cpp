// Alarm rows on a real list view: what goes in comes back, check box and all.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "alarms/event_rows_win.h"

namespace {

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

TEST(EventRowList, AllFourPeriodsComeBackWithTheirCheckBoxesAndTheSelectionIsFound)
{
    INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    HWND parent = CreateWindowExA(0, "STATIC", "rows", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 380, 280, parent,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    for (int column = 0; column < 5; ++column) {
        LVCOLUMNA c{LVCF_WIDTH, 0, 60};
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
    }
    // Every field filled, so the round trip shows what each period drops.
    AlarmEvent events[4] = {{1, "Wake up", 6, 45, PERIOD_DAY}, {0, "Rent", 12, 0, PERIOD_MONTH},
                            {1, "Taxes", 9, 30, PERIOD_QUARTER}, {0, "Leap day", 23, 59, PERIOD_YEAR}};
    for (AlarmEvent& e : events) {
        e.days[1] = e.days[5] = 1;
        e.baseDay = 29;
        e.baseMonth = 2;
        e.periodHours = 1;
    }
    // Inserted out of order, as the editor does, to prove the index is used.
    insertEventRow(list, 0, events[3]);
    insertEventRow(list, 0, events[0]);
    insertEventRow(list, 1, events[2]);
    insertEventRow(list, 1, events[1]);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(findSelectedRow(list), -1);
    EXPECT_EQ(cellText(list, 0, 0) + "|" + cellText(list, 0, 4) + "|" + cellText(list, 1, 4), "|-+---+-|29");
    EXPECT_EQ(cellText(list, 2, 1) + "|" + cellText(list, 2, 2) + "|" + cellText(list, 2, 4), "09:30|Taxes|29:02");
    EXPECT_EQ(cellText(list, 3, 3), "Year");
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));

    // Each comes back with what its period keeps, everything else 0.
    events[0].baseDay = events[0].baseMonth = events[1].baseMonth = 0;
    for (int row = 0; row < 4; ++row) {
        events[row].periodHours = 0;
        if (row > 0)
            std::memset(events[row].days, 0, sizeof events[row].days);
        AlarmEvent back;
        std::memset(&back, 0x55, sizeof back);  // readEventRow must clear it all
        readEventRow(list, row, &back);
        EXPECT_EQ(std::memcmp(&back, &events[row], sizeof back), 0) << "row " << row;
    }
    ListView_SetCheckState(list, 0, FALSE);  // the user ticks and unticks the boxes
    ListView_SetCheckState(list, 1, TRUE);
    AlarmEvent unticked, ticked;
    readEventRow(list, 0, &unticked);
    readEventRow(list, 1, &ticked);
    EXPECT_TRUE(unticked.isOn == 0 && ticked.isOn == 1);
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(findSelectedRow(list), 2);
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(findSelectedRow(list), 1);  // the first selected row
    DestroyWindow(parent);
}

}  // namespace
