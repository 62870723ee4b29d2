#pragma once
// The face line from the local clock and the user's locale.

#include <windows.h>

// The line to show at `time` (`forMeasure` 0) or its widest form for
// measuring (1). Points to app.face.text, valid until the next call.
const wchar_t* faceTextAt(const SYSTEMTIME& time, int forMeasure);
// The same at the local time now.
const wchar_t* getFaceText(int forMeasure);

// Puts the fixed English day names "Sun".."Sat" into app.dayNames, which the
// face line takes its day of the week from.
void fillFaceDayNames();
