#include "face/face_font_win.h"

#include "app/app_state.h"
#include "face/face_geometry.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

FaceFont kept{nullptr, nullptr};
bool made = false;
int keptScale = 0;
int keptDpi = 0;

}  // namespace

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
    kept = createFaceFont(FACE_FONT_FAMILY, app.scale, app.dpi);
    made = true;
    keptScale = app.scale;
    keptDpi = app.dpi;
    return kept;
}

const FaceFont& clockFont()
{
    if (!made || keptScale != app.scale || keptDpi != app.dpi)
        return remakeClockFont();
    return kept;
}

void releaseClockFont()
{
    if (made)
        deleteFaceFont(kept);
    kept = FaceFont{nullptr, nullptr};
    made = false;
}
