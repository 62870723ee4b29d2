#include "face/background_style.h"

#include "face/face_geometry.h"
#include "settings/settings.h"

namespace {

// Over the white ground, the alpha of the base colour decides how much of it
// shows: 0x40 is about a quarter base, 0xC0 about three quarters.
constexpr unsigned OPAQUE = 0xFF;
constexpr unsigned MOSTLY = 0xC0;
constexpr unsigned FAINT = 0x40;
constexpr unsigned TRACE = 0x08;

constexpr Argb white(unsigned alpha)
{
    return argbOf(0xFFFFFF, alpha);
}

GradientBand wholeFace(Argb top, Argb bottom, int width, int height)
{
    return {0, top, height, bottom, 0, 0, width, height};
}

}  // namespace

BackgroundStyle describeBackground(int backgroundType, ColorRef base, ColorRef border, int width,
                                   int height, int dpi)
{
    BackgroundStyle style{};
    style.clearArgb = OPAQUE_WHITE;
    style.border = {0, 0, width - 1, height - 1, argbOf(border, OPAQUE), faceBorderWidth(dpi)};

    switch (backgroundType) {
    case BACKGROUND_SOLID:
        style.clearArgb = argbOf(base, OPAQUE);
        break;
    case BACKGROUND_GRADIENT:
        style.fills[style.fillCount++] =
            wholeFace(argbOf(base, FAINT), argbOf(base, OPAQUE), width, height);
        break;
    case BACKGROUND_GLASS: {
        style.fills[style.fillCount++] =
            wholeFace(argbOf(base, OPAQUE), argbOf(base, FAINT), width, height);
        // A bright band near the top, inset from the left, top and right.
        int inset = glassBandInset(dpi);
        style.fills[style.fillCount++] = {0, white(OPAQUE), height / 7 + inset, white(FAINT),
                                          inset, inset, width - 2 * inset - 1, height / 7 - 1};
        break;
    }
    default: {  // Soft
        style.fills[style.fillCount++] =
            wholeFace(argbOf(base, MOSTLY), argbOf(base, OPAQUE), width, height);
        int highlight = height * 60 / 100;
        style.fills[style.fillCount++] = {0, white(MOSTLY), highlight, white(TRACE),
                                          0, 0, width, highlight};
        break;
    }
    }
    return style;
}
