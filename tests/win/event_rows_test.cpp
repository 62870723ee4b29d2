// Alarm rows on a real list view: what goes in comes back, check box and all.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "alarms/alarm_marks.h"
#include "alarms/event_rows_win.h"
#include "app/local_time_win.h"

TEST(EventRowList, EveryPeriodComesBackWithItsCheckBoxSkipMarkAndSoundAndTheSelectedRowIsFound)
{
    InitCommonControls();
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", LVS_REPORT, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    for (LVCOLUMNA column{LVCF_WIDTH | LVCF_SUBITEM, 0, 60}; column.iSubItem < 6; ++column.iSubItem)
        SendMessageA(list, LVM_INSERTCOLUMNA, column.iSubItem, reinterpret_cast<LPARAM>(&column));
    // Each with what its period keeps; readEventRow must set every field.
    AlarmEvent events[5] = {{1, "Wake", 6, 45, PERIOD_DAY, {1, 0, 1}}, {0, "Rent", 12, 0, PERIOD_MONTH, {}, 31},
                            {1, "Tax", 9, 30, PERIOD_QUARTER, {}, 15, 2}, {0, "Leap", 23, 59, PERIOD_YEAR, {}, 29, 2},
                            {1, "Trip", 5, 0, PERIOD_ONCE, {}, 1, 12}};
    SYSTEMTIME today;
    GetLocalTime(&today);
    events[0].skipDate = dateCodeOf(toLocalTime(today));  // the mark shows no year: today's reads back
    std::strcpy(events[4].sound, "C:\\Sounds\\trip.wav");
    for (int row = 0; row < 5; ++row) {
        insertEventRow(list, row, events[row]);
        AlarmEvent back;
        std::memset(&back, 0x55, sizeof back);
        readEventRow(list, row, &back);
        EXPECT_EQ(std::memcmp(&back, &events[row], sizeof back), 0) << "row " << row;
    }
    EXPECT_TRUE(ListView_GetCheckState(list, 0) && !ListView_GetCheckState(list, 1));  // as the user sees them
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(findSelectedRow(list), 2);
    DestroyWindow(list);
}

