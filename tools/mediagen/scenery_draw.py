"""Drawing helpers of the show's sets: anti-aliased shapes, gradients, glowing
trims, lettering and the TRIVENZA logo. Shapes are drawn on a four-times
canvas and scaled down, so edges stay smooth after JPEG compression.
"""
import math

import numpy as np
from PIL import Image, ImageChops, ImageDraw, ImageFilter

import common_style as style

SS = 4  # supersampling factor of the shape masks


def rgb(img):
    return img if img.mode == "RGB" else img.convert("RGB")


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def local_filter(im, flt, pad):
    """Applies flt only around the picture's non-black content: a glow or an
    outline costs the size of the shape, not of the whole screen."""
    bbox = im.getbbox()
    if bbox is None:
        return im.copy()
    w, h = im.size
    box = (max(0, bbox[0] - pad), max(0, bbox[1] - pad), min(w, bbox[2] + pad), min(h, bbox[3] + pad))
    out = Image.new(im.mode, im.size, 0)
    out.paste(im.crop(box).filter(flt), box[:2])
    return out


def soften(im, radius):
    """Gaussian blur of a mostly black layer."""
    return local_filter(im, ImageFilter.GaussianBlur(radius), int(3 * radius) + 4)


def thicken(im, size):
    """MaxFilter of a mostly black mask."""
    return local_filter(im, ImageFilter.MaxFilter(size), size)


def gradient(size, top, bottom, horizontal=False):
    """A two-colour linear gradient as an RGB image."""
    w, h = size
    n = w if horizontal else h
    t = np.linspace(0.0, 1.0, max(1, n))[:, None]
    line = np.asarray(top, float)[None, :] * (1 - t) + np.asarray(bottom, float)[None, :] * t
    if horizontal:
        arr = np.broadcast_to(line[None, :, :], (h, w, 3))
    else:
        arr = np.broadcast_to(line[:, None, :], (h, w, 3))
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def multi_gradient(size, stops):
    """Vertical gradient through (position 0..1, colour) stops."""
    w, h = size
    y = np.linspace(0.0, 1.0, h)
    pos = [p for p, _ in stops]
    cols = np.array([c for _, c in stops], float)
    chans = [np.interp(y, pos, cols[:, k]) for k in range(3)]
    arr = np.stack(chans, axis=1)[:, None, :]
    arr = np.broadcast_to(arr, (h, w, 3))
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def radial(size, centre, radius, inner, outer, power=1.0):
    """Radial gradient from inner (at centre) to outer (at radius and beyond)."""
    w, h = size
    yy, xx = np.ogrid[0:h, 0:w]
    dx = (xx.astype(np.float32) - np.float32(centre[0])) ** 2
    dy = (yy.astype(np.float32) - np.float32(centre[1])) ** 2
    t = np.minimum(np.sqrt(dx + dy) / np.float32(radius), np.float32(1.0))
    if power != 1.0:
        t = t ** np.float32(power)
    inner = np.asarray(inner, np.float32)
    outer = np.asarray(outer, np.float32)
    arr = outer[None, None, :] + (inner - outer)[None, None, :] * (1 - t)[..., None]
    return Image.fromarray(arr.astype(np.uint8), "RGB")


def radial_in(size, box, centre, radius, inner, outer, power=1.0):
    """radial() computed only inside box (outer colour elsewhere), for small
    shapes on a large picture."""
    x0, y0, x1, y1 = (int(v) for v in box)
    x0, y0 = max(0, x0), max(0, y0)
    x1, y1 = min(size[0], x1 + 1), min(size[1], y1 + 1)
    full = Image.new("RGB", size, tuple(int(c) for c in outer))
    if x1 > x0 and y1 > y0:
        full.paste(radial((x1 - x0, y1 - y0), (centre[0] - x0, centre[1] - y0), radius, inner,
                          outer, power), (x0, y0))
    return full


def _points(xy):
    """The (x, y) pairs of an ImageDraw coordinate argument."""
    flat = []
    for v in xy:
        if isinstance(v, (tuple, list)):
            flat.extend(v)
        else:
            flat.append(v)
    return list(zip(flat[0::2], flat[1::2]))


def _shift(xy, dx, dy):
    return [(x - dx, y - dy) for x, y in _points(xy)]


class _Recorder:
    """Stands in for ImageDraw to learn where a shape will be drawn."""

    def __init__(self):
        self.pts = []

    def __getattr__(self, name):
        def record(xy, *args, **kwargs):
            self.pts.extend(_points(xy))
        return record


class _Shifted:
    """ImageDraw whose coordinates are moved by (-dx, -dy)."""

    def __init__(self, draw, dx, dy):
        self.draw, self.dx, self.dy = draw, dx, dy

    def __getattr__(self, name):
        method = getattr(self.draw, name)

        def shifted(xy, *args, **kwargs):
            return method(_shift(xy, self.dx, self.dy), *args, **kwargs)
        return shifted


def shape_mask(size, draw_fn, pad=24):
    """An anti-aliased L mask: draw_fn(draw, s) draws in white on a canvas s
    times larger (s = SS); coordinates are multiplied by s by the caller.
    Only the region the shape covers is drawn large."""
    w, h = size
    rec = _Recorder()
    draw_fn(rec, SS)
    mask = Image.new("L", (w, h), 0)
    if not rec.pts:
        return mask
    xs = [p[0] for p in rec.pts]
    ys = [p[1] for p in rec.pts]
    x0 = max(0, int(min(xs) / SS) - pad)
    y0 = max(0, int(min(ys) / SS) - pad)
    x1 = min(w, int(max(xs) / SS) + pad + 1)
    y1 = min(h, int(max(ys) / SS) + pad + 1)
    if x1 <= x0 or y1 <= y0:
        return mask
    big = Image.new("L", ((x1 - x0) * SS, (y1 - y0) * SS), 0)
    draw_fn(_Shifted(ImageDraw.Draw(big), x0 * SS, y0 * SS), SS)
    mask.paste(big.reduce(SS), (x0, y0))
    return mask


def rrect_mask(size, box, radius):
    x0, y0, x1, y1 = box
    return shape_mask(size, lambda d, s: d.rounded_rectangle(
        [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], radius=radius * s, fill=255))


def ellipse_mask(size, box):
    x0, y0, x1, y1 = box
    return shape_mask(size, lambda d, s: d.ellipse([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=255))


def polygon_mask(size, points):
    return shape_mask(size, lambda d, s: d.polygon([(x * s, y * s) for x, y in points], fill=255))


def paint(img, mask, fill):
    """Paints fill (a colour or an RGB image of img's size) through mask."""
    if isinstance(fill, tuple):
        fill = Image.new("RGB", img.size, fill)
    img.paste(fill, (0, 0), mask)


def rrect(img, box, radius, fill, outline=None, width=0):
    """A rounded rectangle with an optional smooth rim."""
    size = img.size
    outer = rrect_mask(size, box, radius)
    if outline is not None and width > 0:
        paint(img, outer, outline)
        x0, y0, x1, y1 = box
        inner = rrect_mask(size, (x0 + width, y0 + width, x1 - width, y1 - width),
                           max(0, radius - width))
        paint(img, inner, fill)
    else:
        paint(img, outer, fill)


def box_fill(img, box, top, bottom):
    """A gradient image the size of img whose gradient spans box vertically."""
    x0, y0, x1, y1 = (int(round(v)) for v in box)
    g = gradient((1, max(1, y1 - y0)), top, bottom).resize((img.size[0], max(1, y1 - y0)))
    full = Image.new("RGB", img.size, top)
    full.paste(Image.new("RGB", (img.size[0], img.size[1]), bottom), (0, y1))
    full.paste(g, (0, y0))
    return full


def gradient_rrect(img, box, radius, top, bottom, outline=None, width=0):
    size = img.size
    x0, y0, x1, y1 = box
    if outline is not None and width > 0:
        paint(img, rrect_mask(size, box, radius), outline)
        box = (x0 + width, y0 + width, x1 - width, y1 - width)
        radius = max(0, radius - width)
    paint(img, rrect_mask(size, box, radius), box_fill(img, box, top, bottom))


def add_light(img, layer):
    """Adds a light layer (RGB, black = nothing) over img."""
    return ImageChops.add(rgb(img), rgb(layer))


def neon_rrect(img, box, radius, colour, width=2, blur=6, strength=1.0):
    """A glowing trim: a thin bright rounded outline with a soft halo."""
    layer = Image.new("RGB", img.size, (0, 0, 0))
    x0, y0, x1, y1 = box
    m = shape_mask(img.size, lambda d, s: d.rounded_rectangle(
        [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], radius=radius * s, outline=255, width=width * s))
    paint(layer, m, colour)
    halo = soften(layer, blur)
    if strength != 1.0:
        halo = Image.eval(halo, lambda v: int(min(255, v * strength)))
    out = ImageChops.add(rgb(img), halo)
    out.paste(layer, (0, 0), m)
    return out


def neon_line(img, points, colour, width=2, blur=5):
    layer = Image.new("RGB", img.size, (0, 0, 0))
    m = shape_mask(img.size, lambda d, s: d.line([(x * s, y * s) for x, y in points],
                                                 fill=255, width=width * s))
    paint(layer, m, colour)
    out = ImageChops.add(rgb(img), soften(layer, blur))
    out.paste(layer, (0, 0), m)
    return out


def darken(img, box, amount, radius=0):
    """Dims a region (for text windows), with soft rounded edges."""
    m = rrect_mask(img.size, box, radius)
    m = Image.eval(m, lambda v: int(v * amount))
    black = Image.new("RGB", img.size, (0, 0, 0))
    img.paste(black, (0, 0), m)


def vignette(img, strength=0.55, power=2.2):
    w, h = img.size
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt(((xx - w / 2) / (w / 2)) ** 2 + ((yy - h / 2) / (h / 2)) ** 2) / 1.4142
    f = 1.0 - strength * np.clip(d, 0, 1) ** power
    arr = np.asarray(rgb(img), np.float32) * f[..., None]
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def noise(img, amount=3.0, seed=1):
    """A trace of grain, so large gradients do not band."""
    rng = np.random.default_rng(seed)
    arr = np.asarray(rgb(img), np.float32)
    arr = arr + rng.normal(0, amount, arr.shape[:2])[..., None]
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def sparkles(img, box, count, seed, colour=(255, 255, 255), max_r=1.6):
    """Scattered small points of light, like studio lamps far away."""
    rng = np.random.default_rng(seed)
    layer = Image.new("RGB", img.size, (0, 0, 0))
    d = ImageDraw.Draw(layer)
    x0, y0, x1, y1 = box
    for _ in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        r = rng.uniform(0.5, max_r)
        k = rng.uniform(0.35, 1.0)
        d.ellipse([x - r, y - r, x + r, y + r], fill=tuple(int(c * k) for c in colour))
    layer = ImageChops.add(soften(layer, 1.2), layer)
    return add_light(img, layer)


# --- Lettering --------------------------------------------------------------

def text_size(font, text):
    x0, y0, x1, y1 = font.getbbox(text)
    return x1 - x0, y1 - y0, x0, y0


def text_layer(size, text, font, centre, fill=255, spacing=0):
    """An L mask with text centred on centre (by its ink box)."""
    m = Image.new("L", size, 0)
    d = ImageDraw.Draw(m)
    if spacing:
        widths = [font.getlength(ch) for ch in text]
        total = sum(widths) + spacing * (len(text) - 1)
        _, h, _, oy = text_size(font, text)
        x = centre[0] - total / 2
        y = centre[1] - h / 2 - oy
        for ch, cw in zip(text, widths):
            d.text((x, y), ch, font=font, fill=fill)
            x += cw + spacing
    else:
        w, h, ox, oy = text_size(font, text)
        d.text((centre[0] - w / 2 - ox, centre[1] - h / 2 - oy), text, font=font, fill=fill)
    return m


def draw_text(img, text, font, centre, fill, shadow=None, shadow_offset=(2, 2), spacing=0,
              glow_colour=None, glow_radius=6, outline=None, outline_width=2):
    """Centred lettering with an optional drop shadow, dark outline and glow."""
    m = text_layer(img.size, text, font, centre, spacing=spacing)
    if glow_colour is not None:
        layer = Image.new("RGB", img.size, (0, 0, 0))
        paint(layer, thicken(m, 3), glow_colour)
        img = add_light(img, soften(layer, glow_radius))
    if shadow is not None:
        sm = soften(ImageChops.offset(m, *shadow_offset), 1.5)
        paint(img, sm, shadow)
    if outline is not None:
        om = thicken(m, 2 * outline_width + 1)
        paint(img, om, outline)
    paint(img, m, fill)
    return img


def gold_fill(size, box, light=(255, 236, 160), mid=style.GOLD, dark=(176, 110, 20)):
    """A metallic gold gradient spanning box vertically."""
    x0, y0, x1, y1 = (int(round(v)) for v in box)
    w, h = size
    band = multi_gradient((1, max(2, y1 - y0)), [(0.0, light), (0.45, mid), (0.55, dark),
                                                 (1.0, mid)]).resize((w, max(2, y1 - y0)))
    full = Image.new("RGB", size, mid)
    full.paste(band, (0, y0))
    return full


def metallic_text(img, text, font, centre, spacing=0, glow_colour=style.GOLD, glow_radius=8,
                  outline=(40, 20, 0), palette="gold", outline_px=2, glow_strength=0.8):
    """Lettering in polished gold (or silver), outlined, with a soft glow."""
    m = text_layer(img.size, text, font, centre, spacing=spacing)
    bbox = m.getbbox() or (0, 0, img.size[0], img.size[1])
    grow = 2 * outline_px + 1
    if glow_colour is not None:
        layer = Image.new("RGB", img.size, (0, 0, 0))
        paint(layer, thicken(m, grow + 2), glow_colour)
        img = add_light(img, Image.eval(soften(layer, glow_radius),
                                        lambda v: int(v * glow_strength)))
    if outline is not None and outline_px > 0:
        paint(img, soften(thicken(m, grow), 0.6),
              outline)
    box = (bbox[0], bbox[1], bbox[2], bbox[3])
    if palette == "gold":
        fill = gold_fill(img.size, box)
    elif palette == "bright-gold":
        fill = gold_fill(img.size, box, light=(255, 246, 200), mid=(255, 208, 80),
                         dark=(226, 160, 40))
    else:
        fill = gold_fill(img.size, box, light=(255, 255, 255), mid=(200, 208, 222),
                         dark=(120, 128, 150))
    paint(img, m, fill)
    return img


def logo(img, centre, height, glow=True):
    """The show's logo: TRIVENZA in bold gold capitals with a warm glow and a
    thin cyan underline, its cap height about `height` pixels. Small logos
    get a brighter gold and a thinner outline so they stay crisp."""
    f = style.font(int(height * 1.4), bold=True)
    spacing = max(1, int(height * 0.06))
    small = height < 30
    img = metallic_text(img, "TRIVENZA", f, centre, spacing=spacing,
                        glow_colour=style.GOLD if glow else None,
                        glow_radius=max(3, height // 5),
                        outline=(50, 26, 0), outline_px=1 if small else 2,
                        palette="bright-gold" if small else "gold",
                        glow_strength=0.55 if small else 0.8)
    w = f.getlength("TRIVENZA") + spacing * 7
    y = centre[1] + height * 0.72
    if height >= 14:
        img = neon_line(img, [(centre[0] - w * 0.42, y), (centre[0] + w * 0.42, y)], style.CYAN,
                        width=max(1, height // 18), blur=max(2, height // 8))
    return img


def clock_face(img, centre, radius, face, rim, tick, hand_colour=None):
    """A small round clock dial behind the seconds label."""
    cx, cy = centre
    r = radius
    img = neon_rrect(img, (cx - r - 2, cy - r - 2, cx + r + 3, cy + r + 3), r + 2, rim, width=2,
                     blur=4)
    paint(img, ellipse_mask(img.size, (cx - r, cy - r, cx + r + 1, cy + r + 1)),
          radial_in(img.size, (cx - r - 1, cy - r - 1, cx + r + 2, cy + r + 2),
                    (cx - r * 0.3, cy - r * 0.4), r * 1.6, lerp(face, (255, 255, 255), 0.25),
                 face))
    layer = Image.new("L", img.size, 0)
    d = ImageDraw.Draw(layer)
    for k in range(12):
        a = k * math.pi / 6
        r0 = r - (4 if k % 3 == 0 else 2.5)
        d.line([(cx + math.sin(a) * r0, cy - math.cos(a) * r0),
                (cx + math.sin(a) * (r - 1), cy - math.cos(a) * (r - 1))], fill=255, width=1)
    paint(img, layer, tick)
    return img
