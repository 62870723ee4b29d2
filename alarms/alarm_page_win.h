#pragma once
#include <windows.h>

INT_PTR CALLBACK AlarmPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
