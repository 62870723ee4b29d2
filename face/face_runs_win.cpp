#include "face/face_runs_win.h"

#include <cwchar>

#include "app/app_state.h"
#include "face/face_geometry.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

HFONT createGdiFont(const wchar_t* family, int em)
{
    return CreateFontW(-em, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, family);
}

// The family GDI draws the message font in. Its name may be one GDI maps to
// another ("MS Shell Dlg", or "Tahoma" where it is not installed), which
// GDI+ does not know: the family actually chosen is asked for instead.
std::wstring messageFontFamily(HDC dc)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    wchar_t chosen[LF_FACESIZE] = {};
    if (HFONT font = createGdiFont(metrics.lfMessageFont.lfFaceName, 0)) {
        HGDIOBJ previous = SelectObject(dc, font);
        GetTextFaceW(dc, LF_FACESIZE, chosen);
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    return chosen[0] ? chosen : metrics.lfMessageFont.lfFaceName;
}

// The characters `family` has glyphs for, read from GDI once per layout.
std::vector<GlyphRange> glyphsOf(HDC dc, const wchar_t* family, int em)
{
    std::vector<GlyphRange> ranges;
    HFONT font = createGdiFont(family, em);
    if (!font)
        return ranges;
    HGDIOBJ previous = SelectObject(dc, font);
    if (DWORD size = GetFontUnicodeRanges(dc, nullptr)) {
        std::vector<BYTE> buffer(size);
        auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
        set->cbThis = size;
        if (GetFontUnicodeRanges(dc, set))
            for (DWORD i = 0; i < set->cRanges; ++i)
                ranges.push_back(GlyphRange{set->ranges[i].wcLow,
                                            static_cast<char32_t>(set->ranges[i].wcLow + set->ranges[i].cGlyphs - 1)});
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    return ranges;
}

// The face font's digits stand above its baseline (its cell has no descent);
// the fallback's letters stand where the digits do.
float digitLiftOf(HDC dc, const wchar_t* family, int em)
{
    HFONT font = createGdiFont(family, em);
    if (!font)
        return 0.0f;
    HGDIOBJ previous = SelectObject(dc, font);
    GLYPHMETRICS metrics{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    DWORD result = GetGlyphOutlineW(dc, L'0', GGO_METRICS, &metrics, 0, nullptr, &identity);
    SelectObject(dc, previous);
    DeleteObject(font);
    return result == GDI_ERROR ? 0.0f : static_cast<float>(metrics.gmptGlyphOrigin.y - static_cast<int>(metrics.gmBlackBoxY));
}

bool allInFaceFont(const std::vector<FaceRun>& runs)
{
    return runs.size() <= 1 && (runs.empty() || runs[0].font == FaceRunFont::Face);
}

// Runs are measured and drawn without the padding GDI+ puts around a
// string, so they join up; never wrapped, trailing blanks counted.
GpStringFormat* runFormat()
{
    GpStringFormat* generic = nullptr;
    GpStringFormat* format = nullptr;
    GdipStringFormatGetGenericTypographic(&generic);
    GdipCloneStringFormat(generic, &format);
    INT flags = 0;
    GdipGetStringFormatFlags(format, &flags);
    GdipSetStringFormatFlags(format, flags | StringFormatFlagsNoWrap | StringFormatFlagsMeasureTrailingSpaces);
    return format;
}

float runWidth(GpGraphics* graphics, const FaceRun& run, GpStringFormat* format)
{
    const FaceFont& face = fontOfRun(run);
    RectF layout(0.0f, 0.0f, 100000.0f, 100000.0f);
    RectF bounds(0.0f, 0.0f, 0.0f, 0.0f);
    std::wstring text(run.text.begin(), run.text.end());
    GdipMeasureString(graphics, text.c_str(), static_cast<INT>(text.size()), face.font, &layout, format, &bounds,
                      nullptr, nullptr);
    return bounds.Width;
}

float runsWidth(GpGraphics* graphics, const std::vector<FaceRun>& runs, GpStringFormat* format)
{
    float width = 0.0f;
    for (const FaceRun& run : runs)
        width += runWidth(graphics, run, format);
    return width;
}

// From the top of a line in `face` to its baseline, in pixels.
float ascentOf(const FaceFont& face)
{
    UINT16 ascent = 0, emHeight = 1;
    REAL size = 0.0f;
    GdipGetCellAscent(face.family, FontStyleRegular, &ascent);
    GdipGetEmHeight(face.family, FontStyleRegular, &emHeight);
    GdipGetFontSize(face.font, &size);
    return emHeight ? size * ascent / emHeight : 0.0f;
}

float lineHeightOf(GpGraphics* graphics, const FaceFont& face)
{
    REAL height = 0.0f;
    GdipGetFontHeight(face.font, graphics, &height);
    return height;
}

}  // namespace

void remakeFaceScripts()
{
    releaseFaceScripts();
    FaceScripts& scripts = app.face.scripts;
    int em = faceFontEm(app.scale, app.dpi);
    scripts.fallback = createFaceFont(messageFontFamily(app.frameDC).c_str(), app.scale, app.dpi);
    scripts.faceGlyphs = glyphsOf(app.frameDC, FACE_FONT_FAMILY, em);
    scripts.digitLift = digitLiftOf(app.frameDC, FACE_FONT_FAMILY, em);
}

void releaseFaceScripts()
{
    FaceScripts& scripts = app.face.scripts;
    deleteFaceFont(scripts.fallback);
    scripts.fallback = FaceFont{nullptr, nullptr};
    scripts.faceGlyphs.clear();
}

std::vector<FaceRun> faceRunsOf(const wchar_t* text)
{
    const std::vector<GlyphRange>& glyphs = app.face.scripts.faceGlyphs;
    return splitFaceRuns(std::u16string(text, text + std::wcslen(text)),
                         [&glyphs](char32_t c) { return hasGlyphIn(glyphs, c); });
}

const FaceFont& fontOfRun(const FaceRun& run)
{
    const FaceFont& fallback = app.face.scripts.fallback;
    return run.font == FaceRunFont::Fallback && fallback.font ? fallback : clockFont();
}

int measureFaceLine(HDC dc, const wchar_t* text)
{
    std::vector<FaceRun> runs = faceRunsOf(text);
    if (allInFaceFont(runs))
        return measureFaceText(dc, clockFont(), app.dpi, text);
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(dc, &graphics);
    GpStringFormat* format = runFormat();
    float width = runsWidth(graphics, runs, format);
    GdipDeleteStringFormat(format);
    if (graphics)
        GdipDeleteGraphics(graphics);
    return faceWidthForMeasured(width, app.dpi);
}

void drawFaceLine(GpGraphics* graphics, const wchar_t* text, GpStringFormat* format, const RectF& layout,
                  GpBrush* brush)
{
    std::vector<FaceRun> runs = faceRunsOf(text);
    if (allInFaceFont(runs)) {
        GdipDrawString(graphics, text, -1, clockFont().font, &layout, format, brush);
        return;
    }
    GpStringFormat* perRun = runFormat();
    const FaceFont& face = clockFont();
    // The face font's runs stand on the baseline it has when centred alone;
    // the fallback's where its digits stand.
    float baseline = layout.Y + (layout.Height - lineHeightOf(graphics, face)) / 2 + ascentOf(face);
    float x = layout.X + (layout.Width - runsWidth(graphics, runs, perRun)) / 2;
    for (const FaceRun& run : runs) {
        const FaceFont& font = fontOfRun(run);
        float width = runWidth(graphics, run, perRun);
        float lift = run.font == FaceRunFont::Fallback ? app.face.scripts.digitLift : 0.0f;
        float top = baseline - lift - ascentOf(font);
        RectF box(x, top, width + layout.Height, 2 * lineHeightOf(graphics, font));  // roomy: a line cut short is not drawn
        std::wstring part(run.text.begin(), run.text.end());
        GdipDrawString(graphics, part.c_str(), static_cast<INT>(part.size()), font.font, &box, perRun, brush);
        x += width;
    }
    GdipDeleteStringFormat(perRun);
}
