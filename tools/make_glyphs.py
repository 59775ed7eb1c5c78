#!/usr/bin/env python3
"""Draws the 22 glyphs of the small digital-clock display and writes them as
16-colour Windows bitmaps, src/res/glyphs/glyph_<resource id>.bmp: once for
100 % and again for 150 % (ids + 1000) and 200 % (ids + 2000), so a screen
at those scales gets pictures of its own rather than stretched ones.

The pictures are described below: one map of the seven-segment cell with a
table of the segments each digit lights, and the weekday characters, colon
and dash as pixel maps. Run it again after changing a picture:

    python3 tools/make_glyphs.py [output folder]

The output is the same byte for byte on every run.
"""
import os
import struct
import sys

# The 16 standard VGA colours as (R, G, B); the files store them as B, G, R, 0.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, OLIVE, RED, YELLOW, CYAN, WHITE = 0, 3, 9, 11, 14, 15

HEIGHT = 21

# ---------------------------------------------------------------------------
# Seven-segment cell, 16 x 21.  Each letter marks a pixel of one segment:
#
#        aaaa            a top          e lower left
#       f    b           b upper right  f upper left
#        gggg            c lower right  g middle
#       e    c           d bottom
#        dddd
#
# The bars are bevelled so neighbours meet along a black diagonal seam.
# Everything outside columns 2-13 and rows 2-18 stays black.
SEGMENT_MAP = [
    "................",  # 0
    "................",  # 1
    "...aaaaaaaaaa...",  # 2
    "..f.aaaaaaaa.b..",  # 3
    "..ff........bb..",  # 4
    "..ff........bb..",  # 5
    "..ff........bb..",  # 6
    "..ff........bb..",  # 7
    "..ff........bb..",  # 8
    "..f..gggggg..b..",  # 9
    "....gggggggg....",  # 10
    "..e..gggggg..c..",  # 11
    "..ee........cc..",  # 12
    "..ee........cc..",  # 13
    "..ee........cc..",  # 14
    "..ee........cc..",  # 15
    "..ee........cc..",  # 16
    "..e.dddddddd.c..",  # 17
    "...dddddddddd...",  # 18
    "................",  # 19
    "................",  # 20
]

# Segments lit by each digit.
DIGIT_SEGMENTS = {
    0: "abcdef",
    1: "bc",
    2: "abged",
    3: "abgcd",
    4: "fgbc",
    5: "afgcd",
    6: "afgedc",
    7: "abc",
    8: "abcdefg",
    9: "abcdfg",
}

# The comma drawn over the right end of the bottom segment (x, y).
COMMA = [(11, 17), (12, 17), (11, 18), (12, 18), (12, 19), (11, 20)]


def segment_cell(lit, extra=()):
    """A digit cell: lit segments yellow, the others dark olive."""
    rows = []
    for line in SEGMENT_MAP:
        rows.append([BLACK if ch == "." else YELLOW if ch in lit else OLIVE
                     for ch in line])
    for x, y in extra:
        rows[y][x] = YELLOW
    return rows


# ---------------------------------------------------------------------------
# Weekday characters, drawn with two-pixel uprights and one-pixel crossbars.
# Each picture is centred in a 16 x 21 cell; '#' is ink, '.' is background.
WEEKDAYS = {
    "sun": [                # 日
        "##########",
        "##......##",
        "##......##",
        "##......##",
        "##......##",
        "##......##",
        "##########",
        "##......##",
        "##......##",
        "##......##",
        "##......##",
        "##......##",
        "##......##",
        "##########",
    ],
    "mon": [                # 月
        "...##########",
        "...##......##",
        "...##......##",
        "...##......##",
        "...##########",
        "...##......##",
        "...##......##",
        "...##########",
        "...##......##",
        "..##.......##",
        "..##.......##",
        ".##........##",
        "##.........##",
        "#........####",
    ],
    "tue": [                # 火
        "......##......",
        "......##......",
        "......##......",
        ".##...##....##",
        ".##...##...##.",
        "..##..##..##..",
        "..##..##......",
        "......##......",
        ".....####.....",
        ".....#..#.....",
        "....##..##....",
        "...##....##...",
        ".###......###.",
        "##..........##",
    ],
    "wed": [                # 水
        "......##......",
        "......##......",
        "......##....#.",
        "#####.##...##.",
        "...##.##..##..",
        "...##.##.##...",
        "..##..####....",
        "..##..####....",
        ".##...##.##...",
        ".##...##..##..",
        "##....##...##.",
        "#.....##....##",
        "...#..##.....#",
        "....####......",
    ],
    "thu": [                # 木
        "......##......",
        "......##......",
        "......##......",
        "##############",
        "......##......",
        ".....####.....",
        ".....####.....",
        "....#.##.#....",
        "...##.##.##...",
        "..##..##..##..",
        ".##...##...##.",
        "##....##....##",
        "......##......",
        "......##......",
    ],
    "fri": [                # 金
        "......##......",
        ".....#..#.....",
        "....##..##....",
        "...##....##...",
        ".##........##.",
        "##.########.##",
        "......##......",
        "..##########..",
        "......##......",
        "..#...##...#..",
        "..##..##..##..",
        "...#..##..#...",
        "......##......",
        "##############",
    ],
    "sat": [                # 土
        "......##......",
        "......##......",
        "......##......",
        "......##......",
        "..##########..",
        "......##......",
        "......##......",
        "......##......",
        "......##......",
        "......##......",
        "......##......",
        "......##......",
        "......##......",
        "##############",
    ],
}


def centred(art, colour, width=16, art_width=16):
    """Places a pixel map in the middle of the first art_width columns."""
    rows = [[BLACK] * width for _ in range(HEIGHT)]
    left = (art_width - max(len(line) for line in art)) // 2
    top = (HEIGHT - len(art)) // 2
    for y, line in enumerate(art):
        for x, ch in enumerate(line):
            if ch == "#":
                rows[top + y][left + x] = colour
    return rows


# ---------------------------------------------------------------------------
# Separators, 9 x 21: '#' yellow, 'o' white highlight.
COLON = {6: "...o##...", 7: "...###...", 8: "...###...",
         12: "...o##...", 13: "...###...", 14: "...###..."}
DASH = {9: ".o######.", 10: ".#######.", 11: ".#######."}


def separator(lines):
    rows = [[BLACK] * 9 for _ in range(HEIGHT)]
    for y, line in lines.items():
        rows[y] = [YELLOW if ch == "#" else WHITE if ch == "o" else BLACK
                   for ch in line]
    return rows


# ---------------------------------------------------------------------------
# The glyphs in display order, with their resource ids.
def glyphs():
    digit_ids = [114, 113, 117, 116, 115, 119, 118, 122, 120, 123]
    for digit, rid in enumerate(digit_ids):
        yield rid, segment_cell(DIGIT_SEGMENTS[digit])
    yield 131, centred(WEEKDAYS["sun"], RED)
    yield 130, centred(WEEKDAYS["mon"], YELLOW)
    yield 132, centred(WEEKDAYS["tue"], YELLOW)
    yield 133, centred(WEEKDAYS["wed"], YELLOW)
    yield 134, centred(WEEKDAYS["thu"], YELLOW)
    yield 135, centred(WEEKDAYS["fri"], YELLOW)
    # Saturday is one column wider, but only the first 16 are ever shown.
    yield 136, centred(WEEKDAYS["sat"], CYAN, width=17)
    yield 124, separator(COLON)
    yield 137, separator(DASH)
    yield 138, segment_cell("")
    yield 150, segment_cell("", COMMA)
    yield 149, segment_cell("g")


# The scaled sets: (resource id offset, numerator, denominator).
SCALES = [(0, 1, 1), (1000, 3, 2), (2000, 2, 1)]


def scaled(rows, num, den):
    """Each pixel of the picture at num/den its size, nearest neighbour:
    whole pixels, so the segments stay sharp."""
    height, width = len(rows), len(rows[0])
    new_height = (height * num + den - 1) // den
    new_width = (width * num + den - 1) // den
    return [[rows[min(y * den // num, height - 1)][min(x * den // num, width - 1)]
             for x in range(new_width)] for y in range(new_height)]


def bmp(rows):
    """A 4-bit bottom-up BMP with a BITMAPINFOHEADER."""
    height, width = len(rows), len(rows[0])
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        packed = bytearray(stride)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += packed
    palette = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0,
                       len(pixels), 0, 0, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.join(here, "..", "src", "res", "glyphs")
    os.makedirs(folder, exist_ok=True)
    for rid, rows in glyphs():
        assert len(rows) == HEIGHT and all(len(r) == len(rows[0]) for r in rows)
        for offset, num, den in SCALES:
            with open(os.path.join(folder, "glyph_%d.bmp" % (rid + offset)), "wb") as out:
                out.write(bmp(scaled(rows, num, den)))


if __name__ == "__main__":
    main()
