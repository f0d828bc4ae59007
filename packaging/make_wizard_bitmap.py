#!/usr/bin/env python3
"""Draws the installer's welcome and finish page picture (164 x 314, the size the wizard
shows unscaled): the program's battery icon, drawn large by the icon's own painter, on a
light blue-grey gradient. Writes a 24-bit BMP.

    python3 make_wizard_bitmap.py wizard.bmp
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'src', 'app', 'res'))
import make_icon  # noqa: E402

W, H = 164, 314
ICON = 112
TOP = (226, 238, 242)
BOTTOM = (150, 190, 204)


def background(y):
    t = y / (H - 1)
    return tuple(int(a + (b - a) * t) for a, b in zip(TOP, BOTTOM))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'wizard.bmp'
    x0, y0 = (W - ICON) // 2, 44
    pixels = [[background(y) for _ in range(W)] for y in range(H)]
    for py in range(ICON):
        for px in range(ICON):
            r, g, b, a = make_icon.pixel(ICON, px, py)
            if a:
                bg = pixels[y0 + py][x0 + px]
                pixels[y0 + py][x0 + px] = tuple((c * a + d * (255 - a)) // 255 for c, d in zip((r, g, b), bg))
    stride = (W * 3 + 3) & ~3
    rows = b''
    for y in reversed(range(H)):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        rows += bytes(row) + bytes(stride - len(row))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(rows), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(out, 'wb') as f:
        f.write(header + info + rows)


if __name__ == '__main__':
    main()
