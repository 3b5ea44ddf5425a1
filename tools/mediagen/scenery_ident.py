"""The opening of the game: the Vanto Studios ident (a still wordmark and the
emblem animation that plays beside it, both on black) and the title splash.

On screen the still is 536 x 348 at the top-left of a black screen and the
emblem clip plays in a 152 x 235 box at 453,158, partly over the still's
lower-right corner and partly over the black beyond it. The still keeps that
box and all its own edges black, so the two read as one ident.
"""
import math

import numpy as np
from PIL import Image, ImageChops, ImageDraw

import common_style as style
import scenery_draw as sd

STILL_SIZE = (536, 348)
EMBLEM_AT = (453, 158)
EMBLEM_SIZE = (152, 235)
EMBLEM_FRAMES = 45   # the game plays 1..44; the last frames hold the settled emblem
EMBLEM_FPS = 15.0


def _edge_fade(size, box_black):
    """1 inside, falling to 0 towards the picture's right and bottom edges and
    around the emblem box, so nothing ends in a hard line on the black."""
    w, h = size
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    f = np.clip((w - 1 - xx) / 60.0, 0, 1) * np.clip((h - 1 - yy) / 30.0, 0, 1)
    f *= np.clip(xx / 30.0, 0, 1) * np.clip(yy / 30.0, 0, 1)
    bx, by = box_black
    dx = np.clip((bx - xx) / 40.0, 0, 1)
    dy = np.clip((by - yy) / 40.0, 0, 1)
    f *= np.maximum(dx, dy)
    return f


def studio_still():
    w, h = STILL_SIZE
    img = Image.new("RGB", (w, h), (0, 0, 0))
    # A cool spotlight falling on the wordmark.
    spot = sd.radial((w, h), (230, 250), 260, (34, 40, 96), (0, 0, 0), 1.2)
    img = sd.add_light(img, spot)
    beam = Image.new("RGB", (w, h), (0, 0, 0))
    sd.paint(beam, sd.polygon_mask((w, h), [(200, 0), (262, 0), (420, 330), (40, 330)]), (22, 26, 60))
    img = sd.add_light(img, sd.soften(beam, 24))
    img = sd.metallic_text(img, "VANTO", style.font(108, bold=True, family="Sans"), (232, 226),
                           spacing=10, glow_colour=(70, 110, 200), glow_radius=10,
                           outline=(10, 14, 30), palette="silver")
    img = sd.neon_line(img, [(60, 282), (404, 282)], style.GOLD, width=2, blur=5)
    img = sd.draw_text(img, "S T U D I O S", style.font(24, bold=True, family="Sans"), (232, 306),
                       (240, 208, 130), shadow=(0, 0, 0))
    arr = np.asarray(img, np.float32) * _edge_fade((w, h), EMBLEM_AT)[..., None]
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


# --- The emblem animation -----------------------------------------------------

def _ease(t):
    t = min(1.0, max(0.0, t))
    return t * t * (3 - 2 * t)


def _diamond(cx, cy, hw, hh):
    return [(cx, cy - hh), (cx + hw, cy), (cx, cy + hh), (cx - hw, cy)]


def _partial_path(points, fraction):
    """The closed path through points, drawn up to `fraction` of its length."""
    pts = points + [points[0]]
    seg = [math.dist(a, b) for a, b in zip(pts, pts[1:])]
    left = sum(seg) * fraction
    out = [pts[0]]
    for (a, b), L in zip(zip(pts, pts[1:]), seg):
        if left <= 0:
            break
        t = min(1.0, left / L)
        out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
        left -= L
    return out


def emblem_frame(i):
    """Frame i of the emblem: a spark, a diamond traced in light, a golden V
    rising inside it, a glint, then the settled mark with its name."""
    w, h = EMBLEM_SIZE
    cx, cy = w / 2, 100
    img = Image.new("RGB", (w, h), (0, 0, 0))
    # Spark (frames 0..8) travelling to the top of the diamond.
    if i <= 10:
        k = _ease(i / 8.0)
        r = 2 + 5 * math.sin(min(1.0, i / 10.0) * math.pi)
        spark = Image.new("RGB", (w, h), (0, 0, 0))
        sy = cy - 10 - 78 * k
        sd.paint(spark, sd.ellipse_mask((w, h), (cx - r, sy - r, cx + r, sy + r)), (255, 240, 200))
        img = sd.add_light(img, ImageChops.add(spark, sd.soften(spark, 6)))
    outline = _diamond(cx, cy, 58, 88)
    trace = _ease((i - 6) / 14.0)
    if trace > 0:
        path = _partial_path(outline, trace)
        img = sd.neon_line(img, path, style.CYAN, width=2, blur=4)
    fill_k = _ease((i - 16) / 14.0)
    if fill_k > 0:
        inner = _diamond(cx, cy, 52, 80)
        panel = sd.radial((w, h), (cx, cy - 30), 110, (36, 48, 130), (6, 8, 30), 1.0)
        m = sd.polygon_mask((w, h), inner)
        m = Image.eval(m, lambda v: int(v * min(1.0, fill_k * 1.4)))
        sd.paint(img, m, panel)
        # The V rises from its point upwards.
        v = [(cx - 38, cy - 44), (cx - 20, cy - 44), (cx, cy + 18), (cx + 20, cy - 44),
             (cx + 38, cy - 44), (cx, cy + 64)]
        vm = sd.polygon_mask((w, h), v)
        top = cy + 64 - 110 * fill_k
        cut = Image.new("L", (w, h), 0)
        ImageDraw.Draw(cut).rectangle([0, int(top), w, h], fill=255)
        vm = ImageChops.multiply(vm, cut)
        sd.paint(img, sd.thicken(vm, 3), (60, 30, 0))
        sd.paint(img, vm, sd.gold_fill((w, h), (0, int(cy - 44), w, int(cy + 64))))
    # Glint sweeping across (frames 28..38).
    g = (i - 28) / 10.0
    if 0 <= g <= 1 and fill_k > 0:
        band = Image.new("L", (w, h), 0)
        x = -40 + (w + 80) * g
        ImageDraw.Draw(band).polygon([(x - 10, 0), (x + 6, 0), (x - 50, h), (x - 66, h)], fill=200)
        band = sd.soften(band, 5)
        band = ImageChops.multiply(band, sd.polygon_mask((w, h), _diamond(cx, cy, 52, 80)))
        shine = Image.new("RGB", (w, h), (0, 0, 0))
        sd.paint(shine, band, (190, 180, 150))
        img = sd.add_light(img, shine)
    # Halo pulses when the glint passes, then settles.
    if i >= 20:
        pulse = 0.6 + 0.4 * math.exp(-((i - 34) / 4.0) ** 2)
        halo = Image.new("RGB", (w, h), (0, 0, 0))
        sd.paint(halo, sd.polygon_mask((w, h), _diamond(cx, cy, 60, 90)), (70, 56, 16))
        sd.paint(halo, sd.polygon_mask((w, h), _diamond(cx, cy, 50, 78)), (0, 0, 0))
        halo = Image.eval(sd.soften(halo, 9), lambda v: int(v * pulse))
        img = ImageChops.add(halo, img)
    # Keep the box's border black, like the control's own background.
    edge = np.ones((h, w), np.float32)
    ramp = np.clip(np.arange(w) / 4.0, 0, 1)
    edge *= ramp[None, :] * ramp[::-1][None, :]
    rv = np.clip(np.arange(h) / 4.0, 0, 1)
    edge *= rv[:, None] * rv[::-1][:, None]
    arr = np.asarray(img, np.float32) * edge[..., None]
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def emblem_frames():
    return [emblem_frame(i) for i in range(EMBLEM_FRAMES)]


# --- Title splash ---------------------------------------------------------------

VERSION_LABEL = (630, 545, 115, 17)


def title_splash():
    w, h = 800, 600
    img = style.studio_backdrop((w, h))
    # Beams converging on the logo, a lit stage and its ring.
    beams = Image.new("RGB", (w, h), (0, 0, 0))
    for x, col in ((-60, (50, 60, 150)), (860, (50, 60, 150)), (180, (70, 40, 120)),
                   (620, (70, 40, 120))):
        sd.paint(beams, sd.polygon_mask((w, h), [(x - 30, 0), (x + 30, 0), (420, 250),
                                                 (380, 250)]), col)
    img = sd.add_light(img, sd.soften(beams, 16))
    floor = sd.multi_gradient((w, 200), [(0, (18, 22, 70)), (1, (2, 3, 12))])
    fade = sd.gradient((w, 200), (150, 150, 150), (255, 255, 255)).convert("L")
    fade.paste(sd.gradient((w, 24), (0, 0, 0), (150, 150, 150)).convert("L"), (0, 0))
    img.paste(floor, (0, 400), fade)
    ring = Image.new("RGB", (w, h), (0, 0, 0))
    m = sd.shape_mask((w, h), lambda d, s: [d.ellipse([(400 - r) * s, (470 - r * 0.18) * s,
                                                       (400 + r) * s, (470 + r * 0.18) * s],
                                                      outline=255, width=2 * s)
                                            for r in (240, 300, 360)])
    sd.paint(ring, m, (50, 130, 230))
    img = sd.add_light(img, sd.soften(ring, 2))
    img = sd.add_light(img, sd.soften(ring, 10))
    halo = sd.radial((w, h), (400, 250), 330, (70, 60, 40), (0, 0, 0), 1.5)
    img = sd.add_light(img, halo)
    img = sd.sparkles(img, (0, 0, w, 180), 90, seed=31, colour=(200, 210, 255), max_r=1.8)
    img = sd.logo(img, (400, 250), 84)
    img = sd.draw_text(img, "T H E   Q U I Z   S H O W", style.font(24, bold=True, family="Sans"),
                       (400, 352), (220, 228, 255), shadow=(0, 0, 0), glow_colour=(40, 80, 160),
                       glow_radius=5)
    img = sd.vignette(img, 0.45)
    # Light plate for the version label (dark grey bold 15 px, right-aligned).
    x, y, lw, lh = VERSION_LABEL
    sd.gradient_rrect(img, (x - 16, y - 7, x + lw + 12, y + lh + 7), 8, (246, 246, 250),
                      (196, 200, 214), outline=(120, 126, 150), width=1)
    img = sd.draw_text(img, "A Vanto Studios production", style.font(16, italic=True),
                       (160, 556), (170, 178, 210), shadow=(0, 0, 0))
    return sd.noise(img, 1.5, seed=32)
