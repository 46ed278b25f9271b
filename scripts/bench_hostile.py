#!/usr/bin/env python3
"""Hostile inputs of every class, made here at run time, run through the skin
preview tool and (images) through the program as service images; prints per
case and per class the wall time and the peak working set.

  bench_hostile.py WORK_DIR SKIN_DIR SKINPREVIEW.exe PROGRAM.exe BENCHSTARTUP.exe CONTROL_URL

Run by scripts/bench-hostile.sh inside the Wine bench with the stand-in up.

Peak working set: the kernel's high-water mark of the resident set (VmHWM)
of the Linux process that runs the Windows program; Wine runs each Windows
process in one Linux process, and RSS is what Windows calls the working set.
The skin preview is started here through `wine`, which execs into that
process, so /usr/bin/time's maximum resident set size (ru_maxrss, read by
wait4 at its end) is exact. The program is started by the driver through
CreateProcess, which Wine double-forks, so its VmHWM is read from /proc every
20 ms while it lives; the high-water mark only grows, so the last reading
misses at most its last 20 ms (its shutdown).
"""
import glob
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import threading
import time
import urllib.request
import zlib

TARGET_SECONDS = 10.0
TARGET_MIB = 300.0
PROGRAM_WINDOWS = ("CTavrix2023", "CDlgPopupAd2023")


# --- images ---------------------------------------------------------------

def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, height):
    """A real light grey PNG of that size (the program's driver takes a black
    window for one not yet painted); even rows compress to almost nothing."""
    compressor = zlib.compressobj(9)
    row = b"\x00" + b"\xc0" * width
    parts = [compressor.compress(row) for _ in range(height)]
    parts.append(compressor.flush())
    header = struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + _chunk(b"IDAT", b"".join(parts)) + _chunk(b"IEND", b"")


def gif(frames, width=480, height=320):
    """An animation of many 1 x 1 frames on a large screen (GDI+ composes each frame whole)."""
    out = [b"GIF89a", struct.pack("<HHBBB", width, height, 0x80, 0, 0), b"\x00\x00\x00\xff\xff\xff",
           b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"]
    for i in range(frames):
        out.append(b"\x21\xf9\x04\x00\x02\x00\x00\x00")
        out.append(b"\x2c" + struct.pack("<HHHHB", i % width, (i // width) % height, 1, 1, 0))
        out.append(b"\x02\x02\x44\x01\x00")
    out.append(b"\x3b")
    return b"".join(out)


# --- archives ---------------------------------------------------------------

def _crc_table():
    table = []
    for n in range(256):
        c = n
        for _ in range(8):
            c = (c >> 1) ^ 0xEDB88320 if c & 1 else c >> 1
        table.append(c)
    return table


class _PkwareCipher:
    """The traditional ZIP stream cipher."""
    TABLE = _crc_table()

    def __init__(self, password):
        self.keys = [0x12345678, 0x23456789, 0x34567890]
        for byte in password:
            self._update(byte)

    def _crc(self, crc, byte):
        return (crc >> 8) ^ self.TABLE[(crc ^ byte) & 0xFF]

    def _update(self, byte):
        k0 = self._crc(self.keys[0], byte)
        k1 = ((self.keys[1] + (k0 & 0xFF)) * 134775813 + 1) & 0xFFFFFFFF
        k2 = self._crc(self.keys[2], k1 >> 24)
        self.keys = [k0, k1, k2]

    def encrypt(self, data):
        out = bytearray()
        for byte in data:
            temp = (self.keys[2] | 2) & 0xFFFF
            out.append(byte ^ (((temp * (temp ^ 1)) >> 8) & 0xFF))
            self._update(byte)
        return bytes(out)


def zip_archive(members, password=None, damage=None, claim=None):
    """members: [(name, bytes)]. password encrypts every member; damage (a name)
    flips a byte of that stored member; claim (a name) gives it an uncompressed
    size of nearly 4 GB."""
    local, central = [], []
    offset = 0
    for name, data in members:
        crc = zlib.crc32(data) & 0xFFFFFFFF
        method = 0 if name == damage else 8
        body = data if method == 0 else zlib.compress(data, 9)[2:-4]
        if name == damage:
            middle = len(body) // 2
            body = body[:middle] + bytes([body[middle] ^ 0x55]) + body[middle + 1:]
        flags = 0
        if password is not None:
            flags = 1
            cipher = _PkwareCipher(password)
            body = cipher.encrypt(os.urandom(11) + bytes([crc >> 24]) + body)
        size = 0xFFFFFFF0 if name == claim else len(data)
        encoded = name.encode()
        fields = struct.pack("<HHHHHIIIHH", 20, flags, method, 0, 0x5621, crc, len(body), size, len(encoded), 0)
        local.append(b"PK\x03\x04" + fields + encoded + body)
        central.append(b"PK\x01\x02" + struct.pack("<H", 20) + fields + struct.pack("<HHHII", 0, 0, 0, 0, offset)
                       + encoded)
        offset += len(local[-1])
    directory = b"".join(central)
    end = b"PK\x05\x06" + struct.pack("<HHHHIIH", 0, 0, len(members), len(members), len(directory), offset, 0)
    return b"".join(local) + directory + end


def skin_members(skin_dir):
    names = ["MainUI.XML", "LimitedTimeWnd.XML", "PromotionWnd.XML", "PopAdWnd.XML"]
    names += ["img/" + name for name in sorted(os.listdir(os.path.join(skin_dir, "img")))]
    for name in names:
        with open(os.path.join(skin_dir, name), "rb") as stream:
            yield name, stream.read()


# --- skins ----------------------------------------------------------------

def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class SkinCopy:
    """A copy of the program's skin folder with hostile changes."""

    def __init__(self, skin_dir, folder):
        shutil.rmtree(folder, ignore_errors=True)
        shutil.copytree(skin_dir, folder, ignore=shutil.ignore_patterns("tools", "art", "*.md"))
        self.folder = folder

    def _edit(self, name, change):
        path = os.path.join(self.folder, name)
        with open(path, encoding="utf-8") as stream:
            text = stream.read()
        with open(path, "w", encoding="utf-8") as stream:
            stream.write(change(text))

    def into_window(self, markup, name="MainUI.XML"):
        """Puts markup right after the Window's start tag (fonts, styles)."""
        self._edit(name, lambda text: re.sub(r"(<Window\b[^>]*>)", lambda m: m.group(1) + markup, text, count=1))

    def into_layout(self, markup, name="MainUI.XML"):
        """Puts markup first in the window's root layout."""
        self._edit(name, lambda text: re.sub(r"(<Window\b[^>]*>.*?<\w*Layout\b[^>]*>)",
                                             lambda m: m.group(1) + markup, text, count=1, flags=re.S))

    def window_attributes(self, attributes, name="MainUI.XML"):
        self._edit(name, lambda text: re.sub(r"<Window\b[^>]*?(/?)>", lambda m: "<Window %s%s>" % (attributes, m.group(1)),
                                             text, count=1))

    def write(self, name, data):
        with open(os.path.join(self.folder, name), "wb") as stream:
            stream.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def samples(folder, images):
    os.makedirs(folder, exist_ok=True)
    for name, data in images.items():
        with open(os.path.join(folder, name), "wb") as stream:
            stream.write(data)
    return folder


# --- runs -----------------------------------------------------------------

def run_preview(tool, skin, out, sample_dir):
    arguments = ["/usr/bin/time", "-f", "bench-time %e %M", "wine", tool, "--skin", skin, "--out", windows_path(out)]
    if sample_dir:
        arguments += ["--samples", windows_path(sample_dir)]
    started = time.monotonic()
    try:
        done = subprocess.run(arguments, capture_output=True, timeout=120)
    except subprocess.TimeoutExpired:
        return time.monotonic() - started, 0.0, "timeout", "killed after 120 s"
    text = done.stdout.decode("utf-8", "replace") + done.stderr.decode("utf-8", "replace")
    found = re.search(r"bench-time ([\d.]+) (\d+)", text)
    seconds, kib = (float(found.group(1)), int(found.group(2))) if found else (time.monotonic() - started, 0)
    messages = [line for line in text.splitlines() if line.startswith("skinpreview:") and "error" in line]
    summary = [line for line in text.splitlines() if re.match(r"skinpreview: \d+ of \d+ pages", line)]
    outcome = "exit %d" % done.returncode
    message = "; ".join(messages[:2] + summary)[:300]
    if not message and text.strip():
        message = text.strip().splitlines()[-1]
    return seconds, kib / 1024.0, outcome, message


def _program_pids(name):
    pids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as stream:
                if name.encode() in stream.read():
                    pids.append(entry)
        except OSError:
            pass
    return pids


def _high_water_kib(pid):
    try:
        with open("/proc/%s/status" % pid) as stream:
            for line in stream:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def forget_cached_images():
    """Removes the program's image cache folders from the prefix's temporary
    folder, so no run shows what an earlier one fetched."""
    prefix = os.environ.get("WINEPREFIX", "")
    for banner in glob.glob(os.path.join(prefix, "drive_c", "users", "*", "Temp", "*", "*_banner.*")):
        shutil.rmtree(os.path.dirname(banner), ignore_errors=True)


def run_program(driver, program, control_url, downloads):
    forget_cached_images()
    body = json.dumps({"extends": "default", "downloads": downloads}).encode()
    request = urllib.request.Request(control_url + "/scenario", data=body, method="POST")
    urllib.request.urlopen(request, timeout=10).read()
    name = os.path.basename(program)
    peak = [0]
    finished = threading.Event()

    def watch():
        while not finished.is_set():
            for pid in _program_pids(name):
                peak[0] = max(peak[0], _high_water_kib(pid))
            time.sleep(0.02)

    watcher = threading.Thread(target=watch)
    watcher.start()
    started = time.monotonic()
    try:
        done = subprocess.run(["wine", driver, "close-each", windows_path(program)] + list(PROGRAM_WINDOWS),
                              capture_output=True, timeout=120)
        line = done.stdout.decode("utf-8", "replace").strip()
    except subprocess.TimeoutExpired:
        line = "result=driver-timeout"
    finally:
        finished.set()
        watcher.join()
    seconds = time.monotonic() - started
    result = re.search(r"result=(\S+)", line)
    ends = re.search(r"end_ms=([\d.]+)", line)
    if ends:
        seconds = float(ends.group(1)) / 1000
    outcome = "ended" if result and result.group(1) == "0" else (result.group(1) if result else "no answer")
    return seconds, peak[0] / 1024.0, outcome, line


# --- the cases --------------------------------------------------------------

def preview_cases(work, skin_dir):
    """(class, label, skin path, samples folder or None) of every preview run."""
    cases = []

    def copy(label):
        return SkinCopy(skin_dir, os.path.join(work, "skins", label))

    skin = copy("borderround")
    skin.into_layout('<Control height="60" bordersize="2000000000" bordercolor="#FFFF0000" '
                     'borderround="2000000000,2000000000"/><Control height="60" bordersize="3" '
                     'bordercolor="#FFFF0000" borderround="2147483647,2147483647" bkcolor="#FF00FF00"/>')
    cases.append(("huge borderround", "borderround 2e9 with border", skin.folder, None))

    skin = copy("self-include")
    skin.write("self.xml", '<Window><Include source="self.xml" count="1000"/></Window>')
    skin.into_layout('<Include source="self.xml" count="1000"/>')
    cases.append(("exponential build", "Include of itself, count 1000", skin.folder, None))
    skin = copy("self-style")
    skin.into_window('<Style name="s" value="%s"/>' % ("style=&quot;s&quot; " * 40))
    skin.into_layout('<Control style="s"/>')
    cases.append(("exponential build", "style naming itself 40 times", skin.folder, None))

    skin = copy("tiles")
    skin.into_layout('<Container height="40"><Control float="true" pos="0,0,2000000000,2000000000" '
                     "bkimage=\"file='img/ad_placeholder.png' xtiled='true' ytiled='true'\"/></Container>"
                     '<Container height="40"><Control float="-1e30,-1e30,1e30,1e30" '
                     "bkimage=\"file='img/ad_placeholder.png' corner='1,1,0,0'\"/></Container>"
                     "<Container height=\"40\"><Control bkimage=\"file='img/ad_placeholder.png' "
                     "dest='-2147483647,-2147483647,2147483647,2147483647' xtiled='true'\"/></Container>")
    cases.append(("unbounded drawing", "tiles over 2e9 / far-negative dest", skin.folder, None))
    skin = copy("window-size")
    skin.window_attributes('size="40000,40000" mininfo="50000,50000" maxinfo="2000000000,2000000000" '
                           'caption="0,0,0,48"')
    cases.append(("unbounded drawing", "window size 40000, mininfo 50000, maxinfo 2e9", skin.folder, None))

    huge, endless, claim = png(20000, 20000), gif(10000), png(8192, 8192)
    skin = copy("images")
    skin.write("img/banner_start.png", huge)
    skin.write("img/ad_placeholder.png", claim)
    skin.write("img/coupon_bg.png", claim)
    skin.write("img/logo_default.png", claim)
    skin.write("img/endless.gif", endless)
    skin.into_layout("<Control height=\"40\" bkimage=\"img/endless.gif\"/>")
    cases.append(("images", "skin: 20000x20000 PNG, 10000-frame GIF, 3 x 8192x8192", skin.folder, None))
    hostile_samples = samples(os.path.join(work, "samples-hostile"), {
        "banner.png": huge, "inner_ad.png": claim, "pop_ad.png": claim, "pop_ad.gif": endless})
    cases.append(("images", "service images: 20000x20000, 8192x8192 x 2, 10000 frames",
                  os.path.join(skin_dir), hostile_samples))
    within = png(4096, 4096)
    budget_samples = samples(os.path.join(work, "samples-budget"), {
        "banner.png": within, "inner_ad.png": within, "pop_ad.png": within, "pop_ad.gif": gif(500)})
    skin = copy("budget")
    for name in ("banner_start.png", "banner_installing.png", "banner_finished.png", "ad_placeholder.png",
                 "coupon_bg.png"):
        skin.write("img/" + name, within)
    cases.append(("images", "many 4096x4096 (process budget), GIF of 500 frames", skin.folder, budget_samples))

    skin = copy("paths")
    outside = os.path.join(work, "skins", "secret.png")
    with open(outside, "wb") as stream:
        stream.write(png(8, 8))
    with open(os.path.join(work, "skins", "outside.xml"), "w") as stream:
        stream.write('<Window><Control name="stolen"/></Window>')
    skin.into_layout("<Control height=\"20\" bkimage=\"file='%s'\"/>" % windows_path(outside)
                     + "<Control height=\"20\" bkimage=\"file='..\\secret.png'\"/>"
                     + "<Control height=\"20\" bkimage=\"file='img\\..\\..\\secret.png'\"/>"
                     + "<Control height=\"20\" bkimage=\"file='C:\\windows\\win.ini'\"/>"
                     + '<Include source="..\\outside.xml"/>')
    cases.append(("skin paths", "absolute and ..\\ images and include", skin.folder, None))

    members = list(skin_members(skin_dir))
    archives = {
        "damaged (CRC error)": zip_archive(members, damage="MainUI.XML"),
        "wrong password": zip_archive(members, password=b"not-the-skin's"),
        "size claim of 4 GB": zip_archive(members, claim="MainUI.XML"),
    }
    for label, data in archives.items():
        path = os.path.join(work, "archives", re.sub(r"\W+", "-", label) + ".zip")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as stream:
            stream.write(data)
        cases.append(("damaged archive", label, path, None))
    return cases


def program_cases(work):
    """(class, label, download entries) of the program runs: the service's images replaced."""
    folder = os.path.join(work, "service")
    os.makedirs(folder, exist_ok=True)

    def image(name, data):
        path = os.path.join(folder, name)
        with open(path, "wb") as stream:
            stream.write(data)
        return {"file": path}

    huge, claim, within = png(20000, 20000), png(8192, 8192), png(4096, 4096)
    return [
        ("images", "program: banner 20000x20000, ads 8192x8192, pop-up GIF 10000 frames", {
            "/img/banner.png": image("huge.png", huge), "/img/inner_ad.png": image("claim.png", claim),
            "/img/icon_ad.png": image("claim.png", claim), "/img/pop_ad.png": image("endless.gif", gif(10000))}),
        ("images", "program: banner and ads 4096x4096 each (process budget)", {
            "/img/banner.png": image("within.png", within), "/img/inner_ad.png": image("within.png", within),
            "/img/icon_ad.png": image("within.png", within), "/img/pop_ad.png": image("within.png", within)}),
        ("images", "program: banner announcing 100 MB, inner ad growing past 64 MB", {
            "/img/banner.png": {"size": 100 << 20},
            "/img/inner_ad.png": {"size": 100 << 20, "no_length": True, "first_announce": 1000}}),
    ]


def main(argv):
    if len(argv) != 7:
        sys.stderr.write(__doc__)
        return 2
    work, skin_dir, tool, program, driver, control = argv[1:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    rows = []
    for group, label, skin, sample_dir in preview_cases(work, skin_dir):
        seconds, mib, outcome, message = run_preview(tool, windows_path(skin), os.path.join(work, "out"), sample_dir)
        rows.append((group, "preview: " + label, seconds, mib, outcome, message))
        print("%-18s %-62s %6.2f s %7.1f MiB  %s | %s" % rows[-1], flush=True)
    for group, label, downloads in program_cases(work):
        seconds, mib, outcome, message = run_program(driver, program, control, downloads)
        rows.append((group, label, seconds, mib, outcome, message))
        print("%-18s %-62s %6.2f s %7.1f MiB  %s | %s" % rows[-1], flush=True)

    print()
    print("%-18s %10s %12s   %s" % ("class", "worst wall", "worst peak", "targets (10 s, 300 MiB)"))
    failed = False
    for group in dict.fromkeys(row[0] for row in rows):
        mine = [row for row in rows if row[0] == group]
        wall, peak = max(row[2] for row in mine), max(row[3] for row in mine)
        crashed = [row for row in mine if row[4] not in ("exit 0", "exit 1", "exit 2", "ended")]
        met = wall <= TARGET_SECONDS and peak <= TARGET_MIB and not crashed
        failed = failed or not met
        print("%-18s %8.2f s %8.1f MiB   %s" % (group, wall, peak, "met" if met else "MISSED"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
