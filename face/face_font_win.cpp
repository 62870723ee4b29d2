#include "face/face_font_win.h"

#include "app/app_state.h"
#include "face/face_geometry.h"
#include "face/face_runs_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

FaceFont createFaceFont(const wchar_t* familyName, int scale, int dpi)
{
    FaceFont face{nullptr, nullptr};
    GdipCreateFontFamilyFromName(familyName, nullptr, &face.family);
    if (face.family)
        GdipCreateFont(face.family, static_cast<REAL>(faceFontEm(scale, dpi)), FontStyleRegular,
                       UnitPixel, &face.font);
    return face;
}

void deleteFaceFont(const FaceFont& face)
{
    if (face.font)
        GdipDeleteFont(face.font);
    if (face.family)
        GdipDeleteFontFamily(face.family);
}

const FaceFont& remakeClockFont()
{
    releaseClockFont();
    FaceGlue& glue = app.face;
    glue.font = createFaceFont(FACE_FONT_FAMILY, app.scale, app.dpi);
    glue.fontMade = true;
    glue.fontScale = app.scale;
    glue.fontDpi = app.dpi;
    remakeFaceScripts();
    return glue.font;
}

const FaceFont& clockFont()
{
    const FaceGlue& glue = app.face;
    if (!glue.fontMade || glue.fontScale != app.scale || glue.fontDpi != app.dpi)
        return remakeClockFont();
    return glue.font;
}

void releaseClockFont()
{
    FaceGlue& glue = app.face;
    if (glue.fontMade)
        deleteFaceFont(glue.font);
    releaseFaceScripts();
    glue.font = FaceFont{nullptr, nullptr};
    glue.fontMade = false;
}

int measureFaceText(HDC dc, const FaceFont& face, int dpi, const wchar_t* text)
{
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(dc, &graphics);
    RectF layout(0.0f, 0.0f, static_cast<REAL>(measureWidth(dpi)), static_cast<REAL>(measureHeight(dpi)));
    RectF bounds(0.0f, 0.0f, 0.0f, 0.0f);
    GpStringFormat* format = nullptr;
    GdipCreateStringFormat(StringFormatFlagsNoWrap, 0, &format);
    GdipMeasureString(graphics, text, -1, face.font, &layout, format, &bounds, NULL, NULL);
    if (format)
        GdipDeleteStringFormat(format);
    if (graphics)
        GdipDeleteGraphics(graphics);
    return faceWidthForMeasured(bounds.Width, dpi);
}

int measureTextWidth(HDC dc, const wchar_t* familyName, int scale, int dpi, const wchar_t* text)
{
    FaceFont face = createFaceFont(familyName, scale, dpi);
    int width = measureFaceText(dc, face, dpi, text);
    deleteFaceFont(face);
    return width;
}
