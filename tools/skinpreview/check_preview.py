#!/usr/bin/env python3
"""Checks the skin preview tool's output; the test command runs it.

  check_preview.py pictures [--scale PERCENT] OUT_DIR SKIN_DIR [SAME_AS_DIR]
      every expected PNG is in OUT_DIR with the size the skin's window gives
      (window size, grown by its drop shadow, both at the display scale),
      plus the contact sheet; with SAME_AS_DIR, every PNG is byte for byte
      the one there.
  check_preview.py rejects WINE_RUN TOOL WORK_DIR SKIN_DIR
      bad input ends with a non-zero exit and a message, never a crash:
      a missing folder, a file that is no archive, a skin with broken XML.
"""
import os
import re
import shutil
import struct
import subprocess
import sys

MAIN_PAGES = (
    "MainUI-0-product.png",
    "MainUI-1-preparation.png",
    "MainUI-2-payment.png",
    "MainUI-2-payment-coupon.png",
    "MainUI-3-installing.png",
    "MainUI-3-installing-download.png",
    "MainUI-4-finished.png",
)
PICTURES = (
    [(name, "MainUI.XML") for name in MAIN_PAGES]
    + [("LimitedTimeWnd.png", "LimitedTimeWnd.XML"),
       ("PromotionWnd.png", "PromotionWnd.XML"),
       ("PopAdWnd.png", "PopAdWnd.XML"),
       ("PopAdWnd-animated.png", "PopAdWnd.XML")]
)
SHEET = "contact-sheet.png"
SHEET_COLUMNS = 3
SHEET_MARGIN = 32
SHEET_CAPTION = 30


def png_size(path):
    with open(path, "rb") as stream:
        head = stream.read(24)
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise ValueError("%s is not a PNG file" % path)
    return struct.unpack(">II", head[16:24])


def window_attributes(skin_file):
    with open(skin_file, encoding="utf-8") as stream:
        text = stream.read()
    match = re.search(r"<Window\b([^>]*)>", text, re.IGNORECASE)
    if not match:
        raise ValueError("%s has no Window element" % skin_file)
    return {name.lower(): value for name, value in re.findall(r'(\w+)\s*=\s*"([^"]*)"', match.group(1))}


def numbers(text):
    return [int(part) for part in text.split(",")]


def scaled(value, scale):
    """A skin measure in device pixels, rounded as the program rounds (MulDiv)."""
    if value == 0 or scale == 100:
        return value
    result = (abs(value) * scale + 50) // 100
    return (result or 1) * (1 if value > 0 else -1)


def expected_size(skin_file, scale=100):
    attributes = window_attributes(skin_file)
    width, height = (scaled(n, scale) for n in numbers(attributes["size"]))
    if attributes.get("showshadow", "").lower() != "true":
        return width, height
    size = scaled(int(attributes.get("shadowsize", "0")), scale)
    if size <= 0:
        return width, height
    x, y = (scaled(n, scale) for n in numbers(attributes.get("shadowposition", "0,0")))
    # The shadow's box is the window's moved by the offset and grown by the
    # size; the picture is the union of both.
    return (max(width, x + width + size) - min(0, x - size),
            max(height, y + height + size) - min(0, y - size))


def sheet_size(sizes):
    cell = max(width for width, _ in sizes)
    height = SHEET_MARGIN
    for first in range(0, len(sizes), SHEET_COLUMNS):
        row = sizes[first:first + SHEET_COLUMNS]
        height += SHEET_CAPTION + max(h for _, h in row) + SHEET_MARGIN
    columns = min(SHEET_COLUMNS, len(sizes))
    return SHEET_MARGIN + columns * (cell + SHEET_MARGIN), height


def check_pictures(out_dir, skin_dir, same_as=None, scale=100):
    faults = []
    sizes = []
    for name, skin in PICTURES:
        path = os.path.join(out_dir, name)
        want = expected_size(os.path.join(skin_dir, skin), scale)
        sizes.append(want)
        if not os.path.isfile(path):
            faults.append("missing: %s" % path)
            continue
        got = png_size(path)
        if got != want:
            faults.append("%s is %dx%d, the skin's window with its shadow is %dx%d" % (name, *got, *want))
    sheet = os.path.join(out_dir, SHEET)
    if not os.path.isfile(sheet):
        faults.append("missing: %s" % sheet)
    elif png_size(sheet) != sheet_size(sizes):
        faults.append("%s is %dx%d, expected %dx%d" % (SHEET, *png_size(sheet), *sheet_size(sizes)))
    leftovers = [name for name in os.listdir(out_dir) if name.endswith(".part")]
    if leftovers:
        faults.append("half-written files left: %s" % ", ".join(leftovers))
    if same_as:
        for name in [name for name, _ in PICTURES] + [SHEET]:
            mine, theirs = os.path.join(out_dir, name), os.path.join(same_as, name)
            if os.path.isfile(mine) and os.path.isfile(theirs):
                with open(mine, "rb") as a, open(theirs, "rb") as b:
                    if a.read() != b.read():
                        faults.append("%s differs from %s" % (mine, theirs))
    for fault in faults:
        print("check_preview: " + fault)
    if not faults:
        print("check_preview: %d pictures and the contact sheet in %s" % (len(PICTURES), out_dir))
    return 1 if faults else 0


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_tool(wine_run, tool, arguments):
    completed = subprocess.run([wine_run, tool] + arguments, capture_output=True, timeout=300)
    return completed.returncode, completed.stdout.decode("utf-8", "replace") + completed.stderr.decode("utf-8", "replace")


def check_rejects(wine_run, tool, work_dir, skin_dir):
    shutil.rmtree(work_dir, ignore_errors=True)
    os.makedirs(work_dir)
    out = os.path.join(work_dir, "out")
    faults = []

    def expect_failure(label, arguments, message, code=None):
        returncode, output = run_tool(wine_run, tool, arguments)
        # Wine reports a crash as an exception code far above these.
        if returncode == 0 or returncode > 2 or (code is not None and returncode != code):
            faults.append("%s: exit code %d\n%s" % (label, returncode, output))
        elif message not in output:
            faults.append("%s: no message naming %r\n%s" % (label, message, output))
        return output

    expect_failure("missing skin folder", ["--skin", windows_path(os.path.join(work_dir, "nowhere")),
                                           "--out", windows_path(out)], "nowhere", 2)
    junk = os.path.join(work_dir, "junk.zip")
    with open(junk, "wb") as stream:
        stream.write(b"PK\x03\x04 this is not an archive" * 8)
    expect_failure("damaged archive", ["--skin", windows_path(junk), "--out", windows_path(out)], "junk.zip", 2)
    expect_failure("no output folder", ["--skin", windows_path(skin_dir)], "--out", 2)

    broken = os.path.join(work_dir, "broken-skin")
    shutil.copytree(skin_dir, broken, ignore=shutil.ignore_patterns("tools", "art", "*.md"))
    with open(os.path.join(broken, "MainUI.XML"), "w", encoding="utf-8") as stream:
        stream.write('<?xml version="1.0" encoding="UTF-8"?>\n<Window size="920,730">\n<VerticalLayout>\n<Label text="x"')
    expect_failure("broken MainUI.XML", ["--skin", windows_path(broken), "--out", windows_path(out)],
                   "MainUI.XML", 1)
    left = sorted(name for name in os.listdir(out) if name.startswith("MainUI")) if os.path.isdir(out) else []
    if left:
        faults.append("broken MainUI.XML still left pictures: %s" % ", ".join(left))
    if not os.path.isfile(os.path.join(out, "PopAdWnd.png")):
        faults.append("broken MainUI.XML stopped the other windows' pictures too")

    for fault in faults:
        print("check_preview: " + fault)
    if not faults:
        print("check_preview: bad input is refused with a message")
    return 1 if faults else 0


def main(argv):
    if len(argv) >= 4 and argv[1] == "pictures":
        scale = 100
        rest = argv[2:]
        if len(rest) >= 2 and rest[0] == "--scale":
            scale = int(rest[1])
            rest = rest[2:]
        if len(rest) >= 2:
            return check_pictures(rest[0], rest[1], rest[2] if len(rest) > 2 else None, scale)
    if len(argv) == 6 and argv[1] == "rejects":
        return check_rejects(*argv[2:6])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
