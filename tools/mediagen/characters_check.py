"""Checks the character group's files in a game directory the way the game
will see them, and writes PNG previews for a person to look at:

    characters_check.py GAME_DIR PREVIEW_DIR

- every face clip decodes (RLE8 with delta frames), has the frames the segment
  table needs, and its first frame matches the portrait under it;
- the host clip has at least 240 frames and its first frame matches the scene;
- figure sheets have the right sizes; the host figure's bottom-left pixel is
  the transparent colour;
- the caption band of the cards is dark.
"""
import io
import os
import struct
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import characters_faces as cf  # noqa: E402
import characters_host as ch  # noqa: E402
import characters_timeline as tl  # noqa: E402
from common import PICTURE_KEY, unscramble  # noqa: E402


def load_picture(path):
    with open(path, "rb") as f:
        data = unscramble(f.read(), PICTURE_KEY)
    return Image.open(io.BytesIO(data)).convert("RGB")


def read_avi(path):
    """(width, height, frames as RGB arrays) of an RLE8 AVI."""
    with open(path, "rb") as f:
        data = f.read()
    pos = data.index(b"strf") + 8
    _, w, h = struct.unpack("<Iii", data[pos:pos + 12])
    pal = np.frombuffer(data[pos + 40:pos + 40 + 1024], np.uint8).reshape(256, 4)[:, 2::-1]
    frames = []
    canvas = np.zeros((h, w), np.uint8)
    p = data.index(b"movi") + 4
    end = data.index(b"idx1")
    while p < end:
        cid, size = data[p:p + 4], struct.unpack("<I", data[p + 4:p + 8])[0]
        body = data[p + 8:p + 8 + size]
        p += 8 + size + (size & 1)
        if cid != b"00dc":
            continue
        x, y, i = 0, h - 1, 0
        while i + 1 < len(body):
            a, b = body[i], body[i + 1]
            i += 2
            if a > 0:
                canvas[y, x:x + a] = b
                x += a
            elif b == 0:
                x, y = 0, y - 1
            elif b == 1:
                break
            elif b == 2:
                x += body[i]
                y -= body[i + 1]
                i += 2
            else:
                canvas[y, x:x + b] = np.frombuffer(body[i:i + b], np.uint8)
                x += b
                i += b + (b & 1)
        frames.append(pal[canvas].copy())
    return w, h, frames


def main(game, previews):
    os.makedirs(previews, exist_ok=True)
    faults = []
    segs = tl.read(os.path.join(os.path.dirname(__file__), "..", "..", "data", "characters", "segments.txt"))
    sheet = Image.new("RGB", (180 * 6, 185))
    for a in range(6):
        por = load_picture(os.path.join(game, f"cam2{a}.mm1"))
        w, h, frames = read_avi(os.path.join(game, f"con{a}.mm4"))
        need = max(s.ends[a] for s in segs)
        ox, oy = cf.FACE_OFFSETS[a]
        diff = np.abs(frames[0].astype(int) - np.asarray(por)[oy:oy + 96, ox:ox + 96].astype(int))
        print(f"con{a}.mm4: {w}x{h}, {len(frames)} frames (table needs {need}); "
              f"first frame vs portrait: mean {diff.mean():.2f}, max {diff.max()}")
        if (w, h) != (96, 96) or len(frames) < need or diff.mean() > 3:
            faults.append(f"con{a}.mm4")
        por.save(os.path.join(previews, f"cam2{a}.png"))
        sheet.paste(por, (a * 180, 0))
        strip = Image.new("RGB", (96 * 20, 96 * ((len(frames) + 19) // 20)))
        for i, fr in enumerate(frames):
            strip.paste(Image.fromarray(fr), ((i % 20) * 96, (i // 20) * 96))
        strip.save(os.path.join(previews, f"con{a}_frames.png"))
    sheet.save(os.path.join(previews, "portraits.png"))
    bd = load_picture(os.path.join(game, "cam1bknd.mm1"))
    w, h, frames = read_avi(os.path.join(game, "host.mm4"))
    x, y = ch.HOST_BOX[:2]
    diff = np.abs(frames[0].astype(int) - np.asarray(bd)[y:y + h, x:x + w].astype(int))
    print(f"host.mm4: {w}x{h}, {len(frames)} frames; first frame vs scene: mean {diff.mean():.2f}, max {diff.max()}")
    if (w, h) != (128, 176) or len(frames) < 240 or diff.mean() > 3:
        faults.append("host.mm4")
    bd.save(os.path.join(previews, "cam1bknd.png"))
    for name, size in [("cam4c1d.mm1", (37, 660)), ("cam4c2d.mm1", (46, 864)), ("cam4c3d.mm1", (60, 1134)),
                       ("cam4xwin.mm1", (45, 708)), ("cam4x2nd.mm1", (35, 648)), ("cam4x3rd.mm1", (35, 648)),
                       ("conpics.mm1", (241, 1542)), ("cam4bknd.mm1", (800, 600)), ("cam4xbkd.mm1", (800, 572))]:
        img = load_picture(os.path.join(game, name))
        print(f"{name}: {img.size[0]}x{img.size[1]}")
        if img.size != size:
            faults.append(name)
        img.save(os.path.join(previews, name.replace(".mm1", ".png")))
    for a in range(6):
        card = load_picture(os.path.join(game, f"cam2x{a}.mm1"))
        band = np.asarray(card)[530:576, 16:785].astype(float).mean()
        print(f"cam2x{a}.mm1: {card.size}, caption band mean {band:.1f}")
        if card.size != (800, 600) or band > 40:
            faults.append(f"cam2x{a}.mm1")
        card.save(os.path.join(previews, f"cam2x{a}.png"))
    with open(os.path.join(game, "cam4xhst.mm2"), "rb") as f:
        host = Image.open(io.BytesIO(unscramble(f.read(), PICTURE_KEY))).convert("RGB")
    corner = host.getpixel((0, host.size[1] - 1))
    print(f"cam4xhst.mm2: {host.size}, bottom-left {corner}")
    if host.size != (46, 118) or corner != (255, 0, 255):
        faults.append("cam4xhst.mm2")
    host.save(os.path.join(previews, "cam4xhst.png"))
    print("faults:", faults or "none")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
