#!/usr/bin/python3
"""Draws the program's pictures and writes them into res/:

  tockmere.ico  window icon: 16, 20, 24, 32 and 48 pixels, 32 bpp with alpha
  small.ico     notification-area icon: the same sizes (16 at 100 %, 24 at
                150 %, 32 at 200 %), 32 bpp with alpha
  about.bmp     About-box banner: 203x61, 24 bpp

The shapes are drawn by ImageMagick (`convert`) at several times the final
size; this script shrinks them with an alpha-weighted box filter and writes
the ICO and BMP files itself, so their formats do not depend on ImageMagick's
writers. Needs imagemagick and fonts-dejavu-core. Run from anywhere:

  /usr/bin/python3 res/make_art.py
"""

import math
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_BOOK = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

# The clock face's own default colours, so icon, banner and clock match.
NAVY = "#053B6A"      # border colour of the face
LAVENDER = "#CDC8DE"  # base colour of the face
DIAL = "#F7F6FB"
HANDS = "#1A1A2E"
SECOND_HAND = "#C8322D"


def render(mvg, width, height, background="none"):
    """Runs an MVG drawing through ImageMagick; returns RGBA bytes."""
    result = subprocess.run(
        ["convert", "-size", f"{width}x{height}", f"xc:{background}",
         "-draw", mvg, "-depth", "8", "rgba:-"],
        check=True, capture_output=True)
    if len(result.stdout) != width * height * 4:
        sys.exit("make_art: unexpected image size from convert")
    return result.stdout


def shrink(rgba, width, height, factor):
    """Box-filters an RGBA image by an integer factor, weighting by alpha
    so transparent pixels do not darken the edges."""
    out_w, out_h = width // factor, height // factor
    out = bytearray(out_w * out_h * 4)
    area = factor * factor
    for oy in range(out_h):
        for ox in range(out_w):
            r = g = b = a = 0
            for y in range(oy * factor, oy * factor + factor):
                row = (y * width + ox * factor) * 4
                for x in range(factor):
                    p = row + x * 4
                    alpha = rgba[p + 3]
                    r += rgba[p] * alpha
                    g += rgba[p + 1] * alpha
                    b += rgba[p + 2] * alpha
                    a += alpha
            o = (oy * out_w + ox) * 4
            if a:
                out[o] = (r + a // 2) // a
                out[o + 1] = (g + a // 2) // a
                out[o + 2] = (b + a // 2) // a
            out[o + 3] = (a + area // 2) // area
    return bytes(out)


def hand_end(cx, cy, length, minutes):
    """End of a hand of the given length pointing at a minute mark."""
    angle = math.radians(minutes * 6.0)
    return cx + length * math.sin(angle), cy - length * math.cos(angle)


def clock_mvg(cx, cy, radius, unit, detailed):
    """MVG for a round clock. `unit` is one final pixel in drawing
    coordinates. The detailed clock (32 pixels and up) shows 10:09 with hour
    marks and a second hand; the plain one shows 3:00 with two-pixel hands
    that fall on whole pixels, which is what still reads as a clock at 16."""
    if not detailed:
        ring = 1.75 * unit
        hand = 2 * unit
        return "\n".join([
            f"fill {DIAL} stroke {NAVY} stroke-width {ring:.2f}",
            f"circle {cx:.2f},{cy:.2f} {cx + radius - ring / 2:.2f},{cy:.2f}",
            f"stroke {HANDS} stroke-width {hand:.2f} stroke-linecap butt",
            f"line {cx:.2f},{cy + hand / 2:.2f} {cx:.2f},{cy - 5 * unit:.2f}",
            f"line {cx - hand / 2:.2f},{cy:.2f} {cx + 4 * unit:.2f},{cy:.2f}",
        ])
    ring = max(2.2 * unit, radius * 0.13)
    inner = radius - ring
    lines = [
        "stroke-linecap round",
        f"fill {DIAL} stroke {NAVY} stroke-width {ring:.2f}",
        f"circle {cx:.2f},{cy:.2f} {cx + radius - ring / 2:.2f},{cy:.2f}",
    ]
    for mark in range(12):
        major = mark % 3 == 0
        outer_end = hand_end(cx, cy, inner - 0.6 * unit, mark * 5)
        inner_end = hand_end(cx, cy, inner - (2.6 if major else 1.6) * unit, mark * 5)
        width = (1.3 if major else 0.8) * unit
        lines.append(f"stroke {NAVY} stroke-width {width:.2f} "
                     f"line {inner_end[0]:.2f},{inner_end[1]:.2f} "
                     f"{outer_end[0]:.2f},{outer_end[1]:.2f}")
    hand = max(1.6 * unit, radius * 0.09)
    hour = hand_end(cx, cy, radius * 0.48, 50.75)   # ten past ten
    minute = hand_end(cx, cy, radius * 0.72, 9)
    second = hand_end(cx, cy, radius * 0.74, 38)
    tail = hand_end(cx, cy, radius * 0.18, 8)
    dot = 1.6 * unit
    lines += [
        f"stroke {HANDS} stroke-width {hand:.2f}",
        f"line {cx:.2f},{cy:.2f} {hour[0]:.2f},{hour[1]:.2f}",
        f"line {cx:.2f},{cy:.2f} {minute[0]:.2f},{minute[1]:.2f}",
        f"stroke {SECOND_HAND} stroke-width {0.8 * unit:.2f} "
        f"line {tail[0]:.2f},{tail[1]:.2f} {second[0]:.2f},{second[1]:.2f}",
        f"stroke none fill {HANDS} circle {cx:.2f},{cy:.2f} {cx + dot:.2f},{cy:.2f}",
    ]
    return "\n".join(lines)


def icon_image(size):
    """One icon image as RGBA bytes, size x size."""
    factor = 8
    big = size * factor
    half = big / 2
    radius = half if size < 32 else half - 0.25 * factor
    mvg = clock_mvg(half, half, radius, factor, detailed=size >= 32)
    return shrink(render(mvg, big, big), big, big, factor)


def banner_image(width, height):
    """The About-box banner as RGB bytes: clock and program name on a soft
    lavender ground with a navy frame."""
    factor = 4
    w, h = width * factor, height * factor
    cy = h / 2
    radius = (height - 10) * factor / 2
    cx = 6 * factor + radius
    text_x = cx + radius + 7 * factor
    mvg = "\n".join([
        f"fill none stroke {NAVY} stroke-width {2 * factor}",
        f"rectangle {factor},{factor} {w - factor - 1},{h - factor - 1}",
        clock_mvg(cx, cy, radius, factor, detailed=True),
        f"stroke none fill {NAVY} font '{FONT_BOLD}' font-size {23 * factor}",
        f"text {text_x:.1f},{cy + 5 * factor:.1f} 'Tockmere'",
        f"fill #4A4F6A font '{FONT_BOOK}' font-size {9 * factor}",
        f"text {text_x + factor:.1f},{cy + 19 * factor:.1f} 'desktop clock'",
    ])
    ground = subprocess.run(
        ["convert", "-size", f"{w}x{h}", f"gradient:{DIAL}-{LAVENDER}",
         "-draw", mvg, "-depth", "8", "rgba:-"],
        check=True, capture_output=True).stdout
    small = shrink(ground, w, h, factor)
    return bytes(b for i, b in enumerate(small) if i % 4 != 3)


def dib_rows_bgra(rgba, size):
    """Bottom-up BGRA rows, as an icon's colour bitmap stores them."""
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            p = (y * size + x) * 4
            row += bytes((rgba[p + 2], rgba[p + 1], rgba[p], rgba[p + 3]))
        rows.append(bytes(row))
    return b"".join(rows)


def and_mask(rgba, size):
    """The icon's 1 bpp transparency mask, bottom-up, rows padded to 4 bytes."""
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if rgba[(y * size + x) * 4 + 3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def write_ico(path, images):
    """images: list of (size, rgba). Writes 32 bpp DIB entries."""
    blobs = []
    for size, rgba in images:
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                             0, 0, 0, 0, 0)
        blobs.append(header + dib_rows_bgra(rgba, size) + and_mask(rgba, size))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, _), blob in zip(images, blobs):
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                            len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(data + b"".join(blobs))


def write_bmp24(path, rgb, width, height):
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            p = (y * width + x) * 3
            row += bytes((rgb[p + 2], rgb[p + 1], rgb[p]))
        pixels += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0,
                       14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + pixels)


def main():
    for font in (FONT_BOLD, FONT_BOOK):
        if not os.path.exists(font):
            sys.exit(f"make_art: {font} is missing (install fonts-dejavu-core)")
    # One image for each display scale from 100 to 300 %, so Windows never
    # stretches one: largest first, as Windows lists them.
    icons = [(size, icon_image(size)) for size in (48, 32, 24, 20, 16)]
    write_ico(os.path.join(HERE, "tockmere.ico"), icons)
    write_ico(os.path.join(HERE, "small.ico"), icons)
    write_bmp24(os.path.join(HERE, "about.bmp"), banner_image(203, 61), 203, 61)


if __name__ == "__main__":
    main()
