#!/usr/bin/env python3
"""Draws icon 103, a small calendar page, and writes it as a Windows .ico.

The picture is described below as shapes on a 16- and a 32-pixel canvas;
each size is stored in 16 and in 256 colours. Run it again after changing
a shape:  tools/make_icon.py src/res/ravo.ico
"""
import struct
import sys

# The 16 standard VGA colours (B, G, R); the 256-colour images use the same
# first sixteen entries and leave the rest black.
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_RED, GREY, SILVER, RED, YELLOW, BLUE, WHITE = 0, 1, 8, 7, 9, 11, 12, 15
CLEAR = None


def page(size):
    """Returns rows of palette indexes (None = transparent)."""
    canvas = [[CLEAR] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                canvas[y][x] = colour

    def frame(x0, y0, x1, y1, colour):
        fill(x0, y0, x1, y0, colour)
        fill(x0, y1, x1, y1, colour)
        fill(x0, y0, x0, y1, colour)
        fill(x1, y0, x1, y1, colour)

    if size == 32:
        fill(1, 4, 30, 30, WHITE)           # the sheet
        frame(1, 4, 30, 30, GREY)
        fill(2, 5, 29, 11, RED)             # month band
        fill(2, 11, 29, 11, DARK_RED)
        for x in (8, 22):                   # binder rings
            fill(x, 1, x + 1, 7, BLACK)
            fill(x, 1, x + 1, 1, SILVER)
        for row in range(4):                # day cells, Sunday red, Saturday blue
            for column in range(7):
                colour = RED if column == 0 else BLUE if column == 6 else GREY
                if (row, column) == (2, 3):
                    colour = YELLOW          # a won day
                x, y = 3 + 4 * column, 14 + 4 * row
                fill(x, y, x + 2, y + 2, colour)
        frame(14, 21, 18, 25, BLACK)         # today
    else:
        fill(0, 2, 15, 15, WHITE)
        frame(0, 2, 15, 15, GREY)
        fill(1, 3, 14, 5, RED)
        for x in (4, 11):
            fill(x, 0, x, 3, BLACK)
        for row in range(4):
            for column in range(7):
                colour = RED if column == 0 else BLUE if column == 6 else GREY
                fill(1 + 2 * column, 7 + 2 * row, 1 + 2 * column, 7 + 2 * row, colour)
        fill(7, 11, 7, 11, YELLOW)
    return canvas


def dib(canvas, bits):
    size = len(canvas)
    colours = 1 << bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)
    palette = b''.join(bytes((b, g, r, 0)) for b, g, r in (PALETTE + [(0, 0, 0)] * colours)[:colours])
    image = b''
    mask = b''
    for row in reversed(canvas):            # bottom-up
        indexes = [0 if p is None else p for p in row]
        if bits == 4:
            line = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, size, 2))
        else:
            line = bytes(indexes)
        image += line + b'\0' * (-len(line) % 4)
        mask_bits = 0
        for p in row:
            mask_bits = (mask_bits << 1) | (1 if p is None else 0)
        mask_line = mask_bits.to_bytes(size // 8, 'big')
        mask += mask_line + b'\0' * (-len(mask_line) % 4)
    return header + palette + image + mask


def icon():
    images = []
    for size in (32, 16):
        for bits in (4, 8):
            images.append((size, bits, dib(page(size), bits)))
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for size, bits, data in images:
        directory += struct.pack('<BBBBHHII', size, size, 16 if bits == 4 else 0, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    return directory + body


if __name__ == '__main__':
    with open(sys.argv[1] if len(sys.argv) > 1 else 'src/res/ravo.ico', 'wb') as out:
        out.write(icon())
