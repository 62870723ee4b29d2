#pragma once
// The "Settings" page of the property sheet (template 133): what the face
// shows, its opacity, scale and background, always-on-top and auto-run.
#include <windows.h>

INT_PTR CALLBACK SettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
