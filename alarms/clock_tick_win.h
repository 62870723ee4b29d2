#pragma once
// The clock's one-second tick over the global AppState: reads the local
// time, decides with runClockTick, then plays or stops the sound, shows the
// balloon, opens the message windows and repaints the face.
void clockTick();
