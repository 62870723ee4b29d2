#pragma once
// The structure sizes the program hands to Windows. Each comes from the
// platform's own layout, so the 32-bit and the 64-bit build each pass their
// target's size; the 32-bit build checks the sizes of the layouts the
// program was made for (the notification icon's is still the version-3 one).
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>
#include <shellapi.h>

#include <cstddef>

// Notification icon data up to and including guidItem: the version-3 (XP)
// layout, which knows balloons but not balloon icons.
constexpr DWORD NOTIFY_ICON_DATA_SIZE = offsetof(NOTIFYICONDATAA, guidItem) + sizeof(GUID);
// PropertySheetA walks the page array by each page's dwSize, so it must be
// the size of the array's element.
constexpr DWORD SHEET_PAGE_SIZE = sizeof(PROPSHEETPAGEA);
constexpr DWORD SHEET_HEADER_SIZE = sizeof(PROPSHEETHEADERA);
constexpr DWORD CHOOSE_COLOR_SIZE = sizeof(CHOOSECOLORA);
constexpr UINT WINDOW_CLASS_SIZE = sizeof(WNDCLASSEXA);

#if !defined(_WIN64)
static_assert(NOTIFY_ICON_DATA_SIZE == 504, "version-3 notification icon data");
static_assert(SHEET_PAGE_SIZE == 52, "property sheet page");
static_assert(SHEET_HEADER_SIZE == 52, "property sheet header");
static_assert(CHOOSE_COLOR_SIZE == 36, "colour dialog");
static_assert(WINDOW_CLASS_SIZE == 48, "window class");
#endif
