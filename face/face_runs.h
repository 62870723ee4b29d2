#pragma once
// The face line split by the font that draws it: what the face font has a
// glyph for is drawn in it, everything else (a locale's AM/PM designator in
// its own script, say) in the fallback font, so no character shows as a box.
// The runs keep the line's order; the line itself is never reordered.
#include <functional>
#include <string>
#include <vector>

enum class FaceRunFont { Face, Fallback };

struct FaceRun {
    FaceRunFont font;
    std::u16string text;
    bool operator==(const FaceRun&) const = default;
};

// The line without the direction marks (LEFT-TO-RIGHT MARK, RIGHT-TO-LEFT
// MARK, ARABIC LETTER MARK) some locales' formats carry: the face is one
// left-to-right line, and no font draws them as anything but a box.
std::u16string withoutDirectionMarks(const std::u16string& text);

// Consecutive characters drawn in the same font, in the line's order. A
// surrogate pair stays whole and goes to the fallback font as one character.
std::vector<FaceRun> splitFaceRuns(const std::u16string& text, const std::function<bool(char32_t)>& faceHasGlyph);

// Characters a font has glyphs for, as sorted, disjoint inclusive ranges.
struct GlyphRange {
    char32_t first;
    char32_t last;
};
bool hasGlyphIn(const std::vector<GlyphRange>& ranges, char32_t c);
