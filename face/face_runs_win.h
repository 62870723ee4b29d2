#pragma once
// The face line drawn and measured run by run: the face font where it has
// the glyphs, else the fallback font, the system's message font family at
// the face's em size. Both are made with each layout, never per paint. A
// line the face font has every glyph of is measured and drawn whole, as one
// string.
#include <windows.h>

#include <gdiplus.h>

#include <vector>

#include "face/face_font_win.h"
#include "face/face_runs.h"

// What a layout makes beside the face font.
struct FaceScripts {
    FaceFont fallback{nullptr, nullptr};
    std::vector<GlyphRange> faceGlyphs;  // what the face font has glyphs for
    float digitLift = 0.0f;              // how far above its baseline the face font's digits stand
};

// Makes the fallback font and reads the face font's glyphs, for app's scale
// and DPI (the face font's own remaking does).
void remakeFaceScripts();
void releaseFaceScripts();

// The face line split by the font each part is drawn in, as the face shows it.
std::vector<FaceRun> faceRunsOf(const wchar_t* text);
// The font a run is drawn in.
const FaceFont& fontOfRun(const FaceRun& run);

// The face width for `text` on `dc`: its runs' widths plus the margin.
int measureFaceLine(HDC dc, const wchar_t* text);
// Draws `text` centred in `layout` (as `format`, centred both ways, would)
// with `brush`, one run after the other on one baseline.
void drawFaceLine(Gdiplus::GpGraphics* graphics, const wchar_t* text, Gdiplus::GpStringFormat* format,
                  const Gdiplus::RectF& layout, Gdiplus::GpBrush* brush);
