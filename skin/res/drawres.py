#!/usr/bin/env python3
"""Draws the skin engine's own bitmap resources beside this script; run it again after changing
the pictures below and commit what it writes.

- track.bmp, trackvert.bmp (resources TRACK and TRACKVERT): the track bar channel for skins
  without one, 16 x 4 and 4 x 16 pixels, 16 colours: a sunken groove, dark above (left), light
  below (right).
- menuglyphs.bmp (resource TARVEXMENU): the glyphs of the skinned system menu, 64 x 16 pixels,
  1 bit per pixel, black on white: restore, maximise, minimise and close, in that order.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

GROOVE = [(128, 128, 128), (64, 64, 64), (212, 208, 200), (255, 255, 255)]

GLYPHS = [
    # restore: two overlapping windows
    [
        "................",
        "................",
        "......#######...",
        "......#######...",
        "......#.....#...",
        "...#######..#...",
        "...#######..#...",
        "...#.....#..#...",
        "...#.....####...",
        "...#.....#......",
        "...#.....#......",
        "...#######......",
        "................",
        "................",
        "................",
        "................",
    ],
    # maximise: one window with a thick title
    [
        "................",
        "................",
        "...#########....",
        "...#########....",
        "...#.......#....",
        "...#.......#....",
        "...#.......#....",
        "...#.......#....",
        "...#.......#....",
        "...#.......#....",
        "...#########....",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    # minimise: a bar at the bottom
    [
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "....######......",
        "....######......",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    # close: a cross
    [
        "................",
        "................",
        "................",
        "....##....##....",
        ".....##..##.....",
        "......####......",
        ".......##.......",
        "......####......",
        ".....##..##.....",
        "....##....##....",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
]


def bitmap_file(width, height, bits, palette, rows):
    """rows: top row first, each a list of palette indexes."""
    stride = ((width * bits + 31) // 32) * 4
    pixels = b''
    for row in reversed(rows):
        packed = 0
        for index in row:
            packed = packed << bits | index
        packed <<= stride * 8 - width * bits
        pixels += packed.to_bytes(stride, 'big')
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    return header + info + colours + pixels


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


def main():
    palette16 = GROOVE + [(0, 0, 0)] * 12
    write('track.bmp', bitmap_file(16, 4, 4, palette16, [[y] * 16 for y in range(4)]))
    write('trackvert.bmp', bitmap_file(4, 16, 4, palette16, [list(range(4)) for _ in range(16)]))
    rows = [[0 if ''.join(g[y] for g in GLYPHS)[x] == '#' else 1 for x in range(64)] for y in range(16)]
    write('menuglyphs.bmp', bitmap_file(64, 16, 1, [(0, 0, 0), (255, 255, 255)], rows))


if __name__ == '__main__':
    main()
