#pragma once
#include <windows.h>

// Dialog 173: a month calendar to look at; nothing picked is kept.
INT_PTR CALLBACK CalendarDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
