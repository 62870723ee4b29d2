#pragma once
// The face line from the local clock and the user's locale.

// The line to show (`forMeasure` 0) or its widest form for measuring (1).
// Points to one static buffer of 260 characters, valid until the next call.
const wchar_t* getFaceText(int forMeasure);

// Puts the fixed English day names "Sun".."Sat" into app.dayNames, which the
// face line takes its day of the week from.
void fillFaceDayNames();
