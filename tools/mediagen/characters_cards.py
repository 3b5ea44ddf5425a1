"""Close-up cards of the contestants (800 x 600, a caption band at the bottom)
and the six setup pictures stacked in one strip."""
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

import characters_draw as cd
import common_style as style

CARD_SIZE = (800, 600)
SETUP_SIZE = (241, 257)
CARD_TINTS = [(60, 200, 140), (255, 150, 60), (230, 70, 110), (90, 150, 255), (170, 90, 240), (60, 200, 210)]


def bokeh(img, seed, tint, count=26, box=None):
    """Out-of-focus studio lights behind the contestant."""
    w, h = img.size
    rng = np.random.default_rng(seed)
    layer = Image.new("RGB", img.size, (0, 0, 0))
    d = ImageDraw.Draw(layer)
    x0, y0, x1, y1 = box or (0, 0, w, int(h * 0.75))
    for _ in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        r = rng.uniform(w * 0.015, w * 0.05)
        col = style.GOLD if rng.random() < 0.35 else (tint if rng.random() < 0.6 else style.CYAN)
        k = rng.uniform(0.25, 0.55)
        d.ellipse([x - r, y - r, x + r, y + r], fill=tuple(int(c * k) for c in col))
    layer = layer.filter(ImageFilter.GaussianBlur(max(1.5, w / 260)))
    from PIL import ImageChops
    return ImageChops.add(img, layer)


def radial_light(img, centre, radius, colour, strength):
    w, h = img.size
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt((xx - centre[0]) ** 2 + (yy - centre[1]) ** 2) / radius
    g = (np.clip(1 - d, 0, 1) ** 1.8)[..., None] * np.array(colour, np.float32) * strength
    arr = np.asarray(img, np.float32) + g
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def darken_band(img, y0, y1, alpha, fade=24):
    """A dark caption band with soft top and bottom edges."""
    arr = np.asarray(img, np.float32).copy()
    h = arr.shape[0]
    ys = np.arange(h, dtype=np.float32)
    k = np.clip(np.minimum(ys - (y0 - fade), (y1 + fade) - ys) / fade, 0, 1) * alpha
    arr *= (1 - k)[:, None, None]
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def closeup_card(person, appearance):
    w, h = CARD_SIZE
    bg = style.studio_backdrop(CARD_SIZE)
    tint = CARD_TINTS[appearance]
    bg = radial_light(bg, (400, 240), 380, tint, 0.35)
    bg = bokeh(bg, 100 + appearance, tint)
    bg = radial_light(bg, (400, 230), 240, (90, 110, 180), 0.5)
    img = cd.draw_bust(bg, person, cd.Pose(smile=0.45), (400, 232), 86.0, bottom=5.0)
    # lower third: a dark band for the silver caption, with trims
    img = darken_band(img, 528, 578, 0.82, fade=18)
    d = ImageDraw.Draw(img)
    d.line([(16, 524), (784, 524)], fill=style.GOLD, width=2)
    d.line([(16, 582), (784, 582)], fill=(150, 110, 40), width=1)
    for x in (16, 784):
        d.ellipse([x - 3, 521, x + 3, 527], fill=style.GOLD)
    return img


def setup_picture(person, index):
    w, h = SETUP_SIZE
    bg = style.studio_backdrop((w, h))
    tint = CARD_TINTS[index]
    bg = radial_light(bg, (w / 2, h * 0.42), w * 0.75, tint, 0.3)
    bg = bokeh(bg, 200 + index, tint, count=10)
    bg = radial_light(bg, (w / 2, h * 0.38), w * 0.45, (90, 110, 180), 0.45)
    img = cd.draw_bust(bg, person, cd.Pose(smile=0.45), (w / 2, h * 0.39), 34.0, bottom=6.0)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], outline=(150, 100, 24), width=1)
    d.rectangle([1, 1, w - 2, h - 2], outline=style.GOLD, width=2)
    d.rectangle([4, 4, w - 5, h - 5], outline=(35, 100, 128), width=1)
    return img


def setup_pictures(people):
    w, h = SETUP_SIZE
    strip = Image.new("RGB", (w, h * len(people)))
    for i, p in enumerate(people):
        strip.paste(setup_picture(p, i), (0, i * h))
    return strip
