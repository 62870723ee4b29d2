#pragma once
// Follows the foreground window with event hooks, so the clock steps aside
// while a full-screen program covers its monitor (app/full_screen.h).

// From the clock window's creation to its end.
void startFollowingFullScreen();
void stopFollowingFullScreen();
// Looks at the foreground window now: also after the setting was applied
// and the displays changed.
void followFullScreen();
