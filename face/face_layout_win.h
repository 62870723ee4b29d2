#pragma once
// The clock window's size, place, opacity and z-order, all derived from the
// face text and the settings in app. The face is laid out here when
// something changes it (a setting, the DPI, the display, a text of another
// width), never while it is painted.
#include <windows.h>

// The face width in pixels for the local time now: the measured face text
// plus the margin (24 at 96 dpi). The text never wraps, however long.
int measureFaceWidth();

// Both size the window to the face and repaint the background, in buffers
// grown to the window when it outgrows them.
// Keeps the window's top-left corner, or its right and bottom edges where
// they lie on the work area's.
void resizeFace();
// Resizes the face when its text at `time` would measure differently from
// the text it was last measured on (a date a digit longer, another format).
void followFaceText(const SYSTEMTIME& time);
// Puts the window in the bottom-right corner of its monitor's work area
// (the monitor holding most of it, else the primary one).
void placeAtDefaultPosition();
// The window moved to a monitor of another DPI: the face is laid out anew
// for `dpi`, its top-left corner where Windows suggests.
void relayOutForDpi(int dpi, const RECT& suggested);
// Moves the window to the default position unless it is wholly on its
// monitor's work area.
void keepOnScreen();
// Makes app's off-screen bitmaps at least width x height, replacing the ones
// selected into frameDC and backgroundDC when the face outgrows them.
void ensureDrawingBuffers(int width, int height);
// Opacity, topmost state, size, place, then the background picture.
void applyFaceSettings();
