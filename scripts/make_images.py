#!/usr/bin/env python3
"""Draws the six layout images the program carries and writes them as GIF89a files.

Run by hand after changing a drawing; the build only embeds the committed files:
    scripts/make_images.py src/res/builtin
"""
import os
import struct
import sys

# Colours shared by the images and the stylesheet.
NAVY = (0x1F, 0x3A, 0x5F)
SKY = (0x3E, 0x6E, 0xA8)
ORANGE = (0xE8, 0x8A, 0x1A)
WHITE = (0xFF, 0xFF, 0xFF)
TINT = (0xEE, 0xF2, 0xF7)
EDGE = (0xC9, 0xD5, 0xE3)

# 5 x 7 capitals for the logo's word mark.
FONT = {
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
}


class Canvas:
    """Pixels as palette indexes; index 0 is the transparent colour when one is wanted."""

    def __init__(self, width, height, palette, fill=0, transparent=None):
        self.width, self.height = width, height
        self.palette = list(palette)
        self.transparent = transparent
        self.pixels = [fill] * (width * height)

    def put(self, x, y, index):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = index

    def rect(self, x0, y0, x1, y1, index):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, index)

    def rounded(self, x0, y0, x1, y1, index, clear):
        self.rect(x0, y0, x1, y1, index)
        for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            self.put(x, y, clear)


def lzw(pixels, min_code_size):
    """GIF variant of LZW: variable code width from min_code_size + 1 up to 12 bits."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    bits = nbits = 0

    def emit(code, width):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def fresh():
        return {(i,): i for i in range(clear)}, min_code_size + 1, end + 1

    table, width, next_code = fresh()
    emit(clear, width)
    run = (pixels[0],)
    for p in pixels[1:]:
        longer = run + (p,)
        if longer in table:
            run = longer
            continue
        emit(table[run], width)
        if next_code < 4096:
            table[longer] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, width, next_code = fresh()
        run = (p,)
    emit(table[run], width)
    emit(end, width)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(canvas):
    depth = 1
    while (1 << depth) < len(canvas.palette):
        depth += 1
    palette = canvas.palette + [(0, 0, 0)] * ((1 << depth) - len(canvas.palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", canvas.width, canvas.height, 0x80 | ((depth - 1) << 4) | (depth - 1), 0, 0)
    for rgb in palette:
        data += bytes(rgb)
    if canvas.transparent is not None:
        data += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 1, 0, canvas.transparent, 0)
    data += struct.pack("<BHHHHB", 0x2C, 0, 0, canvas.width, canvas.height, 0)
    min_code_size = max(2, depth)
    data.append(min_code_size)
    packed = lzw(canvas.pixels, min_code_size)
    for i in range(0, len(packed), 255):
        chunk = packed[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00\x3B"
    return bytes(data)


def logo():
    c = Canvas(125, 30, [WHITE, NAVY, WHITE, ORANGE, SKY], transparent=0)
    c.rounded(0, 0, 124, 29, 1, 0)
    c.rect(1, 27, 123, 28, 4)
    word = "VELMORA"
    x = (125 - (len(word) * 12 - 2)) // 2
    for letter in word:
        for row, line in enumerate(FONT[letter]):
            for col, bit in enumerate(line):
                if bit == "1":
                    c.rect(x + col * 2, 6 + row * 2, x + col * 2 + 1, 6 + row * 2 + 1, 2)
        x += 12
    c.rect(x - 1, 18, x, 19, 3)  # a full stop in the accent colour
    return c


def navigare():
    # Three buttons matching the image map: previous 0-14, home 15-30, next 31-45.
    c = Canvas(50, 30, [WHITE, NAVY, WHITE], transparent=0)
    for x0, x1 in ((0, 14), (16, 30), (32, 45)):
        c.rounded(x0, 7, x1, 22, 1, 0)
    for i in range(5):  # previous: a triangle pointing left
        c.rect(4 + i, 14 - i, 4 + i, 15 + i, 2)
    for i in range(5):  # next: a triangle pointing right
        c.rect(41 - i, 14 - i, 41 - i, 15 + i, 2)
    for i in range(4):  # home: a roof over a small house
        c.rect(23 - i, 11 + i, 23 + i, 11 + i, 2)
    c.rect(19, 15, 27, 15, 2)
    c.rect(20, 16, 26, 19, 2)
    c.rect(22, 17, 24, 19, 1)
    return c


def up():
    c = Canvas(17, 9, [WHITE, NAVY], transparent=0)
    for row in range(9):
        c.rect(8 - row, row, 8 + row, row, 1)
    return c


def bullet():
    c = Canvas(3, 5, [WHITE, ORANGE], transparent=0)
    for col in range(3):
        c.rect(col, col, col, 4 - col, 1)
    return c


def pixel():
    return Canvas(1, 1, [WHITE, WHITE], transparent=0)


def left_bg():
    # A strip repeated down the page: a tinted band behind the contents column.
    c = Canvas(1280, 2, [WHITE, TINT, EDGE], fill=0)
    c.rect(0, 0, 151, 1, 1)
    c.rect(152, 0, 152, 1, 2)
    return c


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src", "res", "builtin")
    for name, draw in (("logo", logo), ("navigare", navigare), ("left_bg", left_bg), ("pixel", pixel),
                       ("up", up), ("bullet", bullet)):
        with open(os.path.join(folder, name + ".gif"), "wb") as f:
            f.write(gif(draw()))


if __name__ == "__main__":
    main()
