// The About box and the calendar, run modally from their real templates and
// worked from inside their own message loops.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "help/help_win.h"
#include "resource.h"

namespace {

using Step = std::function<void(HWND dialog)>;

// Steps run one per timer tick while DialogBoxParamA's loop runs; a dialog
// still open long after the last step is ended with STUCK.
constexpr INT_PTR STUCK = -2;

struct Driver {
    std::vector<Step> steps;
    size_t next = 0;
    int idleTicks = 0;
};
Driver* driver = nullptr;

BOOL CALLBACK findDialog(HWND window, LPARAM lParam)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK driverTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    if (driver->next < driver->steps.size())
        driver->steps[driver->next++](dialog);
    else if (++driver->idleTicks > 60)
        EndDialog(dialog, STUCK);
}

INT_PTR runDialog(int templateId, DLGPROC procedure, std::vector<Step> steps)
{
    Driver run{std::move(steps)};
    driver = &run;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, driverTick);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, procedure, 0);
    KillTimer(nullptr, timer);
    driver = nullptr;
    return result;
}

// A key as the dialog manager sees it: posted to the control with the focus.
Step pressKey(WPARAM key)
{
    return [key](HWND dialog) {
        HWND focus = GetFocus();
        HWND target = (focus && (focus == dialog || IsChild(dialog, focus))) ? focus : dialog;
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    };
}

Step closeBox()
{
    return [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
}

std::string itemText(HWND dialog, int id)
{
    char text[300] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string loadString(UINT id)
{
    char text[260] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

class HelpDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
        InitCommonControlsEx(&classes);
        // As the entry point does: the caption is string 103.
        LoadStringA(GetModuleHandleA(nullptr), IDS_APP_TITLE, app.caption, sizeof app.caption);
    }
};

TEST_F(HelpDialogs, AboutShowsTitleVersionCreditAndRights)
{
    std::string version, credit, rights;
    INT_PTR result = runDialog(IDD_ABOUT, AboutDialog,
                               {[&](HWND dialog) {
                                    version = itemText(dialog, IDC_ABOUT_VERSION);
                                    credit = itemText(dialog, IDC_ABOUT_CREDIT);
                                    rights = itemText(dialog, IDC_ABOUT_RIGHTS);
                                },
                                pressKey(VK_RETURN)});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(version, "Tockmere version 4.02");
    EXPECT_EQ(credit, loadString(IDS_CREDIT));
    EXPECT_FALSE(credit.empty());
    EXPECT_EQ(rights, loadString(IDS_RIGHTS));
    EXPECT_FALSE(rights.empty());
}

TEST_F(HelpDialogs, AboutEndsOnEscapeAndOnItsCloseBox)
{
    EXPECT_EQ(runDialog(IDD_ABOUT, AboutDialog, {pressKey(VK_ESCAPE)}), IDCANCEL);
    EXPECT_EQ(runDialog(IDD_ABOUT, AboutDialog, {closeBox()}), IDCANCEL);
}

TEST_F(HelpDialogs, CalendarOpensOnTodayAndEndsOnEscape)
{
    SYSTEMTIME shown = {};
    bool openAfterOtherCommand = false;
    INT_PTR result = runDialog(IDD_CALENDAR, CalendarDialog,
                               {[&](HWND dialog) {
                                    SendDlgItemMessageA(dialog, IDC_CALENDAR, MCM_GETCURSEL, 0,
                                                        reinterpret_cast<LPARAM>(&shown));
                                    // Only OK and Cancel end it.
                                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CALENDAR, 0), 0);
                                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), 0);
                                },
                                [&](HWND dialog) { openAfterOtherCommand = IsWindowVisible(dialog) != FALSE; },
                                pressKey(VK_ESCAPE)});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(openAfterOtherCommand);
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_EQ(shown.wYear, today.wYear);
    EXPECT_EQ(shown.wMonth, today.wMonth);
    EXPECT_EQ(shown.wDay, today.wDay);
}

TEST_F(HelpDialogs, CalendarEndsOnEnterAndOnItsCloseBox)
{
    EXPECT_EQ(runDialog(IDD_CALENDAR, CalendarDialog, {pressKey(VK_RETURN)}), IDOK);
    EXPECT_EQ(runDialog(IDD_CALENDAR, CalendarDialog, {closeBox()}), IDCANCEL);
}

}  // namespace
