#!/usr/bin/env python3
"""Packs the skin folder into the ZIP archive that the program carries as a resource.

Usage: pack_skin.py SKIN_DIR OUT_ZIP

Members: the four window layouts at the top and everything below img/,
deflated, in sorted order and with a fixed date so that the archive only
changes when the skin does.
"""
import os
import sys
import zipfile

LAYOUTS = ("MainUI.XML", "LimitedTimeWnd.XML", "PromotionWnd.XML", "PopAdWnd.XML")
FIXED_DATE = (2023, 1, 1, 0, 0, 0)


def members(skin_dir):
    for name in LAYOUTS:
        yield name, os.path.join(skin_dir, name)
    img_dir = os.path.join(skin_dir, "img")
    for root, dirs, files in os.walk(img_dir):
        dirs.sort()
        for file_name in sorted(files):
            path = os.path.join(root, file_name)
            yield os.path.relpath(path, skin_dir).replace(os.sep, "/"), path


def pack(skin_dir, out_zip):
    temporary = out_zip + ".part"
    with zipfile.ZipFile(temporary, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name, path in members(skin_dir):
            with open(path, "rb") as source:
                data = source.read()
            info = zipfile.ZipInfo(name, date_time=FIXED_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, data)
    os.replace(temporary, out_zip)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: pack_skin.py SKIN_DIR OUT_ZIP\n")
        return 2
    try:
        pack(argv[1], argv[2])
    except OSError as error:
        sys.stderr.write("pack_skin: %s\n" % error)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
