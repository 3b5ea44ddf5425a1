"""The contestants' board portraits and face clips.

A face clip is the 96 x 96 part of the board portrait around the face, animated:
speaking segments open the mouth with the loudness of the contestant's own voice
clip, reactions move eyes, brows, mouth and head through key poses. The clip's
first frame is the portrait's face exactly, and every frame fades into the
resting face over its outer few pixels, so the clip never shows a seam against
the portrait around it.
"""
import math
import os
from dataclasses import replace

import numpy as np
from PIL import Image

import characters_draw as cd
import characters_timeline as tl
from common import MediaError, SOUND_KEY, unscramble

PORTRAIT_SIZE = (180, 185)
FACE_SIZE = 96
FACE_OFFSETS = [(40, 20), (43, 1), (36, 28), (44, 21), (38, 31), (43, 10)]
UNIT = 27.0          # half a head width in the portrait, pixels
FEATHER = 7          # pixels over which a frame fades into the resting face

REST = cd.Pose()


def head_position(appearance):
    ox, oy = FACE_OFFSETS[appearance]
    return ox + FACE_SIZE / 2.0, oy + 47.0


def portrait_background(person, appearance):
    """The board portrait's own backdrop: a lit studio wall behind the
    contestant, a soft spotlight on the head and a gold frame."""
    w, h = PORTRAIT_SIZE
    hx, hy = head_position(appearance)
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    t = yy / (h - 1)
    top = np.array((36, 44, 118), np.float32)
    bottom = np.array((10, 12, 40), np.float32)
    img = top[None, None, :] * (1 - t[..., None]) + bottom[None, None, :] * t[..., None]
    d = np.sqrt(((xx - hx) / 80.0) ** 2 + ((yy - hy) / 90.0) ** 2)
    glow = np.clip(1.0 - d, 0, 1) ** 1.6
    img += glow[..., None] * np.array((50, 70, 120), np.float32)
    # a few soft stripes of light on the back wall
    stripes = (np.sin((xx + yy * 0.4) / 9.0) > 0.85).astype(np.float32) * 10 * (1 - t)
    img += stripes[..., None] * np.array((0.6, 0.8, 1.0), np.float32)
    img = np.clip(img, 0, 255).astype(np.uint8)
    out = Image.fromarray(img, "RGB")
    frame(out)
    return out


def frame(img):
    """Gold and cyan trims around a picture."""
    arr = np.asarray(img).copy()
    h, w, _ = arr.shape
    gold = np.array((255, 196, 64), np.uint8)
    dark_gold = np.array((150, 100, 24), np.uint8)
    cyan = np.array((70, 200, 255), np.uint8)
    arr[0, :], arr[-1, :], arr[:, 0], arr[:, -1] = dark_gold, dark_gold, dark_gold, dark_gold
    arr[1, 1:-1], arr[-2, 1:-1], arr[1:-1, 1], arr[1:-1, -2] = gold, gold, gold, gold
    arr[3, 3:-3], arr[-4, 3:-3], arr[3:-3, 3], arr[3:-3, -4] = cyan // 2, cyan // 2, cyan // 2, cyan // 2
    img.paste(Image.fromarray(arr, "RGB"))


def render_portrait(person, appearance, pose=REST):
    bg = portrait_background(person, appearance)
    hx, hy = head_position(appearance)
    bottom = (PORTRAIT_SIZE[1] - hy) / UNIT + 1.0
    return cd.draw_bust(bg, person, pose, (hx, hy), UNIT, bottom=bottom)


class FaceRenderer:
    """Renders face frames (96 x 96) for one contestant, remembering poses
    already drawn: most frames repeat a handful of mouth shapes."""

    def __init__(self, person, appearance):
        self.person, self.appearance = person, appearance
        ox, oy = FACE_OFFSETS[appearance]
        self.box = (ox, oy, ox + FACE_SIZE, oy + FACE_SIZE)
        # The face is drawn over the portrait's backdrop with the body, so the
        # neck and collar come out the same as in the portrait.
        self.bg = portrait_background(person, appearance)
        self.rest = np.asarray(self.render_raw(REST), np.float32)
        n = FACE_SIZE
        idx = np.arange(n, dtype=np.float32)
        edge = np.minimum(idx, n - 1 - idx)
        dist = np.minimum(edge[:, None], edge[None, :])
        self.weight = np.clip((dist - 1.0) / FEATHER, 0.0, 1.0)[..., None]
        self.cache = {}

    def render_raw(self, pose):
        hx, hy = head_position(self.appearance)
        bottom = (PORTRAIT_SIZE[1] - hy) / UNIT + 1.0
        full = cd.draw_bust(self.bg, self.person, pose, (hx, hy), UNIT, bottom=bottom)
        return full.crop(self.box)

    def frame(self, pose):
        img = self.cache.get(pose)
        if img is None:
            if pose == REST:
                arr = self.rest
            else:
                posed = np.asarray(self.render_raw(pose), np.float32)
                arr = self.rest * (1.0 - self.weight) + posed * self.weight
            img = Image.fromarray(np.clip(arr + 0.5, 0, 255).astype(np.uint8), "RGB")
            self.cache[pose] = img
        return img


# --- Loudness of the voice clips --------------------------------------------------

def read_clip(path):
    """Samples (float) and rate of a scrambled speech clip."""
    name = os.path.basename(path)
    try:
        with open(path, "rb") as f:
            raw = unscramble(f.read(), SOUND_KEY)
    except OSError as e:
        raise MediaError(f"{name}: cannot read the voice clip (the speech group makes it): {e}") from e
    if len(raw) < 44 or raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        raise MediaError(f"{name}: not a WAVE file")
    pos, rate, data = 12, None, None
    import struct
    while pos + 8 <= len(raw):
        cid, size = raw[pos:pos + 4], struct.unpack("<I", raw[pos + 4:pos + 8])[0]
        if cid == b"fmt ":
            fmt = struct.unpack("<HHIIHH", raw[pos + 8:pos + 24])
            if fmt[0] != 1 or fmt[1] != 1 or fmt[5] != 16:
                raise MediaError(f"{name}: not 16-bit mono PCM")
            rate = fmt[2]
        elif cid == b"data":
            data = raw[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    if rate is None or data is None:
        raise MediaError(f"{name}: no sound data")
    x = np.frombuffer(data[: len(data) // 2 * 2], dtype="<i2").astype(np.float32) / 32768.0
    return x, rate


def loudness_per_frame(x, rate, frames, fps=tl.FPS):
    """Mouth opening 0..1 for each of `frames` frames covering the clip."""
    out = np.zeros(frames, np.float32)
    hop = rate / fps
    for i in range(frames):
        a, b = int(i * hop), int((i + 1) * hop)
        seg = x[a:b]
        if len(seg):
            out[i] = float(np.sqrt(np.mean(seg * seg)))
    peak = float(out.max()) if len(out) else 0.0
    if peak <= 1e-6:
        return out
    out = np.clip(out / peak, 0, 1) ** 0.7
    out[out < 0.12] = 0.0
    return out


# --- Poses over time -----------------------------------------------------------------

def ease(t):
    return 0.5 - 0.5 * math.cos(math.pi * max(0.0, min(1.0, t)))


def blend(a, b, t):
    """Pose between a and b (t 0..1); flags switch half way."""
    t = ease(t)
    kw = {}
    for f in ("mouth", "smile", "blink", "gaze_x", "gaze_y", "turn", "nod", "brow", "wave", "lift"):
        kw[f] = getattr(a, f) + (getattr(b, f) - getattr(a, f)) * t
    kw["teeth"] = b.teeth if t >= 0.5 else a.teeth
    kw["arm"] = b.arm if t >= 0.5 else a.arm
    return cd.Pose(**kw)


def quantise(p):
    """Rounds a pose so near-identical frames share one drawing."""
    q = lambda v, s: round(v / s) * s  # noqa: E731
    return replace(p, mouth=q(p.mouth, 0.1), smile=q(p.smile, 0.05), blink=q(p.blink, 0.25),
                   gaze_x=q(p.gaze_x, 0.1), gaze_y=q(p.gaze_y, 0.1), turn=q(p.turn, 0.05),
                   nod=q(p.nod, 0.02), brow=q(p.brow, 0.1), wave=q(p.wave, 0.1), lift=q(p.lift, 0.05))


def keyframes(length, keys):
    """keys: list of (position 0..1, Pose); returns `length` poses."""
    out = []
    for i in range(length):
        t = i / max(1, length - 1)
        for (t0, p0), (t1, p1) in zip(keys, keys[1:]):
            if t0 <= t <= t1:
                out.append(blend(p0, p1, (t - t0) / max(1e-6, t1 - t0)))
                break
        else:
            out.append(keys[-1][1])
    return out


def with_blink(poses, at):
    """Adds a blink (3 frames) around frame `at`."""
    for off, amount in ((-1, 0.5), (0, 1.0), (1, 0.5)):
        i = at + off
        if 0 < i < len(poses) - 1:
            poses[i] = replace(poses[i], blink=max(poses[i].blink, amount))
    return poses


R = REST
LOOK_DOWN = replace(R, gaze_y=1.0, nod=0.06, smile=0.15, blink=0.25)
LOOK_LOWER = replace(R, gaze_x=-1.0, turn=-0.55, brow=0.2)
LOOK_HIGHER = replace(R, gaze_x=1.0, turn=0.55, brow=0.2)
THINK_1 = replace(R, gaze_x=-0.7, gaze_y=-1.0, brow=0.8, smile=-0.15, turn=-0.15)
THINK_2 = replace(R, gaze_x=0.7, gaze_y=-1.0, brow=-0.4, smile=-0.05, turn=0.15, mouth=0.0)
RIGHT_1 = replace(R, smile=1.0, mouth=0.45, brow=0.7)
RIGHT_2 = replace(R, smile=1.0, mouth=0.12, brow=0.4, blink=0.35, nod=0.04)
WRONG_1 = replace(R, smile=-0.9, teeth=True, brow=-1.0, blink=0.25)
WRONG_2 = replace(R, smile=-0.8, brow=0.6, gaze_y=0.6, nod=0.06)


def reaction_poses(name, length):
    if name == "Closing":
        return keyframes(length, [(0, R), (0.5, replace(R, smile=0.4, nod=0.04)), (1, R)])
    if name == "ReviewGlance1":
        return with_blink(keyframes(length, [(0, R), (0.25, LOOK_DOWN), (0.7, LOOK_DOWN), (1, R)]), length - 4)
    if name == "ReviewGlance2":
        scan = replace(LOOK_DOWN, gaze_x=0.6)
        return with_blink(keyframes(length, [(0, R), (0.15, LOOK_DOWN), (0.4, replace(LOOK_DOWN, gaze_x=-0.6)),
                                             (0.65, scan), (0.8, LOOK_DOWN), (1, R)]), length - 3)
    if name in ("GlanceLower1", "GlanceHigher1"):
        look = LOOK_LOWER if "Lower" in name else LOOK_HIGHER
        return keyframes(length, [(0, R), (0.55, look), (1, look)])
    if name in ("GlanceLower2", "GlanceHigher2"):
        look = LOOK_LOWER if "Lower" in name else LOOK_HIGHER
        first = keyframes(10, [(0, R), (0.55, look), (1, look)])
        rest = [look] * (length - 10)
        return with_blink(first + rest, 10 + (length - 10) // 2)
    if name in ("GlanceLowerReturn", "GlanceHigherReturn"):
        look = LOOK_LOWER if "Lower" in name else LOOK_HIGHER
        return keyframes(length, [(0, look), (1, R)])
    if name == "ValueChosen":
        nodded = replace(R, smile=0.8, brow=0.5, nod=0.12)
        return keyframes(length, [(0, R), (0.3, replace(R, smile=0.8, brow=0.5)), (0.5, nodded),
                                  (0.7, replace(R, smile=0.8, brow=0.4)), (1, R)])
    if name in ("Thinking1", "Thinking2"):
        think = THINK_1 if name == "Thinking1" else THINK_2
        side = replace(think, gaze_x=-think.gaze_x * 0.5)
        return with_blink(keyframes(length, [(0, R), (0.25, think), (0.55, think), (0.7, side), (0.85, think),
                                             (1, think)]), int(length * 0.45))
    if name in ("Right1", "Right2"):
        happy = RIGHT_1 if name == "Right1" else RIGHT_2
        up = replace(happy, nod=-0.05)
        return keyframes(length, [(0, R), (0.3, happy), (0.55, up), (0.8, happy), (1, happy)])
    if name.endswith("Return"):
        src = {"Thinking1Return": THINK_1, "Thinking2Return": THINK_2,
               "Right1Return": RIGHT_1, "Right2Return": RIGHT_2}[name]
        return keyframes(length, [(0, src), (1, R)])
    if name in ("Wrong1", "Wrong2"):
        sad = WRONG_1 if name == "Wrong1" else WRONG_2
        return keyframes(length, [(0, R), (0.25, sad), (0.7, sad), (1, R)])
    raise MediaError(f"no animation for the segment {name}")


def speaking_poses(opening, length):
    """Poses of a speaking segment of `length` frames for a loudness track;
    closed mouth on the first and last frame."""
    poses = []
    for i in range(length):
        v = float(opening[i - 1]) if 1 <= i <= len(opening) and i < length - 1 else 0.0
        poses.append(replace(R, mouth=v * 0.85, smile=0.25 + 0.1 * v, brow=0.25 * v, nod=0.03 * v))
    if length > 16:
        with_blink(poses, length // 2)
    return poses


def clip_timeline(segments, appearance, voice_dir):
    """The whole face clip of an appearance as a list of poses (index 0 is
    frame 1). Raises MediaError when a voice clip is longer than its segment."""
    voice = tl.VOICES[appearance]
    last = max(s.ends[appearance] for s in segments)
    poses = [R] * last
    for s in segments:
        a, b = s.starts[appearance], s.ends[appearance]
        length = b - a + 1
        if s.spoken:
            name = f"{voice}{s.clip}.mm3"
            x, rate = read_clip(os.path.join(voice_dir, name))
            seconds = len(x) / float(rate)
            if seconds > (length - 2) / tl.FPS + 1e-6:
                raise MediaError(
                    f"con{appearance}.mm4: segment {s.name} has {length} frames, too short for "
                    f"{name} ({seconds:.2f} s needs {tl.frames_for(seconds)}); rewrite "
                    f"data/characters/segments.txt with characters_timeline.py --voices")
            opening = loudness_per_frame(x, rate, int(math.ceil(seconds * tl.FPS)))
            seq = speaking_poses(opening, length)
        else:
            seq = reaction_poses(s.name, length)
        for i, p in enumerate(seq):
            poses[a - 1 + i] = p
    # idle frames between segments stay at rest; blink now and then in long holds
    return [quantise(p) for p in poses]


def make_face_clip(person, appearance, segments, voice_dir):
    """(frames as PIL images, portrait under them)."""
    poses = clip_timeline(segments, appearance, voice_dir)
    fr = FaceRenderer(person, appearance)
    frames = [fr.frame(p) for p in poses]
    return frames
