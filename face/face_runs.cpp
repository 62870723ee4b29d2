#include "face/face_runs.h"

#include <algorithm>

namespace {

bool isDirectionMark(char16_t c)
{
    return c == u'\u200E' || c == u'\u200F' || c == u'\u061C';
}

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::u16string withoutDirectionMarks(const std::u16string& text)
{
    std::u16string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [](char16_t c) { return !isDirectionMark(c); });
    return kept;
}

std::vector<FaceRun> splitFaceRuns(const std::u16string& text, const std::function<bool(char32_t)>& faceHasGlyph)
{
    std::vector<FaceRun> runs;
    for (size_t i = 0; i < text.size();) {
        size_t length = isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
        FaceRunFont font = length == 1 && faceHasGlyph(text[i]) ? FaceRunFont::Face : FaceRunFont::Fallback;
        if (runs.empty() || runs.back().font != font)
            runs.push_back(FaceRun{font, {}});
        runs.back().text.append(text, i, length);
        i += length;
    }
    return runs;
}

bool hasGlyphIn(const std::vector<GlyphRange>& ranges, char32_t c)
{
    auto after = std::upper_bound(ranges.begin(), ranges.end(), c,
                                  [](char32_t value, const GlyphRange& range) { return value < range.first; });
    return after != ranges.begin() && c <= std::prev(after)->last;
}
