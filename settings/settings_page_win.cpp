#include "settings/settings_page_win.h"

#include <commctrl.h>
#include <prsht.h>

#include "app/app_state.h"
#include "app/settings_sheet_win.h"
#include "help/help_launcher_win.h"
#include "res/resource.h"
#include "settings/page_rules.h"

namespace {

struct CheckBoxField {
    int id;
    int Settings::*field;
};

constexpr CheckBoxField CHECK_BOXES[] = {
    {IDC_SHOW_SECONDS, &Settings::showSeconds},     {IDC_SHOW_DATE, &Settings::showDate},
    {IDC_SHOW_DAY, &Settings::showDayOfWeek},       {IDC_FLASH_DELIMITER, &Settings::flashDelimiter},
    {IDC_SHOW_SHADOW, &Settings::showShadow},       {IDC_ALWAYS_ON_TOP, &Settings::alwaysOnTop},
    {IDC_AUTO_RUN, &Settings::autoRun},
};

bool isCheckBox(int id)
{
    for (const CheckBoxField& box : CHECK_BOXES)
        if (box.id == id)
            return true;
    return false;
}

void setUpPercentTrackbar(HWND page, int id)
{
    SendDlgItemMessageA(page, id, TBM_SETRANGE, FALSE, MAKELPARAM(PERCENT_TRACK_MIN, PERCENT_TRACK_MAX));
    SendDlgItemMessageA(page, id, TBM_SETLINESIZE, 0, PERCENT_TRACK_STEP);
    SendDlgItemMessageA(page, id, TBM_SETTICFREQ, PERCENT_TRACK_STEP, 0);
}

void fillControls(HWND page, const Settings& settings)
{
    for (const CheckBoxField& box : CHECK_BOXES)
        CheckDlgButton(page, box.id, settings.*box.field ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(page, IDC_OPACITY, TBM_SETPOS, TRUE, trackbarPosition(settings.opacity));
    SendDlgItemMessageA(page, IDC_SCALE, TBM_SETPOS, TRUE, trackbarPosition(settings.scale));
    SendDlgItemMessageA(page, IDC_BACKGROUND_TYPE, CB_SETCURSEL, settings.backgroundType, 0);
}

void readControls(HWND page, Settings& settings)
{
    for (const CheckBoxField& box : CHECK_BOXES)
        settings.*box.field = IsDlgButtonChecked(page, box.id) == BST_CHECKED ? 1 : 0;
    settings.opacity = static_cast<int>(SendDlgItemMessageA(page, IDC_OPACITY, TBM_GETPOS, 0, 0));
    settings.scale = static_cast<int>(SendDlgItemMessageA(page, IDC_SCALE, TBM_GETPOS, 0, 0));
    settings.backgroundType =
        static_cast<int>(SendDlgItemMessageA(page, IDC_BACKGROUND_TYPE, CB_GETCURSEL, 0, 0));
}

BOOL onInitDialog(HWND page)
{
    setUpPercentTrackbar(page, IDC_OPACITY);
    setUpPercentTrackbar(page, IDC_SCALE);
    for (const char* name : BACKGROUND_NAMES)
        SendDlgItemMessageA(page, IDC_BACKGROUND_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    Settings current = persistedPart(app);
    fillControls(page, current);
    return TRUE;
}

BOOL onCommand(HWND page, int id, int code)
{
    if (isCheckBox(id) || (id == IDC_BACKGROUND_TYPE && code == CBN_SELCHANGE))
        reportPageChanged(page);
    return FALSE;
}

BOOL onNotify(HWND page, const NMHDR* header)
{
    switch (header->code) {
    case PSN_APPLY:
        readControls(page, app);
        markFaceChanged();
        return FALSE;  // the message result stays PSNRET_NOERROR: never vetoed
    case PSN_HELP:
        showHelp(HELP_SETTINGS_PAGE);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK SettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_COMMAND:
        return onCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL:
        reportPageChanged(page);
        return FALSE;
    case WM_NOTIFY:
        return onNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    }
    return FALSE;
}
