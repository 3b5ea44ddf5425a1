"""Media group `scenery`: every set, panel, still and the two animations of
the show that have no people in them. Pictures are drawn by the modules
scenery_sets, scenery_ident, scenery_ads and scenery_credits; this module
lists the files and writes them, two at a time on the two cores.
"""
import multiprocessing
import os

import common
from common import MediaError

# name -> (kind, expected size, frame count for clips)
FILES = {
    "creds.mm4": ("avi", (320, 160), 460),
    "vantosplsh.mm4": ("avi", (152, 235), 45),
    "cam2bknd.mm1": ("jpeg", (800, 600), None),
    "cam3chis.mm1": ("jpeg", (800, 600), None),
    "cam3cmus.mm1": ("jpeg", (800, 600), None),
    "cam3cspo.mm1": ("jpeg", (800, 600), None),
    "cam3ctva.mm1": ("jpeg", (800, 600), None),
    "cam3choo.mm1": ("jpeg", (685, 459), None),
    "cam3hist.mm1": ("jpeg", (685, 459), None),
    "cam3musi.mm1": ("jpeg", (685, 459), None),
    "cam3spor.mm1": ("jpeg", (685, 459), None),
    "cam3tval.mm1": ("jpeg", (685, 459), None),
    "cam3bknd.mm1": ("jpeg", (800, 600), None),
    "titlespl.mm1": ("jpeg", (800, 600), None),
    "vantosplsh.mm1": ("jpeg", (536, 348), None),
    "cam5see.mm1": ("jpeg", (800, 600), None),
    "cam5step.mm1": ("jpeg", (800, 600), None),
    "cam5cust.mm1": ("jpeg", (800, 600), None),
    "cam2nbrd.mm2": ("bmp", (153, 237), None),
}


def _draw(name, data_dir):
    """The picture (or list of frames) of one file."""
    import scenery_ads as ads
    import scenery_credits as credits
    import scenery_ident as ident
    import scenery_sets as sets

    makers = {
        "creds.mm4": lambda: credits.credit_frames(data_dir),
        "vantosplsh.mm4": ident.emblem_frames,
        "vantosplsh.mm1": ident.studio_still,
        "titlespl.mm1": ident.title_splash,
        "cam3bknd.mm1": sets.menu_backdrop_cached,
        "cam2bknd.mm1": sets.board,
        "cam2nbrd.mm2": sets.name_plates,
        "cam3choo.mm1": sets.category_choice,
        "cam3hist.mm1": lambda: sets.question_panel("history"),
        "cam3musi.mm1": lambda: sets.question_panel("music"),
        "cam3spor.mm1": lambda: sets.question_panel("sports"),
        "cam3tval.mm1": lambda: sets.question_panel("tval"),
        "cam3chis.mm1": lambda: sets.challenge_scene("history"),
        "cam3cmus.mm1": lambda: sets.challenge_scene("music"),
        "cam3cspo.mm1": lambda: sets.challenge_scene("sports"),
        "cam3ctva.mm1": lambda: sets.challenge_scene("tval"),
        "cam5see.mm1": ads.ad_see_clearly,
        "cam5step.mm1": ads.ad_step_up,
        "cam5cust.mm1": ads.ad_personal_touch,
    }
    return makers[name]()


def _check_size(name, size):
    expected = FILES[name][1]
    if tuple(size) != expected:
        raise MediaError(f"{name}: drawn {size[0]}x{size[1]}, the game lays it out at "
                         f"{expected[0]}x{expected[1]}")


def make_file(job):
    """Draws and writes one file; returns (name, None) or (name, error text)."""
    name, data_dir, out_dir = job
    try:
        kind, _, frames = FILES[name]
        made = _draw(name, data_dir)
        path = os.path.join(out_dir, name)
        if kind == "avi":
            if len(made) < frames:
                raise MediaError(f"{name}: {len(made)} frames, the game plays {frames}")
            for f in made:
                _check_size(name, f.size)
            fps = 11.5 if name == "creds.mm4" else 15.0
            common.write_avi(path, made, fps=fps)
        else:
            _check_size(name, made.size)
            if kind == "jpeg":
                common.write_mm1(path, made, quality=92)
            else:
                common.write_mm2(path, made)
        return name, None
    except MediaError as e:
        return name, str(e)
    except Exception as e:  # a drawing bug still names the file
        return name, f"{name}: {type(e).__name__}: {e}"


def generate(data_dir, out_dir):
    jobs = [(name, data_dir, out_dir) for name in FILES]
    workers = min(2, os.cpu_count() or 1)
    if workers > 1:
        # The menu backdrop lies under several panels: drawn once here, the
        # workers inherit it.
        import scenery_sets
        scenery_sets.menu_backdrop_cached()
        with multiprocessing.get_context("fork").Pool(workers) as pool:
            results = pool.map(make_file, jobs, chunksize=1)
    else:
        results = [make_file(j) for j in jobs]
    errors = [err for _, err in results if err]
    if errors:
        raise MediaError("; ".join(errors))
    return [name for name, _ in results]
