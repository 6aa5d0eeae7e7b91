#!/usr/bin/env python3
"""Draws Tonvale's toolbar, tab, menu and dialog pictures plus the program icon.

Standard library only.  Every picture is built from simple vector shapes
(polygons, rounded rectangles, ellipses, thick lines and arcs) rasterised at
8x8 supersampling into bit masks, then box-filtered down to get anti-aliased
edges in the alpha channel.

Usage:
    python3 draw_pictures.py               writes *.bmp, tonvale.ico, preview.png
    python3 draw_pictures.py --no-preview  the same without preview.png

Outputs (next to this script):
    *.bmp        32x32, 32 bpp BI_RGB, bottom-up, straight alpha in byte 4
    *_2x.bmp     the same drawn at 64x64, for displays scaled to 150 % and more
    tonvale.ico  16x16, 32x32 and 48x48 32-bit entries with AND masks
    preview.png  contact sheet at 4x over light grey and white
"""
import functools
import math
import operator
import os
import struct
import sys
import zlib

SS = 8  # supersampling factor per output pixel
HERE = os.path.dirname(os.path.abspath(__file__))


# ----------------------------------------------------------------- colours --
def hexc(s):
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16), 255)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3)) + (a[3],)


def light(c, t=0.35):
    return mix(c, (255, 255, 255, 255), t)


def dark(c, t=0.5):
    return mix(c, (0, 0, 0, 255), t)


WHITE = hexc('ffffff')
INK = hexc('2b3440')                      # generic dark outline
BLUE = hexc('2f7fd8')
GREEN = hexc('3aa655')
RED = hexc('d9463b')
ORANGE = hexc('f08a24')
GOLD = hexc('f2b632')
PURPLE = hexc('7c56d6')
STEEL = hexc('7d8a99')
BODY = hexc('3f4b5c')                     # phone body
SCREEN = hexc('8fcdf0')


# --------------------------------------------------------- geometry (units) --
# All drawing is done in a 32x32 unit space, y pointing down; angles are in
# degrees, counter-clockwise on screen (90 = up).
def pol(cx, cy, r, a):
    a = math.radians(a)
    return (cx + r * math.cos(a), cy - r * math.sin(a))


def arcpts(cx, cy, r, a0, a1, n=None):
    n = n or max(4, int(abs(a1 - a0) / 4))
    return [pol(cx, cy, r, a0 + (a1 - a0) * i / n) for i in range(n + 1)]


def ellipse(cx, cy, rx, ry=None, rot=0, n=96):
    ry = rx if ry is None else ry
    pts = [(rx * math.cos(2 * math.pi * i / n), ry * math.sin(2 * math.pi * i / n)) for i in range(n)]
    return rotate(pts, rot, 0, 0, cx, cy)


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def rrect(x0, y0, x1, y1, r):
    if r <= 0:
        return rect(x0, y0, x1, y1)
    return (arcpts(x1 - r, y0 + r, r, 90, 0, 8) + arcpts(x1 - r, y1 - r, r, 0, -90, 8) +
            arcpts(x0 + r, y1 - r, r, 270, 180, 8) + arcpts(x0 + r, y0 + r, r, 180, 90, 8))


def rotate(pts, ang, cx, cy, dx=None, dy=None):
    """Rotate points counter-clockwise (on screen) about (cx, cy), then move
    the centre to (dx, dy) if given."""
    a = math.radians(ang)
    ca, sa = math.cos(a), math.sin(a)
    dx = cx if dx is None else dx
    dy = cy if dy is None else dy
    return [(dx + (x - cx) * ca + (y - cy) * sa, dy - (x - cx) * sa + (y - cy) * ca) for x, y in pts]


def seg(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    ln = math.hypot(dx, dy) or 1
    nx, ny = -dy / ln * w / 2, dx / ln * w / 2
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def arrow(x0, y0, x1, y1, sw, hw, hl):
    """Straight arrow from (x0,y0) to the tip (x1,y1): shaft width sw,
    head width hw, head length hl."""
    dx, dy = x1 - x0, y1 - y0
    ln = math.hypot(dx, dy)
    ux, uy = dx / ln, dy / ln
    nx, ny = -uy, ux
    bx, by = x1 - ux * hl, y1 - uy * hl
    return [(x0 + nx * sw / 2, y0 + ny * sw / 2), (bx + nx * sw / 2, by + ny * sw / 2),
            (bx + nx * hw / 2, by + ny * hw / 2), (x1, y1),
            (bx - nx * hw / 2, by - ny * hw / 2), (bx - nx * sw / 2, by - ny * sw / 2),
            (x0 - nx * sw / 2, y0 - ny * sw / 2)]


def arc_band(cx, cy, r, w, a0, a1):
    return arcpts(cx, cy, r + w / 2, a0, a1) + arcpts(cx, cy, r - w / 2, a1, a0)


def arc_head(cx, cy, r, w, a, direction, hw, hl):
    """Arrow head sitting on the end of an arc at angle a, pointing along the
    arc (direction +1 = counter-clockwise, -1 = clockwise)."""
    px, py = pol(cx, cy, r, a)
    rad = math.radians(a)
    tx, ty = -math.sin(rad) * direction, -math.cos(rad) * direction
    ox, oy = math.cos(rad), -math.sin(rad)
    back = 0.4  # overlap the band a little so the join is solid
    bx, by = px - tx * back, py - ty * back
    return [(bx + ox * hw / 2, by + oy * hw / 2), (px + tx * hl, py + ty * hl),
            (bx - ox * hw / 2, by - oy * hw / 2)]


# ------------------------------------------------------------------ canvas --
def runs(bits):
    while bits:
        x0 = (bits & -bits).bit_length() - 1
        t = bits >> x0
        n = ((t + 1) & ~t).bit_length() - 1
        yield x0, x0 + n
        bits &= ~(((1 << n) - 1) << x0)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.n = size * SS
        self.k = self.n / 32.0          # subpixels per unit
        self.full = (1 << self.n) - 1
        self.px = [[None] * self.n for _ in range(self.n)]

    # --- masks: one Python int per subpixel row ---
    def M(self, *contours):
        """Even-odd fill of one or more contours."""
        k, n = self.k, self.n
        edges = []
        for c in contours:
            for i in range(len(c)):
                (x0, y0), (x1, y1) = c[i], c[(i + 1) % len(c)]
                if y0 != y1:
                    edges.append((x0 * k, y0 * k, x1 * k, y1 * k))
        m = [0] * n
        if not edges:
            return m
        ylo = max(0, int(min(min(e[1], e[3]) for e in edges)) - 1)
        yhi = min(n, int(max(max(e[1], e[3]) for e in edges)) + 2)
        for j in range(ylo, yhi):
            yc = j + 0.5
            xs = sorted(x0 + (yc - y0) * (x1 - x0) / (y1 - y0)
                        for x0, y0, x1, y1 in edges if (y0 <= yc < y1) or (y1 <= yc < y0))
            row = 0
            for i in range(0, len(xs) - 1, 2):
                a = max(0, math.ceil(xs[i] - 0.5))
                b = min(n, math.ceil(xs[i + 1] - 0.5))
                if b > a:
                    row |= ((1 << (b - a)) - 1) << a
            m[j] = row
        return m

    def L(self, pts, w, caps=True):
        """Thick polyline with round joins (and round caps unless caps=False)."""
        m = [0] * self.n
        for i in range(len(pts) - 1):
            m = OR(m, self.M(seg(*pts[i], *pts[i + 1], w)))
        inner = pts if caps else pts[1:-1]
        for p in inner:
            m = OR(m, self.M(ellipse(p[0], p[1], w / 2, n=48)))
        return m

    def erode(self, m, px):
        return self._morph(m, int(round(px * SS)), True)

    def dilate(self, m, px):
        return self._morph(m, int(round(px * SS)), False)

    def _morph(self, m, r, ero):
        n, full = self.n, self.full
        h = [list(m)]
        for w in range(1, r + 1):
            prev = h[-1]
            if ero:
                h.append([p & ((b << w) & full) & (b >> w) for p, b in zip(prev, m)])
            else:
                h.append([p | ((b << w) & full) | (b >> w) for p, b in zip(prev, m)])
        out = []
        for y in range(n):
            acc = full if ero else 0
            for dy in range(-r, r + 1):
                w = int(math.sqrt(max(0, (r + 0.5) ** 2 - dy * dy)))
                w = min(w, r)
                yy = y + dy
                v = h[w][yy] if 0 <= yy < n else 0
                acc = (acc & v) if ero else (acc | v)
            out.append(acc)
        return out

    # --- painting ---
    def fill(self, m, col):
        """col: opaque RGBA tuple, or ('v', top, bottom) for a vertical
        gradient over the mask's own extent."""
        rows = [j for j, b in enumerate(m) if b]
        for j in rows:
            c = col
            if col[0] == 'v':
                c = mix(col[1], col[2], (j - rows[0]) / max(1, rows[-1] - rows[0]))
            row = self.px[j]
            for a, b in runs(m[j]):
                row[a:b] = [c] * (b - a)

    def clear(self, m):
        for j, b in enumerate(m):
            if b:
                row = self.px[j]
                for a, e in runs(b):
                    row[a:e] = [None] * (e - a)

    def shape(self, m, base, line=None, w=1.0, grad=0.38):
        """Standard look: 1-px darker outline, gentle top-lit gradient fill."""
        line = line or dark(base, 0.5)
        self.fill(m, line)
        body = ("v", light(base, grad), base)
        self.fill(self.erode(m, w), body)

    def knock(self, m, gap=1.0):
        """Cut a transparent gap around a foreground shape before drawing it."""
        self.clear(self.dilate(m, gap))

    def pixels(self):
        """Box-filter down to size x size straight-alpha RGBA rows."""
        out = []
        area = SS * SS
        for Y in range(self.size):
            line = []
            for X in range(self.size):
                r = g = b = a = 0
                for j in range(Y * SS, Y * SS + SS):
                    row = self.px[j]
                    for i in range(X * SS, X * SS + SS):
                        p = row[i]
                        if p is not None:
                            pa = p[3]
                            r += p[0] * pa
                            g += p[1] * pa
                            b += p[2] * pa
                            a += pa
                if a == 0:
                    line.append((0, 0, 0, 0))
                else:
                    line.append((r // a, g // a, b // a, (a + area // 2) // area))
            out.append(line)
        return out


def OR(*ms):
    return [functools.reduce(operator.or_, v) for v in zip(*ms)]


def AND(a, b):
    return [x & y for x, y in zip(a, b)]


def SUB(a, b):
    return [x & ~y for x, y in zip(a, b)]


# ---------------------------------------------------------------- drawings --
def d_phone(c, x0, y0, x1, y1, keys=True, screen_h=None, antenna=True):
    """Candy-bar phone body; returns the inner screen box."""
    w = x1 - x0
    if antenna:
        c.shape(c.M(rrect(x1 - w * 0.32, y0 - 3, x1 - w * 0.12, y0 + 2, 1)), BODY)
    c.shape(c.M(rrect(x0, y0, x1, y1, 2.5)), BODY, grad=0.25)
    sh = screen_h or (y1 - y0) * 0.45
    scr = (x0 + 2, y0 + 3, x1 - 2, y0 + 3 + sh)
    c.shape(c.M(rect(*scr)), SCREEN, line=dark(BODY, 0.35), grad=0.45)
    if keys:
        ky = scr[3] + 2
        kw = (x1 - x0 - 5) / 3
        rows = int((y1 - 2 - ky) // 2.6)
        for r in range(rows):
            for i in range(3):
                kx = x0 + 2.5 + i * kw
                c.fill(c.M(rect(kx, ky + r * 2.6, kx + kw - 1, ky + r * 2.6 + 1.4)), light(BODY, 0.45))
    return scr


def tab_picture(c):
    c.shape(c.M(rrect(2, 5, 30, 27, 1.5)), hexc('c9ced6'), line=hexc('59626e'), grad=0.7)
    photo = rect(5, 8, 27, 24)
    inner = c.erode(c.M(photo), 1)
    c.fill(c.M(photo), hexc('7b8796'))
    c.fill(inner, ('v', hexc('6fbcf2'), hexc('d4eefc')))
    c.fill(AND(c.M(ellipse(21, 12.5, 2.6)), inner), hexc('ffce3a'))
    back = c.M([(4, 24), (4, 20), (10, 15), (15, 19), (19, 16), (28, 22), (28, 24)])
    c.fill(AND(c.dilate(back, 1), inner), hexc('2f7a3a'))
    c.fill(AND(back, inner), ('v', hexc('8bd66f'), hexc('3c9a47')))


def tab_music(c):
    m = OR(c.M(ellipse(9.5, 24.5, 4.1, 3.0, 22)), c.M(ellipse(22.5, 21.5, 4.1, 3.0, 22)),
           c.M(rect(11.6, 8, 13.8, 24)), c.M(rect(24.6, 5, 26.8, 21)),
           c.M([(11.6, 6.5), (26.8, 3), (26.8, 8), (11.6, 11.5)]))
    c.shape(m, PURPLE)


def tab_video(c):
    slate, stripe_dark = hexc('3d4756'), hexc('2a313b')
    board = c.M(rrect(3, 13, 29, 29, 2))
    c.shape(board, slate, grad=0.3)
    band = rect(4, 14, 28, 17.5)
    stripes = OR(*[c.M([(x, 14), (x + 3, 14), (x + 1, 17.5), (x - 2, 17.5)]) for x in range(5, 30, 6)])
    c.fill(c.M(band), stripe_dark)
    c.fill(AND(stripes, c.M(band)), hexc('f1f3f6'))
    stick = rotate(rect(3, 7, 29, 11.5), 14, 3, 11.5)
    sm = c.M(stick)
    c.fill(sm, dark(slate, 0.5))
    inner = c.erode(sm, 1)
    c.fill(inner, stripe_dark)
    st = OR(*[c.M(rotate([(x, 7), (x + 3, 7), (x + 1, 11.5), (x - 2, 11.5)], 14, 3, 11.5))
              for x in range(5, 30, 6)])
    c.fill(AND(st, inner), hexc('f1f3f6'))
    c.fill(c.M(ellipse(4.8, 11.8, 1.3)), hexc('aeb6c1'))
    c.shape(c.M([(13, 19.5), (13, 27), (20, 23.25)]), ORANGE, grad=0.3)


def tab_palette(c):
    wood = hexc('e8c187')
    body = SUB(c.M(ellipse(16, 16.5, 14.2, 12.2, 12)), c.M(ellipse(27.5, 23, 4.2, 3.6)))
    body = SUB(body, c.M(ellipse(20.5, 23, 2.6, 2.2)))
    c.shape(body, wood, line=hexc('8a5a2b'), grad=0.45)
    for (x, y), col in zip([(8.5, 17), (9.5, 10.5), (15.5, 7.5), (22, 8.5), (25.5, 14)],
                           ['2f7fd8', '3aa655', 'f2c230', 'f08a24', 'd9463b']):
        c.shape(c.M(ellipse(x, y, 2.7)), hexc(col), grad=0.45)


def tab_menu(c):
    c.shape(c.M(rrect(5, 1, 27, 31, 3)), BODY, grad=0.25)
    scr = rect(7, 3.5, 25, 21.5)
    c.fill(c.M(scr), dark(BODY, 0.35))
    c.fill(c.erode(c.M(scr), 1), hexc('e9f2fa'))
    cols = [BLUE, BLUE, BLUE, BLUE, ORANGE, BLUE, BLUE, BLUE, BLUE]
    for i in range(9):
        x, y = 8.5 + (i % 3) * 5.5, 5 + (i // 3) * 5.5
        c.shape(c.M(rrect(x, y, x + 4.5, y + 4.5, 0.8)), cols[i], grad=0.45)
    c.shape(c.M(ellipse(16, 26.2, 2.8)), STEEL, grad=0.5)
    for x in (7.5, 20.5):
        c.fill(c.M(rrect(x, 24.5, x + 4, 26.5, 0.8)), light(BODY, 0.45))


def btn_open(c):
    edge = hexc('8a5a12')
    c.shape(c.M([(2, 6), (11, 6), (13.5, 9), (27, 9), (27, 27), (2, 27)]), hexc('dca035'), line=edge)
    c.shape(c.M(rect(5, 11, 24, 24)), WHITE, line=hexc("8d96a3"))
    for y in (14, 17, 20):
        c.fill(c.M(rect(8, y, 21, y + 1)), hexc('b9c3cf'))
    c.shape(c.M([(7, 15), (31, 15), (27, 27), (2, 27)]), hexc('f6c44f'), line=edge, grad=0.45)


def btn_upload(c):
    d_phone(c, 14, 5, 29, 31, screen_h=10)
    ar = c.M(arrow(1.5, 13, 21, 13, 5, 12, 7))
    c.knock(ar, 1.2)
    c.shape(ar, GREEN)


def btn_connect(c):
    rot = lambda pts: rotate(pts, 45, 16, 16)
    plug, socket = hexc('c7cdd5'), BLUE
    c.shape(c.L(rot([(-2, 16), (6, 16)]), 3.6), STEEL, line=INK)
    c.shape(c.L(rot([(26, 16), (34, 16)]), 3.6), STEEL, line=INK)
    for y in (12, 17.5):
        c.shape(c.M(rot(rect(13.5, y, 18.5, y + 2.5))), GOLD, line=hexc('8a6412'))
    c.shape(c.M(rot(rrect(5, 9.5, 14.5, 22.5, 2))), plug, line=hexc('5b6573'), grad=0.5)
    c.shape(c.M(rot(rrect(19.5, 9.5, 28, 22.5, 2))), socket)


def refresh_badge(c, cx, cy, r, col=GREEN):
    disc = c.M(ellipse(cx, cy, r))
    c.knock(disc, 1)
    c.shape(disc, col)
    rr, w = r * 0.52, r * 0.26
    hw, hl = w * 2.4, w * 1.6
    for a0 in (200, 20):
        m = OR(c.M(arc_band(cx, cy, rr, w, a0, a0 - 120)),
               c.M(arc_head(cx, cy, rr, w, a0 - 120, -1, hw, hl)))
        c.fill(m, WHITE)


def bell(c, ox, oy):
    P = lambda pts: [(ox + x, oy + y) for x, y in pts]
    gold, edge = GOLD, hexc('8a5a0a')
    c.shape(c.M(P(ellipse(14, 25.5, 3.2))), gold, line=edge)
    c.shape(c.M(P(ellipse(14, 3.6, 2.2))), gold, line=edge)
    left = [(4, 23), (6, 20.5), (6.6, 17)] + arcpts(14, 12.5, 7.4, 180, 0) + [(21.4, 17), (22, 20.5), (24, 23)]
    body = left + [(26, 24.6), (26, 25.5), (2, 25.5), (2, 24.6)]
    c.shape(c.M(P(body)), gold, line=edge, grad=0.45)


def btn_update(c):
    bell(c, 1, 1)
    refresh_badge(c, 23.5, 23.5, 7.5)


def btn_restart(c):
    col = RED
    cx, cy, r, w = 16, 17, 10.5, 4.2
    ring = OR(c.M(arc_band(cx, cy, r, w, 122, 398)), c.M(arc_head(cx, cy, r, w, 398, 1, 10.5, 6)))
    bar = c.L([(16, 4), (16, 15)], 4.2)
    c.shape(ring, col)
    c.knock(bar, 1.2)
    c.shape(bar, col)


def btn_retry(c):
    cx, cy, r, w = 16, 16, 10.5, 4.2
    m = OR(c.M(arc_band(cx, cy, r, w, 80, -190)), c.M(arc_head(cx, cy, r, w, -190, -1, 11, 6.5)))
    c.shape(m, BLUE)


def btn_ok(c):
    c.shape(c.L([(5, 16.5), (12.5, 24), (27, 8.5)], 5.6), GREEN)


def btn_no(c):
    c.shape(OR(c.L([(7, 7), (25, 25)], 5.6), c.L([(25, 7), (7, 25)], 5.6)), RED)


def mnu_exit(c):
    c.shape(c.M(rect(4, 3, 20, 29)), hexc('8b6a4a'), line=hexc('4a3420'))
    c.fill(c.M(rect(6, 5, 18, 29)), hexc('3a3024'))
    c.shape(c.M([(6, 5), (14, 7.5), (14, 31), (6, 29)]), hexc('c98a4b'), line=hexc('5a3a1c'), grad=0.3)
    c.fill(c.M(ellipse(12, 18.5, 1.1)), hexc('f2d38a'))
    ar = c.M(arrow(14, 16, 30.5, 16, 5, 12, 7))
    c.knock(ar, 1.2)
    c.shape(ar, GREEN)


def window(c, x0, y0, x1, y1):
    m = c.M(rect(x0, y0, x1, y1))
    c.knock(m, 1)
    c.fill(m, hexc('2d5c8f'))
    c.fill(c.erode(m, 1), hexc('f7f9fc'))
    c.fill(c.M(rect(x0 + 1, y0 + 1, x1 - 1, y0 + 5)), ('v', hexc('6fb0ee'), BLUE))


def mnu_show(c):
    window(c, 10, 3, 30, 19)
    window(c, 2, 12, 22, 29)


def mnu_options(c):
    teeth, ro, ri = 8, 14.5, 11
    pts = []
    for i in range(teeth):
        a = i * 360 / teeth
        pts += [pol(16, 16, ri, a - 15), pol(16, 16, ro, a - 9), pol(16, 16, ro, a + 9), pol(16, 16, ri, a + 15)]
        pts += arcpts(16, 16, ri, a + 15, a + 30, 3)[1:-1]
    m = c.M(pts, ellipse(16, 16, 4.5))
    c.shape(m, hexc('8896a8'), line=hexc('3c4756'), grad=0.55)


def info_disc(c):
    c.shape(c.M(ellipse(16, 16, 14.5)), BLUE, grad=0.45)


def mnu_help(c):
    info_disc(c)
    q = [pol(16, 12.5, 4.6, a) for a in range(165, -46, -15)]
    q += [(16.2, 18.2), (16.2, 19.5)]
    c.fill(c.L(q, 3.6), WHITE)
    c.fill(c.M(ellipse(16.2, 24.2, 2.2)), WHITE)


def mnu_about(c):
    info_disc(c)
    c.fill(c.M(ellipse(16, 8.8, 2.4)), WHITE)
    c.fill(c.M(rrect(14, 13, 18, 24.5, 0.6)), WHITE)
    c.fill(c.M(rrect(12.2, 13, 18, 15.4, 0.6)), WHITE)
    c.fill(c.M(rrect(12.2, 22.5, 19.8, 24.8, 0.6)), WHITE)


def app_icon(c):
    if c.size >= 32:
        d_phone(c, 6, 5, 23, 31, screen_h=11)
        note = OR(c.M(ellipse(21.5, 25.5, 4.0, 3.1, 22)), c.M(rect(23.4, 9, 25.8, 25)),
                  c.M([(23.4, 8), (25.8, 8), (30.8, 12.5), (30.8, 17.5), (25.8, 13)]))
    else:   # 16x16: snapped to the 2-unit pixel grid, fewer details
        c.shape(c.M(rrect(14, 0, 18, 6, 1.5)), BODY)
        c.shape(c.M(rrect(4, 4, 20, 32, 3)), BODY, grad=0.25)
        c.fill(c.M(rect(6, 8, 18, 18)), SCREEN)
        for y in (22, 26):
            c.fill(c.M(rect(6, y, 18, y + 2)), light(BODY, 0.45))
        note = OR(c.M(ellipse(22, 26.4, 5.2, 4.0, 22)), c.M(rect(24.6, 6, 27.6, 26)),
                  c.M([(24.6, 4), (27.6, 4), (32, 9), (32, 16), (27.6, 11)]))
        c.knock(note, 1)
        c.fill(note, ('v', ORANGE, dark(ORANGE, 0.22)))
        return
    c.knock(note, 1 if c.size < 48 else 1.5)
    c.shape(note, ORANGE)


PICTURES = [
    ('tab_picture', tab_picture), ('tab_music', tab_music), ('tab_video', tab_video),
    ('tab_palette', tab_palette), ('tab_menu', tab_menu),
    ('btn_open', btn_open), ('btn_upload', btn_upload), ('btn_connect', btn_connect),
    ('btn_update', btn_update), ('btn_restart', btn_restart),
    ('mnu_open', btn_open), ('mnu_upload', btn_upload), ('mnu_exit', mnu_exit),
    ('mnu_restart', btn_restart), ('mnu_update', btn_update), ('mnu_connect', btn_connect),
    ('mnu_options', mnu_options), ('mnu_help', mnu_help), ('mnu_about', mnu_about),
    ('mnu_show', mnu_show),
    ('btn_ok', btn_ok), ('btn_no', btn_no), ('btn_retry', btn_retry),
]


def render(fn, size=32):
    c = Canvas(size)
    fn(c)
    return c.pixels()


# ----------------------------------------------------------------- writers --
def bgra_bottom_up(px):
    return b''.join(bytes((p[2], p[1], p[0], p[3]) if p[3] else (0, 0, 0, 0)) for row in reversed(px) for p in row)


def write_bmp(path, px):
    h, w = len(px), len(px[0])
    data = bgra_bottom_up(px)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(path, 'wb') as f:
        f.write(head + info + data)


def write_ico(path, images):
    blobs = []
    for px in images:
        s = len(px)
        xor = bgra_bottom_up(px)
        stride = ((s + 31) // 32) * 4
        mask = b''
        for row in reversed(px):
            bits = 0
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits |= 1 << (stride * 8 - 1 - x)
            mask += bits.to_bytes(stride, 'big')
        info = struct.pack('<IiiHHIIiiII', 40, s, s * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((s, info + xor + mask))
    out = struct.pack('<HHH', 0, 1, len(blobs))
    off = 6 + 16 * len(blobs)
    for s, b in blobs:
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(b), off)
        off += len(b)
    with open(path, 'wb') as f:
        f.write(out + b''.join(b for _, b in blobs))


def write_png(path, rows):
    h, w = len(rows), len(rows[0]) // 3
    raw = b''.join(b'\0' + bytes(r) for r in rows)

    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)) +
           chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)


def contact_sheet(pics, icons, scale=4, cols=8, pad=12):
    cell = 32 * scale + pad
    grid_rows = (len(pics) + cols - 1) // cols
    ic_w = sum(s * scale + pad for s in (16, 32, 48))
    panel_w = pad + max(cols * cell, ic_w + pad + cols * (32 + 8))
    panel_h = pad + grid_rows * cell + 48 * scale + pad * 2
    W, H = panel_w * 2, panel_h
    img = [bytearray(W * 3) for _ in range(H)]

    def blit(px, ox, oy, sc, bg):
        for y, row in enumerate(px):
            for x, p in enumerate(row):
                a = p[3] / 255.0
                c = bytes(int(round(p[i] * a + bg[i] * (1 - a))) for i in range(3))
                for yy in range(oy + y * sc, oy + y * sc + sc):
                    img[yy][(ox + x * sc) * 3:(ox + x * sc + sc) * 3] = c * sc

    for pi, bg in enumerate(((212, 208, 200), (255, 255, 255))):
        x0 = pi * panel_w
        for y in range(H):
            img[y][x0 * 3:(x0 + panel_w) * 3] = bytes(bg) * panel_w
        for i, px in enumerate(pics):
            blit(px, x0 + pad + (i % cols) * cell, pad + (i // cols) * cell, scale, bg)
        oy = pad + grid_rows * cell
        ox = x0 + pad
        for px in icons:
            blit(px, ox, oy + (48 - len(px)) * scale, scale, bg)
            ox += len(px) * scale + pad
        for i, px in enumerate(pics):   # actual size strip
            blit(px, ox + (i % cols) * 40, oy + (i // cols) * 40, 1, bg)
    write_png(os.path.join(HERE, 'preview.png'), img)


def main():
    cache = {}
    pics = []
    for name, fn in PICTURES:
        if fn not in cache:
            cache[fn] = render(fn)
        pics.append(cache[fn])
        write_bmp(os.path.join(HERE, name + '.bmp'), cache[fn])
        write_bmp(os.path.join(HERE, name + '_2x.bmp'), render(fn, 64))
    icons = [render(app_icon, s) for s in (16, 32, 48)]
    write_ico(os.path.join(HERE, 'tonvale.ico'), icons)
    if '--no-preview' not in sys.argv:
        contact_sheet(pics, icons)


if __name__ == '__main__':
    main()
