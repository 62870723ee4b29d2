#pragma once
// The help launcher: the program's help file in the HTML Help viewer.
#include <windows.h>

#include "help/help_text.h"

// Starts the HTML Help viewer on the program's help file, at the given topic
// (HELP_NO_TOPIC: the file's default page). Failures are not reported.
void showHelp(int topic);
// The HTML Help viewer: hh.exe in the Windows folder, into MAX_PATH bytes;
// false when that folder cannot be had.
bool getHelpViewerPath(char* path);
