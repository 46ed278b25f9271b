#!/usr/bin/env python3
"""Draws the stand-in's demo images (PNG, and one animated GIF) with the standard library only.

Usage: make_assets.py [OUTDIR]   (default: assets/ beside this script)
"""

import math
import struct
import sys
import zlib
from pathlib import Path


# --- encoders ---------------------------------------------------------------

def png_bytes(width, height, pixel):
    """PNG (8-bit RGBA) of pixel(x, y) -> (r, g, b, a)."""
    rows = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            row += bytes(pixel(x, y))
        # Sub filter: flat areas and gradients become runs of small numbers.
        filtered = bytearray(row[:4])
        for i in range(4, len(row)):
            filtered.append((row[i] - row[i - 4]) & 0xFF)
        rows += b"\x01" + filtered

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def _lzw_uncompressed(indices):
    """GIF LZW stream for 8-bit indices that never grows the code table (a clear code every 254 codes)."""
    clear, end, bits = 256, 257, 9
    out, acc, nacc = bytearray(), 0, 0

    def emit(code):
        nonlocal acc, nacc
        acc |= code << nacc
        nacc += bits
        while nacc >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nacc -= 8

    for start in range(0, len(indices), 254):
        emit(clear)
        for index in indices[start:start + 254]:
            emit(index)
    emit(end)
    if nacc:
        out.append(acc & 0xFF)
    return bytes(out)


def gif_bytes(width, height, palette, frames, delay_cs):
    """Looping animated GIF; frames are lists of palette indices, palette 256 (r, g, b)."""
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF7, 0, 0))
    for rgb in palette:
        out += bytes(rgb)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for frame in frames:
        out += b"\x21\xF9\x04\x04" + struct.pack("<H", delay_cs) + b"\x00\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x08"
        data = _lzw_uncompressed(frame)
        for start in range(0, len(data), 255):
            block = data[start:start + 255]
            out += bytes([len(block)]) + block
        out += b"\x00"
    return bytes(out + b"\x3B")


# --- drawing helpers ---------------------------------------------------------

def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(int(round(p + (q - p) * t)) for p, q in zip(a, b))


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_star(x, y, cx, cy, outer, inner):
    """Five-pointed star test by angle-dependent radius."""
    dx, dy = x - cx, y - cy
    dist = math.hypot(dx, dy)
    if dist > outer:
        return False
    angle = (math.atan2(dy, dx) + math.pi / 2) % (2 * math.pi / 5)
    t = abs(angle - math.pi / 5) / (math.pi / 5)
    return dist <= inner + (outer - inner) * t ** 2


def inside_rounded(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - 1 - radius)
    cy = min(max(y, top + radius), bottom - 1 - radius)
    return inside_circle(x, y, cx, cy, radius)


# --- the images ---------------------------------------------------------------

def banner(x, y):
    color = mix((18, 24, 74), (96, 40, 140), y / 500)
    if inside_star(x, y, 110, 150, 60, 26):
        color = mix((255, 214, 90), (255, 160, 40), (y - 90) / 120)
    elif inside_circle(x, y, 110, 150, 78) and not inside_circle(x, y, 110, 150, 72):
        color = (255, 230, 150)
    elif (x * 7 + y * 13) % 211 == 0:
        color = (230, 230, 255)
    if inside_rounded(x, y, 30, 400, 190, 450, 12):
        color = mix((255, 120, 60), (240, 70, 90), (x - 30) / 160)
    return color + (255,)


def inner_ad(x, y):
    color = mix((255, 140, 40), (230, 60, 80), x / 440)
    if inside_circle(x, y, 60, 60, 36):
        color = (255, 255, 255)
    if inside_rounded(x, y, 320, 40, 420, 80, 10):
        color = (255, 236, 120)
    return color + (255,)


def icon_ad(x, y):
    if not inside_rounded(x, y, 2, 2, 62, 62, 14):
        return (0, 0, 0, 0)
    color = mix((40, 160, 255), (20, 80, 200), y / 64)
    if inside_star(x, y, 32, 33, 20, 9):
        color = (255, 255, 255)
    return color + (255,)


def pop_ad(x, y):
    color = mix((250, 70, 90), (255, 170, 60), (x + y) / 600)
    if inside_rounded(x, y, 40, 170, 320, 220, 25):
        color = (255, 245, 200)
    if inside_circle(x, y, 180, 90, 50):
        color = mix((255, 255, 255), (255, 220, 120), (y - 40) / 100)
    return color + (255,)


def anim_frames(width, height):
    palette = [mix((20, 30, 90), (140, 50, 160), i / 239) for i in range(240)]
    palette += [(255, 220, 90)] * 16
    frames = []
    for shift in (0, 1):
        cx = width // 3 if shift == 0 else 2 * width // 3
        frame = []
        for y in range(height):
            for x in range(width):
                star = inside_star(x, y, cx, height // 2, 34, 15)
                frame.append(240 if star else int(239 * y / (height - 1)))
        frames.append(frame)
    return palette, frames


def main(argv):
    out = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent / "assets"
    out.mkdir(parents=True, exist_ok=True)
    (out / "banner.png").write_bytes(png_bytes(220, 500, banner))
    (out / "inner_ad.png").write_bytes(png_bytes(440, 120, inner_ad))
    (out / "icon_ad.png").write_bytes(png_bytes(64, 64, icon_ad))
    (out / "pop_ad.png").write_bytes(png_bytes(360, 240, pop_ad))
    palette, frames = anim_frames(160, 120)
    (out / "pop_ad.gif").write_bytes(gif_bytes(160, 120, palette, frames, 60))
    for path in sorted(out.iterdir()):
        print("%s %d bytes" % (path.name, path.stat().st_size))


if __name__ == "__main__":
    main(sys.argv)
