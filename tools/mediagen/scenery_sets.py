"""The studio sets: the menu backdrop, the game board with its name plates,
the category choice panels, and the question and challenge value pictures of
the four categories.
"""
from PIL import Image, ImageDraw

import common_style as style
import scenery_draw as sd
import scenery_icons as icons

W, H = 800, 600

# Where the question scenes and the category choice lay their panels over the
# menu backdrop.
QUESTION_PANEL_AT = (61, 70)
CHOICE_PANEL_AT = (64, 69)
PANEL_SIZE = (685, 459)

# Per category: the text colour the game writes in (labels follow it), and the
# look of the panel behind those texts. History writes black, so its panel is
# light parchment; the others write light grey or white on deep colours.
CATEGORIES = {
    "history": dict(title="History", text=(0, 0, 0), base=(120, 84, 20), light=(250, 226, 160),
                    panel_top=(252, 236, 190), panel_bottom=(236, 204, 128),
                    slot=(255, 246, 214), slot_rim=(170, 120, 40), trim=style.GOLD, ink=(110, 70, 16)),
    "music": dict(title="Music", text=(204, 204, 204), base=(14, 24, 84), light=(80, 120, 240),
                  panel_top=(22, 36, 110), panel_bottom=(10, 16, 60),
                  slot=(8, 14, 52), slot_rim=(70, 110, 230), trim=(110, 150, 255), ink=(170, 190, 245)),
    "sports": dict(title="Sports", text=(255, 255, 255), base=(10, 60, 28), light=(70, 200, 100),
                   panel_top=(18, 84, 40), panel_bottom=(6, 40, 18),
                   slot=(4, 34, 14), slot_rim=(60, 190, 90), trim=(110, 230, 130), ink=(170, 235, 180)),
    "tval": dict(title="TV, Arts, and Literature", text=(204, 204, 204), base=(80, 12, 16),
                 light=(230, 70, 70), panel_top=(100, 18, 24), panel_bottom=(50, 6, 10),
                 slot=(40, 4, 8), slot_rim=(220, 60, 60), trim=(255, 110, 110), ink=(245, 180, 180)),
}


# --- Menu backdrop ----------------------------------------------------------

def menu_backdrop():
    """Calm, dark studio behind every menu: texts in orange and grey read on
    it; the logo sits small in the top-left corner, the centre stays clear."""
    img = style.studio_backdrop((W, H))
    img = Image.eval(img, lambda v: int(v * 0.45))
    # A faint stage ring low in the picture, the set's signature shape.
    ring = Image.new("RGB", (W, H), (0, 0, 0))
    m = sd.shape_mask((W, H), lambda d, s: [
        d.ellipse([(400 - r) * s, (640 - r * 0.32) * s, (400 + r) * s, (640 + r * 0.32) * s],
                  outline=255, width=2 * s) for r in (330, 390, 450)])
    sd.paint(ring, m, (20, 40, 90))
    img = sd.add_light(img, sd.soften(ring, 2))
    img = sd.vignette(img, 0.6)
    img = sd.sparkles(img, (0, 0, W, 60), 40, seed=3, colour=(120, 140, 220), max_r=1.2)
    # Trims above the title row and below the button row.
    img = sd.neon_line(img, [(24, 70), (776, 70)], (30, 90, 140), width=1, blur=3)
    img = sd.neon_line(img, [(24, 530), (776, 530)], (30, 90, 140), width=1, blur=3)
    img = sd.neon_line(img, [(300, 70), (500, 70)], (70, 160, 210), width=1, blur=4)
    img = sd.logo(img, (96, 36), 16)
    return sd.noise(img, 1.6, seed=5)


# --- Game board ---------------------------------------------------------------

PICTURES = [(44, 72), (314, 72), (584, 72)]
PICTURE_SIZE = (180, 185)
SCORES = [(48, 270), (328, 270), (602, 270)]
SCORE_SIZE = (153, 27)
PLATES = [(57, 320), (324, 320), (591, 320)]
PLATE_SIZE = (153, 79)
CELL_COLUMNS = [(64, 100, 136, 172), (330, 366, 402, 438), (596, 632, 668, 704)]
CELL_ROWS = [(413, 437, 461), (413, 437, 461), (412, 436, 460)]
CELL_SIZE = (34, 23)
MENU_TAB = (352, 4, 105, 33)
CAPTION_BAND = (16, 536, 769, 35)


def cell_boxes(c):
    cols, rows = CELL_COLUMNS[c], CELL_ROWS[c]
    boxes = [(x, rows[0]) for x in cols] + [(x, rows[1]) for x in cols] + \
            [(cols[1], rows[2]), (cols[2], rows[2])]
    return [(x, y, x + CELL_SIZE[0], y + CELL_SIZE[1]) for x, y in boxes]


def podium(img, c):
    """One contestant's desk: lit picture frame, score window, plate recess
    and the ten-cell value board on the desk's front."""
    px, py = PICTURES[c]
    pw, ph = PICTURE_SIZE
    centre = px + pw // 2
    # The desk: a trapezoid from under the picture down to the floor.
    top, bottom = 262, 500
    desk = [(centre - 104, top), (centre + 104, top), (centre + 116, bottom), (centre - 116, bottom)]
    fill = sd.multi_gradient((W, H), [(0.0, (20, 26, 70)), (0.43, (30, 40, 110)),
                                      (0.7, (18, 24, 72)), (1.0, (10, 12, 40))])
    sd.paint(img, sd.polygon_mask((W, H), desk), fill)
    img = sd.neon_line(img, [desk[0], desk[1]], style.GOLD, width=2, blur=5)
    img = sd.neon_line(img, [desk[3], desk[0]], (40, 120, 200), width=1, blur=3)
    img = sd.neon_line(img, [desk[1], desk[2]], (40, 120, 200), width=1, blur=3)
    # Picture frame (the picture covers the inside).
    sd.rrect(img, (px - 6, py - 6, px + pw + 6, py + ph + 6), 10, (6, 8, 24))
    img = sd.neon_rrect(img, (px - 5, py - 5, px + pw + 5, py + ph + 5), 9, style.CYAN, width=2,
                        blur=7)
    # Score window, the score is written right-aligned in silver.
    sx, sy = SCORES[c]
    sw, sh = SCORE_SIZE
    sd.gradient_rrect(img, (sx - 6, sy - 3, sx + sw + 6, sy + sh + 3), 7, (4, 6, 18), (14, 18, 44),
                      outline=(90, 110, 170), width=1)
    f = style.font(12, bold=True, family="Sans")
    ImageDraw.Draw(img).text((sx + 4, sy + 8), "SCORE", font=f, fill=(90, 120, 190))
    # Recess for the name plate.
    nx, ny = PLATES[c]
    nw, nh = PLATE_SIZE
    sd.rrect(img, (nx - 4, ny - 4, nx + nw + 4, ny + nh + 4), 8, (4, 5, 16))
    # Value board: a dark screen with a slot per cell.
    boxes = cell_boxes(c)
    x0 = min(b[0] for b in boxes) - 8
    x1 = max(b[2] for b in boxes) + 8
    y0 = min(b[1] for b in boxes) - 7
    y1 = max(b[3] for b in boxes) + 7
    sd.gradient_rrect(img, (x0, y0, x1, y1), 9, (6, 8, 26), (2, 3, 12), outline=(70, 90, 150),
                      width=1)
    for b in boxes:
        sd.gradient_rrect(img, (b[0] + 1, b[1] + 1, b[2] - 1, b[3] - 1), 4, (24, 32, 80),
                          (12, 16, 46), outline=(50, 66, 130), width=1)
    return img


def board():
    img = style.studio_backdrop((W, H))
    img = Image.eval(img, lambda v: int(v * 0.8))
    # Floor: a glossy stage with a lit ring.
    floor = sd.multi_gradient((W, 110), [(0, (16, 20, 60)), (1, (4, 5, 18))])
    img.paste(floor, (0, 490))
    ring = Image.new("RGB", (W, H), (0, 0, 0))
    m = sd.shape_mask((W, H), lambda d, s: d.ellipse([40 * s, 470 * s, 760 * s, 560 * s],
                                                     outline=255, width=2 * s))
    sd.paint(ring, m, (30, 80, 160))
    img = sd.add_light(img, sd.soften(ring, 3))
    img = sd.sparkles(img, (0, 0, W, 60), 50, seed=11, colour=(150, 170, 255))
    for c in range(3):
        img = podium(img, c)
    # Menu tab at the top centre.
    x, y, w, h = MENU_TAB
    sd.gradient_rrect(img, (x, y, x + w, y + h), 8, (60, 76, 170), (20, 26, 80),
                      outline=(150, 170, 230), width=1)
    img = sd.neon_rrect(img, (x, y, x + w, y + h), 8, style.CYAN, width=1, blur=4, strength=0.8)
    img = sd.draw_text(img, "MENU", style.font(18, bold=True, family="Sans"), (x + w / 2, y + h / 2),
                       style.GOLD, shadow=(0, 0, 0), spacing=3)
    # Logo small, top left and top right of the tab.
    img = sd.logo(img, (150, 28), 15)
    img = sd.draw_text(img, "LIVE", style.font(14, bold=True, family="Sans"), (650, 28),
                       (255, 90, 90), spacing=3, glow_colour=(160, 20, 20), glow_radius=4)
    sd.paint(img, sd.ellipse_mask((W, H), (617, 23, 627, 33)), (255, 60, 60))
    # Caption band.
    x, y, w, h = CAPTION_BAND
    sd.darken(img, (x, y, x + w, y + h), 0.75, radius=8)
    img = sd.neon_line(img, [(x + 20, y), (x + w - 20, y)], (40, 120, 200), width=1, blur=3)
    img = sd.neon_line(img, [(x + 20, y + h), (x + w - 20, y + h)], (40, 120, 200), width=1, blur=3)
    img = sd.vignette(img, 0.35)
    return sd.noise(img, 1.5, seed=12)


def name_plates():
    """Three plates of 153 x 79 stacked: no role (pearl), defender (lit gold),
    challenger (lit cyan). The name is written in black in the middle."""
    pw, ph = PLATE_SIZE
    strip = Image.new("RGB", (pw, ph * 3), (4, 5, 16))
    looks = [((230, 232, 240), (170, 176, 196), (120, 126, 150), None),
             ((255, 240, 170), (236, 176, 50), (255, 220, 110), style.GOLD),
             ((200, 244, 255), (80, 190, 240), (160, 230, 255), style.CYAN)]
    for row, (top, bottom, rim, glow) in enumerate(looks):
        plate = Image.new("RGB", (pw, ph), (4, 5, 16))
        if glow is not None:
            halo = Image.new("RGB", (pw, ph), (0, 0, 0))
            sd.paint(halo, sd.rrect_mask((pw, ph), (3, 3, pw - 3, ph - 3), 12), glow)
            plate = sd.add_light(plate, Image.eval(sd.soften(halo, 3),
                                                   lambda v: int(v * 0.8)))
        sd.gradient_rrect(plate, (5, 5, pw - 5, ph - 5), 11, sd.lerp(rim, (255, 255, 255), 0.4),
                          sd.lerp(rim, (0, 0, 0), 0.45), outline=(20, 20, 30), width=1)
        sd.gradient_rrect(plate, (9, 9, pw - 9, ph - 9), 8, top, bottom)
        # Soft highlight across the top half: a glass front.
        shine = Image.new("RGB", (pw, ph), (0, 0, 0))
        sd.paint(shine, sd.rrect_mask((pw, ph), (13, 11, pw - 13, 22), 5), (26, 26, 26))
        plate = sd.add_light(plate, shine)
        # The name label sits at 15..136 x 24..51 on the plate; the band keeps
        # it clear and light so a black name reads at a glance.
        strip.paste(plate, (0, row * ph))
    return strip


# --- Category choice ----------------------------------------------------------

def panel_base(at):
    """The menu backdrop under a panel placed at `at`, so its rounded corners
    and shadow blend with what the game shows around it."""
    x, y = at
    return menu_backdrop_cached().crop((x, y, x + PANEL_SIZE[0], y + PANEL_SIZE[1]))


_BACKDROP = None


def menu_backdrop_cached():
    global _BACKDROP
    if _BACKDROP is None:
        _BACKDROP = menu_backdrop()
    return _BACKDROP


CHOICE_TILES = [  # (category, key letter, box within the panel)
    ("tval", "T", (6, 7, 344, 231)),
    ("music", "M", (344, 7, 679, 231)),
    ("sports", "S", (6, 231, 344, 453)),
    ("history", "H", (344, 231, 679, 453)),
]


def choice_tile(img, cat, key, box):
    spec = CATEGORIES[cat]
    x0, y0, x1, y1 = box
    x0, y0, x1, y1 = x0 + 5, y0 + 5, x1 - 5, y1 - 5
    colour = style.CATEGORY_COLOURS[cat]
    top = sd.lerp(colour, (255, 255, 255), 0.1)
    bottom = sd.lerp(colour, (0, 0, 0), 0.72)
    sd.gradient_rrect(img, (x0, y0, x1, y1), 14, top, bottom, outline=sd.lerp(colour, (0, 0, 0), 0.8),
                      width=2)
    # A spotlight behind the emblem.
    cx, cy = (x0 + x1) // 2, y0 + 80
    light = sd.radial(img.size, (cx, cy), 110, sd.lerp(colour, (255, 255, 255), 0.35), (0, 0, 0), 1.3)
    mask = sd.rrect_mask(img.size, (x0 + 2, y0 + 2, x1 - 2, y1 - 2), 12)
    layer = Image.new("RGB", img.size, (0, 0, 0))
    layer.paste(Image.eval(light, lambda v: int(v * 0.55)), (0, 0), mask)
    img = sd.add_light(img, layer)
    img = icons.draw(img, cat, (cx, cy), 54)
    # Title lettering with a dark outline.
    titles = {"tval": "TV, Arts, and Literature", "music": "Music", "sports": "Sports",
              "history": "History"}
    size = 30 if cat == "tval" else 40
    img = sd.draw_text(img, titles[cat], style.font(size, bold=True), (cx, y1 - 34),
                       (255, 255, 255), outline=(20, 10, 10), outline_width=2,
                       glow_colour=sd.lerp(colour, (0, 0, 0), 0.2), glow_radius=8)
    # Key badge: the letter that picks this category.
    bx, by = x0 + 14, y0 + 14
    sd.gradient_rrect(img, (bx, by, bx + 30, by + 30), 7, (250, 250, 255), (190, 196, 214),
                      outline=(30, 30, 40), width=1)
    img = sd.draw_text(img, key, style.font(20, bold=True, family="Sans"), (bx + 15, by + 15),
                       (30, 30, 50))
    img = sd.neon_rrect(img, (x0, y0, x1, y1), 14, sd.lerp(colour, (255, 255, 255), 0.45), width=2,
                        blur=5, strength=0.7)
    return img


def category_choice():
    img = panel_base(CHOICE_PANEL_AT)
    pw, ph = PANEL_SIZE
    sd.darken(img, (0, 0, pw, ph), 0.7, radius=18)
    sd.rrect(img, (2, 2, pw - 2, ph - 2), 16, (8, 10, 30))
    img = sd.neon_rrect(img, (2, 2, pw - 2, ph - 2), 16, style.GOLD, width=2, blur=6)
    for cat, key, box in CHOICE_TILES:
        img = choice_tile(img, cat, key, box)
    # The seconds label (black text) sits on a light dial where the four
    # tiles meet at the bottom.
    cx, cy = 344.5, 416.5
    img = sd.clock_face(img, (cx, cy), 24, (246, 244, 236), style.GOLD, (80, 80, 90))
    return img


# --- Question and challenge panels -------------------------------------------

def answer_rows(img, spec, box_x, tops, width, height=27):
    """Lozenge bars for the four answers; the text starts at the bar's left
    edge plus a little, as the game writes 'A. ...' from the label's left."""
    for i, t in enumerate(tops):
        box = (box_x - 10, t - 1, box_x + width + 10, t + height + 1)
        sd.gradient_rrect(img, box, 14, sd.lerp(spec["slot"], (255, 255, 255), 0.06), spec["slot"],
                          outline=spec["slot_rim"], width=1)
    return img


def question_box(img, spec, box):
    x0, y0, x1, y1 = box
    sd.gradient_rrect(img, (x0 - 12, y0 - 10, x1 + 12, y1 + 10), 14,
                      sd.lerp(spec["slot"], (255, 255, 255), 0.04), spec["slot"],
                      outline=spec["slot_rim"], width=2)


def category_header(img, cat, spec, centre, subtitle):
    colour = style.CATEGORY_COLOURS[cat]
    cx, cy = centre
    img = icons.draw(img, cat, (cx - 250, cy + 2), 34)
    img = icons.draw(img, cat, (cx + 250, cy + 2), 34)
    size = 34 if cat == "tval" else 42
    if cat == "history":
        # Dark lettering on the light parchment.
        img = sd.draw_text(img, spec["title"], style.font(size, bold=True), (cx, cy - 6),
                           (96, 52, 4), shadow=(255, 250, 230), shadow_offset=(1, 2))
    else:
        img = sd.draw_text(img, spec["title"], style.font(size, bold=True), (cx, cy - 6),
                           (255, 255, 255), outline=sd.lerp(colour, (0, 0, 0), 0.75),
                           outline_width=1, glow_colour=colour, glow_radius=7)
    if subtitle:
        img = sd.draw_text(img, subtitle, style.font(17, italic=True), (cx, cy + 28), spec["ink"])
    return img


def panel_frame(img, cat, spec, box, radius=18):
    colour = style.CATEGORY_COLOURS[cat]
    x0, y0, x1, y1 = box
    sd.gradient_rrect(img, box, radius, spec["panel_top"], spec["panel_bottom"],
                      outline=sd.lerp(colour, (0, 0, 0), 0.6), width=3)
    # Soft light from the top of the panel.
    light = sd.radial(img.size, ((x0 + x1) / 2, y0), (x1 - x0) * 0.6,
                      sd.lerp(colour, (255, 255, 255), 0.3), (0, 0, 0), 1.4)
    layer = Image.new("RGB", img.size, (0, 0, 0))
    factor = 0.18 if cat == "history" else 0.35
    layer.paste(Image.eval(light, lambda v: int(v * factor)), (0, 0),
                sd.rrect_mask(img.size, box, radius))
    img = sd.add_light(img, layer)
    img = sd.neon_rrect(img, box, radius, spec["trim"], width=2, blur=6)
    return img


def question_panel(cat):
    """685 x 459 panel over the menu backdrop: header, question box, four
    answer bars and the clock dial. Offsets are the game's label positions
    minus the panel's place on screen."""
    spec = CATEGORIES[cat]
    ox, oy = QUESTION_PANEL_AT
    img = panel_base(QUESTION_PANEL_AT)
    pw, ph = PANEL_SIZE
    sd.darken(img, (4, 6, pw - 2, ph), 0.6, radius=20)
    img = panel_frame(img, cat, spec, (3, 3, pw - 3, ph - 3))
    img = category_header(img, cat, spec, (pw / 2, 56), None)
    question_box(img, spec, (104 - ox, 184 - oy, 705 - ox, 292 - oy))
    answer_rows(img, spec, 104 - ox, [t - oy for t in (320, 352, 384, 416)], 601)
    img = dial(img, spec, cat, (392 - ox + 16.5, 472 - oy + 13.5))
    return img


def dial(img, spec, cat, centre):
    face = (248, 240, 214) if cat == "history" else sd.lerp(spec["slot"], (0, 0, 0), 0.3)
    tick = (120, 90, 40) if cat == "history" else spec["slot_rim"]
    return sd.clock_face(img, centre, 22, face, spec["trim"], tick)


VALUE_LEFTS = [167 + 48 * k for k in range(10)]


def challenge_scene(cat):
    """Full-screen challenge value picture: the defender's question previewed
    with its answers, and a row of ten value slots to stake one of them."""
    spec = CATEGORIES[cat]
    colour = style.CATEGORY_COLOURS[cat]
    img = style.studio_backdrop((W, H))
    tint = Image.new("RGB", (W, H), sd.lerp(colour, (0, 0, 0), 0.5))
    img = Image.blend(img, tint, 0.25)
    img = sd.sparkles(img, (0, 0, W, 50), 40, seed=21, colour=sd.lerp(colour, (255, 255, 255), 0.5))
    img = sd.vignette(img, 0.5)
    box = (64, 56, 736, 548)
    img = panel_frame(img, cat, spec, box, radius=22)
    img = category_header(img, cat, spec, (W / 2, 94), "Challenge \u2014 choose a value")
    question_box(img, spec, (104, 152, 705, 260))
    answer_rows(img, spec, 104, [288, 320, 352, 384], 601)
    # Value slots: round tokens under each value label.
    for x in VALUE_LEFTS:
        cx, cy = x + 16.5, 448 + 13.5
        sd.paint(img, sd.ellipse_mask((W, H), (cx - 19, cy - 17, cx + 20, cy + 18)), spec["slot_rim"])
        sd.paint(img, sd.ellipse_mask((W, H), (cx - 17, cy - 15, cx + 18, cy + 16)),
                 sd.radial_in((W, H), (cx - 20, cy - 18, cx + 21, cy + 19), (cx - 5, cy - 6), 26,
                              sd.lerp(spec["slot"], (255, 255, 255), 0.12), spec["slot"]))
    f = style.font(12, bold=True, family="Sans")
    img = sd.draw_text(img, "VALUE", f, (120, 461), spec["ink"], spacing=1)
    img = dial(img, spec, cat, (392 + 16.5, 504 + 13.5))
    # The show's logo, small, under the panel.
    img = sd.logo(img, (W / 2, 575), 13)
    return sd.noise(img, 1.5, seed=22)
