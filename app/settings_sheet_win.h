#pragma once
#include <windows.h>

enum SheetPage {
    SHEET_PAGE_SETTINGS = 0,
    SHEET_PAGE_ADVANCED = 1,
    SHEET_PAGE_ALARM = 2,
    SHEET_PAGE_REMINDER = 3,
};

// Opens the modal settings sheet on the given page. The pages write their
// changes into the application state themselves; when the sheet closes
// everything applied is saved at once, so no crash can lose it.
void showSettingsSheet(int startPage);

// Tells the sheet that a page was changed, which enables its Apply button.
void reportPageChanged(HWND page);

// The Advanced settings page exists (from its WM_INITDIALOG to its
// WM_DESTROY). PSN_APPLY reaches the pages in their order, so while it does,
// it is the last display page to be applied.
void noteAdvancedPage(bool created);
// A display page copied its controls into app: the face is laid out in the
// settings applied, repainted at once and the timer set for the cadence they
// call for, once per Apply however many display pages changed.
void faceSettingsApplied(int sheetPage);
