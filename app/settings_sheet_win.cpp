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

void layOutChangedFace()
{
    if (!app.sheet.faceChanged || app.drawingReleased)
        return;
    app.sheet.faceChanged = false;
    applyFaceSettings();
    InvalidateRect(app.hwndMain, NULL, FALSE);
    armClockTimer();
}

// OK and Apply send PSN_APPLY to each page from within one message to the
// sheet (the button's WM_COMMAND, or PSM_APPLY); pages may send the sheet
// more while they apply. When the outermost message is handled, every page
// has applied.
LRESULT CALLBACK SheetFrame(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam)
{
    SheetGlue& glue = app.sheet;
    ++glue.messageDepth;
    LRESULT result = CallWindowProcA(glue.sheetProc, sheet, message, wParam, lParam);
    if (--glue.messageDepth == 0)
        layOutChangedFace();
    return result;
}

int CALLBACK onSheetEvent(HWND sheet, UINT event, LPARAM)
{
    if (event == PSCB_INITIALIZED)
        app.sheet.sheetProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetFrame)));
    return 0;
}

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
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
    header.pfnCallback = onSheetEvent;
    header.hwndParent = app.hwndMain;
    header.hInstance = app.hInstance;
    header.pszCaption = app.caption;
    header.nPages = 4;
    header.nStartPage = startPage;
    header.ppsp = pages;
    app.sheet = SheetGlue{};
    PropertySheetA(&header);

    // Applied changes reach the registry now, not only at exit; unless the
    // clock was closed meanwhile, which saved it where it last stood.
    if (IsWindow(app.hwndMain) && !app.drawingReleased) {
        layOutChangedFace();  // should the last apply have come by another way
        saveSettings(persistedPart(app), app.hwndMain);
    }
}

void reportPageChanged(HWND page)
{
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

void markFaceChanged()
{
    app.sheet.faceChanged = true;
}
