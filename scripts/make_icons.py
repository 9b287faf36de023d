#!/usr/bin/env python3
"""Draws the program's icon (a purple tile with a white V, as the window shows it) as PNG files
for the freedesktop icon theme, and writes the same drawing as SVG.

Run by hand after changing the drawing; the install only copies the committed files:
    scripts/make_icons.py dist/icons
"""
import os
import struct
import sys
import zlib

TILE = (0x6A, 0x1B, 0x9A)
EDGE = (0x4B, 0x13, 0x6E)
WHITE = (0xFF, 0xFF, 0xFF)
SIZES = (16, 24, 32, 48, 64, 128, 256)
# The drawing on a 64-unit square: the tile's corner radius and the V as a polygon.
RADIUS = 10
BORDER = 2
V_SHAPE = [(14, 14), (24, 14), (32, 40), (40, 14), (50, 14), (37, 52), (27, 52)]


def inside_tile(x, y, inset):
    lo, hi = inset, 64 - inset
    r = RADIUS - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_polygon(x, y, points):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def colour_at(x, y):
    """The colour and opacity of one point of the 64-unit drawing."""
    if not inside_tile(x, y, 0.5):
        return None
    if inside_polygon(x, y, V_SHAPE):
        return WHITE
    return TILE if inside_tile(x, y, 0.5 + BORDER) else EDGE


def draw(size, samples=4):
    rows = []
    for py in range(size):
        row = bytearray([0])  # filter: none
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * 64 / size
                    y = (py + (sy + 0.5) / samples) * 64 / size
                    colour = colour_at(x, y)
                    if colour:
                        covered += 1
                        for k in range(3):
                            total[k] += colour[k]
            if covered:
                row += bytes(round(total[k] / covered) for k in range(3))
                row.append(round(255 * covered / samples ** 2))
            else:
                row += b"\0\0\0\0"
        rows.append(bytes(row))
    return b"".join(rows)


def png(size, pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def svg():
    points = " ".join(f"{x},{y}" for x, y in V_SHAPE)
    hex_colour = "#%02x%02x%02x"
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
        f'  <rect x="{0.5 + BORDER / 2}" y="{0.5 + BORDER / 2}" width="{63 - BORDER}" '
        f'height="{63 - BORDER}" rx="{RADIUS - BORDER / 2}" fill="{hex_colour % TILE}" '
        f'stroke="{hex_colour % EDGE}" stroke-width="{BORDER}"/>\n'
        f'  <polygon points="{points}" fill="#ffffff"/>\n'
        "</svg>\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "dist/icons"
    for size in SIZES:
        folder = os.path.join(root, f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "velmora.png"), "wb") as out:
            out.write(png(size, draw(size)))
    folder = os.path.join(root, "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "velmora.svg"), "w") as out:
        out.write(svg())


if __name__ == "__main__":
    main()
