#!/usr/bin/env python3
"""Draws the program icon AICOKREL and writes it as a Windows .ico file.

The picture is a small class hierarchy: a parent class box joined to two child boxes,
one of which is marked red for the duplicated instance variable. It is drawn at 16, 24,
32 and 48 pixels (4x4 supersampled), each stored as a 32-bit BGRA bitmap with its AND
mask, so that every Windows version and Wine can show it. Standard library only.

usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # supersampling per axis

OUTLINE = (24, 48, 96)
PARENT = (64, 120, 200)
CHILD = (230, 236, 245)
DUPLICATE = (210, 40, 40)
LINK = (24, 48, 96)

# Shapes in a unit square (0..1, y downwards), drawn in order, later ones on top:
# (kind, x0, y0, x1, y1, colour). Boxes have a dark outline of OUTLINE_WIDTH.
OUTLINE_WIDTH = 0.07
SHAPES = (
    ("bar", 0.47, 0.36, 0.53, 0.58, LINK),  # trunk under the parent
    ("bar", 0.24, 0.52, 0.76, 0.58, LINK),  # branch to both children
    ("bar", 0.21, 0.52, 0.27, 0.66, LINK),
    ("bar", 0.73, 0.52, 0.79, 0.66, LINK),
    ("box", 0.22, 0.04, 0.78, 0.40, PARENT),
    ("box", 0.02, 0.60, 0.46, 0.96, CHILD),
    ("box", 0.54, 0.60, 0.98, 0.96, DUPLICATE),
)


def colour_at(x, y):
    """Returns the (r, g, b) colour of the point, or None where the icon is transparent."""
    colour = None
    for kind, x0, y0, x1, y1, fill in SHAPES:
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            continue
        if kind == "box":
            edge = min(x - x0, x1 - x, y - y0, y1 - y)
            colour = OUTLINE if edge < OUTLINE_WIDTH else fill
        else:
            colour = fill
    return colour


def render(size):
    """Returns rows of (b, g, r, a) pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += c[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (t // covered for t in total)
                row.append((b, g, r, covered * 255 // (SAMPLES * SAMPLES)))
        rows.append(row)
    return rows


def bitmap(size):
    """Returns one icon image: BITMAPINFOHEADER, XOR pixels and AND mask, bottom-up."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for pixel in row for c in pixel) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def icon_file():
    images = [bitmap(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                               offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "wb") as out:
        out.write(icon_file())


if __name__ == "__main__":
    main()
