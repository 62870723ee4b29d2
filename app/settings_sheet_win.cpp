#include "app/settings_sheet_win.h"

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include "alarms/alarm_page_win.h"
#include "alarms/clock_tick_win.h"
#include "alarms/reminder_page_win.h"
#include "app/app_state.h"
#include "app/struct_sizes_win.h"
#include "face/face_layout_win.h"
#include "res/resource.h"
#include "settings/advanced_page_win.h"
#include "settings/settings_page_win.h"
#include "settings/settings_win.h"

namespace {

bool advancedPageCreated = false;

PROPSHEETPAGEA sheetPage(int templateId, DLGPROC procedure)
{
    PROPSHEETPAGEA page{};
    page.dwSize = SHEET_PAGE_SIZE;
    page.dwFlags = PSP_HASHELP;
    page.hInstance = app.hInstance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = procedure;
    return page;
}

}  // namespace

void showSettingsSheet(int startPage)
{
    PROPSHEETPAGEA pages[4] = {
        sheetPage(IDD_SETTINGS, SettingsPage),
        sheetPage(IDD_ADVANCED, AdvancedSettingsPage),
        sheetPage(IDD_ALARM, AlarmPage),
        sheetPage(IDD_REMINDER, ReminderPage),
    };
    PROPSHEETHEADERA header{};
    header.dwSize = SHEET_HEADER_SIZE;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP | PSH_NOCONTEXTHELP;
    header.hwndParent = app.hwndMain;
    header.hInstance = app.hInstance;
    header.pszCaption = app.caption;
    header.nPages = 4;
    header.nStartPage = startPage;
    header.ppsp = pages;
    PropertySheetA(&header);

    // Applied changes reach the registry now, not only at exit; unless the
    // clock was closed meanwhile, which saved it where it last stood.
    if (IsWindow(app.hwndMain) && !app.drawingReleased)
        saveSettings(persistedPart(app), app.hwndMain);
}

void reportPageChanged(HWND page)
{
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

void noteAdvancedPage(bool created)
{
    advancedPageCreated = created;
}

void faceSettingsApplied(int sheetPage)
{
    if (sheetPage == SHEET_PAGE_SETTINGS && advancedPageCreated)
        return;  // the Advanced settings page lays out for both
    applyFaceSettings();
    InvalidateRect(app.hwndMain, NULL, FALSE);
    armClockTimer();
}
