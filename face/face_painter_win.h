#pragma once
// Composes one frame of the clock off screen (background, shadow, digits)
// and copies it to the window in a single blit, so the digits never flicker.
// A paint only draws: the face is laid out before (face_layout_win.h).
#include <windows.h>

// Paints the whole client area of app.hwndMain into `target` for the local
// time now.
void paintFace(HDC target);

// WM_PAINT of the clock window: reads the time once, paints that frame and
// remembers what it shows. When the face has changed since the last paint,
// all of it is painted, even if Windows asked for a part only (an uncovered
// corner).
void paintFaceWindow(HWND window);

// Invalidates the whole clock window when a paint at `time` would put other
// pixels on it than the last one did: the face text (the blinking separator
// included), the window's size, or a setting the painter reads has changed
// since. Otherwise leaves it alone.
void invalidateChangedFace(const SYSTEMTIME& time);
