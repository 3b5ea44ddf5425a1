"""Group speech: every clip the host, the contestants and the commercial
announcers say, recorded with flite at build time (see speech_voice.py) from
the words in data/speech/ and the name lists of data/names.txt.
"""
import os
from multiprocessing import Pool

from common import MediaError, write_mm3_sound
from speech_clips import all_clips, read_voices
from speech_voice import record

WORKERS = 2


def _record_one(job):
    """Worker: records one clip and writes it; returns (file, error or None)."""
    clip, voice, out_dir = job
    try:
        write_mm3_sound(os.path.join(out_dir, clip.file), record(voice, clip.spoken))
        return clip.file, None
    except MediaError as e:
        return clip.file, str(e)
    except Exception as e:  # a worker must hand every failure back with its file name
        return clip.file, f"{type(e).__name__}: {e}"


def generate(data_dir, out_dir):
    clips = all_clips(data_dir)
    voices = read_voices(os.path.join(data_dir, "speech"))
    jobs = [(c, voices[c.voice], out_dir) for c in clips]
    # The long commercials first, so both workers finish together.
    jobs.sort(key=lambda j: -len(j[0].spoken))
    with Pool(WORKERS) as pool:
        results = pool.map(_record_one, jobs, chunksize=8)
    failures = [(f, err) for f, err in results if err]
    if failures:
        name, err = failures[0]
        more = f" (and {len(failures) - 1} more)" if len(failures) > 1 else ""
        raise MediaError(f"{name}: {err}{more}")
    return [c.file for c in clips]
