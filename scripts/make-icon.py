#!/usr/bin/env python3
"""Draws the application icon (a mouse on a round badge) as a PNG, without
any image library. Usage: scripts/make-icon.py OUTPUT.png [SIZE]"""
import math
import struct
import sys
import zlib


def smooth(distance, width):
    """Coverage of a shape from its signed distance, anti-aliased over `width`."""
    return max(0.0, min(1.0, 0.5 - distance / width))


def rounded_box(x, y, cx, cy, hw, hh, r):
    qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def pixel(x, y):
    # Badge: a dark teal disc.
    badge = smooth(math.hypot(x - 0.5, y - 0.5) - 0.48, 0.004)
    colour = [0.07, 0.22, 0.27]
    # Mouse body: a tall rounded box, light grey.
    body = smooth(rounded_box(x, y, 0.5, 0.52, 0.2, 0.3, 0.19), 0.004)
    colour = [c * (1 - body) + b * body for c, b in zip(colour, (0.92, 0.94, 0.95))]
    # Button split and wheel, in the badge colour; a glowing orange wheel.
    split = smooth(abs(x - 0.5) - 0.006, 0.004) * smooth(y - 0.42, 0.004) * body
    colour = [c * (1 - split) + b * split for c, b in zip(colour, (0.07, 0.22, 0.27))]
    wheel = smooth(rounded_box(x, y, 0.5, 0.33, 0.025, 0.06, 0.025), 0.004)
    colour = [c * (1 - wheel) + b * wheel for c, b in zip(colour, (1.0, 0.55, 0.1))]
    alpha = max(badge, body)
    return [int(round(255 * c)) for c in colour] + [int(round(255 * alpha))]


def write_png(path, size):
    rows = bytearray()
    for j in range(size):
        rows.append(0)
        for i in range(size):
            rows.extend(pixel((i + 0.5) / size, (j + 0.5) / size))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


if __name__ == "__main__":
    write_png(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 256)
