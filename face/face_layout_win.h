#pragma once
// The clock window's size, place, opacity and z-order, all derived from the
// face text and the settings in app.
#include <windows.h>

// The face width in pixels: the measured face text plus the margin (24 at
// 96 dpi). The text never wraps, however long.
int measureFaceWidth();
// The width of `text` in the face font of `familyName` at `scale` and `dpi`,
// measured on `dc` as the face is, plus the margin. measureFaceWidth is this
// for the face.
int measureTextWidth(HDC dc, const wchar_t* familyName, int scale, int dpi, const wchar_t* text);

// Both size the window to the face and repaint the background, in buffers
// grown to the window when it outgrows them.
// Keeps the window's top-left corner, or its right and bottom edges where
// they lie on the work area's.
void resizeFace();
// Resizes the face when its text would now measure differently from the
// text it was last measured on (a date a digit longer, another format).
void followFaceText();
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
