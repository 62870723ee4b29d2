#pragma once
#include <windows.h>

INT_PTR CALLBACK ReminderPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
