#pragma once
#include <windows.h>

INT_PTR CALLBACK AdvancedSettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
