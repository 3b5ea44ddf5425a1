"""The studio scenes the people stand in: the opening line-up with its three
podiums and the winners' stage. Each scene is drawn in layers (the set, the
people, what stands in front of them) so a figure picture is exactly the
backdrop under its rectangle with the person added."""
import math

import numpy as np
from PIL import Image, ImageChops, ImageDraw, ImageFilter

import characters_draw as cd
import common_style as style

LINEUP_SIZE = (800, 600)
LINEUP_RECTS = [(545, 205, 37, 110), (618, 178, 46, 144), (711, 142, 60, 189)]
LINEUP_SHEETS = ["cam4c1d.mm1", "cam4c2d.mm1", "cam4c3d.mm1"]

WINNERS_SIZE = (800, 572)
WINNER_RECTS = {"cam4xwin.mm1": (377, 211, 45, 118), "cam4x2nd.mm1": (441, 215, 35, 108),
                "cam4x3rd.mm1": (476, 215, 35, 108)}
HOST_RECT = (342, 212, 46, 118)
CREDITS_RECT = (240, 400, 320, 160)
KEY = (255, 0, 255)


# --- Set pieces ------------------------------------------------------------------

def to_img(arr):
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def add_glow_layer(img, layer, radius):
    return ImageChops.add(ImageChops.add(img, layer), layer.filter(ImageFilter.GaussianBlur(radius)))


def back_wall(size, horizon):
    """Night-blue wall with light panels above the floor line `horizon`."""
    w, h = size
    img = style.studio_backdrop(size)
    d = ImageDraw.Draw(img, "RGBA")
    # tall lit panels along the back wall
    for i, x in enumerate(range(-20, w + 40, 74)):
        top = 60 + (i % 2) * 14
        d.rectangle([x, top, x + 52, horizon - 6], fill=(44, 62, 160, 70))
        d.rectangle([x + 24, top, x + 28, horizon - 6], fill=(70, 200, 255, 40))
    return img


def light_truss(img, y, spacing=40, colour=(255, 236, 190)):
    """A row of stage lights hanging at the top of the set."""
    w, _ = img.size
    layer = Image.new("RGB", img.size, (0, 0, 0))
    d = ImageDraw.Draw(layer)
    dd = ImageDraw.Draw(img)
    dd.rectangle([0, y - 5, w, y + 3], fill=(24, 26, 44))
    dd.line([(0, y - 5), (w, y - 5)], fill=(70, 76, 110))
    for x in range(spacing // 2, w, spacing):
        dd.rectangle([x - 5, y + 2, x + 5, y + 9], fill=(30, 30, 40))
        d.ellipse([x - 3, y + 6, x + 3, y + 12], fill=colour)
    return add_glow_layer(img, layer, 6)


def logo_text(img, centre, size, glow=True):
    """The show's name in gold serif capitals with a warm glow."""
    f = style.font(size, bold=True)
    text = "TRIVENZA"
    bbox = f.getbbox(text)
    tw, th = bbox[2] - bbox[0], bbox[3] - bbox[1]
    x, y = centre[0] - tw / 2 - bbox[0], centre[1] - th / 2 - bbox[1]
    layer = Image.new("RGB", img.size, (0, 0, 0))
    ImageDraw.Draw(layer).text((x, y), text, font=f, fill=(150, 100, 20))
    if glow:
        img = ImageChops.add(img, layer.filter(ImageFilter.GaussianBlur(max(2, size / 6))))
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).text((x, y), text, font=f, fill=255)
    grad = Image.new("RGB", img.size)
    top, bottom = (255, 240, 170), (220, 140, 30)
    gd = ImageDraw.Draw(grad)
    y0, y1 = int(centre[1] - th / 2), int(centre[1] + th / 2)
    for yy in range(max(0, y0), min(img.size[1], y1 + 1)):
        t = (yy - y0) / max(1, y1 - y0)
        gd.line([(0, yy), (img.size[0], yy)], fill=cd.mix(top, bottom, t))
    img.paste(grad, (0, 0), mask)
    return img


def screen(img, box, glow_colour=style.CYAN):
    """A framed video wall with the logo on it."""
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    d.rectangle([x0 - 4, y0 - 4, x1 + 4, y1 + 4], fill=(20, 22, 36))
    grad = style.vertical_gradient((x1 - x0, y1 - y0), (40, 52, 150), (14, 16, 60))
    img.paste(grad, (x0, y0))
    # light rays on the wall
    d = ImageDraw.Draw(img, "RGBA")
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    for i in range(12):
        a = i * math.pi / 6
        d.polygon([(cx, cy), (cx + math.cos(a) * 400, cy + math.sin(a) * 400),
                   (cx + math.cos(a + 0.18) * 400, cy + math.sin(a + 0.18) * 400)],
                  fill=(90, 120, 255, 22))
    layer = Image.new("RGB", img.size, (0, 0, 0))
    ImageDraw.Draw(layer).rectangle([x0 - 3, y0 - 3, x1 + 3, y1 + 3], outline=glow_colour, width=2)
    img = add_glow_layer(img, layer, 5)
    img = logo_text(img, (cx, cy), int(min((y1 - y0) * 0.32, (x1 - x0) / 5.6)))
    return img


def glossy_floor(img, horizon, vanish_x, tint=(30, 36, 100)):
    """A dark glossy floor with perspective lines towards a vanishing point."""
    w, h = img.size
    floor = style.vertical_gradient((w, h - horizon), (tint[0] // 2, tint[1] // 2, tint[2] // 2), (6, 6, 20))
    img.paste(floor, (0, horizon))
    d = ImageDraw.Draw(img, "RGBA")
    vy = horizon - 160
    for i in range(-12, 13):
        x = vanish_x + i * 140
        d.line([(vanish_x + (x - vanish_x) * 0.13, horizon), (x, h)], fill=(70, 200, 255, 26), width=1)
    for k in range(1, 9):
        y = horizon + (h - horizon) * (k / 9.0) ** 1.8
        d.line([(0, y), (w, y)], fill=(70, 200, 255, 16), width=1)
    d.line([(0, horizon), (w, horizon)], fill=(70, 200, 255, 120), width=2)
    del vy
    return img


def reflect(img, y0, y1, at, strength=0.25):
    """A soft mirror image of the band y0..y1 on the floor below `at`."""
    band = img.crop((0, y0, img.size[0], y1)).transpose(Image.FLIP_TOP_BOTTOM)
    band = band.filter(ImageFilter.GaussianBlur(2))
    h = min(y1 - y0, img.size[1] - at)
    band = band.crop((0, 0, img.size[0], h))
    fade = np.linspace(strength, 0, h, dtype=np.float32)[:, None, None]
    base = np.asarray(img.crop((0, at, img.size[0], at + h)), np.float32)
    mixed = base + np.asarray(band, np.float32) * fade
    img.paste(to_img(mixed), (0, at))
    return img


def caption_band(img, y0=528, y1=578):
    arr = np.asarray(img, np.float32).copy()
    h = arr.shape[0]
    ys = np.arange(h, dtype=np.float32)
    k = np.clip(np.minimum(ys - (y0 - 16), (y1 + 16) - ys) / 16, 0, 1) * 0.8
    arr *= (1 - k)[:, None, None]
    return to_img(arr)


def spot(img, centre, radius, colour=(120, 140, 220), strength=0.5):
    w, h = img.size
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt(((xx - centre[0]) / radius[0]) ** 2 + ((yy - centre[1]) / radius[1]) ** 2)
    g = (np.clip(1 - d, 0, 1) ** 1.5)[..., None] * np.array(colour, np.float32) * strength
    return to_img(np.asarray(img, np.float32) + g)


def podium_layer(size, x_mid, top, bottom, half_top, half_bottom, side, number, ss=4):
    """A contestant podium in perspective as an RGBA layer: its front face, the
    side turned towards the centre of the set, a gold rim and a lit number.
    Drawn four times larger and scaled down for smooth edges."""
    big = podium_layer_at((size[0] * ss, size[1] * ss), x_mid * ss, top * ss, bottom * ss, half_top * ss,
                          half_bottom * ss, side, number)
    return big.reduce(ss)


def podium_layer_at(size, x_mid, top, bottom, half_top, half_bottom, side, number):
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    depth = half_top * 0.45
    fl, fr = x_mid - half_top, x_mid + half_top
    bl, br = x_mid - half_bottom, x_mid + half_bottom
    # side face (towards the viewer's left)
    d.polygon([(fl - depth * side, top - depth * 0.25), (fl, top), (bl, bottom), (bl - depth * side, bottom - 3)],
              fill=(22, 28, 80, 255))
    # top
    d.polygon([(fl - depth * side, top - depth * 0.25), (fr - depth * side, top - depth * 0.25), (fr, top), (fl, top)],
              fill=(60, 70, 140, 255))
    # front with a vertical gradient
    h = int(bottom - top)
    for i in range(h + 1):
        t = i / max(1, h)
        c = cd.mix((52, 70, 180), (18, 20, 70), t)
        xl = fl + (bl - fl) * t
        xr = fr + (br - fr) * t
        d.line([(xl, top + i), (xr, top + i)], fill=c + (255,))
    d.line([(fl, top), (fr, top)], fill=style.GOLD + (255,), width=max(2, int(half_top / 10)))
    stripe = top + (bottom - top) * 0.72
    d.line([(fl + (bl - fl) * 0.72, stripe), (fr + (br - fr) * 0.72, stripe)], fill=style.CYAN + (255,),
           width=max(1, int(half_top / 14)))
    f = style.font(max(8, int(half_top * 0.9)), bold=True)
    txt = str(number)
    bb = f.getbbox(txt)
    cy = top + (bottom - top) * 0.38
    d.text((x_mid - (bb[2] + bb[0]) / 2, cy - (bb[3] + bb[1]) / 2), txt, font=f, fill=style.GOLD + (255,))
    return layer


def figure_pose(kind):
    if kind == "winner":
        return cd.Pose(smile=1.0, mouth=0.35, brow=0.5, arm="up")
    if kind == "host":
        return cd.Pose(smile=0.7, mouth=0.0)
    return cd.Pose(smile=0.5)


def figure_sheet(base, front, rect, people, feet_local_y, height, pose):
    """One figure per appearance on exactly the scene's backdrop at rect."""
    x, y, w, h = rect
    sheet = Image.new("RGB", (w, h * len(people)))
    under = base.crop((x, y, x + w, y + h))
    over = front.crop((x, y, x + w, y + h)) if front is not None else None
    for a, p in enumerate(people):
        fig = cd.draw_standing(under, p, pose, (w / 2.0, feet_local_y), height)
        if over is not None:
            fig.paste(over, (0, 0), over)
        sheet.paste(fig, (0, a * h))
    return sheet


# --- The line-up ------------------------------------------------------------------

def lineup(people):
    """(backdrop, {sheet name: figure sheet}) of the opening line-up."""
    w, h = LINEUP_SIZE
    horizon = 352
    img = back_wall((w, h), horizon)
    img = spot(img, (650, 250), (230, 200), (90, 110, 200), 0.45)
    img = screen(img, (70, 96, 430, 290))
    img = light_truss(img, 30)
    img = glossy_floor(img, horizon, 420)
    img = reflect(img, 96, 294, horizon + 2, 0.18)
    # a round stage disc in front of the screen
    d = ImageDraw.Draw(img, "RGBA")
    d.ellipse([90, horizon + 20, 420, horizon + 92], fill=(40, 50, 140, 120), outline=(70, 200, 255, 150), width=2)
    d.ellipse([150, horizon + 34, 360, horizon + 78], outline=(255, 196, 64, 110), width=2)
    img = spot(img, (255, horizon + 56), (170, 40), (120, 140, 255), 0.35)
    base = img
    # podiums in front of the figures
    front = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    for i, (x, y, rw, rh) in enumerate(LINEUP_RECTS):
        top = y + rh * 0.5
        bottom = 364 + 16 * i
        half_top = rw * 0.62
        layer = podium_layer((w, h), x + rw / 2.0, top, bottom, half_top, half_top * 0.88, 1, i + 1)
        front = Image.alpha_composite(front, layer)
    backdrop = base.copy()
    backdrop.paste(front, (0, 0), front)
    backdrop = reflect(backdrop, 260, 380, 384, 0.12)
    backdrop = caption_band(backdrop)
    # the caption band and reflections reach under the podiums' rects only
    # below them, so the figure sheets use the same finished backdrop
    final_base = base.copy()
    final_base.paste(front, (0, 0), front)
    sheets = {}
    for name, (x, y, rw, rh) in zip(LINEUP_SHEETS, LINEUP_RECTS):
        feet = rh - 2
        height = rh - 6
        sheets[name] = figure_sheet_exact(backdrop, base, front, (x, y, rw, rh), people, feet, height,
                                          figure_pose("contestant"))
    return backdrop, sheets


def figure_sheet_exact(backdrop, base, front, rect, people, feet_local_y, height, pose):
    """Figure sheet whose pixels outside the person equal the finished backdrop:
    the person is drawn over the set, the podium goes back on top, and every
    pixel the person did not touch is copied from the backdrop."""
    x, y, w, h = rect
    sheet = Image.new("RGB", (w, h * len(people)))
    under = base.crop((x, y, x + w, y + h))
    over = front.crop((x, y, x + w, y + h))
    final = backdrop.crop((x, y, x + w, y + h))
    for a, p in enumerate(people):
        fig, mask = cd.draw_standing(under, p, pose, (w / 2.0, feet_local_y), height, mask=True)
        fig.paste(over, (0, 0), over)
        # outside the figure, and where the podium covers it, the backdrop shows
        keep = ImageChops.multiply(mask, ImageChops.invert(over.getchannel("A")))
        out = final.copy()
        out.paste(fig, (0, 0), keep)
        sheet.paste(out, (0, a * h))
    return sheet


# --- The winners' stage -------------------------------------------------------------

def confetti(img, box, count, seed, avoid=None):
    rng = np.random.default_rng(seed)
    d = ImageDraw.Draw(img, "RGBA")
    x0, y0, x1, y1 = box
    cols = [style.GOLD, style.CYAN, style.MAGENTA, (255, 255, 255), (120, 220, 120)]
    for _ in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        a = rng.uniform(0, math.pi)
        if avoid and avoid[0] - 6 < x < avoid[2] + 6 and avoid[1] - 6 < y < avoid[3] + 6:
            continue
        ln = rng.uniform(2, 5)
        c = cols[rng.integers(len(cols))]
        d.line([(x, y), (x + math.cos(a) * ln, y + math.sin(a) * ln)], fill=c + (int(rng.uniform(120, 230)),),
               width=2)
    return img


def winners(people, host):
    """(backdrop, {sheet name: figure sheet}, host figure on the key colour)."""
    w, h = WINNERS_SIZE
    horizon = 330
    img = back_wall((w, h), horizon)
    img = screen(img, (250, 60, 550, 190))
    img = light_truss(img, 24)
    img = glossy_floor(img, horizon, 430)
    # spotlight beams onto the podium
    beams = Image.new("RGB", (w, h), (0, 0, 0))
    bd = ImageDraw.Draw(beams)
    for sx in (120, 300, 560, 700):
        bd.polygon([(sx - 10, 0), (sx + 10, 0), (470, 330), (380, 330)], fill=(40, 44, 90))
    img = ImageChops.add(img, beams.filter(ImageFilter.GaussianBlur(14)))
    img = spot(img, (440, 280), (150, 90), (150, 160, 255), 0.5)
    img = confetti(img, (120, 40, 700, 330), 300, 11, avoid=(250, 60, 550, 190))
    # the steps: the winner's step is higher
    d = ImageDraw.Draw(img)
    steps = [((372, 312, 430, 336), "1"), ((432, 322, 518, 336), "2  3")]
    for (x0, y0, x1, y1), label in steps:
        d.polygon([(x0 + 4, y0 - 6), (x1 - 4, y0 - 6), (x1, y0), (x0, y0)], fill=(80, 90, 170))
        grad = style.vertical_gradient((x1 - x0, y1 - y0), (60, 76, 190), (24, 26, 80))
        img.paste(grad, (x0, y0))
        d.line([(x0, y0), (x1, y0)], fill=style.GOLD, width=2)
    f = style.font(14, bold=True)
    d.text((395, 316), "1", font=f, fill=style.GOLD)
    d.text((452, 322), "2", font=style.font(11, bold=True), fill=style.GOLD)
    d.text((489, 322), "3", font=style.font(11, bold=True), fill=style.GOLD)
    # the credits screen in the stage front
    cx0, cy0, cw, ch = CREDITS_RECT
    d.rectangle([cx0 - 10, cy0 - 10, cx0 + cw + 9, cy0 + ch + 9], fill=(18, 18, 30))
    d.rectangle([cx0 - 8, cy0 - 8, cx0 + cw + 7, cy0 + ch + 7], outline=style.GOLD, width=2)
    d.rectangle([cx0 - 3, cy0 - 3, cx0 + cw + 2, cy0 + ch + 2], outline=(35, 100, 128), width=1)
    d.rectangle([cx0, cy0, cx0 + cw - 1, cy0 + ch - 1], fill=(0, 0, 0))
    img = reflect(img, 200, 330, 338, 0.12)
    # reflections must not reach the credits screen
    d = ImageDraw.Draw(img)
    d.rectangle([cx0 - 10, cy0 - 10, cx0 + cw + 9, cy0 + ch + 9], fill=(18, 18, 30))
    d.rectangle([cx0 - 8, cy0 - 8, cx0 + cw + 7, cy0 + ch + 7], outline=style.GOLD, width=2)
    d.rectangle([cx0 - 3, cy0 - 3, cx0 + cw + 2, cy0 + ch + 2], outline=(35, 100, 128), width=1)
    d.rectangle([cx0, cy0, cx0 + cw - 1, cy0 + ch - 1], fill=(0, 0, 0))
    backdrop = img
    sheets = {}
    feet_y = {"cam4xwin.mm1": 311, "cam4x2nd.mm1": 321, "cam4x3rd.mm1": 321}
    for name, (x, y, rw, rh) in WINNER_RECTS.items():
        feet_local = feet_y[name] - y
        height = 96 if name == "cam4xwin.mm1" else 94
        kind = "winner" if name == "cam4xwin.mm1" else "contestant"
        sheets[name] = figure_sheet(backdrop, None, (x, y, rw, rh), people, feet_local, height, figure_pose(kind))
    host_img = host_figure(backdrop, host)
    return backdrop, sheets, host_img


def host_figure(backdrop, host):
    """The host standing beside the winners, on the key colour: hard edges,
    edge pixels blended towards the stage behind, never towards the key."""
    x, y, w, h = HOST_RECT
    under = backdrop.crop((x, y, x + w, y + h))
    fig, mask = cd.draw_standing(under, host, figure_pose("host"), (w / 2.0, 328 - y), 100, mask=True)
    m = np.asarray(mask) >= 128
    arr = np.asarray(fig).copy()
    arr[~m] = KEY
    # a drawn pixel that happens to be the key colour would vanish: nudge it
    same = m & np.all(arr == np.array(KEY, np.uint8), axis=-1)
    arr[same] = (254, 0, 254)
    arr[h - 1, 0] = KEY
    return Image.fromarray(arr, "RGB")
