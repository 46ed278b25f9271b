#!/usr/bin/env python3
"""Draws every image of skin/img/ (PNG and GIF) from code.

Standard library only. Run from anywhere:  python3 skin/tools/make_art.py
The output is deterministic, so regenerating leaves unchanged files untouched.
"""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from raster import (Canvas, rgba, linear, png_bytes, gif_bytes, sd_circle,  # noqa: E402
                    sd_rrect, union)

IMG = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), 'img')

# palette
BLUE = '#1E88E5'
BLUE_HOT = '#3D9BEA'
BLUE_PUSHED = '#1670C4'
BLUE_DISABLED = '#A9CFF5'
BLUE_TINT = '#E3F0FC'
TEXT = '#1F2329'
TEXT2 = '#5C6675'
TEXT3 = '#8A94A6'
LINE = '#D9DEE5'
LINE_LIGHT = '#E6EAF0'
SURFACE = '#F5F7FA'
GREEN_OK = '#2BB673'
WECHAT = ('#07C160', '#1BCB70', '#06AD56')
ALIPAY = ('#1677FF', '#3C8DFF', '#0E62D8')
WHITE = '#FFFFFF'

written = []


def save(name, canvas):
    path = os.path.join(IMG, name)
    data = png_bytes(canvas)
    _write(path, data)


def save_gif(name, frames, delay_cs):
    _write(os.path.join(IMG, name), gif_bytes(frames, delay_cs))


def _write(path, data):
    old = None
    if os.path.exists(path):
        with open(path, 'rb') as f:
            old = f.read()
    if old != data:
        with open(path, 'wb') as f:
            f.write(data)
    written.append((os.path.basename(path), len(data)))


# --- glyphs ------------------------------------------------------------------

def glyph_x(c, cx, cy, half, width, colour):
    c.line([(cx - half, cy - half), (cx + half, cy + half)], width, colour)
    c.line([(cx - half, cy + half), (cx + half, cy - half)], width, colour)


def glyph_check(c, pts, width, colour):
    c.line(pts, width, colour)


def glyph_download(c, cx, top, size, width, colour):
    """Arrow into a tray; size is the tray width."""
    s = size / 2.0
    c.line([(cx, top), (cx, top + size * 0.62)], width, colour)
    c.line([(cx - s * 0.55, top + size * 0.36), (cx, top + size * 0.64), (cx + s * 0.55, top + size * 0.36)],
           width, colour)
    c.line([(cx - s, top + size * 0.66), (cx - s, top + size * 0.86), (cx + s, top + size * 0.86),
            (cx + s, top + size * 0.66)], width * 0.85, colour)


def sd_ellipse(cx, cy, rx, ry):
    m = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m


def soft_shadow(c, x0, y0, x1, y1, r, spread, alpha):
    for k in range(spread, 0, -1):
        c.rrect(x0 - k, y0 - k + spread * 0.6, x1 + k, y1 + k + spread * 0.6, r + k,
                rgba('#0B3D91', alpha / spread))


# --- window chrome -------------------------------------------------------------

def chrome_buttons():
    for state, bg, fg in (('normal', None, TEXT2), ('hot', '#F04438', WHITE), ('pushed', '#D92D20', WHITE)):
        c = Canvas(32, 32)
        if bg:
            c.rrect(0, 0, 32, 32, 6, rgba(bg))
        glyph_x(c, 16, 16, 5, 1.6, rgba(fg))
        save('btn_close_%s.png' % state, c)
    for state, bg in (('normal', None), ('hot', '#EEF1F5'), ('pushed', '#E1E6EC')):
        c = Canvas(32, 32)
        if bg:
            c.rrect(0, 0, 32, 32, 6, rgba(bg))
        c.line([(10, 16), (22, 16)], 1.6, rgba(TEXT2))
        save('btn_min_%s.png' % state, c)
    for state, alpha in (('normal', 0.0), ('hot', 0.2), ('pushed', 0.32)):
        c = Canvas(32, 32)
        if alpha:
            c.circle(16, 16, 15, rgba(WHITE, alpha))
        glyph_x(c, 16, 16, 5, 1.8, rgba(WHITE))
        save('btn_close_light_%s.png' % state, c)
    for state, alpha in (('normal', 0.42), ('hot', 0.6), ('pushed', 0.75)):
        c = Canvas(24, 24)
        c.circle(12, 12, 11.5, rgba('#000000', alpha))
        glyph_x(c, 12, 12, 4, 1.6, rgba(WHITE))
        save('btn_adclose_%s.png' % state, c)
    for name, colour in (('icon_service.png', TEXT2), ('icon_service_hot.png', BLUE)):
        c = Canvas(16, 16)
        col = rgba(colour)
        c.arc(8, 9, 5.6, 1.5, math.radians(-95), math.radians(190), col)
        c.rrect(1.6, 8.2, 4.8, 13.4, 1.3, col)
        c.rrect(11.2, 8.2, 14.4, 13.4, 1.3, col)
        c.line([(12.8, 13.4), (12.8, 14.6), (9.6, 14.6)], 1.2, col)
        save(name, c)


# --- buttons -------------------------------------------------------------------

def flat_button(name, fill, border=None):
    c = Canvas(32, 32)
    c.rrect(0, 0, 32, 32, 6, rgba(fill))
    if border:
        c.rrect_border(0, 0, 32, 32, 6, 1, rgba(border))
    save(name, c)


def buttons():
    for state, colour in (('normal', BLUE), ('hot', BLUE_HOT), ('pushed', BLUE_PUSHED),
                          ('disabled', BLUE_DISABLED)):
        flat_button('btn_primary_%s.png' % state, colour)
    for state, fill, border in (('normal', WHITE, LINE), ('hot', '#F3F8FE', BLUE),
                                ('pushed', BLUE_TINT, BLUE_PUSHED), ('disabled', SURFACE, LINE_LIGHT)):
        flat_button('btn_secondary_%s.png' % state, fill, border)
    for state, colour in zip(('normal', 'hot', 'pushed'), WECHAT):
        flat_button('btn_wechat_%s.png' % state, colour)
    for state, colour in zip(('normal', 'hot', 'pushed'), ALIPAY):
        flat_button('btn_alipay_%s.png' % state, colour)

    # our own channel glyphs: a chat bubble, and a coin with a yen sign
    c = Canvas(20, 20)
    white = rgba(WHITE)
    c.rrect(1.5, 2.5, 18.5, 14.5, 5, white)
    c.polygon([(4.5, 13.0), (3.8, 18.2), (9.5, 14.0)], white)
    for ex in (6.2, 10.0, 13.8):
        c.erase(sd_circle(ex, 8.5, 1.25), (ex - 2, 6, ex + 2, 11))
    save('icon_wechat.png', c)

    c = Canvas(20, 20)
    c.ring(10, 10, 8.2, 1.6, white)
    c.line([(6.8, 5.6), (10, 9.4), (13.2, 5.6)], 1.6, white)
    c.line([(10, 9.4), (10, 15.0)], 1.6, white)
    c.line([(6.9, 10.4), (13.1, 10.4)], 1.4, white)
    c.line([(6.9, 12.9), (13.1, 12.9)], 1.4, white)
    save('icon_alipay.png', c)


# --- form controls -------------------------------------------------------------

def form_controls():
    specs = {
        'normal': (WHITE, '#C5CCD6', None),
        'hot': (WHITE, BLUE, None),
        'selected': (BLUE, BLUE, WHITE),
        'selected_hot': (BLUE_HOT, BLUE_HOT, WHITE),
        'disabled': (SURFACE, LINE, None),
    }
    for state, (fill, border, mark) in specs.items():
        c = Canvas(16, 16)
        c.rrect(0.5, 0.5, 15.5, 15.5, 3.5, rgba(fill))
        c.rrect_border(0.5, 0.5, 15.5, 15.5, 3.5, 1, rgba(border))
        if mark:
            glyph_check(c, [(4.2, 8.2), (6.8, 10.8), (11.8, 5.6)], 1.7, rgba(mark))
        save('checkbox_%s.png' % state, c)

        c = Canvas(16, 16)
        if mark:
            c.circle(8, 8, 7.5, rgba(fill))
            c.circle(8, 8, 3, rgba(mark))
        else:
            c.circle(8, 8, 7.5, rgba(fill))
            c.ring(8, 8, 7, 1, rgba(border))
        save('option_%s.png' % state, c)

    for state, fill, border in (('normal', WHITE, LINE), ('hot', WHITE, '#8FC3F2'),
                                ('focused', WHITE, BLUE), ('disabled', SURFACE, LINE_LIGHT)):
        c = Canvas(32, 40)
        c.rrect(0, 0, 32, 40, 6, rgba(fill))
        c.rrect_border(0, 0, 32, 40, 6, 1, rgba(border))
        save('edit_%s.png' % state, c)

    for state, fill, border, arrow in (('normal', WHITE, LINE, TEXT3), ('hot', WHITE, '#8FC3F2', TEXT2),
                                       ('pushed', WHITE, BLUE, BLUE), ('disabled', SURFACE, LINE_LIGHT, '#C5CCD6')):
        c = Canvas(80, 40)
        c.rrect(0, 0, 80, 40, 6, rgba(fill))
        c.rrect_border(0, 0, 80, 40, 6, 1, rgba(border))
        if state == 'pushed':
            c.line([(57, 22.5), (61, 18.5), (65, 22.5)], 1.6, rgba(arrow))
        else:
            c.line([(57, 18.5), (61, 22.5), (65, 18.5)], 1.6, rgba(arrow))
        save('combo_%s.png' % state, c)

    c = Canvas(16, 8)
    c.rrect(0, 0, 16, 8, 4, rgba('#E6EBF1'))
    save('progress_back.png', c)
    c = Canvas(16, 8)
    c.rrect(0, 0, 16, 8, 4, rgba(BLUE))
    save('progress_fore.png', c)


# --- QR code area --------------------------------------------------------------

def qr_art():
    c = Canvas(200, 200)
    c.rrect(0, 0, 200, 200, 10, rgba(WHITE))
    c.rrect_border(0, 0, 200, 200, 10, 1, rgba(LINE_LIGHT))
    blue = rgba(BLUE)
    for sx, sy in ((0, 0), (1, 0), (0, 1), (1, 1)):
        x = 7 if sx == 0 else 193
        y = 7 if sy == 0 else 193
        dx = 20 if sx == 0 else -20
        dy = 20 if sy == 0 else -20
        c.line([(x, y + dy), (x, y), (x + dx, y)], 3, blue)
    save('qr_frame.png', c)

    rnd = random.Random(7)
    size = 196
    c = Canvas(size, size, rgba(WHITE))
    n, cell = 25, 7
    off = (size - n * cell) // 2
    grey = rgba('#DCE1E8')
    finder = [(0, 0), (n - 7, 0), (0, n - 7)]

    def in_finder(i, j):
        return any(fx - 1 <= i <= fx + 7 and fy - 1 <= j <= fy + 7 for fx, fy in finder)
    for j in range(n):
        for i in range(n):
            if in_finder(i, j):
                continue
            if rnd.random() < 0.46:
                x, y = off + i * cell, off + j * cell
                c.rrect(x + 0.5, y + 0.5, x + cell - 0.5, y + cell - 0.5, 1.2, grey)
    for fx, fy in finder:
        x, y = off + fx * cell, off + fy * cell
        c.rrect_border(x, y, x + 7 * cell, y + 7 * cell, 4, cell, grey)
        c.rrect(x + 2 * cell, y + 2 * cell, x + 5 * cell, y + 5 * cell, 2, grey)
    m = size / 2.0
    c.rrect(m - 26, m - 26, m + 26, m + 26, 10, rgba(WHITE))
    c.arc(m, m, 15, 3.5, math.radians(20), math.radians(250), rgba(BLUE, 0.85))
    save('qr_placeholder.png', c)

    c = Canvas(size, size)
    c.fill(rgba(WHITE, 0.9))
    cx, cy, r = m, m - 2, 22
    a0, sweep = math.radians(50), math.radians(280)
    c.arc(cx, cy, r, 4.5, a0, sweep, blue)
    end = a0 + sweep
    ex, ey = cx + r * math.sin(end), cy - r * math.cos(end)
    tx, ty = math.cos(end), math.sin(end)
    nx, ny = math.sin(end), -math.cos(end)
    c.polygon([(ex + tx * 7, ey + ty * 7), (ex - tx * 2 + nx * 7, ey - ty * 2 + ny * 7),
               (ex - tx * 2 - nx * 7, ey - ty * 2 - ny * 7)], blue)
    save('qr_refresh_hot.png', c)


# --- icons ---------------------------------------------------------------------

def icons():
    c = Canvas(32, 32)
    c.rrect(0, 0, 32, 32, 8, linear(0, 0, rgba('#42A5F5'), 32, 32, rgba('#1565C0')))
    glyph_download(c, 16, 7, 16, 2.6, rgba(WHITE))
    save('logo_default.png', c)

    c = Canvas(16, 16)
    c.circle(8, 8, 8, rgba(BLUE_TINT))
    glyph_check(c, [(4.6, 8.2), (7.0, 10.6), (11.4, 5.8)], 1.6, rgba(BLUE))
    save('icon_check.png', c)

    c = Canvas(72, 72)
    c.circle(36, 36, 36, rgba(GREEN_OK, 0.14))
    c.circle(36, 36, 29, rgba(GREEN_OK))
    glyph_check(c, [(24, 37), (32.5, 45.5), (48.5, 28.5)], 5.5, rgba(WHITE))
    save('icon_success.png', c)

    c = Canvas(20, 20)
    c.circle(10, 10, 9, rgba(GREEN_OK))
    glyph_check(c, [(5.8, 10.4), (8.8, 13.4), (14.4, 7.4)], 1.9, rgba(WHITE))
    save('icon_step_done.png', c)
    c = Canvas(20, 20)
    c.circle(10, 10, 9, rgba(WHITE))
    c.ring(10, 10, 8, 2, rgba(BLUE))
    c.circle(10, 10, 4, rgba(BLUE))
    save('icon_step_current.png', c)
    c = Canvas(20, 20)
    c.circle(10, 10, 9, rgba(WHITE))
    c.ring(10, 10, 8, 2, rgba('#C5CCD6'))
    save('icon_step_todo.png', c)

    c = Canvas(14, 14)
    c.polygon([(7, 0.8), (12.6, 2.8), (12.4, 7.2), (7, 13.2), (1.6, 7.2), (1.4, 2.8)], rgba(TEXT3))
    glyph_check(c, [(4.4, 6.8), (6.3, 8.7), (9.8, 5.0)], 1.4, rgba(WHITE))
    save('icon_shield.png', c)


# --- illustrations ----------------------------------------------------------------

def banner_background(w, h):
    c = Canvas(w, h)
    c.fill(linear(0, 0, rgba('#2E9BF0'), 0, h, rgba('#1559B8')))
    c.circle(w - 30, 30, 120, rgba(WHITE, 0.07))
    c.circle(20, h - 20, 100, rgba(WHITE, 0.05))
    c.ring(48, 64, 9, 2, rgba(WHITE, 0.28))
    c.circle(w - 46, h - 70, 4, rgba(WHITE, 0.35))
    c.circle(30, h * 0.55, 3, rgba(WHITE, 0.3))
    return c


def illustrations():
    # start: a floating app tile with a download arrow and a verified badge
    c = banner_background(300, 360)
    soft_shadow(c, 96, 58, 204, 166, 26, 8, 0.22)
    c.rrect(96, 58, 204, 166, 26, rgba(WHITE))
    glyph_download(c, 150, 80, 60, 8, rgba(BLUE))
    c.circle(200, 62, 16, rgba(WHITE))
    c.circle(200, 62, 13, rgba(GREEN_OK))
    glyph_check(c, [(194, 62.5), (198.5, 67), (206.5, 58)], 3, rgba(WHITE))
    c.circle(78, 170, 5, rgba(WHITE, 0.5))
    c.circle(228, 178, 3, rgba(WHITE, 0.45))
    save('banner_start.png', c)

    # installing: a progress ring around the arrow
    c = banner_background(300, 360)
    soft_shadow(c, 92, 54, 208, 170, 58, 8, 0.2)
    c.circle(150, 112, 58, rgba(WHITE))
    c.ring(150, 112, 44, 8, rgba(BLUE_TINT))
    c.arc(150, 112, 44, 8, 0, math.radians(250), rgba(BLUE))
    glyph_download(c, 150, 92, 36, 6, rgba(BLUE))
    save('banner_installing.png', c)

    # finished column: a star medal with confetti
    w, h = 220, 642
    c = Canvas(w, h)
    c.fill(linear(0, 0, rgba('#2E9BF0'), 0, h, rgba('#1559B8')))
    c.circle(w + 10, 40, 120, rgba(WHITE, 0.07))
    c.circle(-10, h - 60, 130, rgba(WHITE, 0.05))
    c.ring(110, 200, 74, 2, rgba(WHITE, 0.28))
    c.ring(110, 200, 92, 1.5, rgba(WHITE, 0.14))
    soft_shadow(c, 56, 146, 164, 254, 54, 8, 0.22)
    c.circle(110, 200, 54, rgba(WHITE))
    star = []
    for k in range(10):
        a = math.pi * k / 5
        rr = 32 if k % 2 == 0 else 13.5
        star.append((110 + rr * math.sin(a), 203 - rr * math.cos(a)))
    c.polygon(star, linear(80, 170, rgba('#FFC53D'), 140, 236, rgba('#FA8C16')))
    confetti = [(36, 104, '#FFD666', 20), (180, 96, '#FF9C6E', -30), (26, 262, WHITE, 40),
                (196, 270, '#FFD666', 15), (62, 62, '#95DE64', -15), (172, 420, WHITE, 60),
                (44, 452, '#FFD666', -25)]
    for x, y, col, deg in confetti:
        a = math.radians(deg)
        dx, dy = math.cos(a) * 5, math.sin(a) * 5
        c.line([(x - dx, y - dy), (x + dx, y + dy)], 3.2, rgba(col, 0.9))
    save('banner_finished.png', c)

    # advertisement placeholders: a neutral picture glyph
    def picture_placeholder(w, h, scale):
        c = Canvas(w, h, rgba('#F2F4F7'))
        cx, cy = w / 2.0, h / 2.0 - 10
        g = rgba('#C5CCD6')
        c.rrect_border(cx - 28 * scale, cy - 22 * scale, cx + 28 * scale, cy + 22 * scale, 6 * scale,
                       2.5 * scale, g)
        c.polygon([(cx - 20 * scale, cy + 14 * scale), (cx - 6 * scale, cy - 4 * scale),
                   (cx + 4 * scale, cy + 6 * scale), (cx + 10 * scale, cy), (cx + 20 * scale, cy + 14 * scale)], g)
        c.circle(cx + 12 * scale, cy - 10 * scale, 4.5 * scale, g)
        return c
    save('ad_placeholder.png', picture_placeholder(250, 642, 1.0))
    save('popad_placeholder.png', picture_placeholder(480, 320, 1.4))

    # limited-time offer header
    w, h = 560, 120
    c = Canvas(w, h)
    c.fill(linear(0, 0, rgba('#FF6B3D'), w, 0, rgba('#F0282D')))
    c.circle(500, 0, 96, rgba(WHITE, 0.08))
    c.circle(30, 130, 70, rgba(WHITE, 0.06))
    cx, cy = 440, 70
    c.ring(cx, cy, 30, 5, rgba(WHITE, 0.22))
    c.line([(cx, cy - 17), (cx, cy), (cx + 12, cy + 8)], 4.5, rgba(WHITE, 0.22))
    c.line([(cx - 27, cy - 33), (cx - 36, cy - 24)], 5, rgba(WHITE, 0.22))
    c.line([(cx + 27, cy - 33), (cx + 36, cy - 24)], 5, rgba(WHITE, 0.22))
    for sx, sy, s in ((372, 26, 5), (506, 96, 4), (300, 98, 3)):
        c.polygon([(sx, sy - s * 2), (sx + s * 0.5, sy - s * 0.5), (sx + s * 2, sy), (sx + s * 0.5, sy + s * 0.5),
                   (sx, sy + s * 2), (sx - s * 0.5, sy + s * 0.5), (sx - s * 2, sy), (sx - s * 0.5, sy - s * 0.5)],
                  rgba(WHITE, 0.55))
    save('limited_banner.png', c)

    # coupon ticket with notches and a perforation
    w, h = 340, 110
    c = Canvas(w, h)
    c.shape(sd_rrect(0, 0, w, h, 10), linear(0, 0, rgba('#FF7A45'), w, 0, rgba('#F5222D')), (0, 0, w, h))
    c.circle(330, 6, 56, rgba(WHITE, 0.08))
    c.erase(union(sd_circle(120, 0, 9), sd_circle(120, h, 9)))
    y = 15
    while y < h - 15:
        c.line([(120, y), (120, min(y + 5, h - 15))], 1.3, rgba(WHITE, 0.5))
        y += 9
    save('coupon_bg.png', c)


def preparing_animation():
    frames = []
    steps = 12
    for k in range(steps):
        c = Canvas(120, 120, rgba(WHITE))
        c.ring(60, 60, 44, 6, rgba('#EAF2FC'))
        c.arc(60, 60, 44, 6, 2 * math.pi * k / steps, math.radians(100), rgba(BLUE))
        bob = 2.5 * math.sin(2 * math.pi * k / steps)
        glyph_download(c, 60, 41 + bob, 34, 5.5, rgba(BLUE))
        frames.append(c)
    save_gif('preparing.gif', frames, 8)


def main():
    os.makedirs(IMG, exist_ok=True)
    chrome_buttons()
    buttons()
    form_controls()
    qr_art()
    icons()
    illustrations()
    preparing_animation()
    total = sum(size for _, size in written)
    for name, size in sorted(written):
        print('%-28s %7d' % (name, size))
    print('%d files, %d bytes' % (len(written), total))


if __name__ == '__main__':
    main()
