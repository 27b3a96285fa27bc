#!/usr/bin/env python3
"""Writes the busy animation VOSPIN as an AVI clip that the Win32 animation control plays.

The animation control accepts only uncompressed (or RLE8) 8-bit paletted video without
sound, so the clip is exactly that: one 'vids' stream of FRAMES frames, each an
uncompressed 8-bit bottom-up bitmap in a '00db' chunk, with an 'idx1' index marking every
frame a key frame. The picture is a ring of dots whose bright head runs round clockwise,
one step a frame, on a background of palette index 0 (the control shows that colour as
transparent with ACS_TRANSPARENT, which takes the colour of the first pixel). Standard
library only.

usage: make_spinner_avi.py OUTPUT.avi
"""
import math
import struct
import sys

WIDTH = HEIGHT = 40
FRAMES = 12
MICROSECONDS_PER_FRAME = 83333  # 12 frames a second: one turn a second
DOTS = 12
RING_RADIUS = 14.0
DOT_RADIUS = 3.2

BACKGROUND = (192, 192, 192)  # palette index 0, the transparent colour
HEAD = (24, 48, 160)
TAIL = (176, 184, 208)
SHADES = DOTS  # palette indices 1..SHADES run from the head's colour to the tail's


def palette():
    """Returns 256 RGBQUAD entries: background, then the dot shades, then black."""
    colours = [BACKGROUND]
    for shade in range(SHADES):
        t = shade / (SHADES - 1)
        colours.append(tuple(round(h + (e - h) * t) for h, e in zip(HEAD, TAIL)))
    colours += [(0, 0, 0)] * (256 - len(colours))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def frame(number):
    """Returns the frame's pixels as palette indices, bottom row first."""
    centre = (WIDTH - 1) / 2
    dots = []
    for dot in range(DOTS):
        angle = 2 * math.pi * dot / DOTS - math.pi / 2
        # Distance behind the head, in dots: 0 is the head of this frame.
        behind = (number - dot) % DOTS
        dots.append((centre + RING_RADIUS * math.cos(angle),
                     centre + RING_RADIUS * math.sin(angle), 1 + behind))
    rows = []
    for y in range(HEIGHT):
        row = bytearray(WIDTH)
        for x in range(WIDTH):
            for dx, dy, index in dots:
                if (x - dx) ** 2 + (y - dy) ** 2 <= DOT_RADIUS ** 2:
                    row[x] = index
        rows.append(bytes(row))
    return b"".join(reversed(rows))


def chunk(fourcc, data):
    padding = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + padding


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def avi_file():
    assert WIDTH % 4 == 0, "bitmap rows would need padding to 4 bytes"
    frame_size = WIDTH * HEIGHT
    avih = struct.pack("<10I4I", MICROSECONDS_PER_FRAME,
                       frame_size * 1000000 // MICROSECONDS_PER_FRAME, 0,
                       0x10,  # AVIF_HASINDEX
                       FRAMES, 0, 1, frame_size, WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0,
                       MICROSECONDS_PER_FRAME, 1000000, 0, FRAMES, frame_size,
                       0xFFFFFFFF, 0, 0, 0, WIDTH, HEIGHT)
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, frame_size, 0, 0, 256, 0)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf + palette()))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)

    frames = [chunk(b"00db", frame(n)) for n in range(FRAMES)]
    movi = riff_list(b"LIST", b"movi", b"".join(frames))
    index = b""
    offset = 4  # idx1 offsets count from the 'movi' fourcc
    for data in frames:
        index += struct.pack("<4sIII", b"00db", 0x10, offset, frame_size)  # AVIIF_KEYFRAME
        offset += len(data)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "wb") as out:
        out.write(avi_file())


if __name__ == "__main__":
    main()
