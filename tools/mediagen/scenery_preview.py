"""Preview sheets of the scenery as a player sees it: each generated picture
read back from the game directory (unscrambled, decoded) with sample texts
drawn where the game draws its labels, in the game's fonts and colours.

    python3 tools/mediagen/scenery_preview.py GAME_DIR OUT_PREFIX

writes OUT_PREFIX-<screen>.png. Not part of the build.
"""
import io
import os
import struct
import sys

import numpy as np
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402
import common_style as style  # noqa: E402

ORANGE = (255, 102, 0)
GREY = (102, 102, 102)
SILVER = (192, 192, 192)


def picture(game, name):
    with open(os.path.join(game, name), "rb") as f:
        data = common.unscramble(f.read(), common.PICTURE_KEY)
    return Image.open(io.BytesIO(data)).convert("RGB")


def avi_frames(game, name):
    """Decodes an RLE8 clip as written by common.write_avi."""
    with open(os.path.join(game, name), "rb") as f:
        data = f.read()
    i = data.index(b"strf") + 8
    _, w, h = struct.unpack("<Iii", data[i:i + 12])
    pal = np.frombuffer(data[i + 40:i + 40 + 1024], np.uint8).reshape(256, 4)[:, [2, 1, 0]]
    pos = data.index(b"movi") + 4
    end = data.index(b"idx1")
    frames, img = [], np.zeros((h, w), np.uint8)
    while pos < end:
        cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
        if cid != b"00dc":
            continue
        x = yb = k = 0
        while k < len(body):
            a, b = body[k], body[k + 1]
            k += 2
            if a:
                img[h - 1 - yb, x:x + a] = b
                x += a
            elif b == 0:
                x, yb = 0, yb + 1
            elif b == 1:
                break
            elif b == 2:
                x, yb = x + body[k], yb + body[k + 1]
                k += 2
            else:
                img[h - 1 - yb, x:x + b] = np.frombuffer(body[k:k + b], np.uint8)
                x += b
                k += b + (b & 1)
        frames.append(Image.fromarray(pal[img], "RGB"))
    return frames


def label(img, box, text, size, colour, align="left", bold=False, wrap=False, family="Serif"):
    x, y, w, h = box
    f = style.font(size, bold=bold, family=family)
    d = ImageDraw.Draw(img)
    lines = [text]
    if wrap:
        lines, cur = [], ""
        for word in text.split():
            test = (cur + " " + word).strip()
            if f.getlength(test) > w and cur:
                lines.append(cur)
                cur = word
            else:
                cur = test
        lines.append(cur)
    asc, desc = f.getmetrics()
    line_h = asc + desc
    top = y if wrap or align == "left" else y + (h - line_h) / 2
    for n, line in enumerate(lines):
        tw = f.getlength(line)
        lx = x if align == "left" else (x + w - tw if align == "right" else x + (w - tw) / 2)
        d.text((lx, top + n * line_h), line, font=f, fill=colour)


QUESTION = "Which ancient wonder of the world stood at the entrance to the harbour of Rhodes?"
ANSWERS = ["A. The Lighthouse of Alexandria", "B. The Colossus", "C. The Hanging Gardens",
           "D. The Mausoleum at Halicarnassus"]
TEXT_COLOURS = {"hist": (0, 0, 0), "musi": (204, 204, 204), "spor": (255, 255, 255),
                "tval": (204, 204, 204)}


def main(game, prefix):
    backdrop = picture(game, "cam3bknd.mm1")
    shots = {}

    scr = Image.new("RGB", (800, 600))
    scr.paste(picture(game, "vantosplsh.mm1"), (0, 0))
    emblem = avi_frames(game, "vantosplsh.mm4")
    scr.paste(emblem[43], (453, 158))
    shots["studio"] = scr
    sheet = Image.new("RGB", (152 * 9, 235 * 5))
    for k, f in enumerate(emblem[:45]):
        sheet.paste(f, ((k % 9) * 152, (k // 9) * 235))
    shots["emblem"] = sheet

    scr = picture(game, "titlespl.mm1")
    label(scr, (630, 545, 115, 17), "Version 1.0.0", 15, (0x44, 0x44, 0x44), "right", bold=True)
    shots["title"] = scr

    scr = backdrop.copy()
    label(scr, (202, 120, 396, 36), "Buy Trivenza", 32, ORANGE, "centre")
    for k, t in enumerate(["New Game", "Load Game", "Multi-Player", "Champions", "Help", "Quit"]):
        label(scr, (300, 160 + 40 * k, 200, 36), t, 32, ORANGE, "centre")
    shots["topmenu"] = scr

    scr = backdrop.copy()
    label(scr, (250, 88, 300, 36), "Game Options", 32, ORANGE, "centre")
    for (x, y), t in [((80, 136), "Rounds:"), ((112, 168), "(  ) 1"), ((184, 168), "(o) 2"),
                      ((256, 168), "(  ) 3"), ((80, 208), "Time to Answer:"),
                      ((112, 240), "(o) Unlimited"), ((272, 240), "(  ) 30 sec."),
                      ((80, 280), "Optional Rules:"), ((112, 312), "[x] Challenger may answer"),
                      ((112, 344), "[  ] Deduct points for incorrect answers")]:
        label(scr, (x, y, 600, 27), t, 24, ORANGE)
    label(scr, (80, 480, 120, 27), "Cancel", 24, ORANGE, "centre")
    label(scr, (600, 480, 120, 27), "Next >", 24, GREY, "centre")
    shots["options"] = scr

    scr = backdrop.copy()
    label(scr, (236, 88, 300, 36), "Help", 32, ORANGE, "centre")
    ImageDraw.Draw(scr).rectangle([104, 136, 104 + 593, 136 + 321], fill=GREY)
    label(scr, (108, 140, 585, 300), "Trivenza is a quiz show for up to three players.", 24, ORANGE)
    label(scr, (80, 480, 120, 27), "< Menu", 24, ORANGE, "centre")
    ImageDraw.Draw(scr).rectangle([376, 480, 376 + 327, 507], fill=GREY)
    label(scr, (376, 480, 327, 27), "Use up/down arrow keys to scroll.", 24, ORANGE)
    shots["help"] = scr

    scr = picture(game, "cam2bknd.mm1")
    plates = picture(game, "cam2nbrd.mm2")
    for c, (px, nx, sx, role, name, score) in enumerate(
            [(44, 57, 48, 0, "Maria", "12"), (314, 324, 328, 1, "Jonathan", "7"),
             (584, 591, 602, 2, "Li", "-3")]):
        ImageDraw.Draw(scr).rectangle([px, 72, px + 179, 72 + 184], fill=(70, 70, 90))
        scr.paste(plates.crop((0, 79 * role, 153, 79 * role + 79)), (nx, 320))
        label(scr, (nx + 15, 344, 121, 27), name, 24, (0, 0, 0), "centre")
        label(scr, (sx, 270, 153, 27), score, 24, SILVER, "right")
    cols = [(64, 100, 136, 172), (330, 366, 402, 438), (596, 632, 668, 704)]
    rows = [(413, 437, 461), (413, 437, 461), (412, 436, 460)]
    for c in range(3):
        cells = [(cols[c][k], rows[c][0]) for k in range(4)] + \
                [(cols[c][k], rows[c][1]) for k in range(4)] + [(cols[c][1], rows[c][2]),
                                                                (cols[c][2], rows[c][2])]
        for i, (x, y) in enumerate(cells):
            v = 10 - i
            col = (255, 0, 0) if (c == 1 and v == 6) else ((68, 68, 68) if v in (9, 3) else SILVER)
            label(scr, (x, y, 34, 23), str(v), 21, col, "centre")
    label(scr, (16, 536, 769, 35), "Jonathan, you're in control. Maria, review the question.",
          24, SILVER, "centre")
    shots["board"] = scr
    shots["plates"] = plates.resize((153 * 2, 237 * 2))

    scr = backdrop.copy()
    scr.paste(picture(game, "cam3choo.mm1"), (64, 69))
    label(scr, (392, 472, 33, 27), "30", 24, (0, 0, 0), "centre")
    ImageDraw.Draw(scr).rectangle([70, 76, 70 + 338, 76 + 224], outline=ORANGE)
    shots["choice"] = scr

    for key, pic, chal in [("hist", "cam3hist.mm1", "cam3chis.mm1"),
                           ("musi", "cam3musi.mm1", "cam3cmus.mm1"),
                           ("spor", "cam3spor.mm1", "cam3cspo.mm1"),
                           ("tval", "cam3tval.mm1", "cam3ctva.mm1")]:
        col = TEXT_COLOURS[key]
        scr = backdrop.copy()
        scr.paste(picture(game, pic), (61, 70))
        label(scr, (104, 184, 601, 108), QUESTION, 24, col, wrap=True)
        for k, a in enumerate(ANSWERS):
            label(scr, (104, 320 + 32 * k, 601, 27), a, 24, col)
        label(scr, (392, 472, 33, 27), "27", 24, col, "centre")
        shots["question-" + key] = scr
        scr = picture(game, chal)
        label(scr, (104, 152, 601, 108), QUESTION, 24, col, wrap=True)
        for k, a in enumerate(ANSWERS):
            label(scr, (104, 288 + 32 * k, 601, 27), a, 24, col)
        for k in range(10):
            if k in (1, 4):
                continue
            label(scr, (167 + 48 * k, 448, 33, 27), str(10 - k), 24, col, "centre")
        label(scr, (392, 504, 33, 27), "30", 24, col, "centre")
        shots["challenge-" + key] = scr

    for name in ("cam5see", "cam5step", "cam5cust"):
        shots[name] = picture(game, name + ".mm1")

    creds = avi_frames(game, "creds.mm4")
    sheet = Image.new("RGB", (330 * 4, 170 * 6), (90, 90, 90))
    picks = [int(k * (len(creds) - 1) / 23) for k in range(24)]
    for n, k in enumerate(picks):
        sheet.paste(creds[k], ((n % 4) * 330 + 5, (n // 4) * 170 + 5))
    shots["credits"] = sheet
    print(f"credits: {len(creds)} frames; emblem: {len(emblem)} frames")

    for name, im in shots.items():
        im.save(f"{prefix}-{name}.png")
        print(f"{prefix}-{name}.png")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
