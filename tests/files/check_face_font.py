#!/usr/bin/python3
"""Checks the face font Segmora Mono against the DSEG faces it is made from:
the digits draw DSEG7's seven segments, every letter and date separator
draws DSEG14's fourteen (so "PM" reads as PM, not PN), and all of them sit
in the digits' cells: each glyph is its source glyph under the one scaling
and shift that turns DSEG7's "8" into the face's "8", with the same advance.

    check_face_font.py SegmoraMono.ttf [DSEG_DIR]
"""

import string
import sys

from fontTools.ttLib import TTFont

SEVEN = "DSEG7Classic-Regular.ttf"
FOURTEEN = "DSEG14Classic-Regular.ttf"
FROM_SEVEN = string.digits
FROM_FOURTEEN = string.ascii_letters + "/,-"
TOLERANCE = 2  # font units: the build rounds the outlines twice


def glyph(font, char):
    name = font.getBestCmap()[ord(char)]
    return font["glyf"][name], font["hmtx"][name][0]


def points(font, char):
    outline, _ = glyph(font, char)
    coordinates, _, _ = outline.getCoordinates(font["glyf"])
    return list(coordinates)


def covers(these, those):
    """Whether every point of `those` has one of `these` within the tolerance."""
    return all(any(abs(x - tx) <= TOLERANCE and abs(y - ty) <= TOLERANCE for tx, ty in these) for x, y in those)


def fit_of_eight(source, face):
    """The per-axis scale and shift that takes the source's "8" onto the face's."""
    a, _ = glyph(source, "8")
    b, _ = glyph(face, "8")
    sx = (b.xMax - b.xMin) / (a.xMax - a.xMin)
    sy = (b.yMax - b.yMin) / (a.yMax - a.yMin)
    return lambda x, y: (b.xMin + (x - a.xMin) * sx, b.yMin + (y - a.yMin) * sy)


def main():
    face = TTFont(sys.argv[1])
    folder = sys.argv[2] if len(sys.argv) > 2 else "/usr/share/fonts/truetype/dseg"
    seven = TTFont(f"{folder}/{SEVEN}")
    fourteen = TTFont(f"{folder}/{FOURTEEN}")
    fit = fit_of_eight(seven, face)
    cell = glyph(face, "8")[1]
    problems = []
    for chars, source, origin in ((FROM_SEVEN, seven, "DSEG7"), (FROM_FOURTEEN, fourteen, "DSEG14")):
        for char in chars:
            expected = [fit(x, y) for x, y in points(source, char)]
            actual = points(face, char)
            if len(actual) != len(expected) or not covers(actual, expected) or not covers(expected, actual):
                problems.append(f"{char!r} is not {origin}'s glyph in the digits' cell")
            if glyph(face, char)[1] != cell:
                problems.append(f"{char!r} is {glyph(face, char)[1]} units wide, the digits {cell}")
    for problem in problems:
        print(f"FAIL: {problem}")
    if problems:
        return 1
    print(f"face font OK: digits from DSEG7, {len(FROM_FOURTEEN)} letters and separators from DSEG14")
    return 0


if __name__ == "__main__":
    sys.exit(main())
