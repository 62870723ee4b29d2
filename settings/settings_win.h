#pragma once
// Loading and saving the settings of the running program.
#include <windows.h>

#include "app/app_state.h"

// The folder of the program's own file, ending in a backslash, into a
// 260-byte buffer; the empty folder when it cannot be told or would not fit.
void getProgramFolder(char* buffer);

// Every persisted field but the event table, with the sound in the program folder.
void setDefaults(Settings& settings);

// Reads the settings once, from WM_CREATE, after `hwndMain` is stored. On
// the first start (no program key) it sends command 5 to the main window.
void loadSettings(AppState& state);

// Writes the settings, the position of the given window and the Run value.
// Returns the status of the step it stopped at; 0 after a full run.
LONG saveSettings(Settings copy, HWND window);
