"""The look of the show, shared by every picture the generator draws, so the
studio, the menus and the characters read as one television production.

Colours are (R, G, B). The menus draw their texts in orange (255, 102, 0) and
grey (102, 102, 102) over the menu backdrop, so the backdrop stays dark and cool
where texts go.
"""
import os

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/liberation"

# Studio palette.
NIGHT = (8, 10, 32)          # deepest background
INDIGO = (26, 32, 92)        # stage walls
ROYAL = (44, 62, 160)        # lit panels
CYAN = (70, 200, 255)        # neon trims
GOLD = (255, 196, 64)        # logo, highlights
ORANGE = (255, 102, 0)       # the menus' text colour
MAGENTA = (220, 50, 140)     # accents
SILVER = (192, 192, 192)     # board values and captions
WHITE = (255, 255, 255)

# Category colours (the scenes tint their labels with these too).
CATEGORY_COLOURS = {
    "history": (232, 184, 60),   # gold
    "music": (70, 110, 230),     # blue
    "sports": (60, 190, 90),     # green
    "tval": (220, 60, 60),       # red
}


def font(size, bold=False, italic=False, family="Serif"):
    style = {(False, False): "Regular", (True, False): "Bold",
             (False, True): "Italic", (True, True): "BoldItalic"}[(bold, italic)]
    path = os.path.join(FONT_DIR, f"Liberation{family}-{style}.ttf")
    return ImageFont.truetype(path, size)


def vertical_gradient(size, top, bottom):
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))
    return img


def glow(img, radius=6):
    """A soft light halo: the image blurred and added back over itself."""
    from PIL import ImageChops
    return ImageChops.add(img, img.filter(ImageFilter.GaussianBlur(radius)))


def studio_backdrop(size=(800, 600)):
    """The common studio look: a night-blue gradient with soft light beams."""
    img = vertical_gradient(size, INDIGO, NIGHT)
    beams = Image.new("RGB", size, (0, 0, 0))
    d = ImageDraw.Draw(beams)
    w, h = size
    for i, x in enumerate(range(-w // 4, w + w // 4, w // 5)):
        col = (30, 40, 110) if i % 2 else (40, 30, 90)
        d.polygon([(x + w // 10, 0), (x + w // 6, 0), (x + w // 3, h), (x, h)], fill=col)
    beams = beams.filter(ImageFilter.GaussianBlur(18))
    from PIL import ImageChops
    return ImageChops.add(img, beams)
