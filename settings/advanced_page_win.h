#pragma once
// The "Advanced settings" page of the property sheet (template 159): the
// face's base, border and text colours, each on a swatch button that opens
// the colour dialog, and the named colour presets.
#include <windows.h>

INT_PTR CALLBACK AdvancedSettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
