// The Alarm page made from its real template inside the test, where the
// table it applies and the GDI objects it owns can be looked at directly.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <cstring>

#include "alarms/alarm_page_win.h"
#include "alarms/event_rows_win.h"
#include "app/app_state.h"
#include "resource.h"

namespace {

AlarmEvent alarmAt(int hours, int minutes, const char* description)
{
    AlarmEvent event{1, "", hours, minutes, PERIOD_DAY, {0, 0, 0, 1}};
    std::strcpy(event.description, description);
    return event;
}

TEST(AlarmPageOnItsOwn, ApplyRebuildsEveryTableSlotFromTheRowsAndTheBoldPathFontGoesWithThePage)
{
    INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
    app.hInstance = GetModuleHandleA(nullptr);
    app.events = EventTable{};
    app.events.slots[0] = alarmAt(6, 0, "six");
    app.events.slots[1] = alarmAt(7, 0, "seven");
    app.events.slots[2].hours = -1;
    app.events.slots[3] = alarmAt(9, 0, "stale");  // beyond the marker: not shown, gone after an apply
    std::strcpy(app.wavePath, "C:\\sounds\\bell.wav");
    app.alarmDuration = DURATION_ONE_MINUTE;
    app.showAlarmDialog = 0;
    HWND parent = CreateWindowExA(0, "STATIC", "sheet", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr,
                                  app.hInstance, nullptr);
    HWND page = CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_ALARM), parent, AlarmPage, 0);
    ASSERT_NE(page, nullptr);

    HWND path = GetDlgItem(page, IDC_WAVE_PATH);
    auto bold = reinterpret_cast<HFONT>(SendMessageA(path, WM_GETFONT, 0, 0));
    auto pageFont = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
    LOGFONTA boldLook{}, pageLook{};
    ASSERT_TRUE(bold != pageFont && GetObjectA(bold, sizeof boldLook, &boldLook) &&
                GetObjectA(pageFont, sizeof pageLook, &pageLook));
    EXPECT_EQ(boldLook.lfWeight, 1000);
    EXPECT_EQ(boldLook.lfHeight, pageLook.lfHeight);
    EXPECT_STREQ(boldLook.lfFaceName, pageLook.lfFaceName);

    HWND list = GetDlgItem(page, IDC_ALARM_LIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    insertEventRow(list, 2, alarmAt(8, 15, "eight"));
    CheckDlgButton(page, IDC_SHOW_MESSAGE_BOX, BST_CHECKED);
    std::strcpy(app.wavePath, "changed elsewhere");
    PSHNOTIFY notice{{parent, 0, static_cast<UINT>(PSN_APPLY)}};
    SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    EXPECT_STREQ(app.events.slots[0].description, "six");
    EXPECT_EQ(app.events.slots[0].days[3], 1);
    EXPECT_STREQ(app.events.slots[2].description, "eight");
    EXPECT_EQ(app.events.slots[2].minutes, 15);
    EXPECT_EQ(app.events.slots[3].hours, -1);
    const AlarmEvent zero{};
    for (int slot = 4; slot < MAX_EVENTS; ++slot)
        ASSERT_EQ(std::memcmp(&app.events.slots[slot], &zero, sizeof zero), 0) << slot;
    // The options come back from the controls, the path as it is shown.
    EXPECT_STREQ(app.wavePath, "C:\\sounds\\bell.wav");
    EXPECT_EQ(app.alarmDuration, DURATION_ONE_MINUTE);
    EXPECT_EQ(app.showAlarmDialog, 1);

    DestroyWindow(parent);
    EXPECT_EQ(GetObjectType(bold), 0u);
}

}  // namespace
