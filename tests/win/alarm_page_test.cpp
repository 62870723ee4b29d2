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
    AlarmEvent event{};
    event.isOn = 1;
    event.hours = hours;
    event.minutes = minutes;
    std::strcpy(event.description, description);
    event.days[3] = 1;
    return event;
}

class AlarmPageOnItsOwn : public ::testing::Test {
protected:
    HWND parent = nullptr;
    HWND page = nullptr;

    void SetUp() override
    {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&init);
        app.hInstance = GetModuleHandleA(nullptr);
        for (AlarmEvent& slot : app.events.slots)
            slot = AlarmEvent{};
        app.events.slots[0] = alarmAt(6, 0, "six");
        app.events.slots[1] = alarmAt(7, 0, "seven");
        app.events.slots[2].hours = -1;
        // Left over beyond the marker: not shown, and gone after an apply.
        app.events.slots[3] = alarmAt(9, 0, "stale");
        std::strcpy(app.wavePath, "C:\\sounds\\bell.wav");
        app.alarmDuration = DURATION_ONE_MINUTE;
        app.showAlarmDialog = 0;
        parent = CreateWindowExA(0, "STATIC", "sheet", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr,
                                 app.hInstance, nullptr);
        ASSERT_NE(parent, nullptr);
        page = CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_ALARM), parent, AlarmPage, 0);
        ASSERT_NE(page, nullptr);
    }

    void TearDown() override
    {
        if (parent)
            DestroyWindow(parent);
    }

    void apply()
    {
        PSHNOTIFY notice{};
        notice.hdr.hwndFrom = parent;
        notice.hdr.code = PSN_APPLY;
        SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    }
};

TEST_F(AlarmPageOnItsOwn, WavePathIsBoldInThePageFontUntilThePageGoes)
{
    HWND path = GetDlgItem(page, IDC_WAVE_PATH);
    HFONT bold = reinterpret_cast<HFONT>(SendMessageA(path, WM_GETFONT, 0, 0));
    HFONT pageFont = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
    ASSERT_NE(bold, nullptr);
    ASSERT_NE(bold, pageFont);
    LOGFONTA boldLook{}, pageLook{};
    ASSERT_TRUE(GetObjectA(bold, sizeof boldLook, &boldLook));
    ASSERT_TRUE(GetObjectA(pageFont, sizeof pageLook, &pageLook));
    EXPECT_EQ(boldLook.lfWeight, 1000);
    EXPECT_EQ(boldLook.lfHeight, pageLook.lfHeight);
    EXPECT_STREQ(boldLook.lfFaceName, pageLook.lfFaceName);
    EXPECT_EQ(GetWindowTextLengthA(path), static_cast<int>(std::strlen(app.wavePath)));

    DestroyWindow(page);
    page = nullptr;
    EXPECT_EQ(GetObjectType(bold), 0u);
}

TEST_F(AlarmPageOnItsOwn, ApplyRebuildsEveryTableSlotFromTheRows)
{
    HWND list = GetDlgItem(page, IDC_ALARM_LIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    insertEventRow(list, 2, alarmAt(8, 15, "eight"));
    CheckDlgButton(page, IDC_SHOW_MESSAGE_BOX, BST_CHECKED);
    std::strcpy(app.wavePath, "changed elsewhere");

    apply();
    EXPECT_STREQ(app.events.slots[0].description, "six");
    EXPECT_EQ(app.events.slots[0].days[3], 1);
    EXPECT_STREQ(app.events.slots[2].description, "eight");
    EXPECT_EQ(app.events.slots[2].minutes, 15);
    EXPECT_EQ(app.events.slots[3].hours, -1);
    AlarmEvent zero{};
    for (int slot = 4; slot < MAX_EVENTS; ++slot)
        ASSERT_EQ(std::memcmp(&app.events.slots[slot], &zero, sizeof zero), 0) << slot;
    // The options come back from the controls, the path as it is shown.
    EXPECT_STREQ(app.wavePath, "C:\\sounds\\bell.wav");
    EXPECT_EQ(app.alarmDuration, DURATION_ONE_MINUTE);
    EXPECT_EQ(app.showAlarmDialog, 1);
}

}  // namespace
