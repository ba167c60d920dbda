#!/usr/bin/env python3
"""Draws the installer's icon (resources/kavadesk.ico): a blue rounded tile
with a white drive outline and a K, at 16, 24, 32 and 48 pixels.

Standard library only; the shapes are signed-distance tests, supersampled."""
import math
import struct
import sys

SIZES = (16, 24, 32, 48)
SUPER = 4


def rounded_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return math.hypot(x - cx, y - cy) <= r


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def shade(u, v):
    """Colour (r, g, b, a) at unit coordinates u, v in [0, 1)."""
    if not rounded_rect(u, v, 0.03, 0.03, 0.97, 0.97, 0.2):
        return (0, 0, 0, 0)
    # Tile: a vertical gradient from a bright to a deep blue.
    top, bottom = (38, 132, 224), (14, 62, 140)
    base = tuple(int(t + (b - t) * v) for t, b in zip(top, bottom))
    white = (255, 255, 255, 255)
    # Drive outline: a rounded frame.
    outer = rounded_rect(u, v, 0.16, 0.2, 0.84, 0.8, 0.08)
    inner = rounded_rect(u, v, 0.23, 0.27, 0.77, 0.73, 0.04)
    if outer and not inner:
        return white
    # The K inside the frame.
    w = 0.055
    if segment_distance(u, v, 0.38, 0.35, 0.38, 0.65) <= w:
        return white
    if segment_distance(u, v, 0.40, 0.52, 0.63, 0.35) <= w:
        return white
    if segment_distance(u, v, 0.46, 0.47, 0.63, 0.65) <= w:
        return white
    return base + (255,)


def render(size):
    pixels = []
    n = size * SUPER
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    r, g, b, a = shade((x * SUPER + sx + 0.5) / n, (y * SUPER + sy + 0.5) / n)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (SUPER * SUPER)
            if acc[3]:
                row.append(tuple(int(c / acc[3]) for c in acc[:3]) + (int(alpha),))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def bitmap_entry(size, pixels):
    """A 32-bit DIB with its AND mask, as icon resources hold them."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def main(path):
    images = [(s, bitmap_entry(s, render(s))) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/kavadesk.ico")
