#!/usr/bin/env python3
"""Draws Corvane's banner, the picture at the top of the main window and of the About window:
367 x 80 pixels, a charged battery and the product's name on a dusk-blue gradient.

    python3 make_banner.py banner.runs        # what the programs carry (see pixel_runs.h)
    python3 make_banner.py banner.bmp         # the same pixels as a 24-bit bitmap, to look at

Everything is drawn from shapes at 4x4 supersampling, so edges are smooth at the exact size.
The left and right columns are plain gradient: hosts wider than the picture extend them.
"""
import math
import struct
import sys

W, H = 367, 80
SS = 4

TOP = (18, 46, 84)
BOTTOM = (34, 92, 138)
ACCENT = (122, 222, 96)
BODY = (226, 234, 242)
FILL_TOP = (140, 232, 110)
FILL_BOT = (40, 160, 52)
BOLT = (255, 236, 120)
TEXT = (255, 255, 255)


def arc(cx, cy, rx, ry, a0, a1, steps=18):
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy - ry * math.sin(a)))
    return pts


# Capital letters as polylines in a box 0.7 wide and 1 high (y grows downwards).
GLYPHS = {
    'C': [arc(0.36, 0.5, 0.36, 0.5, 50, 310)],
    'O': [arc(0.36, 0.5, 0.36, 0.5, 0, 360, 32)],
    'R': [[(0, 1), (0, 0), (0.36, 0)] + arc(0.36, 0.26, 0.26, 0.26, 90, -90) + [(0, 0.52)],
          [(0.3, 0.52), (0.66, 1)]],
    'V': [[(0, 0), (0.35, 1), (0.7, 0)]],
    'A': [[(0, 1), (0.35, 0), (0.7, 1)], [(0.13, 0.64), (0.57, 0.64)]],
    'N': [[(0, 1), (0, 0), (0.64, 1), (0.64, 0)]],
    'E': [[(0.6, 0), (0, 0), (0, 1), (0.6, 1)], [(0, 0.5), (0.5, 0.5)]],
}
ADVANCE = {'C': 0.9, 'O': 0.92, 'R': 0.86, 'V': 0.9, 'A': 0.9, 'N': 0.88, 'E': 0.8}


def text_segments(word, x0, y0, size):
    segs = []
    x = x0
    for ch in word:
        for line in GLYPHS[ch]:
            pts = [(x + px * size, y0 + py * size) for px, py in line]
            segs.extend(zip(pts, pts[1:]))
        x += ADVANCE[ch] * size
    return segs


def seg_dist2(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / l2))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return qx * qx + qy * qy


def in_round_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x >= x1 or y < y0 or y >= y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_triangle(p, a, b, c):
    def sign(p1, p2, p3):
        return (p1[0] - p3[0]) * (p2[1] - p3[1]) - (p2[0] - p3[0]) * (p1[1] - p3[1])
    d1, d2, d3 = sign(p, a, b), sign(p, b, c), sign(p, c, a)
    return not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0))


def mix(c0, c1, t):
    return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))


# The battery: body, terminal, a two-thirds charge and a bolt.
BX0, BY0, BX1, BY1 = 26.0, 22.0, 96.0, 58.0
CHARGE_X1 = BX0 + 4 + (BX1 - BX0 - 8) * 0.68
BOLT_TRIS = [((66, 25), (52, 42), (63, 41)), ((59, 39), (72, 38), (56, 55))]

TEXT_SIZE = 30.0
TEXT_SEGS = text_segments("CORVANE", 122.0, 25.0, TEXT_SIZE)
TEXT_HALF = 2.6
TEXT_BOX = (116.0, 19.0, 122.0 + 6.5 * TEXT_SIZE + 8, 61.0)


def colour_at(x, y):
    c = mix(TOP, BOTTOM, y / H)
    if y >= H - 3:
        c = mix(c, ACCENT, 0.85)
    if in_round_rect(x, y, BX1, 32, BX1 + 6, 48, 2):
        c = BODY
    if in_round_rect(x, y, BX0, BY0, BX1, BY1, 6):
        c = BODY
        if in_round_rect(x, y, BX0 + 4, BY0 + 4, BX1 - 4, BY1 - 4, 3):
            c = mix(TOP, BOTTOM, 0.3)
            if x < CHARGE_X1:
                c = mix(FILL_TOP, FILL_BOT, (y - BY0 - 4) / (BY1 - BY0 - 8))
        if any(in_triangle((x, y), *t) for t in BOLT_TRIS):
            c = BOLT
    if TEXT_BOX[0] <= x < TEXT_BOX[2] and TEXT_BOX[1] <= y < TEXT_BOX[3]:
        if any(seg_dist2(x, y, a, b) <= TEXT_HALF * TEXT_HALF for a, b in TEXT_SEGS):
            c = TEXT
    return c


def pixel(px, py):
    acc = [0.0, 0.0, 0.0]
    for sy in range(SS):
        for sx in range(SS):
            c = colour_at(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
            for i in range(3):
                acc[i] += c[i]
    return tuple(int(round(v / (SS * SS))) for v in acc)


def write_bmp(path):
    row_size = (W * 3 + 3) & ~3
    rows = []
    for py in range(H - 1, -1, -1):  # bottom-up
        row = bytearray()
        for px in range(W):
            r, g, b = pixel(px, py)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def pack_runs(pixels):
    """Count byte c < 128: c + 1 pixels as they are; c >= 128: one pixel repeated c - 126 times."""
    out = bytearray()
    i, n = 0, len(pixels)
    while i < n:
        j = i
        while j < n and j - i < 129 and pixels[j] == pixels[i]:
            j += 1
        if j - i >= 2:
            out += bytes((j - i + 126,)) + pixels[i]
            i = j
            continue
        j = i + 1
        while j < n and j - i < 128 and not (j + 1 < n and pixels[j] == pixels[j + 1]):
            j += 1
        out += bytes((j - i - 1,)) + b"".join(pixels[i:j])
        i = j
    return bytes(out)


def write_runs(path):
    pixels = []
    for py in range(H):  # top-down
        for px in range(W):
            r, g, b = pixel(px, py)
            pixels.append(bytes((b, g, r)))
    with open(path, "wb") as f:
        f.write(pack_runs(pixels))


if __name__ == "__main__":
    target = sys.argv[1] if len(sys.argv) > 1 else "banner.runs"
    (write_bmp if target.endswith(".bmp") else write_runs)(target)
