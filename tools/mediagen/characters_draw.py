"""Drawing the show's people: every contestant and the host is one parametric
description (data/characters/cast.ini) drawn at any scale, head and shoulders
or standing, with a pose (mouth, eyes, brows, head turn, arms).

Shapes are drawn on a supersampled canvas over the real background and scaled
down by box averaging, so pixels the figure does not touch come out exactly as
the background was: a figure picture can replace a part of its backdrop with
no visible edge.

Units: one unit is half the width of the head; (0, 0) is the middle of the
face between the eyes, y grows downwards.
"""
import configparser
import math
from dataclasses import dataclass, field, replace

import numpy as np
from PIL import Image, ImageDraw

SS = 3  # supersampling factor


def shade(c, f):
    """Colour c darkened (f < 1) or lightened towards white (f > 1)."""
    if f <= 1.0:
        return tuple(int(round(v * f)) for v in c)
    t = min(1.0, f - 1.0)
    return tuple(int(round(v + (255 - v) * t)) for v in c)


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def with_alpha(c, a):
    return (c[0], c[1], c[2], int(a))


def parse_colour(text):
    text = text.strip().lstrip("#")
    if len(text) != 6:
        raise ValueError(f"colour {text!r} is not RRGGBB")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


@dataclass(frozen=True)
class Person:
    key: str
    woman: bool
    skin: tuple
    hair: tuple
    hair_style: str
    eyes: tuple
    top: tuple           # shirt or blouse
    jacket: tuple = None
    trousers: tuple = (40, 44, 60)
    shoes: tuple = (30, 24, 22)
    glasses: tuple = None
    beard: str = "none"  # none, stubble, full, moustache
    lips: tuple = None
    earrings: tuple = None
    tie: tuple = None
    face_width: float = 1.0
    jaw: float = 0.3
    skirt: bool = False
    temples: tuple = None  # greying at the temples


@dataclass(frozen=True)
class Pose:
    mouth: float = 0.0      # 0 closed .. 1 wide open
    smile: float = 0.25     # -1 grimace .. 0 neutral .. 1 big smile
    blink: float = 0.0      # 0 open .. 1 shut
    gaze_x: float = 0.0     # -1 viewer's left .. 1 right
    gaze_y: float = 0.0     # -1 up .. 1 down
    turn: float = 0.0       # head turn, -1 viewer's left .. 1 right
    nod: float = 0.0        # head moves down (units)
    brow: float = 0.0       # -1 frown .. 1 raised
    teeth: bool = False     # grimace shows clenched teeth
    arm: str = "down"       # down, open, wave, chin (host and bust figures)
    wave: float = 0.0       # wave phase -1..1
    lift: float = 1.0       # how far the arm has moved from resting towards `arm`


HAIR_STYLES = ("long", "wavy", "bob", "fringe", "bun", "ponytail", "curly", "short", "side", "quiff",
               "buzz", "receding")
BEARDS = ("none", "stubble", "full", "moustache")


def load_cast(path):
    """The people by section name; ValueError names the fault."""
    cp = configparser.ConfigParser()
    try:
        with open(path, encoding="ascii") as f:
            cp.read_file(f)
    except configparser.Error as e:
        raise ValueError(str(e)) from e
    people = {}
    for name in cp.sections():
        s = cp[name]
        for key in ("skin", "hair", "hair_style", "eyes", "top"):
            if key not in s:
                raise ValueError(f"[{name}] has no {key}")
        if s["hair_style"] not in HAIR_STYLES:
            raise ValueError(f"[{name}] hair_style {s['hair_style']!r} is not one of {', '.join(HAIR_STYLES)}")
        if s.get("beard", "none") not in BEARDS:
            raise ValueError(f"[{name}] beard {s['beard']!r} is not one of {', '.join(BEARDS)}")
        opt = {}
        for k in ("jacket", "trousers", "shoes", "glasses", "lips", "earrings", "tie", "temples"):
            if k in s:
                opt[k] = parse_colour(s[k])
        people[name] = Person(
            key=name, woman=s.get("gender") == "woman", skin=parse_colour(s["skin"]),
            hair=parse_colour(s["hair"]), hair_style=s["hair_style"], eyes=parse_colour(s["eyes"]),
            top=parse_colour(s["top"]), beard=s.get("beard", "none"),
            face_width=s.getfloat("face_width", 1.0), jaw=s.getfloat("jaw", 0.3),
            skirt=s.getboolean("skirt", False), **opt)
    return people


class Canvas:
    """Supersampled drawing over a background; unit coordinates around a head."""

    def __init__(self, background, ss=SS):
        self.bg = background.convert("RGB")
        self.ss = ss
        w, h = self.bg.size
        self.img = self.bg.resize((w * ss, h * ss), Image.NEAREST)
        self.d = ImageDraw.Draw(self.img, "RGBA")
        self.mask = None

    def with_mask(self):
        self.mask = Image.new("L", self.img.size, 0)
        self.md = ImageDraw.Draw(self.mask)
        return self

    def place(self, cx, cy, unit):
        """Head centre (output pixels) and unit size (output pixels)."""
        self.cx, self.cy, self.u = cx * self.ss, cy * self.ss, unit * self.ss

    def p(self, x, y):
        return (self.cx + x * self.u, self.cy + y * self.u)

    def pts(self, seq):
        return [self.p(x, y) for x, y in seq]

    def poly(self, seq, fill, solid=True):
        pts = self.pts(seq)
        self.d.polygon(pts, fill=fill)
        if self.mask is not None and solid:
            self.md.polygon(pts, fill=255)

    def ellipse(self, x0, y0, x1, y1, fill, solid=True):
        box = [self.p(x0, y0), self.p(x1, y1)]
        self.d.ellipse(box, fill=fill)
        if self.mask is not None and solid:
            self.md.ellipse(box, fill=255)

    def line(self, seq, fill, width, solid=True):
        pts = self.pts(seq)
        wpx = max(1, int(round(width * self.u)))
        self.d.line(pts, fill=fill, width=wpx, joint="curve")
        for x, y in (pts[0], pts[-1]):
            r = wpx / 2.0
            self.d.ellipse([x - r, y - r, x + r, y + r], fill=fill)
        if self.mask is not None and solid:
            self.md.line(pts, fill=255, width=wpx, joint="curve")

    def result(self):
        w, h = self.bg.size
        out = self.img.reduce(self.ss)
        if self.mask is None:
            return out
        return out, self.mask.reduce(self.ss)


def ellipse_pts(cx, cy, rx, ry, n=48, a0=0.0, a1=2 * math.pi):
    return [(cx + rx * math.sin(a0 + (a1 - a0) * i / n), cy - ry * math.cos(a0 + (a1 - a0) * i / n))
            for i in range(n + 1)]


def head_outline(p, dx=0.0, dy=0.0, scale=1.0):
    """The face shape: a rounded top and a jaw tapering to the chin."""
    pts = []
    fw = p.face_width
    for i in range(64):
        t = 2 * math.pi * i / 64
        s, c = math.sin(t), -math.cos(t)
        if c < 0:
            x, y = s * fw, c * 1.18
        else:
            taper = 1.0 - p.jaw * c ** 2
            x, y = s * fw * taper, c * 1.32
        pts.append((dx + x * scale, dy + y * scale))
    return pts


def bezier(p0, p1, p2, n=12):
    out = []
    for i in range(n + 1):
        t = i / n
        out.append(((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
                    (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]))
    return out


# --- Hair ------------------------------------------------------------------------

def hairline(p, x):
    """Top of the forehead for each style (where the hair starts), by x."""
    st = p.hair_style
    if st in ("bob", "fringe"):
        return -0.42 + 0.25 * (abs(x) ** 3)
    if st in ("long", "wavy"):
        return -0.62 + 0.12 * x + 0.5 * abs(x) ** 4   # side part sweeping across
    if st in ("bun", "ponytail"):
        return -0.72 + 0.45 * abs(x) ** 3
    if st == "curly":
        return -0.6 + 0.4 * abs(x) ** 4
    if st == "receding":
        return -0.8 + 0.55 * abs(x) ** 2.2
    if st == "buzz":
        return -0.72 + 0.5 * abs(x) ** 3
    return -0.66 + 0.5 * abs(x) ** 3.5  # short and side parted


def hair_back(cv, p, ox, oy):
    """Hair behind the head and shoulders."""
    c = p.hair
    st = p.hair_style
    fw = p.face_width
    if st == "long":
        cv.poly([(ox - 1.28 * fw, oy - 0.3), (ox - 1.42 * fw, oy + 1.4), (ox - 1.36 * fw, oy + 2.6),
                 (ox - 0.9, oy + 2.9), (ox + 0.9, oy + 2.9), (ox + 1.36 * fw, oy + 2.6),
                 (ox + 1.42 * fw, oy + 1.4), (ox + 1.28 * fw, oy - 0.3)], c)
        cv.ellipse(ox - 1.3 * fw, oy - 1.5, ox + 1.3 * fw, oy + 0.6, c)
    elif st == "wavy":
        for i in range(9):
            t = i / 8.0
            y = oy - 0.2 + 2.5 * t
            r = 0.42
            for side in (-1, 1):
                cv.ellipse(ox + side * (1.15 * fw + 0.1 * math.sin(i * 1.7)) - r, y - r,
                           ox + side * (1.15 * fw + 0.1 * math.sin(i * 1.7)) + r, y + r, c)
        cv.ellipse(ox - 1.35 * fw, oy - 1.5, ox + 1.35 * fw, oy + 1.2, c)
        cv.poly([(ox - 1.4 * fw, oy), (ox - 1.3, oy + 2.7), (ox + 1.3, oy + 2.7), (ox + 1.4 * fw, oy)], c)
    elif st == "bob":
        cv.poly([(ox - 1.3 * fw, oy - 0.4), (ox - 1.38 * fw, oy + 1.0), (ox - 1.2 * fw, oy + 1.22),
                 (ox + 1.2 * fw, oy + 1.22), (ox + 1.38 * fw, oy + 1.0), (ox + 1.3 * fw, oy - 0.4)], c)
        cv.ellipse(ox - 1.3 * fw, oy - 1.52, ox + 1.3 * fw, oy + 0.7, c)
    elif st == "curly":
        rng = np.random.default_rng(7)
        for i in range(26):
            a = 2 * math.pi * i / 26
            r = 0.42 + 0.06 * rng.random()
            x = ox + math.sin(a) * 1.38 * fw
            y = oy - 0.25 - math.cos(a) * 1.35
            if y > oy + 1.0:
                continue
            cv.ellipse(x - r, y - r, x + r, y + r, c)
        cv.ellipse(ox - 1.45 * fw, oy - 1.75, ox + 1.45 * fw, oy + 1.05, c)
    elif st == "bun":
        cv.ellipse(ox - 0.52, oy - 2.0, ox + 0.52, oy - 1.05, shade(c, 0.92))
        cv.ellipse(ox - 0.3, oy - 1.85, ox + 0.15, oy - 1.6, with_alpha(shade(c, 1.3), 120), False)
    elif st == "ponytail":
        cv.poly([(ox + 0.6, oy - 1.1), (ox + 1.45, oy - 0.4), (ox + 1.5, oy + 1.6),
                 (ox + 1.15, oy + 1.9), (ox + 1.0, oy + 0.2)], c)


def hair_front(cv, p, ox, oy, turn):
    """The hair over the top of the head, down to the hairline."""
    c = p.hair
    st = p.hair_style
    fw = p.face_width
    vol = {"curly": 1.28, "bob": 1.14, "long": 1.12, "wavy": 1.16, "bun": 1.07, "ponytail": 1.07,
           "buzz": 1.04, "receding": 1.04, "short": 1.09, "side": 1.1, "quiff": 1.1,
           "fringe": 1.12}.get(st, 1.08)
    top = -1.18 * vol - (0.06 if st in ("short", "side", "quiff") else 0.0)
    n = 28
    xs = [(-1.0 + 2.0 * i / n) * fw * 1.04 for i in range(n + 1)]
    upper = []
    for i in range(n + 1):
        a = -math.pi / 2 + math.pi * i / n
        upper.append((ox + math.sin(a) * fw * vol + turn * 0.05, oy - 0.05 + top * math.cos(a)))
    lower = [(ox + x + turn * 0.08, oy + hairline(p, x / fw)) for x in xs]
    if st in ("short", "side", "quiff", "receding", "buzz", "curly", "fringe", "bob", "long", "wavy"):
        # sides come down past the temples
        side_y = {"bob": 0.9, "long": 0.5, "wavy": 0.5, "curly": 0.15, "fringe": 0.2}.get(st, -0.05)
        lower[0] = (ox - fw * 1.06, oy + side_y)
        lower[-1] = (ox + fw * 1.06, oy + side_y)
    outline = [(ox - fw * vol, oy + lower[0][1] - oy)] + upper + [(ox + fw * vol, oy + lower[-1][1] - oy)]
    # soft shadow the hair casts on the forehead
    cv.poly([(x, y + 0.1) for x, y in reversed(lower)] + upper[::-1][::-1][:0] +
            [(x, y) for x, y in lower], with_alpha(shade(p.skin, 0.6), 70), False)
    cv.poly(outline + list(reversed(lower)), c)
    if st == "fringe" or st == "bob":
        # straight fringe ends
        for i in range(1, 8):
            x = -0.75 + i * 0.19
            cv.line([(ox + x * fw, oy - 0.85), (ox + x * fw + 0.02, oy + hairline(p, x) - 0.02)],
                    with_alpha(shade(c, 0.75), 150), 0.035, False)
    if st == "curly":
        for i in range(11):
            a = -math.pi / 2 + math.pi * i / 10
            x = ox + math.sin(a) * fw * 1.1
            y = oy - 0.1 - math.cos(a) * 1.2
            r = 0.3
            cv.ellipse(x - r, y - r, x + r, y + r, c)
    # sheen: a light arc over the crown
    if st == "quiff":
        # a combed-up wave over the forehead
        cv.poly([(ox - 0.9 * fw + turn * 0.08, oy - 0.6), (ox - 0.7 * fw, oy - 1.32), (ox - 0.1, oy - 1.55),
                 (ox + 0.55 * fw, oy - 1.42), (ox + 0.85 * fw, oy - 1.05), (ox + 0.3, oy - 0.95),
                 (ox - 0.3, oy - 0.8)], c)
        cv.line(bezier((ox - 0.6 * fw, oy - 1.0), (ox - 0.1, oy - 1.45), (ox + 0.6 * fw, oy - 1.2)),
                with_alpha(shade(c, 0.7), 160), 0.04, False)
    if p.temples:
        for side in (-1, 1):
            x = ox + turn * 0.08
            cv.poly([(x + side * 0.88 * fw, oy - 0.66), (x + side * 1.03 * fw, oy - 0.5), (x + side * 1.04 * fw, oy - 0.08),
                     (x + side * 0.95 * fw, oy - 0.12), (x + side * 0.86 * fw, oy - 0.45)], with_alpha(p.temples, 170),
                    False)
    # sheen: soft light on the crown, from the upper left
    dark_hair = sum(c) < 200
    hl = mix(c, (150, 170, 220), 0.5) if dark_hair else shade(c, 1.3)
    a = 30 if dark_hair else 80
    cv.ellipse(ox - 0.75 * fw, oy - 1.25 * vol, ox + 0.05 * fw, oy - 0.85 * vol, with_alpha(hl, a), False)
    cv.ellipse(ox - 0.55 * fw, oy - 1.18 * vol, ox - 0.15 * fw, oy - 0.98 * vol, with_alpha(hl, a), False)
    if st in ("side", "long", "short", "wavy"):
        part = -0.35 if st != "long" else 0.3
        cv.line(bezier((ox + part, oy - 1.25), (ox + part + 0.25, oy - 0.95), (ox + part + 0.7, oy - 0.75)),
                with_alpha(shade(c, 0.7), 170), 0.04, False)


# --- Face ------------------------------------------------------------------------

def face(cv, p, pose, ox, oy):
    t = pose.turn
    fx = ox + t * 0.22   # features follow the turn
    skin = p.skin
    fw = p.face_width
    dark = shade(skin, 0.8)
    # ears
    for side in (-1, 1):
        ex = ox + side * (fw * 0.98) - t * 0.06 * side
        cv.ellipse(ex - 0.17, oy - 0.2, ex + 0.17, oy + 0.36, shade(skin, 0.92))
        cv.ellipse(ex - 0.08, oy - 0.1, ex + 0.08, oy + 0.26, with_alpha(shade(skin, 0.7), 110), False)
        if p.earrings:
            cv.ellipse(ex - 0.07, oy + 0.36, ex + 0.07, oy + 0.5, p.earrings)
    # head: shadow tone, mid tone, light tone (soft light from the upper left)
    cv.poly(head_outline(p, ox, oy), dark)
    cv.poly(head_outline(p, ox - 0.04, oy - 0.03, 0.95), shade(skin, 0.9), False)
    cv.poly(head_outline(p, ox - 0.08, oy - 0.06, 0.9), skin, False)
    cv.ellipse(ox - 0.7, oy - 1.0, ox + 0.1, oy - 0.45, with_alpha(shade(skin, 1.12), 90), False)
    # beard / stubble
    if p.beard in ("stubble", "full"):
        a = 110 if p.beard == "stubble" else 255
        col = with_alpha(mix(p.hair, skin, 0.45 if p.beard == "stubble" else 0.0), a)
        # the lower face, inside the head's own outline, less the mouth area
        # outline points run clockwise from the top: right side, chin, left side
        jaw = [(x, y) for x, y in head_outline(p, ox, oy, 0.985) if y > oy + 0.15]
        inner = [(ox + x * fw, oy + y) for x, y in
                 [(-0.75, 0.45), (-0.4, 0.62), (0.0, 0.58), (0.4, 0.62), (0.75, 0.45)]]
        pts = jaw + inner
        cv.poly(pts, col, False)
    # cheeks
    blush = (230, 110, 110) if p.woman else (210, 120, 110)
    for side in (-1, 1):
        cx = fx + side * 0.55
        cv.ellipse(cx - 0.24, oy + 0.3, cx + 0.24, oy + 0.56, with_alpha(blush, 55 if p.woman else 30), False)
    eyes(cv, p, pose, fx, oy)
    brows(cv, p, pose, fx, oy)
    # nose: a soft shadow on one side and a light tip
    cv.line(bezier((fx + 0.05, oy + 0.05), (fx + 0.16, oy + 0.35), (fx + 0.02, oy + 0.45)),
            with_alpha(shade(skin, 0.65), 120), 0.05, False)
    cv.ellipse(fx - 0.12, oy + 0.38, fx + 0.1, oy + 0.5, with_alpha(shade(skin, 0.7), 90), False)
    cv.ellipse(fx - 0.07, oy + 0.3, fx + 0.02, oy + 0.38, with_alpha(shade(skin, 1.3), 120), False)
    if p.beard == "moustache" or p.beard == "full":
        cv.poly([(fx - 0.42, oy + 0.68), (fx - 0.2, oy + 0.55), (fx, oy + 0.6), (fx + 0.2, oy + 0.55),
                 (fx + 0.42, oy + 0.68), (fx + 0.2, oy + 0.64), (fx, oy + 0.67), (fx - 0.2, oy + 0.64)],
                p.hair, False)
    mouth(cv, p, pose, fx, oy)
    if p.glasses:
        glasses(cv, p, fx, oy)


def eyes(cv, p, pose, fx, oy):
    ey = oy + 0.02
    for side in (-1, 1):
        ex = fx + side * 0.4
        rx, ry = 0.2, 0.14
        # white, iris, pupil, catch light
        cv.ellipse(ex - rx, ey - ry, ex + rx, ey + ry, (250, 250, 248), False)
        ix = ex + pose.gaze_x * 0.09
        iy = ey + pose.gaze_y * 0.06
        cv.ellipse(ix - 0.12, iy - 0.12, ix + 0.12, iy + 0.12, p.eyes, False)
        cv.ellipse(ix - 0.065, iy - 0.065, ix + 0.065, iy + 0.065, (18, 16, 20), False)
        cv.ellipse(ix - 0.07, iy - 0.09, ix - 0.01, iy - 0.03, (255, 255, 255), False)
        # lids: the upper lid comes down over the eye when blinking
        lid = pose.blink
        top = ey - ry - 0.02
        bottom = top + (2 * ry + 0.04) * lid
        if lid > 0.02:
            lrx, lry = rx + 0.03, ry + 0.03
            lidpts = [(x, min(y, bottom)) for x, y in ellipse_pts(ex, ey, lrx, lry, 32)]
            cv.poly(lidpts, p.skin, False)
        lash = (30, 22, 22)
        lw = 0.05 if p.woman else 0.035
        cv.line(bezier((ex - rx - 0.02, max(bottom, ey) if lid > 0.5 else ey - 0.02),
                       (ex, (bottom if lid > 0.02 else top) - 0.02),
                       (ex + rx + 0.02, max(bottom, ey) if lid > 0.5 else ey - 0.02)), lash, lw, False)
        if p.woman and lid < 0.5:
            cv.line([(ex + side * (rx - 0.02), ey - 0.06), (ex + side * (rx + 0.08), ey - 0.12)], lash, 0.035,
                    False)


def brows(cv, p, pose, fx, oy):
    col = shade(p.hair, 0.8) if sum(p.hair) > 200 else p.hair
    if p.hair_style == "receding" and sum(p.hair) > 400:
        col = shade(p.hair, 0.6)
    lift = -0.1 * pose.brow
    for side in (-1, 1):
        bx = fx + side * 0.42
        inner = lift + (0.08 if pose.brow < 0 else 0.0) * -pose.brow
        cv.line(bezier((bx - side * 0.22, oy - 0.32 + inner), (bx, oy - 0.42 + lift),
                       (bx + side * 0.24, oy - 0.3 + lift * 0.6)), col, 0.075 if not p.woman else 0.055, False)


def mouth(cv, p, pose, fx, oy):
    my = oy + 0.82
    sm = pose.smile
    op = pose.mouth
    half = 0.27 + 0.1 * max(0.0, sm) + 0.06 * max(0.0, -sm)
    corner = -0.1 * sm          # corners go up with a smile
    lips = p.lips or shade(mix(p.skin, (190, 70, 70), 0.35), 0.85)
    inside = (90, 28, 36)
    if pose.teeth:
        # grimace: a wide clenched line of teeth, corners pulled down
        h = 0.13
        pts = [(fx - half, my + 0.04), (fx - half * 0.5, my - h), (fx + half * 0.5, my - h),
               (fx + half, my + 0.04), (fx + half * 0.5, my + h), (fx - half * 0.5, my + h)]
        cv.poly(pts, inside, False)
        cv.poly([(fx - half * 0.85, my - 0.01), (fx - half * 0.5, my - h + 0.03), (fx + half * 0.5, my - h + 0.03),
                 (fx + half * 0.85, my - 0.01), (fx + half * 0.5, my + h - 0.03),
                 (fx - half * 0.5, my + h - 0.03)], (245, 242, 232), False)
        cv.line([(fx - half * 0.8, my), (fx + half * 0.8, my)], (150, 140, 130), 0.02, False)
        cv.line(pts + [pts[0]], lips, 0.05, False)
        return
    if op < 0.06:
        # closed: one lip line, curved by the smile, with a light lower lip
        line = (70, 32, 34) if p.beard in ("full", "moustache") else shade(lips, 0.75)
        cv.line(bezier((fx - half, my + corner), (fx, my + 0.1 * sm), (fx + half, my + corner)),
                line, 0.065 if p.beard in ("full", "moustache") else 0.055, False)
        cv.ellipse(fx - 0.13, my + 0.06 + 0.05 * max(sm, 0), fx + 0.13, my + 0.15 + 0.05 * max(sm, 0),
                   with_alpha(lips, 120 if p.woman else 60), False)
        return
    h = 0.05 + 0.26 * op
    top_mid = my - 0.03 - 0.06 * op
    bot_mid = my + h + 0.12 * max(0, sm)
    upper = bezier((fx - half, my + corner), (fx, top_mid - 0.04), (fx + half, my + corner), 10)
    lower = bezier((fx + half, my + corner), (fx, bot_mid + 0.04), (fx - half, my + corner), 10)
    cv.poly(upper + lower, inside, False)
    # teeth along the top, tongue at the bottom
    if op > 0.2 or sm > 0.5:
        th = min(0.09, 0.04 + 0.2 * op) if sm < 0.6 else 0.1
        tpts = bezier((fx - half * 0.8, my + corner * 0.8), (fx, top_mid - 0.02), (fx + half * 0.8, my + corner * 0.8), 8)
        cv.poly(tpts + [(x, y + th) for x, y in reversed(tpts)], (246, 244, 236), False)
    if op > 0.4:
        cv.ellipse(fx - half * 0.5, bot_mid - 0.1, fx + half * 0.5, bot_mid + 0.04, (200, 90, 100), False)
    cv.line(upper + lower + [upper[0]], lips, 0.045, False)


def glasses(cv, p, fx, oy):
    c = p.glasses
    for side in (-1, 1):
        ex = fx + side * 0.4
        cv.line([(ex - 0.27, oy - 0.17), (ex + 0.27, oy - 0.17), (ex + 0.25, oy + 0.19),
                 (ex - 0.25, oy + 0.19), (ex - 0.27, oy - 0.17)], c, 0.055, False)
        cv.poly([(ex - 0.2, oy - 0.13), (ex - 0.05, oy - 0.13), (ex - 0.2, oy + 0.05)],
                (255, 255, 255, 45), False)
        cv.line([(ex + side * 0.27, oy - 0.12), (ex + side * 0.62, oy - 0.08)], c, 0.05, False)
    cv.line(bezier((fx - 0.13, oy - 0.08), (fx, oy - 0.16), (fx + 0.13, oy - 0.08)), c, 0.05, False)


def head(cv, p, pose, ox, oy):
    oy = oy + pose.nod
    hair_back(cv, p, ox + pose.turn * 0.05, oy)
    face(cv, p, pose, ox, oy)
    hair_front(cv, p, ox, oy, pose.turn)


# --- Bodies ----------------------------------------------------------------------

def neck(cv, p, ox, oy):
    cv.poly([(ox - 0.42, oy + 0.8), (ox + 0.42, oy + 0.8), (ox + 0.48, oy + 1.95), (ox - 0.48, oy + 1.95)],
            shade(p.skin, 0.88))
    cv.poly([(ox - 0.42, oy + 0.95), (ox + 0.42, oy + 0.95), (ox + 0.44, oy + 1.3), (ox - 0.44, oy + 1.2)],
            with_alpha(shade(p.skin, 0.55), 120), False)


def torso(cv, p, ox, oy, bottom):
    """Shoulders and chest of a bust, down to `bottom` (units)."""
    top = p.top
    sh = 2.55 if not p.woman else 2.25
    left = bezier((ox - 0.5, oy + 1.7), (ox - sh * 0.95, oy + 1.8), (ox - sh, oy + 2.75), 10)
    right = [(2 * ox - x, y) for x, y in reversed(left)]
    cv.poly(left + [(ox - sh * 1.05, bottom), (ox + sh * 1.05, bottom)] + right, top)
    for side in (-1, 1):
        cv.line(bezier((ox + side * sh * 0.8, oy + 2.2), (ox + side * sh * 0.72, oy + 3.4),
                       (ox + side * sh * 0.74, bottom)), with_alpha(shade(top, 0.7), 110), 0.05, False)
    shadow = bezier((ox + sh * 0.55, oy + 1.85), (ox + sh * 0.95, oy + 1.85), (ox + sh, oy + 2.75), 8)
    cv.poly(shadow + [(ox + sh * 1.05, bottom), (ox + sh * 0.62, bottom), (ox + sh * 0.5, oy + 2.6)],
            with_alpha(shade(top, 0.6), 90), False)
    if p.jacket:
        j = p.jacket
        cv.poly(left + [(ox - sh * 1.05, bottom), (ox + sh * 1.05, bottom)] + right, j)
        cv.poly([(ox - 0.5, oy + 1.7), (ox + 0.5, oy + 1.7), (ox + 0.2, oy + 3.3), (ox - 0.2, oy + 3.3)], top)
        for side in (-1, 1):
            lapel = [(ox + side * 0.45, oy + 1.72), (ox + side * 0.95, oy + 2.05), (ox + side * 0.7, oy + 2.35),
                     (ox + side * 0.95, oy + 2.55), (ox + side * 0.2, oy + 3.3)]
            cv.poly(lapel, shade(j, 0.8), False)
            cv.line(lapel, with_alpha(shade(j, 1.25), 130), 0.03, False)
        cv.poly(shadow + [(ox + sh * 1.05, bottom), (ox + sh * 0.62, bottom), (ox + sh * 0.5, oy + 2.6)],
                with_alpha(shade(j, 0.55), 90), False)
    # collar
    if p.woman and not p.jacket:
        cv.poly([(ox - 0.62, oy + 1.72), (ox, oy + 2.45), (ox + 0.62, oy + 1.72)], shade(p.skin, 0.92))
        cv.line([(ox - 0.62, oy + 1.72), (ox, oy + 2.45), (ox + 0.62, oy + 1.72)], shade(top, 0.8), 0.06, False)
        if p.earrings:
            cv.line(bezier((ox - 0.45, oy + 1.8), (ox, oy + 2.3), (ox + 0.45, oy + 1.8)), p.earrings, 0.035, False)
    else:
        shirt = (245, 245, 240) if p.jacket else shade(top, 1.15)
        for side in (-1, 1):
            cv.poly([(ox + side * 0.05, oy + 2.15), (ox + side * 0.5, oy + 1.68), (ox + side * 0.62, oy + 2.05),
                     (ox + side * 0.3, oy + 2.3)], shirt)
        if p.tie:
            cv.poly([(ox - 0.1, oy + 2.1), (ox + 0.1, oy + 2.1), (ox + 0.16, oy + 3.1), (ox, oy + 3.35),
                     (ox - 0.16, oy + 3.1)], p.tie)
            cv.poly([(ox - 0.13, oy + 1.98), (ox + 0.13, oy + 1.98), (ox + 0.09, oy + 2.18), (ox - 0.09, oy + 2.18)],
                    shade(p.tie, 0.8))
        elif p.jacket:
            cv.poly([(ox - 0.3, oy + 2.3), (ox + 0.3, oy + 2.3), (ox, oy + 3.2)], shirt)


def arm(cv, p, ox, oy, side, kind, wave=0.0, bottom=6.0, lift=1.0):
    """Arms of a bust (host): resting, open welcoming hand, waving; `lift`
    moves the arm from resting (0) to the gesture (1)."""
    sleeve = p.jacket or p.top
    sx, sy = ox + side * 2.2, oy + 2.4
    rest_elbow, rest_hand = (ox + side * 2.55, oy + 4.3), (ox + side * 1.5, oy + 5.3)
    if kind == "open":
        elbow, hand = (ox + side * 2.9, oy + 4.0), (ox + side * 3.5, oy + 3.2)
    elif kind == "wave":
        elbow, hand = (ox + side * 2.85, oy + 3.6), (ox + side * (3.0 + 0.3 * wave), oy + 1.3)
    elif kind == "down":
        elbow, hand = rest_elbow, rest_hand
        lift = 0.0
    else:
        return
    lift = max(0.0, min(1.0, lift))
    elbow = (rest_elbow[0] + (elbow[0] - rest_elbow[0]) * lift, rest_elbow[1] + (elbow[1] - rest_elbow[1]) * lift)
    hand = (rest_hand[0] + (hand[0] - rest_hand[0]) * lift, rest_hand[1] + (hand[1] - rest_hand[1]) * lift)
    if lift < 0.35:
        kind = "down"
    cv.line([(sx, sy), elbow, hand], shade(sleeve, 0.92), 0.95)
    cv.line([(sx, sy + 0.1), elbow], with_alpha(shade(sleeve, 0.7), 80), 0.5, False)
    if p.jacket:
        cv.line([(hand[0] + (elbow[0] - hand[0]) * 0.12, hand[1] + (elbow[1] - hand[1]) * 0.12), hand],
                (245, 245, 240), 0.75)
    hx, hy = hand
    skin = p.skin
    if kind == "down":
        cv.ellipse(hx - 0.45, hy - 0.3, hx + 0.45, hy + 0.3, skin)
    else:
        # an open hand: palm and fingers fanned upwards
        tilt = 0.35 * wave if kind == "wave" else side * 0.4
        cv.ellipse(hx - 0.4, hy - 0.4, hx + 0.4, hy + 0.4, skin)
        for i, f in enumerate((-0.3, -0.1, 0.1, 0.3)):
            a = f * 1.2 + tilt
            ln = 0.62 if i in (1, 2) else 0.52
            cv.line([(hx + f * 0.9, hy - 0.2), (hx + f * 0.9 + math.sin(a) * ln, hy - 0.2 - math.cos(a) * ln)],
                    skin, 0.2)
        th = -side if kind == "open" else -1
        cv.line([(hx + th * 0.3, hy + 0.05), (hx + th * 0.72, hy - 0.25)], skin, 0.2)
        cv.ellipse(hx - 0.3, hy - 0.25, hx + 0.2, hy + 0.25, with_alpha(shade(skin, 0.8), 60), False)


def bust(cv, p, pose, ox, oy, bottom=6.0, arms=False):
    """Head and shoulders (and for the host arms) with the head centre at
    (ox, oy) units from the canvas placement."""
    if p.hair_style in ("long", "wavy"):
        hair_back(cv, p, ox + pose.turn * 0.05, oy + pose.nod)
    neck(cv, p, ox, oy)
    torso(cv, p, ox, oy, bottom)
    if arms:
        arm(cv, p, ox, oy, -1, "down", 0.0, bottom, 0.0)
        arm(cv, p, ox, oy, 1, pose.arm, pose.wave, bottom, pose.lift)
    long_hair = p.hair_style in ("long", "wavy")
    hp = replace(p, hair_style="none") if long_hair else p
    oyn = oy + pose.nod
    if not long_hair:
        hair_back(cv, p, ox + pose.turn * 0.05, oyn)
    face(cv, p, pose, ox, oyn)
    hair_front(cv, p, ox, oyn, pose.turn)
    del hp


def standing(cv, p, pose, ox, oy):
    """A whole standing figure; head centre at (ox, oy), feet about 15.5
    units below it."""
    trousers = p.trousers
    top = p.jacket or p.top
    # legs
    if p.skirt:
        for side in (-1, 1):
            cv.line([(ox + side * 0.45, oy + 9.5), (ox + side * 0.5, oy + 14.9)], shade(p.skin, 0.9), 0.62)
        cv.poly([(ox - 1.4, oy + 7.0), (ox + 1.4, oy + 7.0), (ox + 1.8, oy + 10.6), (ox - 1.8, oy + 10.6)], trousers)
    else:
        for side in (-1, 1):
            cv.poly([(ox + side * 0.08, oy + 7.5), (ox + side * 1.3, oy + 7.5), (ox + side * 1.05, oy + 14.9),
                     (ox + side * 0.25, oy + 14.9)], trousers if side < 0 else shade(trousers, 0.85))
    for side in (-1, 1):
        cv.ellipse(ox + side * 0.65 - 0.7, oy + 14.6, ox + side * 0.65 + 0.7, oy + 15.5, p.shoes)
    # torso
    sh = 1.95 if not p.woman else 1.7
    cv.poly([(ox - 0.5, oy + 1.75), (ox - sh, oy + 2.2), (ox - sh * 0.95, oy + 5.2), (ox - 1.35, oy + 7.9),
             (ox + 1.35, oy + 7.9), (ox + sh * 0.95, oy + 5.2), (ox + sh, oy + 2.2), (ox + 0.5, oy + 1.75)], top)
    cv.poly([(ox + 0.5, oy + 2.2), (ox + sh, oy + 2.2), (ox + sh * 0.95, oy + 5.2), (ox + 1.35, oy + 7.9),
             (ox + 0.6, oy + 7.9)], with_alpha(shade(top, 0.6), 90), False)
    if p.jacket:
        cv.poly([(ox - 0.45, oy + 1.8), (ox + 0.45, oy + 1.8), (ox, oy + 3.8)], p.top if p.tie is None else (245, 245, 240))
        if p.tie:
            cv.poly([(ox - 0.12, oy + 2.0), (ox + 0.12, oy + 2.0), (ox + 0.15, oy + 3.4), (ox, oy + 3.7),
                     (ox - 0.15, oy + 3.4)], p.tie)
    elif p.woman:
        cv.poly([(ox - 0.5, oy + 1.75), (ox, oy + 2.6), (ox + 0.5, oy + 1.75)], shade(p.skin, 0.9))
    # arms hanging, or raised in triumph
    sleeve = shade(top, 0.9)
    for side in (-1, 1):
        if pose.arm == "up":
            hand = (ox + side * (sh + 1.05), oy - 1.5)
            cv.line([(ox + side * (sh - 0.15), oy + 2.5), (ox + side * (sh + 0.85), oy + 0.6), hand], sleeve, 0.72)
            cv.ellipse(hand[0] - 0.4, hand[1] - 0.5, hand[0] + 0.4, hand[1] + 0.3, p.skin)
            continue
        cv.line([(ox + side * (sh - 0.15), oy + 2.5), (ox + side * (sh + 0.15), oy + 5.0),
                 (ox + side * (sh + 0.05), oy + 7.2)], sleeve, 0.72)
        cv.ellipse(ox + side * (sh + 0.05) - 0.35, oy + 7.1, ox + side * (sh + 0.05) + 0.35, oy + 7.9, p.skin)
    neck(cv, p, ox, oy)
    if p.hair_style in ("long", "wavy"):
        # long hair lies over the shoulders
        hair_back(cv, replace(p, hair_style="bob"), ox, oy)
    else:
        hair_back(cv, p, ox, oy)
    face(cv, p, pose, ox, oy)
    hair_front(cv, p, ox, oy, pose.turn)


def draw_bust(background, p, pose, head_xy, unit, bottom=6.0, arms=False, mask=False):
    """The person head and shoulders over `background` (RGB). head_xy: face
    centre in pixels; unit: half a head width in pixels."""
    cv = Canvas(background)
    if mask:
        cv.with_mask()
    cv.place(head_xy[0], head_xy[1], unit)
    bust(cv, p, pose, 0.0, 0.0, bottom, arms)
    return cv.result()


def draw_standing(background, p, pose, feet_xy, height, mask=False, ss=4):
    """A standing figure whose feet touch feet_xy and who is `height` pixels
    tall from the top of the hair to the soles."""
    cv = Canvas(background, ss)
    if mask:
        cv.with_mask()
    unit = height / 17.6  # room for the fullest hair
    cv.place(feet_xy[0], feet_xy[1] - 15.5 * unit, unit)
    standing(cv, p, pose, 0.0, 0.0)
    return cv.result()
