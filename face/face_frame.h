#pragma once
// All that decides the pixels of one frame of the face: the same frame
// paints the same, so a frame equal to the one shown needs no paint.
#include <string>

#include "app/color.h"

struct FaceFrame {
    std::wstring text;
    int width = -1;
    int height = -1;
    int scale = 0;
    int dpi = 0;
    int showShadow = 0;
    int backgroundType = 0;
    ColorRef colorText = 0;
    ColorRef colorBase = 0;
    ColorRef colorBorder = 0;
    bool operator==(const FaceFrame&) const = default;
};
