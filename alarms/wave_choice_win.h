#pragma once
// Choosing and trying a wave file, as the Alarm page and the alarm editor
// both offer it.
#include <windows.h>

#include "alarms/alarm_event.h"

// The Open dialog for a wave file; false when the user cancels.
bool chooseWaveFile(HWND owner, char (&file)[TEXT_SIZE]);

// Plays once, down the alarm's chain from `ownPath` (may be empty) and then
// `chosenPath`, and tells the user when the first of them cannot be played.
// A later sound replaces it, a stop ends it.
void tryWaveFile(HWND owner, const char* chosenPath, const char* ownPath);
