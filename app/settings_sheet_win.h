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

// Posted to the clock window by a display page that applied its controls.
constexpr UINT WM_FACE_SETTINGS_APPLIED = WM_APP + 2;

// A display page copied its controls into app: the face is laid out once
// the sheet has applied every page, however many of them changed it.
void requestFaceLayout();
// WM_FACE_SETTINGS_APPLIED: lays the face out in the settings applied,
// repaints it at once and sets the timer for the cadence they call for.
void layOutAppliedFace();
