"""Emblems of the four categories, drawn as white-silver pictograms with a dark
outline so they sit on any of the category colours: a column for History,
notes for Music, a ball for Sports, a television with a book for TV, Arts,
and Literature."""
import math

from PIL import Image, ImageChops

import scenery_draw as sd


def _column(d, s, cx, cy, r):
    k = r / 60.0
    def R(x0, y0, x1, y1):
        d.rectangle([(cx + x0 * k) * s, (cy + y0 * k) * s, (cx + x1 * k) * s, (cy + y1 * k) * s],
                    fill=255)
    # Pediment, capital, fluted shaft, base.
    d.polygon([((cx - 58 * k) * s, (cy - 40 * k) * s), ((cx + 58 * k) * s, (cy - 40 * k) * s),
               (cx * s, (cy - 62 * k) * s)], fill=255)
    R(-50, -36, 50, -28)
    R(-40, -26, 40, -20)
    for i in range(5):
        x = -30 + i * 13.5
        R(x, -18, x + 8, 36)
    R(-42, 38, 42, 45)
    R(-52, 47, 52, 56)


def _notes(d, s, cx, cy, r):
    k = r / 60.0
    for hx, hy in ((-28, 36), (30, 24)):
        x, y = cx + hx * k, cy + hy * k
        d.ellipse([(x - 17 * k) * s, (y - 12 * k) * s, (x + 17 * k) * s, (y + 12 * k) * s], fill=255)
        d.rectangle([(x + 10 * k) * s, (y - 62 * k) * s, (x + 17 * k) * s, y * s], fill=255)
    d.polygon([((cx - 18 * k) * s, (cy - 26 * k) * s), ((cx + 47 * k) * s, (cy - 44 * k) * s),
               ((cx + 47 * k) * s, (cy - 28 * k) * s), ((cx - 18 * k) * s, (cy - 10 * k) * s)],
              fill=255)


def _ball(d, s, cx, cy, r):
    d.ellipse([(cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s], fill=255)


def _ball_marks(d, s, cx, cy, r):
    """Black patches of the ball, drawn into the cut-out mask."""
    p = r * 0.38
    pent = [(cx + p * math.sin(a), cy - p * math.cos(a))
            for a in (i * 2 * math.pi / 5 for i in range(5))]
    d.polygon([(x * s, y * s) for x, y in pent], fill=255)
    for i, (x, y) in enumerate(pent):
        a = i * 2 * math.pi / 5
        ex, ey = cx + r * 0.78 * math.sin(a), cy - r * 0.78 * math.cos(a)
        d.line([(x * s, y * s), (ex * s, ey * s)], fill=255, width=max(1, int(r * 0.06 * s)))
        q = r * 0.2
        d.ellipse([(cx + r * 0.98 * math.sin(a) - q) * s, (cy - r * 0.98 * math.cos(a) - q) * s,
                   (cx + r * 0.98 * math.sin(a) + q) * s, (cy - r * 0.98 * math.cos(a) + q) * s],
                  fill=255)


def _tv(d, s, cx, cy, r):
    k = r / 60.0
    d.rounded_rectangle([(cx - 56 * k) * s, (cy - 30 * k) * s, (cx + 40 * k) * s, (cy + 36 * k) * s],
                        radius=10 * k * s, fill=255)
    d.line([((cx - 8 * k) * s, (cy - 30 * k) * s), ((cx - 30 * k) * s, (cy - 60 * k) * s)], fill=255,
           width=int(4 * k * s))
    d.line([((cx - 8 * k) * s, (cy - 30 * k) * s), ((cx + 14 * k) * s, (cy - 58 * k) * s)], fill=255,
           width=int(4 * k * s))
    d.rectangle([(cx - 36 * k) * s, (cy + 36 * k) * s, (cx + 20 * k) * s, (cy + 42 * k) * s], fill=255)
    # Open book leaning on the set.
    d.polygon([((cx + 14 * k) * s, (cy + 20 * k) * s), ((cx + 36 * k) * s, (cy + 12 * k) * s),
               ((cx + 58 * k) * s, (cy + 20 * k) * s), ((cx + 58 * k) * s, (cy + 56 * k) * s),
               ((cx + 36 * k) * s, (cy + 48 * k) * s), ((cx + 14 * k) * s, (cy + 56 * k) * s)],
              fill=255)


def _tv_screen(d, s, cx, cy, r):
    k = r / 60.0
    d.rounded_rectangle([(cx - 48 * k) * s, (cy - 22 * k) * s, (cx + 22 * k) * s, (cy + 28 * k) * s],
                        radius=8 * k * s, fill=255)
    # The book's spine and a few lines of print on each page.
    w = max(1, int(2 * k * s))
    d.line([((cx + 36 * k) * s, (cy + 14 * k) * s), ((cx + 36 * k) * s, (cy + 48 * k) * s)],
           fill=255, width=w)
    for i in range(3):
        y = cy + (24 + i * 8) * k
        d.line([((cx + 20 * k) * s, (y - 2 * k) * s), ((cx + 32 * k) * s, (y - 4 * k) * s)],
               fill=255, width=w)
        d.line([((cx + 40 * k) * s, (y - 4 * k) * s), ((cx + 53 * k) * s, (y - 2 * k) * s)],
               fill=255, width=w)


SHAPES = {"history": (_column, None), "music": (_notes, None), "sports": (_ball, _ball_marks),
          "tval": (_tv, _tv_screen)}


def draw(img, cat, centre, r):
    """Draws the emblem of cat centred at centre, about 2r tall."""
    cx, cy = centre
    shape, marks = SHAPES[cat]
    m = sd.shape_mask(img.size, lambda d, s: shape(d, s, cx, cy, r))
    shadow = sd.soften(ImageChops.offset(m, 3, 4), 3)
    sd.paint(img, Image.eval(shadow, lambda v: int(v * 0.7)), (0, 0, 0))
    outline = sd.soften(sd.thicken(m, 5), 0.6)
    sd.paint(img, outline, (16, 16, 28))
    fill = sd.radial_in(img.size, (cx - 1.3 * r, cy - 1.3 * r, cx + 1.3 * r, cy + 1.3 * r),
                        (cx - r * 0.35, cy - r * 0.45), r * 1.9, (255, 255, 255),
                     (168, 176, 200), 1.0)
    sd.paint(img, m, fill)
    if marks is not None:
        mk = sd.shape_mask(img.size, lambda d, s: marks(d, s, cx, cy, r))
        mk = ImageChops.multiply(mk, m)
        sd.paint(img, mk, (30, 34, 52))
    return img
