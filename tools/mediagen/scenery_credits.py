"""The closing credits: data/scenery/credits.txt typeset on one tall strip,
rolled upwards through a 320 x 160 window on black. The last block (the logo
and a farewell) stops in the middle and holds until the clip ends."""
import os

import numpy as np
from PIL import Image, ImageDraw

import common_style as style
import scenery_draw as sd
from common import MediaError

SIZE = (320, 160)
FRAMES = 460
FPS = 11.5           # 460 frames in 40 s
HOLD_FRAMES = 40     # the closing block stands still this long
EDGE_FADE = 14       # pixels of soft fade at the top and bottom of the window


def read_credits(path):
    """[(kind, text)] from the credits file; kinds: logo, heading, title,
    name, gap."""
    try:
        with open(path, encoding="utf-8") as f:
            raw = f.read().splitlines()
    except OSError as e:
        raise MediaError(f"creds.mm4: cannot read {path}: {e}") from e
    entries = []
    for n, line in enumerate(raw, 1):
        line = line.rstrip()
        if line.startswith("#"):
            continue
        if not line:
            entries.append(("gap", ""))
        elif line == "@logo":
            entries.append(("logo", ""))
        elif line.startswith("@"):
            raise MediaError(f"creds.mm4: {path}:{n}: unknown directive {line!r}")
        elif line[:2] in ("= ", "* "):
            entries.append(({"=": "heading", "*": "title"}[line[0]], line[2:].strip()))
        else:
            entries.append(("name", line.strip()))
    while entries and entries[0][0] == "gap":
        entries.pop(0)
    if not any(k == "logo" for k, _ in entries):
        raise MediaError(f"creds.mm4: {path}: no @logo line for the closing block")
    return entries


HEIGHTS = {"logo": 50, "heading": 24, "title": 28, "name": 21, "gap": 14}


def _fonts():
    return {"heading": style.font(13, bold=True, family="Sans"),
            "title": style.font(22, bold=True),
            "name": style.font(18)}


def typeset(entries):
    """The strip (320 wide) and the y of the centre of the closing block."""
    w = SIZE[0]
    total = sum(HEIGHTS[k] for k, _ in entries)
    strip = Image.new("RGB", (w, total + 20), (0, 0, 0))
    fonts = _fonts()
    last_logo = max(i for i, (k, _) in enumerate(entries) if k == "logo")
    y = 0
    block_top = None
    for i, (kind, text) in enumerate(entries):
        h = HEIGHTS[kind]
        if i == last_logo:
            block_top = y
        cx, cy = w / 2, y + h / 2
        if kind == "logo":
            strip = sd.logo(strip, (cx, cy - 4), 24)
        elif kind == "heading":
            strip = sd.draw_text(strip, text.upper(), fonts["heading"], (cx, cy + 2), style.GOLD,
                                 spacing=2)
        elif kind == "title":
            strip = sd.draw_text(strip, text, fonts["title"], (cx, cy), (255, 255, 255))
        elif kind == "name":
            tw = fonts["name"].getlength(text)
            if tw > w - 12:
                raise MediaError(f"creds.mm4: credit line too wide for the window: {text!r}")
            ImageDraw.Draw(strip).text((cx - tw / 2, y + 1), text, font=fonts["name"],
                                       fill=(214, 218, 230))
        y += h
    block_centre = (block_top + y) / 2
    return strip, block_centre


def frames_from_strip(strip, block_centre):
    """Integer scroll positions, so letters stay sharp: the strip enters from
    the bottom and stops with the closing block centred."""
    w, h = SIZE
    pad = Image.new("RGB", (w, strip.size[1] + 2 * h), (0, 0, 0))
    pad.paste(strip, (0, h))
    # In padded coordinates the window's top starts at 0 (strip just below the
    # window) and ends where the closing block sits in the middle.
    end = int(round(h + block_centre - h / 2))
    moving = FRAMES - HOLD_FRAMES
    fade = np.ones(h, np.float32)
    ramp = np.linspace(0.0, 1.0, EDGE_FADE + 1)[1:]
    fade[:EDGE_FADE] = ramp
    fade[-EDGE_FADE:] = ramp[::-1]
    out = []
    for k in range(FRAMES):
        t = min(1.0, k / (moving - 1))
        top = int(round(end * t))
        view = np.asarray(pad.crop((0, top, w, top + h)), np.float32) * fade[:, None, None]
        out.append(Image.fromarray(view.astype(np.uint8), "RGB"))
    return out


def credit_frames(data_dir):
    entries = read_credits(os.path.join(data_dir, "scenery", "credits.txt"))
    strip, centre = typeset(entries)
    return frames_from_strip(strip, centre)
