#include "face/face_font_win.h"

#include "face/face_geometry.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

FaceFont createFaceFont(const wchar_t* familyName, int scale)
{
    FaceFont face{nullptr, nullptr};
    GdipCreateFontFamilyFromName(familyName, nullptr, &face.family);
    if (face.family)
        GdipCreateFont(face.family, static_cast<REAL>(faceFontEm(scale)), FontStyleRegular,
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
