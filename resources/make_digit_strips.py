#!/usr/bin/env python3
"""Writes the seven-segment digit strips: 13 cells each (digits 0-9, blank,
unlit sign, minus), lit segments silver and unlit ones grey on black, as
24-bit BMP files. Run once; the pictures are kept in the repository."""
import struct

SILVER, GREY, BLACK = (192, 192, 192), (128, 128, 128), (0, 0, 0)
SEGMENTS = {  # a b c d e f g
    0: "abcdef", 1: "bc", 2: "abdeg", 3: "abcdg", 4: "bcfg",
    5: "acdfg", 6: "acdefg", 7: "abc", 8: "abcdefg", 9: "abcdfg",
    10: "", 11: "", 12: "g",
}
SIGN_CELLS = {11, 12}  # only the middle bar exists


def cell_pixels(width, height, cell):
    t = max(1, width // 6)
    mid = (height - t) // 2
    pix = [[BLACK] * width for _ in range(height)]

    def hbar(row, lit):
        for y in range(row, row + t):
            for x in range(t, width - t - (1 if width > 6 else 0)):
                pix[y][x] = SILVER if lit else GREY

    def vbar(col, top, bottom, lit):
        for y in range(top, bottom):
            for x in range(col, col + t):
                pix[y][x] = SILVER if lit else GREY

    lit = SEGMENTS[cell]
    right = width - t - (1 if width > 6 else 0)
    if cell in SIGN_CELLS:
        hbar(mid, "g" in lit)
        return pix
    hbar(0, "a" in lit)
    hbar(mid, "g" in lit)
    hbar(height - t, "d" in lit)
    vbar(0, t, mid, "f" in lit)
    vbar(right, t, mid, "b" in lit)
    vbar(0, mid + t, height - t, "e" in lit)
    vbar(right, mid + t, height - t, "c" in lit)
    return pix


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


for w, h in [(13, 24), (11, 20), (7, 13), (12, 17), (5, 7)]:
    cells = [cell_pixels(w, h, c) for c in range(13)]
    rows = [sum((cells[c][y] for c in range(13)), []) for y in range(h)]
    write_bmp(f"num{w}x{h}.bmp", rows)
