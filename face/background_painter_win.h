#pragma once
// Paints the face background (style and border) into the cached picture the
// face painter copies every second.
#include <windows.h>

// Paints the top-left width x height pixels of `dc` from app's background
// type and colours.
void paintBackground(HDC dc, int width, int height);
