"""Can a player make out what the show's voices say? A recogniser listens to
every fixed line, number and answer letter of the host and of each contestant
voice, and to flite's own voice saying the same words with nothing done to it;
the two word accuracies side by side tell whether our voice settings and
processing help or hurt.

    speech_check.py --data data --game build/game --out report/
    speech_check.py --data data --record --voices my-voices.txt --out report/ --pictures

--game reads the clips the build made; --record records them afresh from
data/ (and --voices, a voices.txt to try out) without touching the game.
Writes into --out:
  voices.tsv  one row per voice: its flite voice, words scored, word accuracy,
              flite's accuracy, median pitch (Hz, ours and flite's) and the
              band levels of spectrum.py (dB, ours and flite's)
  clips.tsv   one row per clip: file, voice, kind, whether it was heard
              exactly (ours, flite's), the words said, what was heard (ours,
              flite's)
  spectrum-<voice>.png (with --pictures) spectrograms of a few clips, ours
              above flite's
and prints the voices table. The clips come from the data files, so a line
added to host.txt is checked without changing this tool.
"""
import argparse
import os
import sys
import tempfile
from multiprocessing import Pool

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "mediagen"))
sys.path.insert(0, HERE)

from common import MediaError, read_mm3_sound  # noqa: E402
from pitch import median_pitch  # noqa: E402
from recogniser import RATE, recognise, vocabulary  # noqa: E402
from scoring import Score, accuracy, score, words_of  # noqa: E402
from spectrum import BANDS, band_levels, spectrogram_png  # noqa: E402
from speech_clips import (CONTESTANT_VOICES, HOST_VOICE, LETTER, LINE, NUMBER,  # noqa: E402
                          all_clips, read_voices_file)
from speech_flite import say  # noqa: E402
from speech_voice import record  # noqa: E402

VOICES = (HOST_VOICE,) + CONTESTANT_VOICES
CHECKED_KINDS = (LINE, NUMBER, LETTER)
PICTURED = ("illcha", "ci2ufor", "07", "12", "b")   # clip names after the voice prefix
LEAD_IN_S = 0.25

# What a listener expects where the show says a number or a letter: any number
# up to 99, any letter of the alphabet (so "B" must not pass for "D" or "E").
_ONES = ("zero one two three four five six seven eight nine ten eleven twelve thirteen "
         "fourteen fifteen sixteen seventeen eighteen nineteen").split()
_TENS = "twenty thirty forty fifty sixty seventy eighty ninety".split()
NUMBER_WORDS = _ONES + _TENS + [f"{t} {o}" for t in _TENS for o in _ONES[1:10]]
LETTER_WORDS = [chr(c) + "." for c in range(ord("a"), ord("z") + 1)]


def checked_clips(data_dir):
    return [c for c in all_clips(data_dir) if c.voice in VOICES and c.kind in CHECKED_KINDS]


def to_16k(x, rate):
    """Band-limited resampling (FFT) to the recogniser's rate, as int16."""
    x = np.asarray(x, np.float64)
    if rate != RATE:
        n_out = int(round(len(x) * RATE / rate))
        spec = np.fft.rfft(x)
        bins = n_out // 2 + 1
        spec = spec[:bins] if bins <= len(spec) else np.concatenate([spec, np.zeros(bins - len(spec))])
        x = np.fft.irfft(spec, n_out) * (n_out / len(x))
    return np.clip(np.round(x * 32768), -32768, 32767).astype(np.int16)


def _record_job(job):
    clip, voice = job
    return record(voice, clip.spoken)


def our_takes(clips, voices, game_dir, jobs):
    """{file: (float samples, rate)} of the show's clips, read or recorded."""
    if game_dir:
        takes = {}
        for c in clips:
            rate, x = read_mm3_sound(os.path.join(game_dir, c.file))
            takes[c.file] = (x, rate)
        return takes
    from common import SAMPLE_RATE
    with Pool(jobs) as pool:
        done = pool.map(_record_job, [(c, voices[c.voice]) for c in clips], chunksize=8)
    return {c.file: (x.astype(np.float64) / 32768.0, SAMPLE_RATE) for c, x in zip(clips, done)}


def flite_takes(clips, voices):
    """{(flite voice, words): (float samples, rate)}: flite's voice as it ships."""
    takes = {}
    for c in clips:
        key = (voices[c.voice].flite, c.spoken)
        if key not in takes:
            rate, x = say(*key)
            takes[key] = (x.astype(np.float64) / 32768.0, rate)
    return takes


def listen(recordings, jobs, expect=None):
    """What the recogniser hears in each of {key: (samples, rate)}: {key: text}.
    Every recording gets the same lead-in and tail of silence: a clip in the
    show always follows other sound or a pause, and the recogniser measures
    the room's noise in the first moments."""
    keys = list(recordings)
    quiet = np.zeros(int(RATE * LEAD_IN_S), np.int16)
    padded = {f"r{i}": np.concatenate([quiet, to_16k(*recordings[k]), quiet]) for i, k in enumerate(keys)}
    with tempfile.TemporaryDirectory(prefix="tvz-listen-") as work:
        heard = recognise(padded, work, jobs, expect)
    return {k: heard[f"r{i}"] for i, k in enumerate(keys)}


def hear_all(clips, voices, ours, theirs, jobs):
    """{file: (heard, flite's heard, identified, flite's identified)}; the last
    two are None but for numbers and letters."""
    def base_key(c):
        return (voices[c.voice].flite, c.spoken)
    everything = {("ours", c.file): ours[c.file] for c in clips}
    everything.update({("flite", base_key(c)): theirs[base_key(c)] for c in clips})
    heard = listen(everything, jobs)
    picked = {}
    for kind, choices in ((NUMBER, NUMBER_WORDS), (LETTER, LETTER_WORDS)):
        some = {k: v for k, v in everything.items()
                if any(c.kind == kind and k in (("ours", c.file), ("flite", base_key(c))) for c in clips)}
        if some:
            picked.update(listen(some, jobs, choices))
    return {c.file: (heard[("ours", c.file)], heard[("flite", base_key(c))],
                     picked.get(("ours", c.file)), picked.get(("flite", base_key(c))))
            for c in clips}


def evaluate(clips, voices, ours, theirs, jobs):
    results = hear_all(clips, voices, ours, theirs, jobs)
    known = vocabulary()
    clip_rows, voice_rows = [], []
    for v in VOICES:
        mine = [c for c in clips if c.voice == v]
        if not mine:
            continue
        total, base_total = Score(0, 0), Score(0, 0)
        for c in mine:
            heard, base_heard, picked, base_picked = results[c.file]
            said = words_of(c.words)
            s, b = score(said, words_of(heard), known), score(said, words_of(base_heard), known)
            total, base_total = total + s, base_total + b
            ident = ["", ""] if picked is None else [int(words_of(picked) == said), int(words_of(base_picked) == said)]
            clip_rows.append([c.file, v, c.kind, int(s.exact), int(b.exact), *ident,
                              c.words, heard, base_heard, picked or "", base_picked or ""])
        own = [ours[c.file] for c in mine]
        base = [theirs[(voices[v].flite, c.spoken)] for c in mine]
        pitch, base_pitch = median_pitch(own), median_pitch(base)
        levels, base_levels = band_levels(own), band_levels(base)
        voice_rows.append([v, voices[v].flite, total.words, f"{accuracy(total):.1f}", f"{accuracy(base_total):.1f}",
                           f"{pitch or 0:.1f}", f"{base_pitch or 0:.1f}"]
                          + [f"{levels[b]:.1f}" for b in BANDS] + [f"{base_levels[b]:.1f}" for b in BANDS])
    return voice_rows, clip_rows


VOICE_COLUMNS = (["voice", "flite", "words", "accuracy", "flite_accuracy", "pitch_hz", "flite_pitch_hz"]
                 + list(BANDS) + [f"flite_{b}" for b in BANDS])
CLIP_COLUMNS = ["file", "voice", "kind", "exact", "flite_exact", "identified", "flite_identified",
                "said", "heard", "flite_heard", "picked", "flite_picked"]


def write_tsv(path, columns, rows):
    with open(path, "w", encoding="utf-8") as f:
        f.write("\t".join(columns) + "\n")
        for row in rows:
            f.write("\t".join(str(c).replace("\t", " ") for c in row) + "\n")


def print_table(voice_rows):
    print(f"{'voice':6} {'flite':6} {'words':>5} {'ours':>6} {'flite':>6} {'pitch':>6} {'flite':>6}  "
          + "  ".join(f"{b:>8} {'flite':>6}" for b in BANDS))
    for r in voice_rows:
        v, fl, n, acc, facc, p, fp = r[:7]
        nb = len(BANDS)
        bands = "  ".join(f"{r[7 + i]:>8} {r[7 + nb + i]:>6}" for i in range(nb))
        print(f"{v:6} {fl:6} {n:>5} {acc:>5}% {facc:>5}% {p:>6} {fp:>6}  {bands}")


def draw_pictures(out_dir, clips, voices, ours, theirs):
    for v in VOICES:
        picked = [c for c in clips if c.voice == v and c.file[len("h" if v == HOST_VOICE else v):-4] in PICTURED]
        if picked:
            spectrogram_png(os.path.join(out_dir, f"spectrum-{v}.png"), [
                (v, [ours[c.file] for c in picked]),
                (voices[v].flite, [theirs[(voices[v].flite, c.spoken)] for c in picked])])


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--data", required=True, help="the data/ folder")
    src = ap.add_mutually_exclusive_group(required=True)
    src.add_argument("--game", help="game directory with the built clips")
    src.add_argument("--record", action="store_true", help="record the clips afresh")
    ap.add_argument("--voices", help="a voices.txt to try (with --record)")
    ap.add_argument("--out", required=True)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--pictures", action="store_true", help="also draw spectrograms")
    args = ap.parse_args(argv)
    try:
        clips = checked_clips(args.data)
        voices = read_voices_file(args.voices or os.path.join(args.data, "speech", "voices.txt"))
        ours = our_takes(clips, voices, args.game, args.jobs)
        theirs = flite_takes(clips, voices)
        voice_rows, clip_rows = evaluate(clips, voices, ours, theirs, args.jobs)
        os.makedirs(args.out, exist_ok=True)
        write_tsv(os.path.join(args.out, "voices.tsv"), VOICE_COLUMNS, voice_rows)
        write_tsv(os.path.join(args.out, "clips.tsv"), CLIP_COLUMNS, clip_rows)
        if args.pictures:
            draw_pictures(args.out, clips, voices, ours, theirs)
    except (MediaError, OSError) as e:
        print(f"speech_check: {e}", file=sys.stderr)
        return 1
    print_table(voice_rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
