#pragma once
// The help launcher and the two small dialogs of the popup menu.
#include <windows.h>

#include "help/help_text.h"

// Starts the HTML Help viewer on the program's help file, at the given topic
// (HELP_NO_TOPIC: the file's default page). Failures are not reported.
void showHelp(int topic);
// The HTML Help viewer: hh.exe in the Windows folder, into MAX_PATH bytes;
// false when that folder cannot be had.
bool getHelpViewerPath(char* path);

// Dialog 131: the title and version, a credit line and a rights notice.
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Dialog 173: a month calendar to look at; nothing picked is kept.
INT_PTR CALLBACK CalendarDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
