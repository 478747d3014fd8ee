#!/usr/bin/env python3
"""Draws the application icon (a mouse on a round badge), without any image
library: a scalable SVG and PNGs at the hicolor theme's sizes, all from the same
shapes. Usage: scripts/make-icon.py [OUTPUT_DIR]   (default resources/icons)"""
import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128, 256)

# The shapes, on a unit square.
BADGE = dict(cx=0.5, cy=0.5, r=0.48, colour=(0.07, 0.22, 0.27))
BODY = dict(cx=0.5, cy=0.52, hw=0.2, hh=0.3, r=0.19, colour=(0.92, 0.94, 0.95))
SPLIT = dict(cx=0.5, hw=0.006, bottom=0.42, colour=BADGE["colour"])
WHEEL = dict(cx=0.5, cy=0.33, hw=0.025, hh=0.06, r=0.025, colour=(1.0, 0.55, 0.1))


def smooth(distance, width):
    """Coverage of a shape from its signed distance, anti-aliased over `width`."""
    return max(0.0, min(1.0, 0.5 - distance / width))


def rounded_box(x, y, box):
    qx = abs(x - box["cx"]) - box["hw"] + box["r"]
    qy = abs(y - box["cy"]) - box["hh"] + box["r"]
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - box["r"]


def blend(colour, over, coverage):
    return [c * (1 - coverage) + o * coverage for c, o in zip(colour, over)]


def pixel(x, y, aa):
    badge = smooth(math.hypot(x - BADGE["cx"], y - BADGE["cy"]) - BADGE["r"], aa)
    body = smooth(rounded_box(x, y, BODY), aa)
    split = smooth(abs(x - SPLIT["cx"]) - SPLIT["hw"], aa) * smooth(y - SPLIT["bottom"], aa) * body
    wheel = smooth(rounded_box(x, y, WHEEL), aa)
    colour = list(BADGE["colour"])
    colour = blend(colour, BODY["colour"], body)
    colour = blend(colour, SPLIT["colour"], split)
    colour = blend(colour, WHEEL["colour"], wheel)
    alpha = max(badge, body)
    return [int(round(255 * c)) for c in colour] + [int(round(255 * alpha))]


def write_png(path, size):
    aa = max(1.0 / size, 0.004)
    rows = bytearray()
    for j in range(size):
        rows.append(0)
        for i in range(size):
            rows.extend(pixel((i + 0.5) / size, (j + 0.5) / size, aa))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def hex_colour(colour):
    return "#" + "".join(f"{int(round(255 * c)):02x}" for c in colour)


def write_svg(path):
    s = 256  # the unit square drawn at the largest bitmap size

    def n(value):
        return f"{value * s:g}"

    def box(b):
        return (f'x="{n(b["cx"] - b["hw"])}" y="{n(b["cy"] - b["hh"])}" '
                f'width="{n(2 * b["hw"])}" height="{n(2 * b["hh"])}" rx="{n(b["r"])}"')

    body_top = BODY["cy"] - BODY["hh"]
    shapes = [
        f'<circle cx="{n(BADGE["cx"])}" cy="{n(BADGE["cy"])}" r="{n(BADGE["r"])}" '
        f'fill="{hex_colour(BADGE["colour"])}"/>',
        f'<rect {box(BODY)} fill="{hex_colour(BODY["colour"])}"/>',
        f'<rect x="{n(SPLIT["cx"] - SPLIT["hw"])}" y="{n(body_top)}" width="{n(2 * SPLIT["hw"])}" '
        f'height="{n(SPLIT["bottom"] - body_top)}" fill="{hex_colour(SPLIT["colour"])}"/>',
        f'<rect {box(WHEEL)} fill="{hex_colour(WHEEL["colour"])}"/>',
    ]
    with open(path, "w", encoding="utf-8") as out:
        out.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{s}" height="{s}" '
                  f'viewBox="0 0 {s} {s}">\n')
        for shape in shapes:
            out.write(f"  {shape}\n")
        out.write("</svg>\n")


if __name__ == "__main__":
    out_dir = sys.argv[1] if len(sys.argv) > 1 else "resources/icons"
    os.makedirs(out_dir, exist_ok=True)
    write_svg(os.path.join(out_dir, "qx9-config.svg"))
    for size in SIZES:
        write_png(os.path.join(out_dir, f"qx9-config-{size}.png"), size)
