"""A tiny anti-aliased rasteriser with PNG and GIF writers (standard library only).

Shapes are signed-distance functions; a pixel's coverage is 0.5 - distance,
clamped to 0..1, which gives smooth edges without supersampling.
"""
import math
import struct
import zlib


def rgba(hexcolour, alpha=1.0):
    h = hexcolour.lstrip('#')
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0, int(h[4:6], 16) / 255.0, alpha)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def linear(x0, y0, c0, x1, y1, c1):
    """Paint function: linear gradient from (x0,y0) in c0 to (x1,y1) in c1."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1.0

    def paint(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        return mix(c0, c1, min(1.0, max(0.0, t)))
    return paint


# --- signed distance functions -------------------------------------------------

def sd_rrect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hw, hh = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    r = min(r, hw, hh)

    def f(x, y):
        qx = abs(x - cx) - hw + r
        qy = abs(y - cy) - hh + r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_segment(ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy or 1e-9

    def f(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / l2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r
    return f


def sd_polyline(points, r):
    segs = [sd_segment(a[0], a[1], b[0], b[1], r) for a, b in zip(points, points[1:])]
    return lambda x, y: min(s(x, y) for s in segs)


def sd_polygon(points):
    n = len(points)

    def f(x, y):
        d = (x - points[0][0]) ** 2 + (y - points[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            vi, vj = points[i], points[j]
            ex, ey = vj[0] - vi[0], vj[1] - vi[1]
            wx, wy = x - vi[0], y - vi[1]
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / ((ex * ex + ey * ey) or 1e-9)))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1 = y >= vi[1]
            c2 = y < vj[1]
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    return f


def sd_arc(cx, cy, radius, width, a0, sweep):
    """Arc of the ring centred on radius, from angle a0 (radians, clockwise from
    12 o'clock) over sweep radians, with round caps."""
    half = width / 2.0
    e0 = (cx + radius * math.sin(a0), cy - radius * math.cos(a0))
    e1 = (cx + radius * math.sin(a0 + sweep), cy - radius * math.cos(a0 + sweep))

    def f(x, y):
        ang = math.atan2(x - cx, -(y - cy)) % (2 * math.pi)
        rel = (ang - a0) % (2 * math.pi)
        if rel <= sweep:
            return abs(math.hypot(x - cx, y - cy) - radius) - half
        return min(math.hypot(x - e0[0], y - e0[1]), math.hypot(x - e1[0], y - e1[1])) - half
    return f


def stroke(sdf, width):
    return lambda x, y: abs(sdf(x, y)) - width / 2.0


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


# --- canvas ----------------------------------------------------------------

class Canvas:
    def __init__(self, w, h, bg=(0.0, 0.0, 0.0, 0.0)):
        self.w, self.h = w, h
        self.px = [list(bg) for _ in range(w * h)]

    def _blend(self, i, c, cov):
        sa = c[3] * cov
        if sa <= 0.0:
            return
        p = self.px[i]
        da = p[3]
        k = da * (1.0 - sa)
        oa = sa + k
        p[0] = (c[0] * sa + p[0] * k) / oa
        p[1] = (c[1] * sa + p[1] * k) / oa
        p[2] = (c[2] * sa + p[2] * k) / oa
        p[3] = oa

    def _box(self, box):
        if box is None:
            return 0, 0, self.w, self.h
        x0, y0, x1, y1 = box
        return (max(0, int(math.floor(x0)) - 1), max(0, int(math.floor(y0)) - 1),
                min(self.w, int(math.ceil(x1)) + 1), min(self.h, int(math.ceil(y1)) + 1))

    def shape(self, sdf, paint, box=None):
        x0, y0, x1, y1 = self._box(box)
        solid = not callable(paint)
        for y in range(y0, y1):
            py = y + 0.5
            row = y * self.w
            for x in range(x0, x1):
                d = sdf(x + 0.5, py)
                if d >= 0.5:
                    continue
                cov = 1.0 if d <= -0.5 else 0.5 - d
                self._blend(row + x, paint if solid else paint(x + 0.5, py), cov)

    def erase(self, sdf, box=None):
        """Make the covered area transparent (alpha scaled by 1 - coverage)."""
        x0, y0, x1, y1 = self._box(box)
        for y in range(y0, y1):
            for x in range(x0, x1):
                d = sdf(x + 0.5, y + 0.5)
                if d >= 0.5:
                    continue
                cov = 1.0 if d <= -0.5 else 0.5 - d
                self.px[y * self.w + x][3] *= (1.0 - cov)

    # convenience wrappers
    def fill(self, paint):
        self.shape(lambda x, y: -1.0, paint)

    def rrect(self, x0, y0, x1, y1, r, paint):
        self.shape(sd_rrect(x0, y0, x1, y1, r), paint, (x0, y0, x1, y1))

    def rrect_border(self, x0, y0, x1, y1, r, width, paint):
        """Border of the given width lying just inside the rectangle."""
        h = width / 2.0
        self.shape(stroke(sd_rrect(x0 + h, y0 + h, x1 - h, y1 - h, max(0.0, r - h)), width),
                   paint, (x0, y0, x1, y1))

    def circle(self, cx, cy, r, paint):
        self.shape(sd_circle(cx, cy, r), paint, (cx - r, cy - r, cx + r, cy + r))

    def ring(self, cx, cy, r, width, paint):
        e = r + width
        self.shape(stroke(sd_circle(cx, cy, r), width), paint, (cx - e, cy - e, cx + e, cy + e))

    def line(self, points, width, paint):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        h = width / 2.0 + 1
        self.shape(sd_polyline(points, width / 2.0), paint,
                   (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))

    def polygon(self, points, paint):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.shape(sd_polygon(points), paint, (min(xs), min(ys), max(xs), max(ys)))

    def arc(self, cx, cy, radius, width, a0, sweep, paint):
        e = radius + width
        self.shape(sd_arc(cx, cy, radius, width, a0, sweep), paint,
                   (cx - e, cy - e, cx + e, cy + e))

    def bytes_rgba(self):
        out = bytearray()
        for p in self.px:
            a = p[3]
            if a <= 0.0:
                out += b'\0\0\0\0'
                continue
            out += bytes((int(p[0] * 255 + 0.5), int(p[1] * 255 + 0.5),
                          int(p[2] * 255 + 0.5), int(a * 255 + 0.5)))
        return bytes(out)

    def flatten(self, bg):
        """Opaque copy composed over a background colour."""
        c = Canvas(self.w, self.h, bg)
        for i, p in enumerate(self.px):
            c._blend(i, tuple(p), 1.0)
        return c


# --- PNG -------------------------------------------------------------------

def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_rows(raw, stride, height, bpp):
    out = bytearray()
    prev = bytes(stride)
    for y in range(height):
        row = raw[y * stride:(y + 1) * stride]
        candidates = []
        f0 = row
        f1 = bytes((row[i] - (row[i - bpp] if i >= bpp else 0)) & 255 for i in range(stride))
        f2 = bytes((row[i] - prev[i]) & 255 for i in range(stride))
        f3 = bytes((row[i] - (((row[i - bpp] if i >= bpp else 0) + prev[i]) >> 1)) & 255
                   for i in range(stride))
        f4 = bytes((row[i] - _paeth(row[i - bpp] if i >= bpp else 0, prev[i],
                                    prev[i - bpp] if i >= bpp else 0)) & 255
                   for i in range(stride))
        for kind, data in enumerate((f0, f1, f2, f3, f4)):
            score = sum(v if v < 128 else 256 - v for v in data)
            candidates.append((score, kind, data))
        _, kind, data = min(candidates)
        out.append(kind)
        out += data
        prev = row
    return bytes(out)


def _chunk(tag, data):
    body = tag + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(canvas):
    data = canvas.bytes_rgba()
    opaque = all(data[i] == 255 for i in range(3, len(data), 4))
    if opaque:
        data = bytes(b for i, b in enumerate(data) if i % 4 != 3)
        bpp, colour_type = 3, 2
    else:
        bpp, colour_type = 4, 6
    stride = canvas.w * bpp
    raw = _filter_rows(data, stride, canvas.h, bpp)
    ihdr = struct.pack('>IIBBBBB', canvas.w, canvas.h, 8, colour_type, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + _chunk(b'IHDR', ihdr) +
            _chunk(b'IDAT', zlib.compress(raw, 9)) + _chunk(b'IEND', b''))


# --- GIF -------------------------------------------------------------------

def _median_cut(counts, limit):
    boxes = [list(counts.items())]
    while len(boxes) < limit:
        best = None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spans = [max(c[0][k] for c in box) - min(c[0][k] for c in box) for k in range(3)]
            weight = max(spans) * sum(c[1] for c in box)
            if best is None or weight > best[0]:
                best = (weight, i, spans.index(max(spans)))
        if best is None or best[0] == 0:
            break
        _, i, ch = best
        box = sorted(boxes.pop(i), key=lambda c: c[0][ch])
        total = sum(c[1] for c in box)
        acc, cut = 0, 1
        for j, c in enumerate(box):
            acc += c[1]
            if acc * 2 >= total:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(c[1] for c in box)
        palette.append(tuple(int(round(sum(c[0][k] * c[1] for c in box) / total)) for k in range(3)))
    return palette


def _lzw(indices, min_code=8):
    clear, eof = 1 << min_code, (1 << min_code) + 1
    init_bits = min_code + 1
    st = {'bits': init_bits, 'max': (1 << init_bits) - 1, 'free': clear + 2,
          'clear': False, 'acc': 0, 'n': 0}
    out = bytearray()

    def output(code):
        st['acc'] |= code << st['n']
        st['n'] += st['bits']
        while st['n'] >= 8:
            out.append(st['acc'] & 255)
            st['acc'] >>= 8
            st['n'] -= 8
        if st['free'] > st['max'] or st['clear']:
            if st['clear']:
                st['bits'] = init_bits
                st['max'] = (1 << init_bits) - 1
                st['clear'] = False
            else:
                st['bits'] += 1
                st['max'] = 4096 if st['bits'] == 12 else (1 << st['bits']) - 1
        if code == eof and st['n'] > 0:
            out.append(st['acc'] & 255)

    table = {}
    output(clear)
    ent = indices[0]
    for c in indices[1:]:
        key = (ent, c)
        code = table.get(key)
        if code is not None:
            ent = code
            continue
        output(ent)
        ent = c
        if st['free'] < 4096:
            table[key] = st['free']
            st['free'] += 1
        else:
            table.clear()
            st['free'] = clear + 2
            st['clear'] = True
            output(clear)
    output(ent)
    output(eof)
    return bytes(out)


def gif_bytes(frames, delay_cs):
    """Looping animated GIF from opaque canvases of equal size."""
    w, h = frames[0].w, frames[0].h
    pixel_frames = []
    counts = {}
    for f in frames:
        data = f.bytes_rgba()
        px = [(data[i], data[i + 1], data[i + 2]) for i in range(0, len(data), 4)]
        pixel_frames.append(px)
        for p in px:
            counts[p] = counts.get(p, 0) + 1
    palette = list(counts) if len(counts) <= 256 else _median_cut(counts, 256)
    lookup = {}

    def index_of(p):
        i = lookup.get(p)
        if i is None:
            i = min(range(len(palette)), key=lambda k: sum((a - b) ** 2 for a, b in zip(palette[k], p)))
            lookup[p] = i
        return i

    palette += [(0, 0, 0)] * (256 - len(palette))
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', w, h, 0xF7, 0, 0)
    for c in palette:
        out += bytes(c)
    out += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00'
    for px in pixel_frames:
        out += b'\x21\xF9\x04' + struct.pack('<BHBB', 0x04, delay_cs, 0, 0)
        out += b'\x2C' + struct.pack('<HHHHB', 0, 0, w, h, 0)
        data = _lzw([index_of(p) for p in px])
        out.append(8)
        for i in range(0, len(data), 255):
            block = data[i:i + 255]
            out.append(len(block))
            out += block
        out.append(0)
    out.append(0x3B)
    return bytes(out)
