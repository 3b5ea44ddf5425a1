"""Media group `characters`: the show's people in every picture, figure and
animation, and the studio scenes they stand in.

Writes the board portraits cam20..cam25.mm1 with their face clips con0..con5.mm4,
the close-up cards cam2x0..cam2x5.mm1, the setup pictures conpics.mm1, the
line-up (cam4bknd.mm1 with the figure sheets cam4c1d/cam4c2d/cam4c3d.mm1), the
winners' stage (cam4xbkd.mm1, cam4xwin/cam4x2nd/cam4x3rd.mm1, the host figure
cam4xhst.mm2) and the host's scene (cam1bknd.mm1 with host.mm4).

The face clips lip-sync to the contestants' voice clips, which the speech group
has already written into the game directory.
"""
import multiprocessing
import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import characters_draw as cd  # noqa: E402
import characters_faces as cf  # noqa: E402
import characters_timeline as tl  # noqa: E402
from common import MediaError, write_avi, write_mm1, write_mm2  # noqa: E402

WORKERS = 2
PORTRAIT_QUALITY = 97


def clip_palette_image(frames):
    """The palette write_avi gives a clip (same sample of frames, same
    quantiser), so a still can be made of exactly the clip's colours."""
    w, h = frames[0].size
    picks = frames[:: max(1, len(frames) // 16)][:16]
    mosaic = Image.new("RGB", (w, h * len(picks)))
    for i, f in enumerate(picks):
        mosaic.paste(f.convert("RGB"), (0, i * h))
    return mosaic.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)


def as_clip_colours(frame, pal_img):
    return frame.convert("RGB").quantize(palette=pal_img, dither=Image.Dither.NONE).convert("RGB")


def load_inputs(data_dir):
    try:
        cast = cd.load_cast(os.path.join(data_dir, "characters", "cast.ini"))
    except (OSError, ValueError, KeyError) as e:
        raise MediaError(f"cast.ini: {e}") from e
    need = [f"contestant{i}" for i in range(6)] + ["host"]
    missing = [n for n in need if n not in cast]
    if missing:
        raise MediaError(f"cast.ini: missing {', '.join(missing)}")
    try:
        segments = tl.read(os.path.join(data_dir, "characters", "segments.txt"))
    except (OSError, ValueError) as e:
        raise MediaError(f"segments.txt: {e}") from e
    return cast, segments


# --- Jobs (each runs in a worker and returns the names it wrote) ------------------

def job_contestant(args):
    data_dir, out_dir, a = args
    cast, segments = load_inputs(data_dir)
    person = cast[f"contestant{a}"]
    frames = cf.make_face_clip(person, a, segments, out_dir)
    clip = f"con{a}.mm4"
    write_avi(os.path.join(out_dir, clip), frames, fps=tl.FPS)
    portrait = cf.render_portrait(person, a)
    # The clip's first frame, in the clip's own colours, is the portrait's face.
    first = as_clip_colours(frames[0], clip_palette_image(frames))
    portrait.paste(first, cf.FACE_OFFSETS[a])
    write_mm1(os.path.join(out_dir, f"cam2{a}.mm1"), portrait, quality=PORTRAIT_QUALITY)
    return [clip, f"cam2{a}.mm1"]


def job_cards(args):
    import characters_cards as cc
    data_dir, out_dir, which = args
    cast, _ = load_inputs(data_dir)
    written = []
    if which == "cards":
        for a in range(6):
            name = f"cam2x{a}.mm1"
            write_mm1(os.path.join(out_dir, name), cc.closeup_card(cast[f"contestant{a}"], a), quality=90)
            written.append(name)
    else:
        write_mm1(os.path.join(out_dir, "conpics.mm1"),
                  cc.setup_pictures([cast[f"contestant{a}"] for a in range(6)]), quality=92)
        written.append("conpics.mm1")
    return written


def job_lineup(args):
    import characters_scenes as cs
    data_dir, out_dir = args
    cast, _ = load_inputs(data_dir)
    people = [cast[f"contestant{a}"] for a in range(6)]
    backdrop, sheets = cs.lineup(people)
    write_mm1(os.path.join(out_dir, "cam4bknd.mm1"), backdrop, quality=92)
    names = ["cam4bknd.mm1"]
    for name, sheet in sheets.items():
        write_mm1(os.path.join(out_dir, name), sheet, quality=95)
        names.append(name)
    return names


def job_winners(args):
    import characters_scenes as cs
    data_dir, out_dir = args
    cast, _ = load_inputs(data_dir)
    people = [cast[f"contestant{a}"] for a in range(6)]
    backdrop, sheets, host = cs.winners(people, cast["host"])
    write_mm1(os.path.join(out_dir, "cam4xbkd.mm1"), backdrop, quality=92)
    names = ["cam4xbkd.mm1"]
    for name, sheet in sheets.items():
        write_mm1(os.path.join(out_dir, name), sheet, quality=95)
        names.append(name)
    write_mm2(os.path.join(out_dir, "cam4xhst.mm2"), host)
    return names + ["cam4xhst.mm2"]


def job_host(args):
    import characters_host as ch
    data_dir, out_dir = args
    cast, _ = load_inputs(data_dir)
    backdrop, frames = ch.host_scene(cast["host"], out_dir)
    write_avi(os.path.join(out_dir, "host.mm4"), frames, fps=tl.FPS)
    first = as_clip_colours(frames[0], clip_palette_image(frames))
    backdrop.paste(first, ch.HOST_BOX[:2])
    write_mm1(os.path.join(out_dir, "cam1bknd.mm1"), backdrop, quality=PORTRAIT_QUALITY)
    return ["host.mm4", "cam1bknd.mm1"]


def run(job):
    fn, args = job
    return fn(args)


def generate(data_dir, out_dir):
    load_inputs(data_dir)  # fail early, in the parent, on bad sources
    jobs = [(job_host, (data_dir, out_dir)),
            (job_lineup, (data_dir, out_dir)),
            (job_winners, (data_dir, out_dir)),
            (job_cards, (data_dir, out_dir, "cards")),
            (job_cards, (data_dir, out_dir, "setup"))]
    jobs += [(job_contestant, (data_dir, out_dir, a)) for a in range(6)]
    with multiprocessing.get_context("fork").Pool(WORKERS) as pool:
        results = pool.map(run, jobs, chunksize=1)
    return [name for names in results for name in names]
