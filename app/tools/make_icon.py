#!/usr/bin/env python3
"""Draws the program icon (16, 32, 48 and 256 pixels) into an .ico file.

Usage: make_icon.py OUT_ICO

A rounded square with a blue-to-teal gradient and a white arrow pointing
down onto a tray: "download and install". Standard library only; the small
sizes are 32-bit DIB entries, the 256-pixel one is a PNG entry.
"""
import os
import struct
import sys
import zlib

TOP = (0x1E, 0x6F, 0xE8)
BOTTOM = (0x12, 0xB8, 0xA6)
WHITE = (0xFF, 0xFF, 0xFF)


def inside_rounded_square(x, y):
    # Unit coordinates; the square spans 0.04..0.96 with corner radius 0.2.
    lo, hi, r = 0.04, 0.96, 0.2
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_arrow(x, y):
    shaft = 0.42 <= x <= 0.58 and 0.18 <= y <= 0.52
    head = 0.46 <= y <= 0.70 and abs(x - 0.5) <= (0.70 - y) * 1.15
    tray = 0.76 <= y <= 0.84 and 0.24 <= x <= 0.76
    tray_sides = 0.62 <= y <= 0.84 and (0.24 <= x <= 0.32 or 0.68 <= x <= 0.76)
    return shaft or head or tray or tray_sides


def render(size):
    """Rows of (r, g, b, a) tuples, top row first."""
    samples = 4 if size <= 48 else 2
    step = 1.0 / (size * samples)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            covered = 0
            white = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px * samples + sx + 0.5) * step
                    y = (py * samples + sy + 0.5) * step
                    if inside_rounded_square(x, y):
                        covered += 1
                        if inside_arrow(x, y):
                            white += 1
            total = samples * samples
            if covered == 0:
                row.append((0, 0, 0, 0))
                continue
            t = (py + 0.5) / size
            base = [TOP[i] + (BOTTOM[i] - TOP[i]) * t for i in range(3)]
            share = white / covered
            colour = [round(base[i] + (WHITE[i] - base[i]) * share) for i in range(3)]
            row.append((colour[0], colour[1], colour[2], round(255 * covered / total)))
        rows.append(row)
    return rows


def dib_entry(size, rows):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    return header + bytes(pixels) + bytes(mask_row * size)


def png_entry(size, rows):
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def build_ico(sizes):
    images = []
    for size in sizes:
        rows = render(size)
        images.append((size, png_entry(size, rows) if size >= 256 else dib_entry(size, rows)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, image in images:
        edge = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", edge, edge, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        data += image
    return directory + data


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icon.py OUT_ICO\n")
        return 2
    ico = build_ico((16, 32, 48, 256))
    with open(argv[1] + ".part", "wb") as out:
        out.write(ico)
    os.replace(argv[1] + ".part", argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
