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

// A display page copied its controls into app. The sheet lays the face out
// in the settings applied, repaints it and sets the timer for the cadence
// they call for, once, when every page has had its PSN_APPLY: however many
// display pages changed, in whatever order they apply.
void markFaceChanged();
