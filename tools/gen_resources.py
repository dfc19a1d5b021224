#!/usr/bin/env python3
"""Draws the program's binary resources and writes them into resources/.

    python3 tools/gen_resources.py

writes
    resources/animora.ico   the application icon (16, 24, 32, 48 and 64 px)
    resources/toolbar.bmp   the toolbar pictures, 15 of 16 x 16 in one strip
    resources/toolbar20.bmp the same pictures at 20, 24 and 32 pixels, for
    resources/toolbar24.bmp   125 %, 150 % and 200 % scaling: drawn again from
    resources/toolbar32.bmp   the same shapes, not enlarged from the 16-pixel set
    resources/sample.gif    the animation played when no file is given

Everything is drawn from code with the standard library only, and the output
is byte-for-byte the same on every run, so the generated files can be kept
under version control and a diff shows when a picture really changed.
"""

import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RESOURCES = os.path.join(ROOT, "resources")


# ---------------------------------------------------------------------------
# A small coverage rasteriser.
#
# Shapes are predicates over continuous coordinates in drawing units; a unit is
# `unit` output pixels (1 unless a picture is drawn larger than designed). Every
# pixel is sampled on an SS x SS grid; each shape is composited over the
# samples and the samples are averaged in premultiplied form at the end, which
# gives smooth edges without a colour fringe towards the transparent ground.
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, ss=4, unit=1):
        self.w = width
        self.h = height
        self.ss = ss
        self.unit = unit
        n = width * height * ss * ss
        # Straight (not premultiplied) RGBA per sample, 0..255 floats.
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.a = [0.0] * n
        # Horizontal span that fills may touch, in drawing units; the toolbar
        # sets it to one picture's cell so that no stroke reaches into its
        # neighbour.
        self.clip_x = (0, width / unit)

    def fill(self, inside, colour, bbox=None, alpha=255):
        """Paints colour where inside(x, y) holds. colour is an (r, g, b)
        tuple or a function of (x, y) returning one. Coordinates and bbox
        are in drawing units."""
        ss = self.ss
        sw = self.w * ss
        u = self.unit
        step = ss * u  # samples per drawing unit
        if bbox is None:
            bbox = (0, 0, self.w / u, self.h / u)
        x0 = max(int(math.floor(self.clip_x[0] * u)), int(math.floor(bbox[0] * u)))
        y0 = max(0, int(math.floor(bbox[1] * u)))
        x1 = min(int(math.ceil(self.clip_x[1] * u)), int(math.ceil(bbox[2] * u)))
        y1 = min(self.h, int(math.ceil(bbox[3] * u)))
        fa = alpha / 255.0
        for sy in range(y0 * ss, y1 * ss):
            y = (sy + 0.5) / step
            row = sy * sw
            for sx in range(x0 * ss, x1 * ss):
                x = (sx + 0.5) / step
                if not inside(x, y):
                    continue
                c = colour(x, y) if callable(colour) else colour
                i = row + sx
                da = self.a[i] / 255.0
                oa = fa + da * (1.0 - fa)
                if oa <= 0.0:
                    continue
                k = da * (1.0 - fa)
                self.r[i] = (c[0] * fa + self.r[i] * k) / oa
                self.g[i] = (c[1] * fa + self.g[i] * k) / oa
                self.b[i] = (c[2] * fa + self.b[i] * k) / oa
                self.a[i] = oa * 255.0

    def pixels(self):
        """Resolves the samples into rows of (r, g, b, a) byte tuples, top row
        first. Fully transparent pixels come out as (0, 0, 0, 0)."""
        ss = self.ss
        sw = self.w * ss
        n = ss * ss
        rows = []
        for py in range(self.h):
            row = []
            for px in range(self.w):
                pr = pg = pb = pa = 0.0
                for sy in range(py * ss, py * ss + ss):
                    base = sy * sw + px * ss
                    for i in range(base, base + ss):
                        a = self.a[i]
                        pa += a
                        pr += self.r[i] * a
                        pg += self.g[i] * a
                        pb += self.b[i] * a
                alpha = int(round(pa / n))
                if alpha == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((int(round(pr / pa)), int(round(pg / pa)),
                                int(round(pb / pa)), alpha))
            rows.append(row)
        return rows


def circle(cx, cy, r):
    r2 = r * r
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2


def ring(cx, cy, r_out, r_in):
    o2, i2 = r_out * r_out, r_in * r_in
    return lambda x, y: i2 < (x - cx) ** 2 + (y - cy) ** 2 <= o2


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, rad):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + rad), x1 - rad)
        cy = min(max(y, y0 + rad), y1 - rad)
        return (x - cx) ** 2 + (y - cy) ** 2 <= rad * rad
    return inside


def _seg_dist2(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
    ex, ey = ax + t * dx - x, ay + t * dy - y
    return ex * ex + ey * ey


def line(ax, ay, bx, by, width):
    """A stroke with round caps."""
    h2 = (width / 2.0) ** 2
    return lambda x, y: _seg_dist2(x, y, ax, ay, bx, by) <= h2


def polygon(pts):
    """Even-odd fill of a closed polygon."""
    n = len(pts)

    def inside(x, y):
        c = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
            j = i
        return c
    return inside


def polygon_inset(pts, d):
    """The part of a polygon farther than d from its outline; drawing the
    polygon in an outline colour and this on top in the fill colour gives a
    shape with an inner border of width d."""
    inside = polygon(pts)
    edges = [(pts[i - 1], pts[i]) for i in range(len(pts))]
    d2 = d * d

    def deep(x, y):
        if not inside(x, y):
            return False
        for (ax, ay), (bx, by) in edges:
            if _seg_dist2(x, y, ax, ay, bx, by) < d2:
                return False
        return True
    return deep


def bbox_of(pts, pad=1.0):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


def lerp3(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def vgradient(top, bottom, y0, y1):
    def colour(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
    return colour


def radial(inner, outer, cx, cy, r):
    def colour(x, y):
        t = min(1.0, math.hypot(x - cx, y - cy) / r)
        return tuple(inner[i] + (outer[i] - inner[i]) * t for i in range(3))
    return colour


# ---------------------------------------------------------------------------
# Toolbar pictures
#
# The image lists use pure black as their transparent colour, and the disabled
# copy is a grey made by (30 R + 59 G + 11 B) / 100; so no painted pixel may be
# black or so dark that its grey rounds down to black. OUTLINE is the darkest
# colour used.
# ---------------------------------------------------------------------------

OUTLINE = (16, 16, 16)
WHITE = (255, 255, 255)

GREEN = (46, 170, 52)
GREEN_LIGHT = (120, 222, 110)
GREEN_DARK = (20, 96, 28)
BLUE = (40, 110, 215)
BLUE_LIGHT = (110, 170, 245)
BLUE_DARK = (18, 52, 128)
RED = (220, 40, 36)
RED_LIGHT = (255, 120, 100)
RED_DARK = (130, 18, 18)
YELLOW = (250, 206, 70)
YELLOW_LIGHT = (255, 234, 140)
YELLOW_DARK = (176, 124, 20)
PAPER = (252, 252, 248)
PAPER_EDGE = (120, 126, 138)
GREY = (150, 156, 166)
RING_FACE = (244, 247, 250)


def ring_badge(c, ox, ring_colour, ring_dark):
    """The round frame shared by play, stop and info: a light face with a
    coloured ring and a thin darker rim."""
    cx, cy = ox + 8.0, 8.0
    bb = (ox, 0, ox + 16, 16)
    c.fill(circle(cx, cy, 7.7), ring_dark, bb)
    c.fill(circle(cx, cy, 7.0), ring_colour, bb)
    c.fill(circle(cx, cy, 5.9), ring_dark, bb)
    c.fill(circle(cx, cy, 5.3), radial(WHITE, RING_FACE, cx - 1.5, cy - 1.5, 6), bb)


def pic_power(c, ox):
    cx, cy = ox + 8.0, 8.0
    bb = (ox, 0, ox + 16, 16)
    c.fill(circle(cx, cy, 7.6), RED_DARK, bb)
    c.fill(circle(cx, cy, 6.8), radial(RED_LIGHT, RED, cx - 2, cy - 2.5, 8), bb)
    # The power symbol: an arc open at the top with a bar through the gap.
    def arc(x, y):
        d2 = (x - cx) ** 2 + (y - cy - 0.4) ** 2
        if not (2.6 ** 2 < d2 <= 4.1 ** 2):
            return False
        ang = math.degrees(math.atan2(x - cx, -(y - cy - 0.4)))
        return abs(ang) > 38
    c.fill(arc, WHITE, bb)
    c.fill(line(cx, 3.2, cx, 7.6, 1.6), WHITE, bb)


def pic_play(c, ox):
    ring_badge(c, ox, GREEN, GREEN_DARK)
    tri = [(ox + 6.0, 4.3), (ox + 12.0, 8.0), (ox + 6.0, 11.7)]
    c.fill(polygon(tri), GREEN_DARK, bbox_of(tri))
    c.fill(polygon_inset(tri, 0.8), GREEN, bbox_of(tri))


def pic_stop(c, ox):
    ring_badge(c, ox, BLUE, BLUE_DARK)
    c.fill(rect(ox + 5.0, 5.0, ox + 11.0, 11.0), BLUE_DARK)
    c.fill(rect(ox + 6.0, 6.0, ox + 10.0, 10.0), vgradient(BLUE_LIGHT, BLUE, 6, 10))


def arrow_points(direction):
    """A block arrow pointing right in a 16 x 16 cell, turned to direction
    (0 right, 1 down, 2 left, 3 up)."""
    pts = [(1.0, 5.0), (8.0, 5.0), (8.0, 1.0), (15.0, 8.0),
           (8.0, 15.0), (8.0, 11.0), (1.0, 11.0)]
    out = []
    for x, y in pts:
        dx, dy = x - 8.0, y - 8.0
        for _ in range(direction):
            dx, dy = -dy, dx
        out.append((8.0 + dx, 8.0 + dy))
    return out


def pic_arrow(c, ox, direction):
    pts = [(x + ox, y) for x, y in arrow_points(direction)]
    bb = bbox_of(pts)
    c.fill(polygon(pts), GREEN_DARK, bb)
    # Lit from the upper left, as the other pictures.
    def lit(x, y):
        t = min(1.0, max(0.0, ((x - ox) + y - 8.0) / 16.0))
        return tuple(GREEN_LIGHT[i] + (GREEN[i] - GREEN_LIGHT[i]) * t for i in range(3))
    c.fill(polygon_inset(pts, 1.0), lit, bb)


def pic_pause(c, ox):
    for x0 in (3.0, 9.0):
        c.fill(round_rect(ox + x0, 2.0, ox + x0 + 4.0, 14.0, 0.8), BLUE_DARK)
        c.fill(rect(ox + x0 + 0.8, 2.8, ox + x0 + 3.2, 13.2),
               lambda x, y, l=ox + x0: BLUE_LIGHT if x < l + 1.8 else BLUE)


def folder_back(c, ox):
    back = [(ox + 1.0, 2.0), (ox + 6.0, 2.0), (ox + 8.0, 4.0), (ox + 15.0, 4.0),
            (ox + 15.0, 14.0), (ox + 1.0, 14.0)]
    c.fill(polygon(back), YELLOW_DARK, bbox_of(back))
    c.fill(polygon_inset(back, 1.0), vgradient(YELLOW, (236, 176, 40), 3, 14),
           bbox_of(back))


def pic_folder_open(c, ox):
    folder_back(c, ox)
    # A sheet peeking out of the folder.
    c.fill(rect(ox + 3.0, 5.0, ox + 13.0, 9.0), PAPER_EDGE)
    c.fill(rect(ox + 4.0, 6.0, ox + 12.0, 9.0), PAPER)
    front = [(ox + 4.0, 7.0), (ox + 16.0, 7.0), (ox + 13.0, 14.0), (ox + 1.0, 14.0)]
    c.fill(polygon(front), YELLOW_DARK, bbox_of(front))
    c.fill(polygon_inset(front, 1.0), vgradient(YELLOW_LIGHT, YELLOW, 7, 14),
           bbox_of(front))


def pic_folder_closed(c, ox):
    folder_back(c, ox)
    c.fill(rect(ox + 1.0, 6.0, ox + 15.0, 14.0), YELLOW_DARK)
    c.fill(rect(ox + 2.0, 7.0, ox + 14.0, 13.0), vgradient(YELLOW_LIGHT, YELLOW, 7, 13))


def pic_info(c, ox):
    ring_badge(c, ox, BLUE, BLUE_DARK)
    c.fill(rect(ox + 7.0, 4.0, ox + 9.0, 6.0), BLUE)
    c.fill(rect(ox + 7.0, 7.0, ox + 9.0, 11.0), BLUE)
    c.fill(rect(ox + 6.0, 7.0, ox + 7.0, 8.0), BLUE)
    c.fill(rect(ox + 6.0, 11.0, ox + 10.0, 12.0), BLUE)


def sheet(c, x0, y0, x1, y1, fold=2.6):
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.fill(polygon(pts), PAPER_EDGE, bbox_of(pts))
    c.fill(polygon_inset(pts, 1.0), PAPER, bbox_of(pts))
    corner = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
    c.fill(polygon(corner), (208, 212, 220), bbox_of(corner))


def pic_form(c, ox):
    sheet(c, ox + 1.0, 0.0, ox + 13.0, 16.0, fold=3.0)
    # Form fields: a label and an input box per row.
    for y in (4.0, 8.0, 12.0):
        c.fill(rect(ox + 3.0, y, ox + 5.0, y + 1.0), GREY)
        c.fill(rect(ox + 6.0, y - 1.0, ox + 11.0, y + 2.0), (96, 128, 190))
        c.fill(rect(ox + 7.0, y, ox + 10.0, y + 1.0), WHITE)
    # A pencil across the lower right corner, tip down and left.
    ax, ay, bx, by = ox + 15.2, 4.2, ox + 7.6, 11.8
    c.fill(line(ax, ay, bx, by, 3.4), (110, 62, 20))
    c.fill(line(ax - 0.4, ay + 0.4, bx + 0.8, by - 0.8, 2.0),
           lambda x, y: (250, 190, 40) if (x - ox) - y > 4.6 else (232, 150, 20))
    c.fill(line(ax - 0.3, ay + 0.3, ax - 1.1, ay + 1.1, 2.4), (236, 130, 150))
    tip = [(bx + 1.2, by - 2.4), (bx + 2.4, by - 1.2), (ox + 5.6, 13.8)]
    c.fill(polygon(tip), (240, 210, 160), bbox_of(tip))
    c.fill(circle(ox + 6.0, 13.4, 0.7), (60, 60, 64))


def pic_floppy(c, ox):
    body = [(ox + 1.0, 1.0), (ox + 13.0, 1.0), (ox + 15.0, 3.0),
            (ox + 15.0, 15.0), (ox + 1.0, 15.0)]
    c.fill(polygon(body), BLUE_DARK, bbox_of(body))
    c.fill(polygon_inset(body, 1.0), vgradient((72, 112, 196), (44, 74, 150), 1, 15),
           bbox_of(body))
    # Metal shutter with its window.
    c.fill(rect(ox + 4.0, 2.0, ox + 12.0, 6.0), (200, 206, 214))
    c.fill(rect(ox + 4.0, 5.0, ox + 12.0, 6.0), (150, 156, 166))
    c.fill(rect(ox + 9.0, 2.0, ox + 11.0, 5.0), (60, 70, 92))
    # Label.
    c.fill(rect(ox + 3.0, 8.0, ox + 13.0, 14.0), (226, 230, 236))
    c.fill(rect(ox + 4.0, 9.0, ox + 12.0, 14.0), PAPER)
    for y in (10.0, 12.0):
        c.fill(rect(ox + 5.0, y, ox + 11.0, y + 1.0), (150, 176, 214))


def pic_stopwatch(c, ox):
    sheet(c, ox + 0.0, 0.0, ox + 10.0, 13.0, fold=3.0)
    for y in (3.0, 5.0, 7.0):
        c.fill(rect(ox + 2.0, y, ox + 6.0, y + 1.0), GREY)
    cx, cy = ox + 10.0, 10.0
    dark = (56, 62, 78)
    # Crown and the side button.
    c.fill(rect(cx - 1.0, 2.8, cx + 1.0, 5.0), dark)
    c.fill(rect(cx - 2.0, 2.0, cx + 2.0, 3.2), (120, 128, 142))
    c.fill(line(cx + 3.8, 5.4, cx + 4.8, 4.4, 1.6), dark)
    c.fill(circle(cx, cy, 6.0), dark)
    c.fill(circle(cx, cy, 5.0), radial(WHITE, (214, 222, 236), cx - 1.5, cy - 1.5, 6))
    # The hands: a grey one at twelve and the red second hand.
    c.fill(rect(cx - 0.5, cy - 4.0, cx + 0.5, cy), dark)
    c.fill(line(cx, cy, cx + 3.0, cy + 1.8, 1.3), RED)
    c.fill(circle(cx, cy, 1.0), RED_DARK)


def pic_empty(c, ox):
    pass


TOOLBAR_PICTURES = [
    pic_power,                          # 0 exit
    pic_play,                           # 1 start
    pic_stop,                           # 2 stop
    lambda c, ox: pic_arrow(c, ox, 0),  # 3 step forward
    lambda c, ox: pic_arrow(c, ox, 2),  # 4 step back
    pic_pause,                          # 5 pause
    pic_folder_open,                    # 6 open
    pic_folder_closed,                  # 7 close
    pic_info,                           # 8 about
    pic_form,                           # 9 preferences
    pic_floppy,                         # 10 save frame
    pic_stopwatch,                      # 11 speed
    lambda c, ox: pic_arrow(c, ox, 3),  # 12 faster
    lambda c, ox: pic_arrow(c, ox, 1),  # 13 slower
    pic_empty,                          # 14 spare
]


def keep_off_black(rows):
    """Keeps every painted pixel visibly above black, also in the grey copy.
    A pixel whose colour is black would be masked out by the image list."""
    out = []
    for row in rows:
        new = []
        for r, g, b, a in row:
            if a == 0:
                new.append((0, 0, 0, 0))
                continue
            if (30 * r + 59 * g + 11 * b) // 100 < OUTLINE[0]:
                r, g, b = max(r, OUTLINE[0]), max(g, OUTLINE[1]), max(b, OUTLINE[2])
            new.append((r, g, b, a))
        out.append(new)
    return out


def draw_toolbar(size=16):
    """The strip of pictures of size x size pixels. The pictures are designed
    on a 16-unit grid; larger ones are drawn from the same shapes with a unit
    of size / 16 pixels, so their edges are as sharp as the 16-pixel set's."""
    c = Canvas(size * len(TOOLBAR_PICTURES), size, unit=size / 16.0 if size != 16 else 1)
    for i, draw in enumerate(TOOLBAR_PICTURES):
        c.clip_x = (16 * i, 16 * i + 16)
        draw(c, 16.0 * i)
    return keep_off_black(c.pixels())


def bmp_bytes(rows):
    """A 32-bit BI_RGB bitmap with straight alpha, rows bottom-up."""
    h = len(rows)
    w = len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pixels),
                       2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


# ---------------------------------------------------------------------------
# Application icon: a strip of film with a play button over its frame.
# ---------------------------------------------------------------------------

def draw_icon_small(size):
    """At 16 pixels the tilt and the disc only blur; draw the strip straight
    and the triangle straight onto the frame."""
    s = size / 16.0
    c = Canvas(size, size, ss=8)
    c.fill(round_rect(1 * s, 0, 15 * s, 16 * s, 1.5 * s),
           vgradient((70, 64, 96), (34, 30, 52), 0, 16 * s))
    for k in range(4):
        y = (1 + 4 * k) * s
        for x in (2 * s, 12.5 * s):
            c.fill(rect(x, y, x + 1.5 * s, y + 2 * s), (246, 240, 226))

    def sunset(x, y):
        t = y / (16 * s)
        if t < 0.5:
            return lerp3((255, 214, 64), (255, 112, 72), t / 0.5)
        return lerp3((255, 112, 72), (214, 46, 140), (t - 0.5) / 0.5)

    c.fill(rect(4.5 * s, 1 * s, 11.5 * s, 15 * s), sunset)
    tri = [(6.0 * s, 4.5 * s), (10.6 * s, 8.0 * s), (6.0 * s, 11.5 * s)]
    c.fill(polygon(tri), WHITE, bbox_of(tri))
    return c.pixels()


def draw_icon(size):
    if size <= 16:
        return draw_icon_small(size)
    s = size / 48.0
    c = Canvas(size, size, ss=8 if size <= 24 else 4)

    # Film strip, tilted a little so the shape reads as more than a square.
    ang = math.radians(-8.0)
    ca, sa = math.cos(ang), math.sin(ang)
    cx = cy = size / 2.0

    def tilted(pred):
        def inside(x, y):
            dx, dy = x - cx, y - cy
            return pred(cx + dx * ca + dy * sa, cy - dx * sa + dy * ca)
        return inside

    x0, y0, x1, y1 = 5.5 * s, 3.5 * s, 42.5 * s, 44.5 * s
    # Soft drop shadow.
    c.fill(tilted(round_rect(x0 + 1.2 * s, y0 + 1.6 * s, x1 + 1.2 * s,
                             y1 + 1.6 * s, 5 * s)), (20, 16, 40), alpha=90)
    c.fill(tilted(round_rect(x0, y0, x1, y1, 5 * s)),
           vgradient((70, 64, 96), (34, 30, 52), y0, y1))

    # Sprocket holes down both edges; fewer where they would be mush.
    holes = 5 if size <= 32 else 6
    hw, hh = 4.2 * s, (y1 - y0 - 6 * s) / holes * 0.52
    step = (y1 - y0 - 6 * s) / holes
    for k in range(holes):
        hy = y0 + 3 * s + step * k + (step - hh) / 2
        for hx in (x0 + 1.9 * s, x1 - 1.9 * s - hw):
            c.fill(tilted(round_rect(hx, hy, hx + hw, hy + hh, 1.0 * s)),
                   (246, 240, 226))

    # The frame: a bright sunset gradient.
    fx0, fy0, fx1, fy1 = x0 + 8.2 * s, y0 + 3.2 * s, x1 - 8.2 * s, y1 - 3.2 * s

    def sunset(x, y):
        t = min(1.0, max(0.0, (y - fy0) / (fy1 - fy0)))
        top, mid, bottom = (255, 214, 64), (255, 112, 72), (214, 46, 140)
        if t < 0.5:
            u = t / 0.5
            return tuple(top[i] + (mid[i] - top[i]) * u for i in range(3))
        u = (t - 0.5) / 0.5
        return tuple(mid[i] + (bottom[i] - mid[i]) * u for i in range(3))

    c.fill(tilted(round_rect(fx0, fy0, fx1, fy1, 2.0 * s)), sunset)

    # Play button: a white disc with a triangle in the strip's colour.
    pcx, pcy, pr = 24.0 * s, 24.0 * s, 10.6 * s
    c.fill(circle(pcx + 0.6 * s, pcy + 0.9 * s, pr), (60, 20, 60), alpha=80)
    c.fill(circle(pcx, pcy, pr), radial(WHITE, (236, 232, 246), pcx - pr / 2,
                                        pcy - pr / 2, 2 * pr))
    t = pr * 0.55
    tri = [(pcx - t * 0.62, pcy - t), (pcx + t * 1.05, pcy), (pcx - t * 0.62, pcy + t)]
    c.fill(polygon(tri), vgradient((236, 60, 120), (150, 40, 150), pcy - t, pcy + t),
           bbox_of(tri))
    return c.pixels()


def ico_bytes(images):
    """A multi-image icon file of 32-bit DIB entries with an AND mask."""
    entries = []
    blobs = []
    for rows in images:
        size = len(rows)
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            line_bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line_bits[x // 8] |= 0x80 >> (x % 8)
            mask += line_bits
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        blob = header + bytes(xor) + bytes(mask)
        blobs.append(blob)
        entries.append(size)
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for size, blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


# ---------------------------------------------------------------------------
# Sample animation: a striped ball bouncing over a scrolling checker floor,
# with the frame number in the corner. Drawn straight into palette indices.
# ---------------------------------------------------------------------------

GIF_W, GIF_H = 200, 150
GIF_FRAMES = 12
HORIZON = 84

# Palette layout: (first index, count) of each ramp, dark to light.
SKY0, SKY_N = 0, 48          # sky, top to horizon
FLOOR_N = 48
FLOOR_A = 48                 # light tiles
FLOOR_B = 96                 # green tiles
BALL_N = 40
BALL_R = 144                 # red wedges of the ball
BALL_Y = 184                 # yellow wedges
MIX, MIX_N = 224, 16         # half light, half green: far tiles and tile edges
PANEL, TEXT, TEXT_SHADOW, HILITE = 240, 241, 242, 243
FLOOR_SUB = 4                # floor samples per pixel, each way


def _check_palette_layout():
    ranges = [(SKY0, SKY_N), (FLOOR_A, FLOOR_N), (FLOOR_B, FLOOR_N),
              (BALL_R, BALL_N), (BALL_Y, BALL_N), (MIX, MIX_N),
              (PANEL, 1), (TEXT, 1), (TEXT_SHADOW, 1), (HILITE, 1)]
    used = set()
    for first, count in ranges:
        span = set(range(first, first + count))
        assert not (span & used) and max(span) < 256, "palette ramps overlap"
        used |= span


def mix_index(level):
    return MIX + max(0, level) * MIX_N // FLOOR_N


def gif_palette():
    _check_palette_layout()
    pal = [(0, 0, 0)] * 256
    for i in range(SKY_N):
        t = i / (SKY_N - 1)
        pal[SKY0 + i] = lerp3((24, 52, 120), (150, 200, 240), t ** 0.8)
    for i in range(FLOOR_N):
        t = i / (FLOOR_N - 1)
        pal[FLOOR_A + i] = lerp3((40, 40, 56), (236, 232, 220), t)
        pal[FLOOR_B + i] = lerp3((20, 44, 40), (40, 150, 120), t)
    for i in range(BALL_N):
        t = i / (BALL_N - 1)
        if t < 0.8:
            pal[BALL_R + i] = lerp3((90, 8, 16), (240, 50, 50), t / 0.8)
            pal[BALL_Y + i] = lerp3((110, 80, 0), (255, 214, 40), t / 0.8)
        else:
            pal[BALL_R + i] = lerp3((240, 50, 50), (255, 220, 210), (t - 0.8) / 0.2)
            pal[BALL_Y + i] = lerp3((255, 214, 40), (255, 250, 220), (t - 0.8) / 0.2)
    for i in range(MIX_N):
        level = (2 * i + 1) * FLOOR_N // (2 * MIX_N)
        a, b = pal[FLOOR_A + level], pal[FLOOR_B + level]
        pal[MIX + i] = tuple((a[k] + b[k]) // 2 for k in range(3))
    pal[PANEL] = (30, 30, 44)
    pal[TEXT] = (255, 255, 255)
    pal[TEXT_SHADOW] = (10, 10, 20)
    pal[HILITE] = (255, 200, 60)
    return pal


# 5 x 7 glyphs for the frame counter.
FONT = {
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    "/": ["00001", "00010", "00010", "00100", "01000", "01000", "10000"],
}


def draw_text(img, text, x, y, scale, colour, shadow):
    for dx, dy, col in ((1, 1, shadow), (0, 0, colour)):
        cx = x + dx
        for ch in text:
            glyph = FONT[ch]
            for gy, bits in enumerate(glyph):
                for gx, bit in enumerate(bits):
                    if bit != "1":
                        continue
                    for sy in range(scale):
                        for sx in range(scale):
                            px = cx + gx * scale + sx
                            py = y + dy + gy * scale + sy
                            if 0 <= px < GIF_W and 0 <= py < GIF_H:
                                img[py * GIF_W + px] = col
            cx += 6 * scale


def draw_gif_frame(n):
    img = bytearray(GIF_W * GIF_H)
    phase = n / GIF_FRAMES

    # Sky.
    for y in range(HORIZON):
        idx = SKY0 + (y * (SKY_N - 1)) // (HORIZON - 1)
        img[y * GIF_W:(y + 1) * GIF_W] = bytes([idx]) * GIF_W

    # Ball position: one bounce per loop, on the floor at frame 0.
    ground = 128.0
    radius = 17.0
    lift = 4.0 * phase * (1.0 - phase) * 70.0
    squash = 1.0
    if n == 0:
        squash = 0.8          # squashed on landing
    elif n in (1, GIF_FRAMES - 1):
        squash = 1.08         # stretched while fast near the floor
    ry = radius * squash
    rx = radius / math.sqrt(squash)
    bcx = GIF_W / 2.0
    bcy = ground - lift - ry
    shadow_rx = 26.0 * (1.0 - lift / 140.0)
    shadow_ry = 5.0 * (1.0 - lift / 140.0)

    # Floor: a perspective checkerboard scrolling towards the viewer; it moves
    # two tiles per loop, so the last frame joins the first seamlessly. Each
    # pixel is sampled several times: where light and green tiles share a
    # pixel it takes the mixed colour, which keeps the far rows from turning
    # into moire and softens the tile edges near the viewer.
    scroll = 2.0 * phase
    subs = [(k + 0.5) / FLOOR_SUB for k in range(FLOOR_SUB)]
    full = FLOOR_SUB * FLOOR_SUB
    for y in range(HORIZON, GIF_H):
        dy = y - HORIZON
        shade = min(1.0, dy / (GIF_H - HORIZON) * 1.2 + 0.15)
        level = int(shade * (FLOOR_N - 1))
        depths = [60.0 / (dy + t) for t in subs]
        rows = [(d / 40.0, math.floor(d + scroll)) for d in depths]
        for x in range(GIF_W):
            light = 0
            for scale, fz in rows:
                for t in subs:
                    wx = (x + t - GIF_W / 2.0) * scale
                    if (math.floor(wx) + fz) % 2 == 0:
                        light += 1
            l = level
            ex = (x + 0.5 - bcx) / shadow_rx
            ey = (y + 0.5 - ground) / shadow_ry
            if ex * ex + ey * ey <= 1.0:
                l = max(0, level - 18)
            if light * 5 >= full * 4:
                colour = FLOOR_A + l
            elif light * 5 <= full:
                colour = FLOOR_B + l
            else:
                colour = mix_index(l)
            img[y * GIF_W + x] = colour

    # Ball: shaded sphere with beach-ball wedges rolling about the horizontal
    # axis. Six wedges repeat every 120 degrees, a full turn per loop.
    roll = 2.0 * math.pi * phase
    lx, ly, lz = -0.45, -0.6, 0.66
    for y in range(int(bcy - ry) - 1, int(bcy + ry) + 2):
        if not 0 <= y < GIF_H:
            continue
        for x in range(int(bcx - rx) - 1, int(bcx + rx) + 2):
            nx = (x + 0.5 - bcx) / rx
            ny = (y + 0.5 - bcy) / ry
            d = nx * nx + ny * ny
            if d > 1.0:
                continue
            nz = math.sqrt(1.0 - d)
            light = max(0.0, nx * lx + ny * ly + nz * lz)
            shine = light ** 12
            v = min(1.0, 0.18 + 0.62 * light + 0.45 * shine)
            # Rotate the surface point about the x axis.
            ry2 = ny * math.cos(roll) - nz * math.sin(roll)
            rz2 = ny * math.sin(roll) + nz * math.cos(roll)
            wedge = int(math.floor((math.atan2(rz2, ry2) + math.pi) / (math.pi / 3.0)))
            base = BALL_R if wedge % 2 == 0 else BALL_Y
            img[y * GIF_W + x] = base + int(v * (BALL_N - 1))

    # Frame counter on a dark panel.
    label = "%d/%d" % (n + 1, GIF_FRAMES)
    tw = len(label) * 12 - 2
    for y in range(4, 26):
        for x in range(4, 4 + tw + 12):
            img[y * GIF_W + x] = PANEL
    for x in range(4, 4 + tw + 12):
        img[25 * GIF_W + x] = HILITE
    draw_text(img, label, 10, 8, 2, TEXT, TEXT_SHADOW)
    return bytes(img)


def lzw_encode(indices, min_size=8):
    """GIF flavour of LZW: codes grow from min_size + 1 up to 12 bits, packed
    least significant bit first; a clear code restarts the table when it is
    full."""
    clear = 1 << min_size
    eoi = clear + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def size_for(next_code):
        # The decoder adds its entries one code behind the encoder, so it
        # widens the codes one code later: width follows next_code - 1.
        return min(12, (next_code - 1).bit_length())

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    table = {}
    next_code = eoi + 1
    emit(clear, size_for(next_code))
    if not indices:
        emit(eoi, size_for(next_code))
    else:
        w = indices[0]
        for k in indices[1:]:
            key = (w << 8) | k
            code = table.get(key)
            if code is not None:
                w = code
                continue
            emit(w, size_for(next_code))
            if next_code == 4096:
                emit(clear, size_for(next_code))
                table = {}
                next_code = eoi + 1
            else:
                table[key] = next_code
                next_code += 1
            w = k
        emit(w, size_for(next_code))
        if next_code < 4096:
            next_code += 1
        emit(eoi, size_for(next_code))
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def lzw_decode(data, min_size, count):
    """The reverse of lzw_encode, written the way a decoder reads the stream;
    used to prove each frame survives the round trip."""
    clear = 1 << min_size
    eoi = clear + 1
    pos = 0
    acc = 0
    nbits = 0
    out = bytearray()
    width = min_size + 1
    table = None
    prev = None
    while True:
        while nbits < width:
            if pos >= len(data):
                raise ValueError("LZW data ended without an end code")
            acc |= data[pos] << nbits
            pos += 1
            nbits += 8
        code = acc & ((1 << width) - 1)
        acc >>= width
        nbits -= width
        if code == clear:
            table = [bytes([i]) for i in range(clear)] + [b"", b""]
            width = min_size + 1
            prev = None
            continue
        if code == eoi:
            break
        if prev is None:
            entry = table[code]
        else:
            if code < len(table):
                entry = table[code]
                new = prev + entry[:1]
            elif code == len(table):
                entry = prev + prev[:1]
                new = entry
            else:
                raise ValueError("LZW code %d out of range" % code)
            if len(table) < 4096:
                table.append(new)
                if len(table) == (1 << width) and width < 12:
                    width += 1
        out += entry
        prev = entry
    if len(out) != count:
        raise ValueError("LZW decoded %d pixels, expected %d" % (len(out), count))
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def gif_bytes(frames, palette, delays):
    out = bytearray(b"GIF89a")
    # Global colour table of 256 entries, 8 bits per primary.
    out += struct.pack("<HHBBB", GIF_W, GIF_H, 0xF7, 0, 0)
    for r, g, b in palette:
        out += bytes((r, g, b))
    # Loop for ever.
    out += b"\x21\xFF\x0B" + b"NETSCAPE2.0" + b"\x03\x01" + struct.pack("<H", 0) + b"\x00"
    for img, delay in zip(frames, delays):
        # Graphic control: leave the frame in place, no transparency.
        out += b"\x21\xF9\x04" + struct.pack("<BHB", 1 << 2, delay, 0) + b"\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, GIF_W, GIF_H, 0)
        data = lzw_encode(img, 8)
        if lzw_decode(data, 8, len(img)) != img:
            raise AssertionError("LZW round trip changed the frame")
        out.append(8)
        out += sub_blocks(data)
    out += b"\x3B"
    return bytes(out)


def self_test_lzw():
    """Streams that push the code table through every width and past a reset."""
    cases = [
        b"",
        b"\x00",
        b"\x07" * 20000,                                # long runs, few codes
        bytes((i * 7 + (i >> 5)) % 256 for i in range(30000)),  # many codes, resets
        bytes(range(256)) * 40,
    ]
    state = 12345
    noisy = bytearray()
    for _ in range(20000):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        noisy.append((state >> 16) & 0xFF)
    cases.append(bytes(noisy))
    for data in cases:
        enc = lzw_encode(data, 8)
        if lzw_decode(enc, 8, len(data)) != data:
            raise AssertionError("LZW round trip failed for %d bytes" % len(data))


# ---------------------------------------------------------------------------

def write(name, data):
    path = os.path.join(RESOURCES, name)
    with open(path, "wb") as f:
        f.write(data)
    print("%-14s %7d bytes" % (name, len(data)))


def main():
    self_test_lzw()
    os.makedirs(RESOURCES, exist_ok=True)

    write("animora.ico", ico_bytes([draw_icon(s) for s in (16, 24, 32, 48, 64)]))
    write("toolbar.bmp", bmp_bytes(draw_toolbar()))
    for size in (20, 24, 32):
        write("toolbar%d.bmp" % size, bmp_bytes(draw_toolbar(size)))

    frames = [draw_gif_frame(n) for n in range(GIF_FRAMES)]
    delays = [10] + [8] * (GIF_FRAMES - 1)
    write("sample.gif", gif_bytes(frames, gif_palette(), delays))
    return 0


if __name__ == "__main__":
    sys.exit(main())
