#pragma once
// What the face background consists of, for each background type: a clear
// colour over the white ground, up to two vertical gradient fills, and the
// border, one pixel wide at 96 dpi. The Win32 painter only carries this out.
#include <cstdint>

#include "app/color.h"

using Argb = std::uint32_t;

constexpr Argb OPAQUE_WHITE = 0xFFFFFFFF;

// A linear gradient running down the line x = 0 from (0, y0) to (0, y1),
// filling the rectangle x, y, width, height, which lies within that span.
struct GradientBand {
    int y0;
    Argb argb0;
    int y1;
    Argb argb1;
    int x;
    int y;
    int width;
    int height;
};

// A rectangle outline: x, y, width, height as GDI+ takes them for a
// one-unit pen, so it covers columns x..x+width and rows y..y+height; a
// wider pen reaches inwards from there.
struct OutlineRect {
    int x;
    int y;
    int width;
    int height;
    Argb argb;
    int penWidth;
};

struct BackgroundStyle {
    Argb clearArgb;  // the ground after the white one: white, or the base colour for Solid
    int fillCount;
    GradientBand fills[2];
    OutlineRect border;
};

// Any type other than Solid (0), Gradient (2) and Glass (3) paints as Soft.
BackgroundStyle describeBackground(int backgroundType, ColorRef base, ColorRef border, int width,
                                   int height, int dpi);
