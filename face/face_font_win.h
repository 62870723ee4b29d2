#pragma once
// The face font, and text measured in it. The one the clock draws with is
// made when the face is laid out and kept until the next layout or the end,
// so a paint need not make it.
#include <windows.h>

#include <gdiplus.h>

constexpr const wchar_t* FACE_FONT_FAMILY = L"Segmora Mono";

struct FaceFont {
    Gdiplus::GpFontFamily* family;
    Gdiplus::GpFont* font;
};

// The installed family `familyName` at the face's em size for `scale` at
// `dpi`. When the family is not installed both members stay null.
FaceFont createFaceFont(const wchar_t* familyName, int scale, int dpi);
void deleteFaceFont(const FaceFont& face);

// Makes the clock's face font anew for app's scale and DPI (the layout does,
// before it measures).
const FaceFont& remakeClockFont();
// The clock's face font as the last layout made it; made now if there was
// none yet or the scale or DPI changed since.
const FaceFont& clockFont();
// Deletes it, before GDI+ is shut down.
void releaseClockFont();

// The face width for `text` in `face` at `dpi`, measured on `dc`: the text's
// width plus the margin (24 at 96 dpi). The text never wraps, however long.
int measureFaceText(HDC dc, const FaceFont& face, int dpi, const wchar_t* text);
// The same in the face font of `familyName` at `scale` and `dpi`, made for
// this one measurement.
int measureTextWidth(HDC dc, const wchar_t* familyName, int scale, int dpi, const wchar_t* text);
