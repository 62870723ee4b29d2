#pragma once
// Snoozing from the message window and from the clock's popup menu, over
// the global AppState (the rules: alarms/snooze.h).
#include <windows.h>

#include "alarms/ringing_state.h"

// Snoozes the records for `minutes`, remembered as the length chosen last;
// stored at once, the wake timer set for them. The caller stops the ringing.
void snoozeRang(const RangRecord* records, int count, int minutes);

// While something rings, the menu's first item is "Snooze N minutes" (N the
// remembered length) over a separator; otherwise neither is there.
void offerSnoozeInMenu(HMENU menu);

// The menu's item: everything that rang in the current ringing, for the
// remembered length; their message windows close and the ringing stops.
void snoozeRinging();
