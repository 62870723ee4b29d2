#pragma once
#include <windows.h>

INT_PTR CALLBACK SettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
