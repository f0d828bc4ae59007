#!/usr/bin/env python3
"""Draws the progress bar's pictures and writes them as 24-bit BMP files beside this script,
together with the resource script and the header of their ids.

    python3 make_art.py

- frame.bmp: 59 x 13, three rings of light grey around a white centre;
- blank.bmp: 8 x 10, white (the sweep style's eraser);
- <look>_<i>.bmp: 8 x 10, for each of the eight looks three pieces. Piece 2 is the block the
  bar is built from; pieces 1 and 0 are paler copies that trail behind it in the sweep style.
  Every piece is lighter at its edges than in its middle, so a row of blocks looks rounded.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# In ProgressLook order.
LOOKS = [
    ("master", (38, 196, 46)),      # bright green, the default
    ("blue", (28, 104, 244)),       # bright blue
    ("bluemet", (22, 42, 136)),     # dark blue
    ("goldmet", (206, 160, 22)),    # gold
    ("grmet", (134, 204, 128)),     # pale green
    ("greymet", (124, 124, 124)),   # grey
    ("orangemet", (244, 136, 16)),  # orange
    ("redmet", (236, 64, 18)),      # orange-red
]
PIECE_W, PIECE_H = 8, 10
# How far each sweep piece is blended towards white: 0 and 1 trail behind 2.
TRAIL = (0.62, 0.34, 0.0)

FRAME_W, FRAME_H = 59, 13
# Outer to inner. The inner ring is nearly white: the frame's centre slice takes in its bottom
# row, so it also shows as the last row of an empty bar.
FRAME_RINGS = ((168, 168, 168), (196, 196, 196), (230, 230, 230))
WHITE = (255, 255, 255)

BASE_ID = 2000  # ids: frame, blank, then three per look


def blend(c, t):
    return tuple(int(round(v + (255 - v) * t)) for v in c)


def write_bmp(path, pixels, w, h):
    """pixels[y][x] = (r, g, b), top row first."""
    row_bytes = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):  # BMP rows run bottom-up
        row = bytearray()
        for x in range(w):
            r, g, b = pixels[y][x]
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def piece(colour, trail):
    pixels = []
    mid = (PIECE_H - 1) / 2
    for y in range(PIECE_H):
        d = abs(y - mid) / mid               # 0 in the middle, 1 at top and bottom
        lighten = 0.5 * d * d
        row = []
        for x in range(PIECE_W):
            side = 0.14 if x in (0, PIECE_W - 1) else 0.0
            t = min(1.0, lighten + side)
            row.append(blend(blend(colour, t), trail))
        pixels.append(row)
    return pixels


def frame():
    pixels = []
    for y in range(FRAME_H):
        row = []
        for x in range(FRAME_W):
            ring = min(x, y, FRAME_W - 1 - x, FRAME_H - 1 - y)
            row.append(FRAME_RINGS[ring] if ring < len(FRAME_RINGS) else WHITE)
        pixels.append(row)
    return pixels


def main():
    names = [("IDB_BAR_FRAME", "frame.bmp"), ("IDB_BAR_BLANK", "blank.bmp")]
    write_bmp(os.path.join(HERE, "frame.bmp"), frame(), FRAME_W, FRAME_H)
    write_bmp(os.path.join(HERE, "blank.bmp"), [[WHITE] * PIECE_W for _ in range(PIECE_H)], PIECE_W, PIECE_H)
    for name, colour in LOOKS:
        for i, trail in enumerate(TRAIL):
            file = "%s_%d.bmp" % (name, i)
            write_bmp(os.path.join(HERE, file), piece(colour, trail), PIECE_W, PIECE_H)
            names.append(("IDB_BAR_%s_%d" % (name.upper(), i), file))

    with open(os.path.join(HERE, "progressbar_res.h"), "w", newline="\n") as f:
        f.write("#pragma once\n")
        f.write("// Resource ids of the progress bar's pictures. Written by make_art.py.\n")
        f.write("#define IDB_BAR_FRAME %d\n" % BASE_ID)
        f.write("#define IDB_BAR_BLANK %d\n" % (BASE_ID + 1))
        f.write("// Piece i of look n (ProgressLook order) is IDB_BAR_PIECE_BASE + 3 * n + i.\n")
        f.write("#define IDB_BAR_PIECE_BASE %d\n" % (BASE_ID + 2))
    with open(os.path.join(HERE, "progressbar.rc"), "w", newline="\n") as f:
        f.write("// The progress bar's pictures. Written by make_art.py.\n")
        f.write('#include "progressbar_res.h"\n\n')
        for n, (ident, file) in enumerate(names):
            f.write("%d BITMAP \"%s\"\n" % (BASE_ID + n, file))


if __name__ == "__main__":
    main()
