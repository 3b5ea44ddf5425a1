"""Group `icons`: the desktop's icon of the game, in the sizes the desktop's
menus and docks ask for (hicolor theme, PNG with transparent corners). It is
the title art in a square: the studio backdrop with its beams converging on
the lit stage, the ring of light on the floor, the sparkles overhead, and the
logo's gold initial over its cyan underline. Not game media: the build
installs these files into share/icons, the game never loads them.
"""
import os

from PIL import Image, ImageDraw

import common
import common_style as style
import scenery_draw as sd

SIZES = (48, 64, 128, 256)
DRAWN = 512          # drawn once this large, then scaled down for each size
NAME = "trivenza.png"


def _stage(n):
    """The title art's stage, square: backdrop, beams, halo, floor ring, stars."""
    img = style.studio_backdrop((n, n))
    beams = Image.new("RGB", (n, n), (0, 0, 0))
    apex = (n * 0.5, n * 0.46)
    for x, col in ((-0.1, (50, 60, 150)), (1.1, (50, 60, 150)), (0.2, (70, 40, 120)),
                   (0.8, (70, 40, 120))):
        sd.paint(beams, sd.polygon_mask((n, n), [((x - 0.05) * n, 0), ((x + 0.05) * n, 0),
                                                 (apex[0] + 0.03 * n, apex[1]),
                                                 (apex[0] - 0.03 * n, apex[1])]), col)
    img = sd.add_light(img, sd.soften(beams, n // 40))
    fh = n // 3
    floor = sd.multi_gradient((n, fh), [(0, (18, 22, 70)), (1, (2, 3, 12))])
    fade = sd.gradient((n, fh), (150, 150, 150), (255, 255, 255)).convert("L")
    fade.paste(sd.gradient((n, fh // 8), (0, 0, 0), (150, 150, 150)).convert("L"), (0, 0))
    img.paste(floor, (0, n - fh), fade)
    ring = Image.new("RGB", (n, n), (0, 0, 0))
    cy = n * 0.84
    m = sd.shape_mask((n, n), lambda d, s: [d.ellipse([(n / 2 - r) * s, (cy - r * 0.2) * s,
                                                       (n / 2 + r) * s, (cy + r * 0.2) * s],
                                                      outline=255, width=max(2, n // 160) * s)
                                            for r in (n * 0.28, n * 0.38, n * 0.48)])
    sd.paint(ring, m, (50, 130, 230))
    img = sd.add_light(img, sd.soften(ring, 2))
    img = sd.add_light(img, sd.soften(ring, n // 50))
    img = sd.add_light(img, sd.radial((n, n), (n / 2, n * 0.44), n * 0.45, (70, 60, 40),
                                      (0, 0, 0), 1.5))
    return sd.sparkles(img, (0, 0, n, n * 0.3), n // 8, seed=31, colour=(200, 210, 255),
                       max_r=n / 260)


def _initial(img, n):
    """The logo's T, in its polished gold with the warm glow, over the underline."""
    font = style.font(int(n * 0.78), bold=True)
    img = sd.metallic_text(img, "T", font, (n / 2, n * 0.45), glow_colour=style.GOLD,
                           glow_radius=n // 40, outline=(50, 26, 0), outline_px=max(2, n // 128),
                           palette="gold", glow_strength=0.8)
    y = n * 0.78
    return sd.neon_line(img, [(n * 0.24, y), (n * 0.76, y)], style.CYAN, width=max(2, n // 60),
                        blur=n // 50)


def icon(n=DRAWN):
    """The icon, n x n, RGBA: a rounded square, transparent outside it."""
    img = _initial(_stage(n), n)
    img = sd.vignette(img, 0.35)
    mask = Image.new("L", (n * 4, n * 4), 0)
    ImageDraw.Draw(mask).rounded_rectangle([n * 0.12, n * 0.12, n * 3.88, n * 3.88], radius=n * 0.7,
                                           fill=255)
    mask = mask.resize((n, n), Image.LANCZOS)
    out = img.convert("RGBA")
    out.putalpha(mask)
    return out


def generate(data_dir, out_dir):
    drawn = icon()
    written = []
    for size in SIZES:
        name = os.path.join("hicolor", f"{size}x{size}", "apps", NAME)
        path = os.path.join(out_dir, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        picture = drawn.resize((size, size), Image.LANCZOS)
        tmp = path + ".part"
        picture.save(tmp, format="PNG", optimize=True)
        os.replace(tmp, path)
        written.append(name)
    if not all(os.path.getsize(os.path.join(out_dir, w)) > 0 for w in written):
        raise common.MediaError("an icon came out empty")
    return written
