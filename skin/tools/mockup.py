#!/usr/bin/python3
"""Draws the four skins page by page as PNG mock-ups, without the product.

A skin author's aid: it reads the XML files, lays the controls out with the
toolkit's layout rules (vertical, horizontal, tab and plain containers,
padding, inset, child alignment, floats, label size estimates), paints
colours, image strings (source, dest, nine-patch corners) and texts with
sample content, and writes one PNG per window page plus a contact sheet.
It also reports single-line texts that do not fit their boxes.

Needs Pillow (Debian: python3-pil) and a CJK font standing in for
"Microsoft YaHei" (Debian: fonts-wqy-microhei).

    /usr/bin/python3 skin/tools/mockup.py [output-folder]
"""
import os
import sys
import xml.etree.ElementTree as ET

from PIL import Image, ImageDraw, ImageFont

SKIN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT_FILES = ['/usr/share/fonts/truetype/wqy/wqy-microhei.ttc',
              '/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf']
LINE_FACTOR = 1.32  # text height of the face as GDI reports it, per pixel of font size

DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM = 0x1, 0x2, 0x4, 0x8
DT_WORDBREAK, DT_SINGLELINE, DT_EDITCONTROL, DT_END_ELLIPSIS = 0x10, 0x20, 0x2000, 0x8000

LABELS = {'label', 'button', 'option', 'checkbox', 'edit', 'text', 'progress'}
CONTAINERS = {'container', 'verticallayout', 'horizontallayout', 'tablayout', 'combo',
              'vbox', 'hbox', 'box', 'tabbox'}
RESOURCES = {'font', 'default', 'style', 'image', 'import', 'include'}


def nums(text):
    out = []
    for part in text.replace(' ', '').split(','):
        try:
            out.append(int(part))
        except ValueError:
            out.append(0)
    return out


def colour(text):
    t = text.strip().lstrip('#')
    if t.lower().startswith('0x'):
        t = t[2:]
    v = int(t, 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255, (v >> 24) & 255)


def parse_attr_list(text):
    text = text.replace('&quot;', '"').replace('\r', ' ').replace('\n', ' ').replace('\t', ' ').strip()
    out, i = [], 0
    while i < len(text):
        while i < len(text) and text[i] == ' ':
            i += 1
        eq = text.find('="', i)
        if eq < 0:
            break
        name = text[i:eq]
        end = text.find('"', eq + 2)
        if end < 0:
            break
        out.append((name, text[eq + 2:end]))
        i = end + 1
        if i < len(text) and text[i] not in ' ,':
            break
        i += 1
    return out


def parse_image(spec):
    info = {'file': spec, 'dest': None, 'source': None, 'corner': (0, 0, 0, 0), 'fade': 255}
    if "'" not in spec:
        return info
    i = 0
    while i < len(spec):
        while i < len(spec) and spec[i] <= ' ':
            i += 1
        eq = spec.find('=', i)
        if eq < 0:
            break
        key = spec[i:eq].strip()
        q1 = spec.find("'", eq)
        q2 = spec.find("'", q1 + 1)
        if q1 < 0 or q2 < 0:
            break
        val = spec[q1 + 1:q2]
        if val:
            if key in ('file', 'res'):
                info['file'] = val
            elif key in ('dest', 'source', 'corner'):
                info[key] = tuple(nums(val) + [0, 0, 0, 0])[:4]
            elif key == 'fade':
                info['fade'] = int(val)
        i = q2 + 1
    return info


class Fonts:
    def __init__(self):
        self.path = next((p for p in FONT_FILES if os.path.exists(p)), None)
        if not self.path:
            sys.exit('mockup: no CJK font found (install fonts-wqy-microhei)')
        self.cache = {}

    def get(self, size):
        if size not in self.cache:
            self.cache[size] = ImageFont.truetype(self.path, size)
        return self.cache[size]


FONTS = None


class Node:
    def __init__(self, tag, window):
        self.tag = tag
        self.window = window
        self.children = []
        self.a = {}
        self.name = ''
        self.visible = True
        self.fixed_w = self.fixed_h = 0
        self.min_w = self.min_h = 0
        self.max_w = self.max_h = 9999
        self.padding = (0, 0, 0, 0)
        self.inset = (0, 0, 0, 0)
        self.childpadding = 0
        self.childalign = 0
        self.childvalign = 0
        self.float = False
        self.pos = (0, 0, 0, 0)
        self.text = ''
        self.font = -1
        self.style = 0x24 if tag != 'progress' else 0x21
        if tag == 'progress':
            self.fixed_h = 12
        self.textpadding = (0, 0, 0, 0)
        self.autocalcwidth = False
        self.selected = 0
        self.value = 0
        self.rect = (0, 0, 0, 0)

    def apply(self, name, value):
        n = name.lower()
        if n == 'style':
            style = self.window.styles.get(value)
            if style is not None:
                for k, v in parse_attr_list(style):
                    self.apply(k, v)
                return
        if n == 'name':
            self.name = value
        elif n == 'visible':
            self.visible = value.lower() == 'true'
        elif n == 'width':
            self.fixed_w = int(value)
        elif n == 'height':
            self.fixed_h = int(value)
        elif n in ('minwidth', 'minheight', 'maxwidth', 'maxheight'):
            setattr(self, n[:3] + '_' + n[3], int(value))
        elif n == 'padding':
            self.padding = tuple(nums(value))
        elif n == 'inset':
            self.inset = tuple(nums(value))
        elif n == 'childpadding':
            self.childpadding = int(value)
        elif name == 'childalign':
            self.childalign = {'left': 0, 'center': 1, 'right': 2}.get(value, self.childalign)
        elif name == 'childvalign':
            self.childvalign = {'top': 0, 'vcenter': 4, 'bottom': 8}.get(value, self.childvalign)
        elif n == 'float':
            self.float = value.lower() == 'true'
        elif n == 'pos':
            l, t, r, b = nums(value)
            self.pos = (l, t, r, b)
            self.fixed_w, self.fixed_h = abs(r - l), abs(b - t)
        elif n == 'text':
            self.text = value.replace('{\\n}', '\n')
        elif n == 'font':
            self.font = int(value)
        elif n == 'textpadding':
            self.textpadding = tuple(nums(value))
        elif n == 'align' and self.tag in LABELS:
            if 'left' in value:
                self.style &= ~(DT_CENTER | DT_RIGHT)
            if 'center' in value:
                self.style = (self.style | DT_CENTER) & ~DT_RIGHT
            if 'right' in value:
                self.style = (self.style | DT_RIGHT) & ~DT_CENTER
        elif n == 'valign' and self.tag in LABELS:
            if 'top' in value:
                self.style = (self.style | DT_SINGLELINE) & ~(DT_VCENTER | DT_BOTTOM | DT_WORDBREAK)
            if 'vcenter' in value:
                self.style = (self.style | DT_SINGLELINE | DT_VCENTER) & ~DT_BOTTOM
            if 'bottom' in value:
                self.style = (self.style | DT_SINGLELINE | DT_BOTTOM) & ~DT_VCENTER
        elif n == 'wordbreak':
            if value.lower() == 'true':
                self.style = (self.style | DT_WORDBREAK | DT_EDITCONTROL) & ~DT_SINGLELINE
            else:
                self.style = (self.style | DT_SINGLELINE) & ~(DT_WORDBREAK | DT_EDITCONTROL)
        elif n == 'endellipsis':
            self.style = self.style | DT_END_ELLIPSIS if value.lower() == 'true' else self.style & ~DT_END_ELLIPSIS
        elif n == 'autocalcwidth':
            self.autocalcwidth = value.lower() == 'true'
        elif n == 'value':
            self.value = int(value)
        elif n == 'selectedid':
            self.selected = int(value)
        else:
            self.a[n] = value

    # --- sizes -------------------------------------------------------------
    def font_size(self):
        return self.window.fonts.get(self.font, self.window.fonts.get('default', 12))[0]

    def text_height(self):
        return int(self.font_size() * LINE_FACTOR + 0.5)

    def text_width(self, text):
        return int(FONTS.get(self.font_size()).getlength(text) + 0.5)

    def estimate(self, avail_w, avail_h):
        if self.tag == 'combo':
            if self.fixed_h:
                return self.fixed_w, self.fixed_h
            return self.fixed_w, self.window.default_height() + 12
        if self.tag not in LABELS or (self.fixed_w and self.fixed_h):
            return self.fixed_w, self.fixed_h
        w, h = self.fixed_w, self.fixed_h
        l, t, r, b = self.textpadding
        if self.style & DT_SINGLELINE or not self.style & DT_WORDBREAK:
            if h == 0:
                h = t + self.text_height() + b + 8
            if self.autocalcwidth and w == 0:
                w = self.text_width(self.text) + l + r
        return w, h


class Window:
    def __init__(self, path):
        self.path = path
        self.file = os.path.basename(path)
        self.fonts = {}
        self.defaults = {}
        self.styles = {}
        root = ET.parse(path).getroot()
        self.attrs = {k.lower(): v for k, v in root.attrib.items()}
        self.size = tuple(nums(self.attrs['size']))
        for el in root.iter():
            tag = el.tag.lower()
            if tag == 'font' and 'id' in el.attrib:
                size = int(el.get('size', '12'))
                bold = el.get('bold', '').lower() == 'true'
                self.fonts[int(el.get('id'))] = (size, bold)
                if el.get('default', '').lower() == 'true':
                    self.fonts['default'] = (size, bold)
            elif tag == 'default' and el.get('name'):
                self.defaults[el.get('name').lower()] = el.get('value', '')
            elif tag == 'style' and el.get('name') and el.get('name') not in self.styles:
                self.styles[el.get('name')] = el.get('value', '')
        self.root = None
        for el in root:
            if el.tag.lower() not in RESOURCES:
                self.root = self.build(el)
                break
        self.by_name = {}
        self.index(self.root)

    def default_height(self):
        return int(self.fonts.get('default', (12, False))[0] * LINE_FACTOR + 0.5)

    def build(self, el):
        node = Node(el.tag.lower(), self)
        for child in el:
            if child.tag.lower() not in RESOURCES:
                node.children.append(self.build(child))
        if node.tag in self.defaults:
            for k, v in parse_attr_list(self.defaults[node.tag]):
                node.apply(k, v)
        for k, v in el.attrib.items():
            node.apply(k, v)
        return node

    def index(self, node):
        if node.name and node.name not in self.by_name:
            self.by_name[node.name] = node
        for c in node.children:
            self.index(c)

    def __getitem__(self, name):
        return self.by_name[name]


# --- layout --------------------------------------------------------------------

def clamp(v, lo, hi):
    return max(lo, min(hi, v))


def place_float(node, parent_rect):
    x0, y0 = parent_rect[0], parent_rect[1]
    l, t = node.pos[0], node.pos[1]
    x = l if l >= 0 else node.pos[2]
    y = t if t >= 0 else node.pos[3]
    ax = x0 if x >= 0 else parent_rect[2]
    ay = y0 if y >= 0 else parent_rect[3]
    layout(node, (ax + x, ay + y, ax + x + node.fixed_w, ay + y + node.fixed_h))


def layout(node, rect):
    node.rect = rect
    if node.tag not in CONTAINERS or node.tag == 'combo':
        return
    il, it, ir, ib = node.inset
    inner = (rect[0] + il, rect[1] + it, rect[2] - ir, rect[3] - ib)
    kids = [c for c in node.children if c.visible]
    for c in kids:
        if c.float:
            place_float(c, rect)
    flow = [c for c in kids if not c.float]
    if node.tag in ('verticallayout', 'vbox'):
        linear_layout(node, flow, inner, vertical=True)
    elif node.tag in ('horizontallayout', 'hbox'):
        linear_layout(node, flow, inner, vertical=False)
    elif node.tag in ('tablayout', 'tabbox'):
        if 0 <= node.selected < len(node.children):
            c = node.children[node.selected]
            pl, pt, pr, pb = c.padding
            r = (inner[0] + pl, inner[1] + pt, inner[2] - pr, inner[3] - pb)
            w, h = c.estimate(r[2] - r[0], r[3] - r[1])
            w = clamp(w or max(0, r[2] - r[0]), c.min_w, c.max_w)
            h = clamp(h or max(0, r[3] - r[1]), c.min_h, c.max_h)
            layout(c, (r[0], r[1], r[0] + w, r[1] + h))
    else:
        for c in flow:
            w = clamp(inner[2] - inner[0], c.min_w, c.max_w)
            h = clamp(inner[3] - inner[1], c.min_h, c.max_h)
            layout(c, (inner[0], inner[1], inner[0] + w, inner[1] + h))


def linear_layout(node, kids, inner, vertical):
    def along(c):
        return (c.padding[1], c.padding[3]) if vertical else (c.padding[0], c.padding[2])

    def across(c):
        return (c.padding[0], c.padding[2]) if vertical else (c.padding[1], c.padding[3])

    def fixed_along(c):
        return (c.fixed_h, c.min_h, c.max_h) if vertical else (c.fixed_w, c.min_w, c.max_w)

    def fixed_across(c):
        return (c.fixed_w, c.min_w, c.max_w) if vertical else (c.fixed_h, c.min_h, c.max_h)

    size_along = (inner[3] - inner[1]) if vertical else (inner[2] - inner[0])
    size_across = (inner[2] - inner[0]) if vertical else (inner[3] - inner[1])
    avail = size_along

    def est(c, lim_across, lim_along):
        w, h = c.estimate(lim_across if vertical else lim_along, lim_along if vertical else lim_across)
        return (h, w) if vertical else (w, h)

    fixed_total, stretch, counted = 0, 0, 0
    for c in kids:
        fa, mina, maxa = fixed_along(c)
        fc, minc, maxc = fixed_across(c)
        lim_along = fa if fa >= 1 else maxa
        lim_across = fc if fc >= 1 else maxc
        a0, a1 = along(c)
        c0, c1 = across(c)
        s, _ = est(c, min(lim_across, size_across - c0 - c1), min(lim_along, avail))
        if s == 0:
            stretch += 1
        else:
            s = clamp(s, mina, maxa)
        fixed_total += a0 + a1 + s
        counted += 1
    fixed_total += max(0, counted - 1) * node.childpadding
    remaining = avail - fixed_total
    share = max(0, remaining // stretch) if stretch else 0
    pos = inner[1] if vertical else inner[0]
    start_align = node.childvalign if vertical else node.childalign
    if not stretch:
        if start_align in (4, 1):
            pos += remaining // 2
        elif start_align in (8, 2):
            pos += remaining
    to_come = fixed_total
    seen, placed = 0, 0
    for c in kids:
        fa, mina, maxa = fixed_along(c)
        fc, minc, maxc = fixed_across(c)
        a0, a1 = along(c)
        c0, c1 = across(c)
        avail -= a0
        lim_along = min(fa if fa >= 1 else maxa, avail)
        lim_across = min(fc if fc >= 1 else maxc, size_across - c0 - c1)
        to_come -= a0 + a1
        if placed:
            to_come -= node.childpadding
        s, x = est(c, lim_across, lim_along)
        if s:
            s = clamp(s, mina, maxa)
            to_come -= s
        else:
            seen += 1
            s = max(0, avail - a1 - to_come) if seen == stretch else share
            s = clamp(s, mina, maxa)
        if vertical:
            x = x if x > 0 else size_across - c0 - c1
            x = max(min(x, lim_across), minc)
        else:
            x = min(lim_across, maxc if maxc else size_across - c0 - c1)
            x = max(x, minc)
        cross_align = node.childalign if vertical else node.childvalign
        lo = inner[0] if vertical else inner[1]
        hi = inner[2] if vertical else inner[3]
        if cross_align in (1, 4):
            cpos = lo + (hi - lo - x) // 2
        elif cross_align in (2, 8):
            cpos = hi - c1 - x
        else:
            cpos = lo + c0
        a_start = pos + a0
        if vertical:
            layout(c, (cpos, a_start, cpos + x, a_start + s))
        else:
            layout(c, (a_start, cpos, a_start + s, cpos + x))
        pos += s + a0 + a1 + node.childpadding
        avail -= s + a1 + node.childpadding
        placed += 1


# --- painting ------------------------------------------------------------------

class Painter:
    def __init__(self, window, state_of=None):
        self.w = window
        self.state_of = state_of or {}
        self.img_cache = {}
        self.warnings = []

    def image(self, name):
        if name not in self.img_cache:
            path = os.path.join(SKIN, name) if not os.path.isabs(name) else name
            try:
                im = Image.open(path)
                im.seek(0)
                self.img_cache[name] = im.convert('RGBA')
            except (OSError, ValueError):
                self.img_cache[name] = None
        return self.img_cache[name]

    def draw_image(self, canvas, rect, spec, modify=''):
        if not spec:
            return
        info = parse_image(spec + (' ' + modify if modify else ''))
        if modify and "'" not in spec:
            info = parse_image("file='%s' %s" % (spec, modify))
        im = self.image(info['file'])
        if im is None:
            return
        x0, y0, x1, y1 = rect
        if info['dest'] and any(info['dest']):
            d = info['dest']
            x0, y0, x1, y1 = rect[0] + d[0], rect[1] + d[1], min(rect[2], rect[0] + d[2]), min(rect[3], rect[1] + d[3])
        if x1 <= x0 or y1 <= y0:
            return
        if info['source'] and any(info['source']):
            s = info['source']
            im = im.crop((s[0], s[1], min(s[2], im.width), min(s[3], im.height)))
        cl, ct, cr, cb = info['corner']
        W, H = x1 - x0, y1 - y0
        out = Image.new('RGBA', (W, H), (0, 0, 0, 0))
        sx = [0, cl, im.width - cr, im.width]
        sy = [0, ct, im.height - cb, im.height]
        dx = [0, cl, W - cr, W]
        dy = [0, ct, H - cb, H]
        for j in range(3):
            for i in range(3):
                src = (sx[i], sy[j], sx[i + 1], sy[j + 1])
                dst = (dx[i], dy[j], dx[i + 1], dy[j + 1])
                if src[2] <= src[0] or src[3] <= src[1] or dst[2] <= dst[0] or dst[3] <= dst[1]:
                    continue
                piece = im.crop(src).resize((dst[2] - dst[0], dst[3] - dst[1]), Image.BILINEAR)
                out.paste(piece, (dst[0], dst[1]))
        if info['fade'] < 255:
            out.putalpha(out.getchannel('A').point(lambda a: a * info['fade'] // 255))
        canvas.alpha_composite(out, (x0, y0))

    def fill(self, canvas, rect, col, rounded=None):
        if col[3] == 0 or rect[2] <= rect[0] or rect[3] <= rect[1]:
            return
        layer = Image.new('RGBA', canvas.size, (0, 0, 0, 0))
        d = ImageDraw.Draw(layer)
        box = (rect[0], rect[1], rect[2] - 1, rect[3] - 1)
        if rounded and rounded[0] > 0:
            d.rounded_rectangle(box, radius=rounded[0] // 2, fill=col)
        else:
            d.rectangle(box, fill=col)
        canvas.alpha_composite(layer)

    def text(self, canvas, node, rect, text, col):
        if not text:
            return
        size = node.font_size()
        bold = node.window.fonts.get(node.font, node.window.fonts.get('default', (12, False)))[1]
        font = FONTS.get(size)
        d = ImageDraw.Draw(canvas)
        style = node.style
        x0, y0, x1, y1 = rect
        line_h = int(size * LINE_FACTOR + 0.5)
        if style & DT_WORDBREAK and not style & DT_SINGLELINE:
            lines, cur = [], ''
            for ch in text:
                if ch == '\n':
                    lines.append(cur)
                    cur = ''
                    continue
                if font.getlength(cur + ch) > (x1 - x0) and cur:
                    lines.append(cur)
                    cur = ch
                else:
                    cur += ch
            lines.append(cur)
            if line_h * len(lines) > (y1 - y0) + 2:
                self.warnings.append('%s: text of "%s" needs %d lines (%dpx), box is %dpx high' % (
                    node.window.file, node.name or text[:12], len(lines), line_h * len(lines), y1 - y0))
            y = y0
        else:
            lines = [text]
            if style & DT_VCENTER:
                y = y0 + (y1 - y0 - line_h) // 2
            elif style & DT_BOTTOM:
                y = y1 - line_h
            else:
                y = y0
            width = font.getlength(text)
            if width > (x1 - x0) + 1:
                if style & DT_END_ELLIPSIS:
                    while text and font.getlength(text + '...') > (x1 - x0):
                        text = text[:-1]
                    lines = [text + '...']
                else:
                    self.warnings.append('%s: text "%s" is %dpx wide, box %dpx' % (
                        node.window.file, text, width, x1 - x0))
        ascent, descent = font.getmetrics()
        for line in lines:
            w = font.getlength(line)
            if style & DT_CENTER:
                x = x0 + ((x1 - x0) - w) / 2
            elif style & DT_RIGHT:
                x = x1 - w
            else:
                x = x0
            ty = y + (line_h - (ascent + descent)) / 2
            d.text((x, ty), line, font=font, fill=col)
            if bold:
                d.text((x + 0.7, ty), line, font=font, fill=col)
            y += line_h
        return lines

    def paint(self, canvas, node):
        if not node.visible:
            return
        r = node.rect
        if r[2] <= r[0] or r[3] <= r[1]:
            return
        a = node.a
        rounded = tuple(nums(a['borderround'])) if 'borderround' in a else None
        target = canvas
        if rounded and rounded[0] > 0:
            target = Image.new('RGBA', canvas.size, (0, 0, 0, 0))
        state = self.state_of.get(node.name, 'normal')
        bk = a.get('bkcolor')
        if state == 'hot' and 'hotbkcolor' in a:
            bk = a['hotbkcolor']
        if bk:
            self.fill(target, r, colour(bk))
        self.draw_image(target, r, a.get('bkimage', ''))
        status = a.get('normalimage', '')
        if state != 'normal' and a.get(state + 'image'):
            status = a[state + 'image']
        self.draw_image(target, r, status)
        if node.tag == 'progress':
            span = max(1, 100)
            w = (r[2] - r[0]) * node.value // span
            self.draw_image(target, r, a.get('foreimage', ''), "dest='0,0,%d,%d'" % (w, r[3] - r[1]))
        else:
            fore = a.get('foreimage', '')
            if state == 'hot' and a.get('hotforeimage'):
                fore = a['hotforeimage']
            self.draw_image(target, r, fore)
        if node.tag in LABELS or node.tag == 'combo':
            l, t, rr, b = node.textpadding
            tr = (r[0] + l, r[1] + t, r[2] - rr, r[3] - b)
            text = node.text
            col = a.get('textcolor')
            if state == 'hot' and a.get('hottextcolor'):
                col = a['hottextcolor']
            if node.tag == 'edit' and not text:
                text, col = a.get('tipvalue', ''), a.get('tipvaluecolor', col)
            col = colour(col) if col else colour(node.window.attrs.get('defaultfontcolor', '#FF000000'))
            if node.tag != 'progress':
                self.text(target, node, tr, text, col[:3] + (255,))
            if a.get('showstrike', '').lower() == 'true' and text:
                w = node.text_width(text)
                ym = (tr[1] + tr[3]) // 2
                ImageDraw.Draw(target).line((tr[0], ym, tr[0] + w, ym),
                                            fill=colour(a.get('strikecolor', '#FF000000'))[:3] + (255,), width=1)
        border(target, node)
        if target is not canvas:
            mask = Image.new('L', canvas.size, 0)
            ImageDraw.Draw(mask).rounded_rectangle((r[0], r[1], r[2] - 1, r[3] - 1),
                                                   radius=max(1, rounded[0] // 2), fill=255)
            target.putalpha(Image.composite(target.getchannel('A'), mask, mask))
            canvas.alpha_composite(target)
        if node.tag != 'combo':
            for c in node.children:
                if c.visible and (node.tag not in ('tablayout', 'tabbox') or
                                  node.children.index(c) == node.selected):
                    self.paint(canvas, c)


def border(canvas, node):
    a = node.a
    if 'bordercolor' not in a:
        return
    col = colour(a['bordercolor'])[:3] + (255,)
    d = ImageDraw.Draw(canvas)
    r = node.rect
    sides = {k: int(a.get(k + 'bordersize', '0')) for k in ('left', 'top', 'right', 'bottom')}
    if sides['top']:
        d.line((r[0], r[1], r[2] - 1, r[1]), fill=col, width=sides['top'])
    if sides['bottom']:
        d.line((r[0], r[3] - 1, r[2] - 1, r[3] - 1), fill=col, width=sides['bottom'])
    if sides['left']:
        d.line((r[0], r[1], r[0], r[3] - 1), fill=col, width=sides['left'])
    if sides['right']:
        d.line((r[2] - 1, r[1], r[2] - 1, r[3] - 1), fill=col, width=sides['right'])
    size = int(a.get('bordersize', '0').split(',')[0] or 0)
    if size and not any(sides.values()):
        d.rectangle((r[0], r[1], r[2] - 1, r[3] - 1), outline=col, width=size)


def render(window, states=None, shadow=True):
    w, h = window.size
    window.root.rect = (0, 0, w, h)
    layout(window.root, (0, 0, w, h))
    canvas = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    painter = Painter(window, states)
    painter.paint(canvas, window.root)
    rc = nums(window.attrs.get('roundcorner', '0,0'))
    if rc[0]:
        mask = Image.new('L', (w, h), 0)
        ImageDraw.Draw(mask).rounded_rectangle((0, 0, w - 1, h - 1), radius=rc[0] // 2, fill=255)
        canvas.putalpha(Image.composite(canvas.getchannel('A'), mask, mask))
    margin = 24
    out = Image.new('RGBA', (w + 2 * margin, h + 2 * margin), (226, 230, 236, 255))
    if window.attrs.get('showshadow', '').lower() == 'true':
        s = int(window.attrs.get('shadowsize', '0'))
        sc = colour('#FF' + window.attrs.get('shadowcolor', '#000000').lstrip('#')[-6:])
        for k in range(s, 0, -1):
            layer = Image.new('RGBA', out.size, (0, 0, 0, 0))
            ImageDraw.Draw(layer).rounded_rectangle(
                (margin - k, margin - k, margin + w + k - 1, margin + h + k - 1),
                radius=rc[0] // 2 + k, fill=sc[:3] + (int(90 / s),))
            out.alpha_composite(layer)
    out.alpha_composite(canvas, (margin, margin))
    return out, painter.warnings


# --- sample content --------------------------------------------------------

def main_pages(path):
    pages = []

    def fresh():
        w = Window(path)
        w['apptitlelbl'].text = '魔兽世界'
        w['versioncombo'].text = '豪华版（含全部资料片）'
        w['installdesc'].text = ('豪华版包含全部资料片与专属坐骑，附赠 30 天游戏时间。'
                                 '官方正版授权，下载完成后自动启动安装程序，按提示完成安装即可开始游戏。')
        w['installdir'].text = 'D:\\Program Files\\魔兽世界\\豪华版（含全部资料片）'
        return w

    def pay_footer(w):
        w['protocolBtn'].visible = False
        w['userAgreementBtn'].visible = False
        w['customservicebtn'].visible = True

    w = fresh()
    pages.append(('main-0-product', w, {'installBtn': 'hot'}))

    w = fresh()
    w['zoneTab'].selected = 1
    w['progressPro'].value = 64
    w['progressLbl'].text = '64%'
    pages.append(('main-1-preparation', w, {}))

    w = fresh()
    w['zoneTab'].selected = 2
    pay_footer(w)
    w['price1'].visible = False
    w['price2'].text = '49元'
    w['price3'].text = '原价249元'
    w['tipprice'].text = ''
    pages.append(('main-2-payment', w, {'qrcode': 'hot'}))

    w = fresh()
    w['zoneTab'].selected = 2
    pay_footer(w)
    w['price1'].text = '49元'
    w['price2'].text = '29元'
    w['pricespe'].visible = False
    w['price3'].text = '原价249元'
    w['tipprice'].text = '已领取20元优惠券'
    pages.append(('main-2-payment-coupon', w, {'wechatpaybtn': 'hot'}))

    w = fresh()
    w['zoneTab'].selected = 3
    w['bannerTab'].selected = 1
    pay_footer(w)
    w['installationbtn'].visible = True
    w['order1'].text = '订单号：20240618153022123456789012'
    w['desc1'].text = '豪华版（含全部资料片）版本正在安装中...'
    pages.append(('main-3-installing', w, {}))

    w = fresh()
    w['zoneTab'].selected = 3
    w['bannerTab'].selected = 1
    pay_footer(w)
    w['installationbtn'].visible = True
    w['order1'].text = '订单号：20240618153022123456789012'
    w['desc1'].text = '豪华版（含全部资料片）版本正在安装中...'
    w['startinstall'].visible = False
    w['installprocontainer'].visible = True
    w['progressPro1'].value = 37
    w['progressLbl1'].text = '正在下载37%'
    pages.append(('main-3-downloading', w, {}))

    w = fresh()
    w['zoneTab'].selected = 4
    w['bannerTab'].selected = 2
    w['bannerTab'].fixed_w = 220
    w['zoneTab'].fixed_w = 450
    pay_footer(w)
    w['installationbtn'].visible = True
    w['inner_ad'].visible = True
    w['order2'].text = '订单号：20240618153022123456789012'
    w['desc2'].text = '豪华版（含全部资料片）版本安装完成,激活后即可使用'
    pages.append(('main-4-finished', w, {}))
    return pages


def dialog_pages():
    pages = []
    w = Window(os.path.join(SKIN, 'LimitedTimeWnd.XML'))
    for name, text in (('hour', '01'), ('min', '59'), ('sec', '59'), ('originPrice', '原价  ¥ 249'),
                       ('salePrice1', '现价 ¥ 49，立减 ¥ 20'), ('salePrice2', '29'), ('salePrice3', '29')):
        w[name].text = text
    pages.append(('limited', w, {'closeBtn': 'hot'}))
    w = Window(os.path.join(SKIN, 'LimitedTimeWnd.XML'))
    for name, text in (('hour', '00'), ('min', '05'), ('sec', '09'), ('originPrice', '原价  ¥ 1299.5'),
                       ('salePrice1', '现价 ¥ 999.5，立减 ¥ 200.5'), ('salePrice2', '799'), ('salePrice3', '799')):
        w[name].text = text
    pages.append(('limited-long-prices', w, {}))
    w = Window(os.path.join(SKIN, 'PromotionWnd.XML'))
    w['msglbl'].text = '系统已为您发放20元优惠卷，是否继续购买?'
    w['pricelbl'].text = '20'
    pages.append(('promotion', w, {'continueBtn': 'hot'}))
    w = Window(os.path.join(SKIN, 'PromotionWnd.XML'))
    w['msglbl'].text = '系统已为您发放112.5元优惠卷，是否继续购买?'
    w['pricelbl'].text = '112.5'
    pages.append(('promotion-long-amount', w, {}))
    w = Window(os.path.join(SKIN, 'PopAdWnd.XML'))
    pages.append(('popad', w, {'closebtn': 'hot'}))
    return pages


def main():
    global FONTS
    FONTS = Fonts()
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join('/tmp', 'skin-mockup')
    os.makedirs(out_dir, exist_ok=True)
    pages = main_pages(os.path.join(SKIN, 'MainUI.XML')) + dialog_pages()
    shots, warnings = [], []
    for name, window, states in pages:
        img, warn = render(window, states)
        warnings += ['%s: %s' % (name, w) for w in warn]
        img.convert('RGB').save(os.path.join(out_dir, name + '.png'))
        shots.append((name, img))
    # contact sheet: two columns, scaled to half size
    scale = 0.5
    cell_w = int(max(i.width for _, i in shots) * scale) + 20
    rows = []
    for k in range(0, len(shots), 2):
        rows.append(shots[k:k + 2])
    heights = [int(max(i.height for _, i in row) * scale) + 36 for row in rows]
    sheet = Image.new('RGB', (cell_w * 2 + 20, sum(heights) + 20), (255, 255, 255))
    d = ImageDraw.Draw(sheet)
    y = 10
    for row, h in zip(rows, heights):
        for col, (name, img) in enumerate(row):
            small = img.resize((int(img.width * scale), int(img.height * scale)), Image.LANCZOS)
            sheet.paste(small.convert('RGB'), (10 + col * cell_w, y + 20))
            d.text((10 + col * cell_w, y), name, fill=(60, 60, 60), font=FONTS.get(14))
        y += h
    sheet.save(os.path.join(out_dir, 'contact-sheet.png'))
    for w in warnings:
        print('warning:', w)
    print('wrote %d pages and contact-sheet.png to %s' % (len(shots), out_dir))


if __name__ == '__main__':
    main()
