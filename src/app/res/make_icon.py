#!/usr/bin/env python3
"""Draws Corvane's program icon (a battery, two-thirds charged, on its side) and writes it
as a multi-size .ico of 32-bit images at 16, 20, 24, 32 and 48 pixels.

    python3 make_icon.py corvane.ico

Shapes are drawn at 8x supersampling per size, so each size is crisp rather than scaled.
"""
import struct
import sys

SIZES = (16, 20, 24, 32, 48)
SS = 8

BODY = (58, 64, 72)        # outline
FILL_TOP = (122, 222, 96)  # charge, lighter at the top
FILL_BOT = (40, 160, 52)
BOLT = (255, 236, 120)


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x >= x1 or y < y0 or y >= y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_bolt(x, y, s):
    # A small lightning bolt: two triangles, in unit coordinates of the icon.
    def tri(p, a, b, c):
        def sign(p1, p2, p3):
            return (p1[0] - p3[0]) * (p2[1] - p3[1]) - (p2[0] - p3[0]) * (p1[1] - p3[1])
        d1, d2, d3 = sign(p, a, b), sign(p, b, c), sign(p, c, a)
        neg = d1 < 0 or d2 < 0 or d3 < 0
        pos = d1 > 0 or d2 > 0 or d3 > 0
        return not (neg and pos)
    p = (x / s, y / s)
    return tri(p, (0.50, 0.26), (0.30, 0.54), (0.50, 0.52)) or \
        tri(p, (0.42, 0.48), (0.62, 0.46), (0.40, 0.76))


def pixel(size, px, py):
    """Returns (r, g, b, a) for one pixel by averaging SS x SS samples."""
    s = float(size)
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(SS):
        for sx in range(SS):
            x = px + (sx + 0.5) / SS
            y = py + (sy + 0.5) / SS
            col = None
            # Body occupies most of the width, the terminal nub sits on the right.
            bx0, by0, bx1, by1 = 0.04 * s, 0.22 * s, 0.86 * s, 0.78 * s
            wall = max(1.0, 0.09 * s)
            r = 0.10 * s
            if inside_round_rect(x, y, 0.86 * s - 0.5, 0.38 * s, 0.97 * s, 0.62 * s, 0.03 * s):
                col = BODY
            if inside_round_rect(x, y, bx0, by0, bx1, by1, r):
                col = BODY
                ix0, iy0, ix1, iy1 = bx0 + wall, by0 + wall, bx1 - wall, by1 - wall
                if inside_round_rect(x, y, ix0, iy0, ix1, iy1, max(0.0, r - wall)):
                    col = (236, 240, 244)
                    fill_end = ix0 + (ix1 - ix0) * 0.68
                    if x < fill_end:
                        t = (y - iy0) / max(1e-6, iy1 - iy0)
                        col = tuple(int(a + (b - a) * t) for a, b in zip(FILL_TOP, FILL_BOT))
                    if size >= 24 and inside_bolt(x, y, s):
                        col = BOLT if x >= fill_end else (255, 255, 255)
            if col is not None:
                acc[0] += col[0]
                acc[1] += col[1]
                acc[2] += col[2]
                acc[3] += 1
    n = acc[3]
    if n == 0:
        return (0, 0, 0, 0)
    return (int(acc[0] / n), int(acc[1] / n), int(acc[2] / n), int(255 * n / (SS * SS)))


def image(size):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA rows, then the AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for py in reversed(range(size)):
        row = bytearray()
        for px in range(size):
            r, g, b, a = pixel(size, px, py)
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha decides; the mask stays clear
    return header + b''.join(rows) + mask


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'corvane.ico'
    images = [image(s) for s in SIZES]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(SIZES, images):
        data += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
