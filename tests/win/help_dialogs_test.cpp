// The About box and the calendar, run modally from their real templates and
// worked by steps, one per timer tick, from inside their own message loops.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/app_state.h"
#include "help/help_win.h"
#include "resource.h"

namespace {

using Step = std::function<void(HWND dialog)>;
std::vector<Step> steps;
size_t nextStep = 0;

// A dialog still open long after the last step is ended with -2.
void CALLBACK runStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND dialog = GetActiveWindow(); dialog && nextStep < steps.size())
        steps[nextStep++](dialog);
    else if (dialog && ++nextStep > steps.size() + 60)
        EndDialog(dialog, -2);
}

INT_PTR runDialog(int templateId, DLGPROC procedure, std::vector<Step> script)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    LoadStringA(GetModuleHandleA(NULL), IDS_APP_TITLE, app.caption, sizeof app.caption);
    steps = std::move(script), nextStep = 0;
    UINT_PTR timer = SetTimer(NULL, 0, 50, runStep);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), NULL, procedure, 0);
    KillTimer(NULL, timer);
    return result;
}

// Enter posted to the control with the focus, as the dialog manager sees it.
const Step enter = [](HWND dialog) {
    HWND target = GetFocus() && IsChild(dialog, GetFocus()) ? GetFocus() : dialog;
    PostMessageA(target, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(target, WM_KEYUP, VK_RETURN, 0xC0000001);
};
const Step closeBox = [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };

TEST(HelpDialogs, AboutShowsCreditAndRightsAndEndsOnEnterOrCloseBox)
{
    char credit[300] = "", rights[300] = "", wanted[300] = "";
    Step read = [&](HWND dialog) {
        GetDlgItemTextA(dialog, IDC_ABOUT_CREDIT, credit, sizeof credit);
        GetDlgItemTextA(dialog, IDC_ABOUT_RIGHTS, rights, sizeof rights);
    };
    EXPECT_EQ(runDialog(IDD_ABOUT, AboutDialog, {read, enter}), IDOK);
    EXPECT_GT(LoadStringA(GetModuleHandleA(NULL), IDS_CREDIT, wanted, sizeof wanted), 0);
    EXPECT_STREQ(credit, wanted);
    EXPECT_GT(LoadStringA(GetModuleHandleA(NULL), IDS_RIGHTS, wanted, sizeof wanted), 0);
    EXPECT_STREQ(rights, wanted);
    EXPECT_EQ(runDialog(IDD_ABOUT, AboutDialog, {closeBox}), IDCANCEL);
}

TEST(HelpDialogs, CalendarOpensOnTodayAndOnlyOkOrCancelEndIt)
{
    SYSTEMTIME shown{}, today;
    Step other = [&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_CALENDAR, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CALENDAR, 0), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), 0);
    };
    EXPECT_EQ(runDialog(IDD_CALENDAR, CalendarDialog, {other, enter}), IDOK);
    GetLocalTime(&today);
    EXPECT_TRUE(shown.wYear == today.wYear && shown.wMonth == today.wMonth && shown.wDay == today.wDay);
    EXPECT_EQ(runDialog(IDD_CALENDAR, CalendarDialog, {closeBox}), IDCANCEL);
}

}  // namespace
