#pragma once
// The face font, created and deleted within each call that draws or measures
// with it.
#include <windows.h>

#include <gdiplus.h>

constexpr const wchar_t* FACE_FONT_FAMILY = L"Segmora Mono";

struct FaceFont {
    Gdiplus::GpFontFamily* family;
    Gdiplus::GpFont* font;
};

// The installed family `familyName` at the face's em size for `scale`.
// When the family is not installed both members stay null.
FaceFont createFaceFont(const wchar_t* familyName, int scale);
void deleteFaceFont(const FaceFont& face);
