#!/usr/bin/env python3
"""Draws the tool's icons and image strips (tool/res). Run once; the results are committed.

The pictures are plain geometric glyphs in flat colours; only their order and sizes matter to
the program. Pure red (255, 0, 0) is the transparent colour of the strips."""
import os
import struct
import sys

RED = (255, 0, 0)


def canvas(w, h, fill):
    return [[fill] * w for _ in range(h)]


def disc(px, cx, cy, r, colour):
    for y in range(len(px)):
        for x in range(len(px[0])):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                px[y][x] = colour


def box(px, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(px), y1)):
        for x in range(max(0, x0), min(len(px[0]), x1)):
            px[y][x] = colour


def glyph(px, ox, size, kind, colour):
    """One picture of a strip at x offset ox."""
    s = size
    if kind == "disc":
        disc_at(px, ox, s, colour)
    elif kind == "box":
        box(px, ox + s // 6, s // 6, ox + s - s // 6, s - s // 6, colour)
    elif kind == "bar":
        box(px, ox + s // 8, s // 3, ox + s - s // 8, s - s // 3, colour)
    elif kind == "cross":
        box(px, ox + s // 8, 2 * s // 5, ox + s - s // 8, 3 * s // 5, colour)
        box(px, ox + 2 * s // 5, s // 8, ox + 3 * s // 5, s - s // 8, colour)
    elif kind == "frame":
        box(px, ox + s // 8, s // 8, ox + s - s // 8, s - s // 8, colour)
        box(px, ox + s // 4, s // 4, ox + s - s // 4, s - s // 4, RED)


def disc_at(px, ox, s, colour):
    r = s // 2 - max(1, s // 8)
    for y in range(s):
        for x in range(s):
            if (x - s // 2) ** 2 + (y - s // 2) ** 2 <= r * r:
                px[y][ox + x] = colour


def bmp24(px):
    h, w = len(px), len(px[0])
    row = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for (r, g, b) in px[y]:
            line += bytes((b, g, r))
        data += line + b"\0" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def ico(images):
    """images: list of (size, pixels) with RED as transparent."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, px in images:
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for c in px[y]:
                r, g, b = c
                alpha = 0 if c == RED else 255
                xor += bytes((b, g, r, alpha))
        mask_row = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            bits = bytearray(mask_row)
            for x, c in enumerate(px[y]):
                if c == RED:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


PALETTE = [(0, 102, 204), (0, 153, 76), (204, 102, 0), (153, 0, 153), (0, 128, 128), (102, 102, 102),
           (204, 0, 51), (51, 51, 153), (0, 102, 0), (153, 102, 0), (0, 76, 153)]
KINDS = ["box", "cross", "bar", "disc", "frame", "box", "disc", "frame", "cross", "bar", "disc"]


def strip(size, count):
    px = canvas(size * count, size, RED)
    for i in range(count):
        glyph(px, i * size, size, KINDS[i % len(KINDS)], PALETTE[i % len(PALETTE)])
    return px


def single(size, kind, colour):
    px = canvas(size, size, RED)
    glyph(px, 0, size, kind, colour)
    return px


def main(out):
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "toolbar.bmp"), "wb") as f:  # mini tool bars: 11 images of 16
        f.write(bmp24(strip(16, 11)))
    with open(os.path.join(out, "navigation.bmp"), "wb") as f:  # navigation items: 8 images of 32
        f.write(bmp24(strip(32, 8)))
    with open(os.path.join(out, "mainframe.bmp"), "wb") as f:  # standard tool bar: 4 images of 16x15
        px = canvas(64, 15, (192, 192, 192))
        for i in range(4):
            box(px, i * 16 + 3, 3, i * 16 + 13, 12, PALETTE[i])
        f.write(bmp24(px))
    with open(os.path.join(out, "Marqtel.ico"), "wb") as f:
        f.write(ico([(32, single(32, "disc", (0, 102, 204))), (16, single(16, "disc", (0, 102, 204)))]))
    # Level icons of the log page, in the order of the levels they stand for.
    levels = {140: ("disc", (102, 102, 102)), 139: ("disc", (0, 102, 204)), 141: ("cross", (204, 0, 51)),
              131: ("bar", (204, 102, 0)), 132: ("box", (0, 153, 76)), 142: ("frame", (153, 0, 153)),
              143: ("box", (0, 128, 128))}
    for number, (kind, colour) in levels.items():
        with open(os.path.join(out, "level%d.ico" % number), "wb") as f:
            f.write(ico([(16, single(16, kind, colour))]))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "tool", "res"))
