#pragma once
// Composes one frame of the clock off screen (background, shadow, digits)
// and copies it to the window in a single blit, so the digits never flicker.
#include <windows.h>

// Paints the whole client area of app.hwndMain into `target` (the DC from
// BeginPaint).
void paintFace(HDC target);
