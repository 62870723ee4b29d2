#!/usr/bin/python3
"""Makes the clock's face font "Segmora Mono" from Debian's DSEG fonts.

The face is DSEG7 Classic Regular under a name of its own: the SIL Open Font
License reserves the name "DSEG" for the original. Its digits, colon and
blank are the clock's seven-segment face. Everything else the face line
holds (the letters of the AM/PM markers and the day names, the date
separators) comes from DSEG14 Classic Regular, fitted to DSEG7's digit
height and cell: seven segments cannot draw letters that read ("PM" looks
like "PN"), fourteen can, and DSEG7 has no "/" nor ",". The licence text
goes beside the font, as the licence asks.

DSEG's digits fill the whole em, but the clock draws its text at an em of
79/80 of the window height, centred in a box that reaches 9/80 below the
window: the digits would lose their bottom segments. So every outline is
shrunk within its advance and raised to sit in the middle of the window.

DSEG's cells are 0.816 em wide: at the clock's 79-pixel em a full line
("12:59:59 PM  Wed 12/31/2027") would measure some 1450 pixels, more than the
1024-pixel box the face is measured in, and would wrap. So every full-width
cell (digits, letters, "/" and ",") is narrowed to 0.6 of its advance, its
outline a little less, so the digits keep their segments and lose most of the
gap between them. The colon and the blank keep their common width, so a
blinking separator does not move the text.

    make_font.py --dseg-dir DIR --copyright FILE --out-dir DIR
"""

import argparse
import os
import re
import string
import sys

from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

FAMILY = "Segmora Mono"
STYLE = "Regular"
POSTSCRIPT_NAME = "SegmoraMono-Regular"
FONT_FILE = "SegmoraMono.ttf"
LICENCE_FILE = "OFL.txt"

MAIN_FACE = "DSEG7Classic-Regular.ttf"
DONOR_FACE = "DSEG14Classic-Regular.ttf"

# What DSEG14 gives: every letter (AM/PM markers and day names of any
# locale) and the separators of short date formats.
FROM_FOURTEEN = string.ascii_uppercase + string.ascii_lowercase + "/.-,"
# Every character the face line can hold: those, the digits and the colon.
NEEDED = set("0123456789:" + FROM_FOURTEEN)
# The blank takes the place of a blinking separator; it has no contours.
BLANK = " "

# Where the digits go, in font units (em 1000): the clock's layout box is
# 1000 + 9 * 1000 / 79 units high around a line 1000 units high, so the
# window's middle lies half the difference above the line's middle.
OUTLINE_SCALE = 0.8
WINDOW_MIDDLE = 500 + round(9 * 1000 / 79 / 2)

# The narrowing of the full-width cells: the advance, and the outline within
# it (about its middle). The outline shrinks less than the advance: DSEG's
# shrunk digits leave a gap of 0.32 em between them, which would otherwise
# stay as wide in proportion as the digits are.
NARROW_ADVANCE = 0.6
NARROW_OUTLINE = 0.72

NAME_FAMILY = 1
NAME_SUBFAMILY = 2
NAME_UNIQUE_ID = 3
NAME_FULL = 4
NAME_VERSION = 5
NAME_POSTSCRIPT = 6
NAME_DESCRIPTION = 10
NAME_TYPOGRAPHIC_FAMILY = 16
NAME_TYPOGRAPHIC_SUBFAMILY = 17
NAME_SAMPLE_TEXT = 19


def has_contours(font, glyph_name):
    glyph = font["glyf"][glyph_name]
    return glyph.numberOfContours > 0 or glyph.isComposite()


def digit_height(font):
    eight = font["glyf"][font.getBestCmap()[ord("8")]]
    return eight.yMax - eight.yMin


def digit_cell(font):
    return font["hmtx"][font.getBestCmap()[ord("8")]][0]


def copy_glyph(target, donor, char):
    """Draws the donor's glyph for `char` into `target`, fitted to the
    target's digit height and cell width: into the glyph `char` has in the
    target, or into a new one mapped in every cmap subtable."""
    donor_name = donor.getBestCmap()[ord(char)]
    scale_x = digit_cell(target) / digit_cell(donor)
    scale_y = digit_height(target) / digit_height(donor)
    pen = TTGlyphPen(None)
    donor.getGlyphSet()[donor_name].draw(TransformPen(pen, (scale_x, 0, 0, scale_y, 0, 0)))
    glyph = pen.glyph()
    glyph.recalcBounds(target["glyf"])
    advance, _ = donor["hmtx"][donor_name]

    name = target.getBestCmap().get(ord(char))
    if name is None:
        name = donor_name
        while name in target["glyf"].glyphs:
            name += ".alt"
        order = target.getGlyphOrder() + [name]
        target.setGlyphOrder(order)
        target["glyf"].setGlyphOrder(order)
        for table in target["cmap"].tables:
            if table.isUnicode() or ord(char) < 256:
                table.cmap[ord(char)] = name
    target["glyf"][name] = glyph
    target["hmtx"][name] = (round(advance * scale_x), getattr(glyph, "xMin", 0))


def fit_outlines_to_face(font):
    """Shrinks every outline about the middle of its advance and centres it
    on the window's middle."""
    glyf = font["glyf"]
    glyph_set = font.getGlyphSet()
    lift = WINDOW_MIDDLE - 500 * OUTLINE_SCALE
    for name in font.getGlyphOrder():
        if not has_contours(font, name):
            continue
        advance, _ = font["hmtx"][name]
        centre = advance / 2
        pen = TTGlyphPen(None)
        transform = (OUTLINE_SCALE, 0, 0, OUTLINE_SCALE, centre * (1 - OUTLINE_SCALE), lift)
        glyph_set[name].draw(TransformPen(pen, transform))
        glyph = pen.glyph()
        glyph.recalcBounds(glyf)
        glyf[name] = glyph
        font["hmtx"][name] = (advance, glyph.xMin)


def narrow_cells(font):
    """Narrows every glyph as wide as the digits: its advance by
    NARROW_ADVANCE, its outline by NARROW_OUTLINE about the new middle.
    Narrower cells (the colon, the blank, the zero-width full stop) stay."""
    glyf = font["glyf"]
    glyph_set = font.getGlyphSet()
    cell = font["hmtx"][font.getBestCmap()[ord("8")]][0]
    narrow = round(cell * NARROW_ADVANCE)
    shift = (narrow - cell * NARROW_OUTLINE) / 2
    for name in font.getGlyphOrder():
        advance, lsb = font["hmtx"][name]
        if advance != cell:
            continue
        if not has_contours(font, name):
            font["hmtx"][name] = (narrow, lsb)
            continue
        pen = TTGlyphPen(None)
        glyph_set[name].draw(TransformPen(pen, (NARROW_OUTLINE, 0, 0, 1, shift, 0)))
        glyph = pen.glyph()
        glyph.recalcBounds(glyf)
        glyf[name] = glyph
        font["hmtx"][name] = (narrow, glyph.xMin)


def recalc_width_metrics(font):
    """The widths the font states about itself follow the narrowed cells; the
    bounding boxes in head and hhea are recomputed when the font is saved."""
    font["OS/2"].recalcAvgCharWidth(font)


def take_from_fourteen(font, donor):
    for char in FROM_FOURTEEN:
        copy_glyph(font, donor, char)


def rename(font):
    version = font["name"].getDebugName(NAME_VERSION) or "Version 1.0"
    names = {
        NAME_FAMILY: FAMILY,
        NAME_SUBFAMILY: STYLE,
        NAME_UNIQUE_ID: f"{FAMILY} {STYLE}: {version}",
        # Full name = family, as for most regular faces; Wine's GDI+ looks a
        # family up by the full name of its regular face.
        NAME_FULL: FAMILY,
        NAME_POSTSCRIPT: POSTSCRIPT_NAME,
        NAME_DESCRIPTION: "Made from DSEG7 Classic and DSEG14 Classic by keshikan "
        "(http://www.keshikan.net), under the SIL Open Font License 1.1.",
        NAME_TYPOGRAPHIC_FAMILY: FAMILY,
        NAME_TYPOGRAPHIC_SUBFAMILY: STYLE,
        NAME_SAMPLE_TEXT: "12:34",
    }
    table = font["name"]
    platforms = {(r.platformID, r.platEncID, r.langID) for r in table.names}
    table.names = [r for r in table.names if r.nameID not in names]
    for (platform, encoding, language) in sorted(platforms):
        for name_id, text in names.items():
            table.setName(text, name_id, platform, encoding, language)


def check(path):
    """Fails unless every character of the face line maps to a glyph with
    contours and the family reads "Segmora Mono" everywhere."""
    font = TTFont(path)
    cmap = font.getBestCmap()
    problems = []
    for char in sorted(NEEDED):
        name = cmap.get(ord(char))
        if name is None:
            problems.append(f"{char!r} has no glyph")
        elif not has_contours(font, name):
            problems.append(f"{char!r} maps to {name}, which has no contours")
    if ord(BLANK) not in cmap:
        problems.append("the blank has no glyph")
    present = {record.nameID for record in font["name"].names}
    for name_id in (NAME_FAMILY, NAME_FULL, NAME_POSTSCRIPT, NAME_TYPOGRAPHIC_FAMILY):
        if name_id not in present:
            problems.append(f"name {name_id} is missing")
    for record in font["name"].names:
        if record.nameID in (NAME_FAMILY, NAME_TYPOGRAPHIC_FAMILY) and record.toUnicode() != FAMILY:
            problems.append(f"name {record.nameID} reads {record.toUnicode()!r}")
        if record.nameID in (NAME_FULL, NAME_POSTSCRIPT, NAME_UNIQUE_ID) and "DSEG" in record.toUnicode():
            problems.append(f"name {record.nameID} still reads {record.toUnicode()!r}")
    return problems


def licence_text(copyright_path):
    """The OFL text of the DSEG files, unfolded from Debian's copyright file,
    after the copyright line it belongs to."""
    with open(copyright_path, encoding="utf-8") as f:
        stanzas = f.read().split("\n\n")
    for stanza in stanzas:
        if not re.search(r"^Files: \*$", stanza, re.M):
            continue
        holder = re.search(r"^Copyright: (.*)$", stanza, re.M).group(1)
        body = stanza.split("License: OFL-1.1\n", 1)[1]
        lines = [line[1:] for line in body.splitlines()]
        lines = ["" if line == "." else line for line in lines]
        return (
            f"{FAMILY} is a modified version of DSEG7 Classic, with its letters and\n"
            "punctuation from DSEG14 Classic. Both are:\n\n"
            f"Copyright (c) {holder}\n\n"
            "This Font Software is licensed under the SIL Open Font License, Version 1.1.\n\n"
            + "\n".join(lines).rstrip()
            + "\n"
        )
    raise SystemExit(f"make_font: no OFL stanza for the fonts in {copyright_path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dseg-dir", default="/usr/share/fonts/truetype/dseg")
    parser.add_argument("--copyright", default="/usr/share/doc/fonts-dseg/copyright")
    parser.add_argument("--out-dir", required=True)
    args = parser.parse_args()

    font = TTFont(os.path.join(args.dseg_dir, MAIN_FACE))
    donor = TTFont(os.path.join(args.dseg_dir, DONOR_FACE))
    take_from_fourteen(font, donor)
    fit_outlines_to_face(font)
    narrow_cells(font)
    recalc_width_metrics(font)
    rename(font)

    os.makedirs(args.out_dir, exist_ok=True)
    font_path = os.path.join(args.out_dir, FONT_FILE)
    font.save(font_path)
    with open(os.path.join(args.out_dir, LICENCE_FILE), "w", encoding="utf-8") as f:
        f.write(licence_text(args.copyright))

    problems = check(font_path)
    if problems:
        os.remove(font_path)
        for problem in problems:
            print(f"make_font: {problem}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
