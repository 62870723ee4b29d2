#include "settings/advanced_page_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include "app/app_state.h"
#include "app/full_screen_win.h"
#include "app/settings_sheet_win.h"
#include "app/struct_sizes_win.h"
#include "help/help_launcher_win.h"
#include "res/resource.h"
#include "settings/page_rules.h"

namespace {

struct FaceColors {
    ColorRef base;
    ColorRef border;
    ColorRef text;
};

enum SwatchAction { SWATCH_PAINT, SWATCH_RELEASE };

bool isColorButton(int id)
{
    return id == IDC_COLOR_BASE || id == IDC_COLOR_BORDER || id == IDC_COLOR_TEXT;
}

ColorRef buttonColor(HWND page, int id)
{
    return GetDlgItemInt(page, id, NULL, FALSE);
}

// A bitmap the size of the button's client area, filled with `color`.
HBITMAP createSwatch(HWND page, HWND button, ColorRef color)
{
    RECT area{};
    GetClientRect(button, &area);
    HDC pageDC = GetDC(page);
    HBITMAP swatch = CreateCompatibleBitmap(pageDC, area.right, area.bottom);
    ReleaseDC(page, pageDC);

    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ original = SelectObject(memory, swatch);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(memory, &area, brush);
    DeleteObject(brush);
    SelectObject(memory, original);
    DeleteDC(memory);
    return swatch;
}

// Gives the button a swatch of the colour in its text, or none; the bitmap
// it held before is deleted, so each button owns at most one.
void setSwatch(HWND page, int id, SwatchAction action)
{
    HWND button = GetDlgItem(page, id);
    HBITMAP swatch = action == SWATCH_PAINT ? createSwatch(page, button, buttonColor(page, id)) : NULL;
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(swatch)));
    if (previous)
        DeleteObject(previous);
}

void setButtonColor(HWND page, int id, ColorRef color, SwatchAction action)
{
    SetDlgItemInt(page, id, color, FALSE);
    setSwatch(page, id, action);
}

void fillButtons(HWND page, const FaceColors& colors, SwatchAction action)
{
    setButtonColor(page, IDC_COLOR_BASE, colors.base, action);
    setButtonColor(page, IDC_COLOR_BORDER, colors.border, action);
    setButtonColor(page, IDC_COLOR_TEXT, colors.text, action);
}

FaceColors currentColors()
{
    return {app.colorBase, app.colorBorder, app.colorText};
}

void readButtons(HWND page)
{
    app.colorBase = buttonColor(page, IDC_COLOR_BASE);
    app.colorBorder = buttonColor(page, IDC_COLOR_BORDER);
    app.colorText = buttonColor(page, IDC_COLOR_TEXT);
}

BOOL onInitDialog(HWND page)
{
    for (int i = 0; i < app.presetCount; ++i)
        SendDlgItemMessageA(page, IDC_PRESET, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(app.colorPresets[i].name));
    // The list always opens on the first preset, whatever the colours are.
    SendDlgItemMessageA(page, IDC_PRESET, CB_SETCURSEL, 0, 0);
    fillButtons(page, currentColors(), SWATCH_PAINT);
    CheckDlgButton(page, IDC_HIDE_FOR_FULL_SCREEN, app.hideForFullScreen ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void onDestroy(HWND page)
{
    fillButtons(page, currentColors(), SWATCH_RELEASE);
}

// The colour dialog opens on its own choice, not the button's colour; the
// custom colours the user defines there are not kept.
void chooseButtonColor(HWND page, int id)
{
    COLORREF customColors[CUSTOM_COLOR_COUNT];
    for (int i = 0; i < CUSTOM_COLOR_COUNT; ++i)
        customColors[i] = CUSTOM_COLORS[i];
    CHOOSECOLORA choice{};
    choice.lStructSize = CHOOSE_COLOR_SIZE;
    choice.hwndOwner = page;
    choice.lpCustColors = customColors;
    choice.Flags = CC_ANYCOLOR;
    if (!ChooseColorA(&choice))
        return;
    setButtonColor(page, id, storableColor(choice.rgbResult), SWATCH_PAINT);
    InvalidateRect(page, NULL, FALSE);
    reportPageChanged(page);
}

void choosePreset(HWND page)
{
    int i = static_cast<int>(SendDlgItemMessageA(page, IDC_PRESET, CB_GETCURSEL, 0, 0));
    if (i < 0 || i >= app.presetCount)
        return;
    const ColorPreset& preset = app.colorPresets[i];
    fillButtons(page, {preset.base, preset.border, preset.text}, SWATCH_PAINT);
    InvalidateRect(page, NULL, FALSE);
    reportPageChanged(page);
}

BOOL onCommand(HWND page, int id, int code)
{
    if (isColorButton(id))
        chooseButtonColor(page, id);
    else if (id == IDC_PRESET && code == CBN_SELCHANGE)
        choosePreset(page);
    else if (id == IDC_HIDE_FOR_FULL_SCREEN && code == BN_CLICKED)
        reportPageChanged(page);
    return FALSE;
}

BOOL onNotify(HWND page, const NMHDR* header)
{
    switch (header->code) {
    case PSN_APPLY:
        readButtons(page);
        app.hideForFullScreen = IsDlgButtonChecked(page, IDC_HIDE_FOR_FULL_SCREEN) == BST_CHECKED;
        markFaceChanged();
        followFullScreen();
        return FALSE;  // the message result stays PSNRET_NOERROR: never vetoed
    case PSN_HELP:
        showHelp(HELP_ADVANCED_SETTINGS_PAGE);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK AdvancedSettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_DESTROY:
        onDestroy(page);
        return FALSE;
    case WM_COMMAND:
        return onCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return onNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    }
    return FALSE;
}
