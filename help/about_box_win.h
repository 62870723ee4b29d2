#pragma once
#include <windows.h>

// Dialog 131: the title and version, a credit line and a rights notice.
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
