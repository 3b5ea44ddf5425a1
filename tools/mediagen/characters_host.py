"""The host's scene: the studio picture with the host at his lectern, and the
host's animation (128 x 176 at 329, 28) with every line he says in the scene,
one stretch of frames after the other. The mouth follows the loudness of his
own speech clips, squeezed or stretched into each stretch."""
import os
from dataclasses import replace

import numpy as np
from PIL import Image, ImageChops, ImageDraw

import characters_draw as cd
import characters_faces as cf
import characters_scenes as cs
import common_style as style
from common import MediaError

SCENE_SIZE = (800, 600)
HOST_BOX = (329, 28, 128, 176)
HEAD = (64.0, 50.0)       # face centre inside the box
UNIT = 15.5
LECTERN_TOP = 28 + 136    # scene y of the lectern's top edge
FRAMES = 240

# (first frame, last frame, clips said, gesture)
STRETCHES = [(1, 72, ["hwelcome", "himyour", "hname", "hlbegin"], "welcome"),
             (72, 105, ["hwbrback"], "nod"),
             (105, 119, ["hwelback"], "open"),
             (119, 134, ["honwithr"], "none"),
             (134, 147, ["honwithr"], "none"),
             (147, 154, ["h01"], "nod"),
             (154, 159, ["h02"], "nod"),
             (159, 165, ["h03"], "nod"),
             (165, 230, ["hthanku"], "wave")]

REST = cd.Pose(smile=0.35, arm="open", lift=0.0)
GAP_SECONDS = 0.18  # pause between joined clips of one line


def clip_track(clips, voice_dir):
    parts = []
    for name in clips:
        x, rate = cf.read_clip(os.path.join(voice_dir, name + ".mm3"))
        if rate != 22050:
            raise MediaError(f"{name}.mm3: expected 22050 Hz, found {rate}")
        parts.append(x)
        parts.append(np.zeros(int(GAP_SECONDS * rate), np.float32))
    return np.concatenate(parts[:-1]), 22050


def mouth_track(x, rate, frames):
    """Loudness of the whole line spread evenly over `frames` frames."""
    out = np.zeros(frames, np.float32)
    edges = np.linspace(0, len(x), frames + 1).astype(int)
    for i in range(frames):
        seg = x[edges[i]:edges[i + 1]]
        if len(seg):
            out[i] = float(np.sqrt(np.mean(seg * seg)))
    peak = out.max()
    if peak > 0:
        out = np.clip(out / peak, 0, 1) ** 0.7
        out[out < 0.12] = 0
    return out


def gesture_at(kind, t):
    """(arm, lift, wave, nod) at time t 0..1 of a stretch."""
    ramp = lambda a, b, c, d: cf.ease((t - a) / (b - a)) if t < c else 1 - cf.ease((t - c) / (d - c))  # noqa
    if kind == "welcome":
        lift = ramp(0.04, 0.16, 0.5, 0.62) if t < 0.62 else 0.0
        nod = 0.12 * max(0.0, np.sin(np.pi * (t - 0.8) / 0.15)) if 0.8 < t < 0.95 else 0.0
        return "open", lift, 0.0, nod
    if kind == "open":
        lift = ramp(0.05, 0.35, 0.6, 0.95) if t < 0.95 else 0.0
        return "open", lift, 0.0, 0.0
    if kind == "wave":
        lift = ramp(0.35, 0.48, 0.84, 0.97) if 0.35 < t < 0.97 else 0.0
        wave = float(np.sin((t - 0.35) * 2 * np.pi * 5.0))
        return "wave", lift, wave, 0.0
    if kind == "nod":
        nod = 0.12 * float(np.sin(np.pi * t)) if 0 < t < 1 else 0.0
        return "open", 0.0, 0.0, nod
    return "open", 0.0, 0.0, 0.0


def host_poses(voice_dir):
    poses = [REST] * FRAMES
    for first, last, clips, gesture in STRETCHES:
        n = last - first + 1
        x, rate = clip_track(clips, voice_dir)
        track = mouth_track(x, rate, n - 2)
        for i in range(n):
            t = i / (n - 1)
            arm, lift, wave, nod = gesture_at(gesture, t)
            m = float(track[i - 1]) if 0 < i < n - 1 else 0.0
            p = replace(REST, mouth=m * 0.8, smile=0.35 + 0.15 * m, brow=0.3 * m, nod=nod + 0.03 * m,
                        arm=arm, lift=lift, wave=wave)
            if i in (0, n - 1):
                p = REST
            poses[first - 1 + i] = p
        if n > 30:
            cf.with_blink(poses, first - 1 + n // 3)
            cf.with_blink(poses, first - 1 + (4 * n) // 5)
    for k in range(236, FRAMES):
        poses[k] = REST
    cf.with_blink(poses, 234)
    return [cf.quantise(p) for p in poses]


def scene_layers():
    """(set behind the host, lectern in front of him as RGBA)."""
    w, h = SCENE_SIZE
    horizon = 430
    img = cs.back_wall((w, h), horizon)
    # a glowing ring behind the host
    layer = Image.new("RGB", (w, h), (0, 0, 0))
    d = ImageDraw.Draw(layer)
    d.ellipse([393 - 150, 110 - 150, 393 + 150, 110 + 150], outline=(40, 110, 160), width=4)
    d.ellipse([393 - 118, 110 - 118, 393 + 118, 110 + 118], outline=(140, 100, 30), width=3)
    img = cs.add_glow_layer(img, layer, 8)
    img = cs.spot(img, (393, 110), (170, 170), (70, 90, 200), 0.5)
    # side screens with the logo
    img = cs.screen(img, (24, 120, 234, 300))
    img = cs.screen(img, (566, 120, 776, 300))
    img = cs.light_truss(img, 14, spacing=50)
    img = cs.glossy_floor(img, horizon, 393)
    img = cs.reflect(img, 120, 300, horizon + 2, 0.12)
    # the lectern
    front = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(front)
    top = LECTERN_TOP
    d.polygon([(286, top - 6), (500, top - 6), (512, top + 4), (274, top + 4)], fill=(70, 80, 150, 255))
    # the host's riser: two lit steps up to the lectern
    for (x0, y0, x1, y1) in ((150, 380, 636, 430), (214, 330, 572, 380)):
        for i in range(y1 - y0):
            t = i / (y1 - y0)
            d.line([(x0, y0 + i), (x1, y0 + i)], fill=cd.mix((44, 56, 150), (16, 18, 60), t) + (255,))
        d.line([(x0, y0), (x1, y0)], fill=style.GOLD + (255,), width=2)
        d.line([(x0 + 10, y1 - 10), (x1 - 10, y1 - 10)], fill=style.CYAN + (200,), width=1)
    bottom = 330
    for i in range(0, bottom - top):
        t = i / (bottom - top)
        c = cd.mix((58, 76, 190), (20, 22, 76), t)
        half = 119 - 14 * t
        d.line([(393 - half, top + 4 + i), (393 + half, top + 4 + i)], fill=c + (255,))
    d.line([(274, top + 4), (512, top + 4)], fill=style.GOLD + (255,), width=3)
    d.line([(283, top + 150), (503, top + 150)], fill=style.CYAN + (255,), width=2)
    logo = Image.new("RGB", (w, h), (0, 0, 0))
    logo = cs.logo_text(logo, (393, top + 78), 40)
    lmask = ImageChops.lighter(ImageChops.lighter(logo.getchannel("R"), logo.getchannel("G")),
                               logo.getchannel("B"))
    front.paste(logo.convert("RGBA"), (0, 0), lmask)
    return img, front


def host_scene(host, voice_dir):
    """(backdrop without the host, animation frames)."""
    base, front = scene_layers()
    x, y, w, h = HOST_BOX
    under = base.crop((x, y, x + w, y + h))
    over = front.crop((x, y, x + w, y + h))
    cache = {}
    frames = []
    for pose in host_poses(voice_dir):
        img = cache.get(pose)
        if img is None:
            img = cd.draw_bust(under, host, pose, HEAD, UNIT, bottom=8.0, arms=True)
            img.paste(over, (0, 0), over)
            cache[pose] = img
        frames.append(img)
    backdrop = base.copy()
    backdrop.paste(front, (0, 0), front)
    backdrop = cs.reflect(backdrop, LECTERN_TOP, 430, 432, 0.1)
    backdrop = cs.caption_band(backdrop)
    return backdrop, frames
