"""The commercial breaks: three full-screen stills for made-up sponsors of
the show, an eyewear shop, a home step climber and a personal service."""
import math

import numpy as np
from PIL import Image, ImageChops, ImageDraw, ImageFilter

import common_style as style
import scenery_draw as sd

W, H = 800, 600


def _left_text(img, xy, text, font, fill, shadow=None):
    d = ImageDraw.Draw(img)
    if shadow is not None:
        d.text((xy[0] + 2, xy[1] + 2), text, font=font, fill=shadow)
    d.text(xy, text, font=font, fill=fill)


# --- See Clearly: Opalune Eyewear ----------------------------------------------

CHART = [("E", 92), ("F  P", 58), ("T  O  Z", 40), ("L  P  E  D", 28), ("P  E  C  F  D", 20),
         ("E  D  F  C  Z  P", 14)]


def _eye_chart(size):
    w, h = size
    chart = Image.new("RGB", size, (250, 250, 246))
    d = ImageDraw.Draw(chart)
    y = 26
    for text, px in CHART:
        f = style.font(px, bold=True, family="Sans")
        tw = f.getlength(text)
        d.text(((w - tw) / 2, y), text, font=f, fill=(20, 20, 24))
        y += px + 18
    d.line([(30, y + 6), (w - 30, y + 6)], fill=(200, 40, 40), width=2)
    return chart


def _glasses_mask(size, cx, cy, r, s_off=0):
    """Two round lenses joined by a bridge, with the temples running back."""
    def fn(d, s):
        for dx in (-1, 1):
            x = cx + dx * (r + 14)
            d.ellipse([(x - r) * s, (cy - r) * s, (x + r) * s, (cy + r) * s], outline=255,
                      width=int(9 * s))
        d.arc([(cx - 16) * s, (cy - 22) * s, (cx + 16) * s, (cy + 10) * s], 200, 340, fill=255,
              width=int(7 * s))
        for dx in (-1, 1):
            x = cx + dx * (2 * r + 14)
            d.line([(x * s, (cy - r * 0.35) * s), ((x + dx * 40) * s, (cy - r * 0.55) * s)],
                   fill=255, width=int(8 * s))
    return sd.shape_mask(size, fn)


def ad_see_clearly():
    img = sd.multi_gradient((W, H), [(0, (214, 238, 246)), (0.6, (244, 250, 252)), (1, (200, 224, 236))])
    # The chart on the wall, out of focus, seen sharp through the lenses.
    chart = _eye_chart((300, 420))
    cx0, cy0 = 440, 120
    shadow = Image.new("L", (W, H), 0)
    ImageDraw.Draw(shadow).rectangle([cx0 + 8, cy0 + 10, cx0 + 308, cy0 + 430], fill=120)
    sd.paint(img, sd.soften(shadow, 10), (60, 90, 110))
    img.paste(sd.soften(chart, 3.2), (cx0, cy0))
    sharp = Image.new("RGB", (W, H), (0, 0, 0))
    sharp.paste(chart, (cx0, cy0))
    gx, gy, r = 590, 250, 70
    lenses = Image.new("L", (W, H), 0)
    for dx in (-1, 1):
        x = gx + dx * (r + 14)
        lenses = ImageChops.lighter(lenses, sd.ellipse_mask((W, H), (x - r + 4, gy - r + 4,
                                                                   x + r - 4, gy + r - 4)))
    img.paste(sharp, (0, 0), lenses)
    # Lens glare.
    glare = Image.new("RGB", (W, H), (0, 0, 0))
    for dx in (-1, 1):
        x = gx + dx * (r + 14)
        sd.paint(glare, sd.polygon_mask((W, H), [(x - 40, gy - 50), (x - 18, gy - 62), (x + 30, gy + 30),
                                                 (x + 8, gy + 44)]), (40, 46, 52))
    img = sd.add_light(img, sd.soften(glare, 4))
    frame = _glasses_mask((W, H), gx, gy, r)
    sd.paint(img, sd.soften(ImageChops.offset(frame, 4, 6), 5), (120, 140, 150))
    sd.paint(img, frame, sd.multi_gradient((W, H), [(0, (30, 30, 40)), (0.42, (90, 40, 30)),
                                                      (0.5, (40, 20, 16)), (1, (20, 20, 26))]))
    # Copy.
    img = sd.draw_text(img, "See Clearly", style.font(78, bold=True, italic=True), (215, 130),
                       (16, 52, 96), shadow=(150, 190, 210), shadow_offset=(3, 3))
    f = style.font(23, family="Sans")
    for k, line in enumerate(["Eye exams every day", "Over 900 frames to try on",
                              "Your glasses ready in one hour"]):
        y = 230 + k * 44
        sd.paint(img, sd.ellipse_mask((W, H), (40, y + 6, 52, y + 18)), (0, 150, 180))
        _left_text(img, (64, y), line, f, (30, 50, 70))
    band = sd.gradient((W, 90), (16, 52, 96), (8, 30, 60))
    img.paste(band, (0, 510))
    img = sd.neon_line(img, [(0, 510), (W, 510)], (120, 220, 240), width=2, blur=3)
    img = sd.draw_text(img, "OPALUNE EYEWEAR", style.font(34, bold=True, family="Sans"), (400, 545),
                       (255, 255, 255), spacing=4)
    img = sd.draw_text(img, "Open seven days  \u2022  1-800-555-0142", style.font(17, family="Sans"),
                       (400, 579), (170, 214, 236))
    return sd.noise(img, 1.2, seed=41)


# --- Step Up: Kestrow Climber -----------------------------------------------------

def _climber(img, x, y, k=1.0):
    """A home step climber seen from the side, standing on the floor at
    (x, y): base, front mast with its display and handlebar, two pedal arms
    hinged at the back, each with a pedal and a damper."""
    def P(px, py):
        return (x + px * k, y + py * k)

    def line(points, width, fill):
        m = sd.shape_mask((W, H), lambda d, s: d.line(
            [(px * s, py * s) for px, py in (P(*q) for q in points)], fill=255,
            width=int(width * k * s), joint="curve"))
        sd.paint(img, m, fill)

    steel = sd.gradient((W, H), (240, 244, 250), (120, 128, 146), horizontal=True)
    dark = (34, 32, 40)
    floor = sd.ellipse_mask((W, H), (*P(-190, -10), *P(170, 16)))
    sd.paint(img, Image.eval(sd.soften(floor, 8), lambda v: v // 2), (60, 0, 30))
    # Base with feet.
    sd.rrect(img, (*P(-160, -26), *P(140, 0)), 10 * k, dark)
    sd.rrect(img, (*P(-150, -24), *P(130, -18)), 3 * k, (90, 90, 104))
    # Mast and handlebar.
    sd.paint(img, sd.polygon_mask((W, H), [P(96, -22), P(122, -22), P(84, -310), P(62, -310)]), steel)
    line([(76, -296), (10, -318), (-30, -300)], 12, (140, 146, 160))
    line([(-8, -314), (-34, -298)], 16, dark)
    # Pedal arms from the hinge at the back, one up, one down.
    for tip, shade in (((70, -104), 1.0), ((70, -58), 0.8)):
        line([(-132, -34), tip], 12, tuple(int(c * shade) for c in (200, 206, 220)))
        line([((-132 + tip[0]) / 2, (-34 + tip[1]) / 2 - 4), (96, -150 if tip[1] < -80 else -120)],
             6, (60, 60, 70))
        px, py = tip
        sd.rrect(img, (*P(px - 52, py - 12), *P(px + 52, py + 8)), 6 * k,
                 tuple(int(c * shade) for c in dark))
        sd.rrect(img, (*P(px - 48, py - 11), *P(px + 48, py - 5)), 3 * k,
                 tuple(int(c * shade) for c in (255, 120, 40)))
    sd.paint(img, sd.ellipse_mask((W, H), (*P(-142, -44), *P(-122, -24))), (160, 166, 180))
    # Display.
    sd.rrect(img, (*P(40, -346), *P(112, -300)), 8 * k, (40, 40, 50), outline=(170, 176, 190),
             width=2)
    img = sd.draw_text(img, "088", style.font(int(22 * k), bold=True, family="Mono"),
                       P(76, -323), (255, 70, 40), glow_colour=(160, 20, 0), glow_radius=3)
    return img


def ad_step_up():
    img = sd.gradient((W, H), (255, 120, 30), (200, 20, 90))
    stripes = Image.new("L", (W, H), 0)
    d = ImageDraw.Draw(stripes)
    for x in range(-600, 900, 90):
        d.polygon([(x, H), (x + 40, H), (x + 640, 0), (x + 600, 0)], fill=36)
    sd.paint(img, sd.soften(stripes, 2), (255, 255, 255))
    # A glowing staircase rising behind the machine.
    steps = Image.new("RGB", (W, H), (0, 0, 0))
    for k in range(5):
        x0 = 560 + k * 48
        top = 470 - k * 60
        sd.paint(steps, sd.rrect_mask((W, H), (x0, top, x0 + 48, 528), 3), (70, 20, 40))
        sd.paint(steps, sd.rrect_mask((W, H), (x0, top, x0 + 48, top + 5), 2), (120, 90, 40))
    img = sd.add_light(img, steps)
    img = _climber(img, 470, 505, 1.15)
    img = sd.draw_text(img, "Step Up", style.font(104, bold=True, italic=True, family="Sans"),
                       (200, 118), (255, 255, 255), shadow=(90, 0, 40), shadow_offset=(5, 5),
                       outline=(120, 20, 50), outline_width=2)
    f = style.font(24, bold=True, family="Sans")
    for k, line in enumerate(["Twenty minutes a day", "Folds flat under the bed", "Quiet as a whisper"]):
        y = 210 + k * 40
        tick = sd.shape_mask((W, H), lambda d, s, y=y: d.line(
            [(50 * s, (y + 14) * s), (57 * s, (y + 22) * s), (70 * s, (y + 5) * s)], fill=255,
            width=4 * s, joint="curve"))
        sd.paint(img, tick, (255, 240, 90))
        _left_text(img, (80, y), line, f, (255, 255, 255), shadow=(120, 20, 50))
    # Price burst.
    cx, cy, r = 150, 400, 78
    pts = [(cx + (r if i % 2 == 0 else r * 0.78) * math.cos(i * math.pi / 12),
            cy + (r if i % 2 == 0 else r * 0.78) * math.sin(i * math.pi / 12)) for i in range(24)]
    sd.paint(img, sd.polygon_mask((W, H), pts), (255, 230, 40))
    img = sd.draw_text(img, "ONLY", style.font(18, bold=True, family="Sans"), (cx, cy - 30), (160, 20, 60))
    img = sd.draw_text(img, "$149", style.font(40, bold=True, family="Sans"), (cx, cy + 4), (160, 20, 60))
    img = sd.draw_text(img, "3 easy payments", style.font(12, bold=True, family="Sans"), (cx, cy + 36),
                       (160, 20, 60))
    band = sd.gradient((W, 72), (40, 0, 30), (20, 0, 16))
    img.paste(band, (0, 528))
    img = sd.draw_text(img, "KESTROW CLIMBER", style.font(32, bold=True, italic=True, family="Sans"),
                       (250, 564), (255, 210, 80), spacing=2)
    img = sd.draw_text(img, "Call 1-800-555-0177", style.font(24, bold=True, family="Sans"), (620, 564),
                       (255, 255, 255))
    return sd.noise(img, 1.2, seed=42)


# --- Personal Touch: Quillmere personal services ------------------------------------

def _gift(img, cx, cy, s=1.0):
    box = (cx - 110 * s, cy - 40 * s, cx + 110 * s, cy + 120 * s)
    sd.paint(img, ImageChops.offset(sd.rrect_mask((W, H), box, 6), 8, 10).filter(
        ImageFilter.GaussianBlur(10)), (150, 110, 100))
    sd.gradient_rrect(img, box, 6, (150, 30, 60), (100, 16, 40))
    lid = (cx - 122 * s, cy - 70 * s, cx + 122 * s, cy - 30 * s)
    sd.gradient_rrect(img, lid, 6, (176, 44, 74), (120, 22, 50))
    ribbon = sd.multi_gradient((W, H), [(0, (255, 240, 180)), (0.5, style.GOLD), (1, (180, 120, 30))])
    sd.paint(img, sd.rrect_mask((W, H), (cx - 16 * s, cy - 70 * s, cx + 16 * s, cy + 120 * s), 2), ribbon)
    sd.paint(img, sd.rrect_mask((W, H), (cx - 110 * s, cy + 28 * s, cx + 110 * s, cy + 56 * s), 2), ribbon)
    for side in (-1, 1):
        loop = sd.shape_mask((W, H), lambda d, k, side=side: d.ellipse(
            [(cx + side * 8 * s - (70 if side < 0 else 0) * s) * k, (cy - 118 * s) * k,
             (cx + side * 8 * s + (0 if side < 0 else 70) * s) * k, (cy - 70 * s) * k],
            outline=255, width=int(16 * s * k)))
        sd.paint(img, loop, ribbon)
    sd.paint(img, sd.ellipse_mask((W, H), (cx - 18 * s, cy - 88 * s, cx + 18 * s, cy - 58 * s)), ribbon)


def ad_personal_touch():
    img = sd.radial((W, H), (560, 300), 520, (255, 244, 232), (226, 196, 184), 1.2)
    # A soft bokeh of warm lights.
    rng = np.random.default_rng(7)
    bokeh = Image.new("RGB", (W, H), (0, 0, 0))
    d = ImageDraw.Draw(bokeh)
    for _ in range(26):
        x, y, r = rng.uniform(0, W), rng.uniform(0, 330), rng.uniform(14, 40)
        d.ellipse([x - r, y - r, x + r, y + r], fill=(40, 26, 14))
    img = sd.add_light(img, sd.soften(bokeh, 6))
    _gift(img, 580, 330, 1.0)
    # A handwritten-style card leaning on the gift.
    card = (380, 380, 560, 490)
    sd.paint(img, ImageChops.offset(sd.rrect_mask((W, H), card, 4), 5, 6).filter(
        ImageFilter.GaussianBlur(6)), (150, 110, 100))
    sd.gradient_rrect(img, card, 4, (255, 253, 246), (240, 232, 214), outline=(200, 170, 140), width=1)
    img = sd.draw_text(img, "Just for you", style.font(28, italic=True), (470, 420), (120, 30, 60))
    img = sd.draw_text(img, "\u2014 with love", style.font(18, italic=True), (490, 458), (120, 30, 60))
    img = sd.draw_text(img, "Personal Touch", style.font(70, italic=True, bold=True), (400, 92),
                       (110, 20, 50), shadow=(255, 255, 255), shadow_offset=(2, 2))
    img = sd.neon_line(img, [(190, 140), (610, 140)], (200, 150, 60), width=2, blur=2)
    f = style.font(22)
    for k, line in enumerate(["Gifts chosen and wrapped", "Errands run while you rest",
                              "Care and company at home", "One call, one real person"]):
        y = 190 + k * 42
        sd.paint(img, sd.ellipse_mask((W, H), (52, y + 8, 62, y + 18)), (170, 60, 90))
        _left_text(img, (74, y), line, f, (70, 30, 40))
    band = sd.gradient((W, 70), (110, 20, 50), (70, 10, 30))
    img.paste(band, (0, 530))
    img = sd.draw_text(img, "QUILLMERE PERSONAL SERVICES", style.font(26, bold=True), (400, 553),
                       (255, 236, 200), spacing=2)
    img = sd.draw_text(img, "We do it the way you would.  555-0187", style.font(16, italic=True),
                       (400, 583), (240, 200, 200))
    return sd.noise(img, 1.2, seed=43)
