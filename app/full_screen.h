#pragma once
// The clock steps aside for a full-screen program on its monitor: hidden
// while one covers it, back when it goes. This is not the user's hiding: a
// clock hidden by the user stays hidden, and alarms ring while it steps aside.

struct FullScreenHiding {
    bool covered;  // the clock's monitor was covered at the last look
    bool hidden;   // the clock is hidden because of it
};

enum FullScreenStep { FULL_SCREEN_STAY, FULL_SCREEN_HIDE, FULL_SCREEN_SHOW };

// The next look, after the foreground window changed or moved: `covered`
// when the setting is on and that window covers the clock's monitor. The
// clock hides when its monitor becomes covered while it is shown, and shows
// again when the cover goes if it is still hidden for it. A clock shown
// meanwhile by the user is theirs: it is not hidden again until the next
// cover.
FullScreenStep nextFullScreenStep(FullScreenHiding& state, bool covered, bool clockVisible);
