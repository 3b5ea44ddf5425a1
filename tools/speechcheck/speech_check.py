"""Can a player make out what the show's voices say? A recogniser listens to
every fixed line, number and answer letter of the host and of each contestant
voice, and to flite's own voice saying the same words with nothing done to it;
the two word accuracies side by side tell whether our voice settings and
processing help or hurt.

    speech_check.py --data data --game build/game --out report/
    speech_check.py --data data --record --voices try/voices.txt --only f2 --out report/ --pictures

--game reads the clips the build made; --record records them afresh from
data/ (and --voices, a voices.txt to try out) without touching the game;
--only limits the check to some voices. Writes into --out:
  voices.tsv  one row per voice: its flite voice, words scored, word accuracy
              (percent, over all listenings), flite's, median pitch (Hz, ours
              and flite's) and the band levels of spectrum.py (dB, ours and
              flite's)
  clips.tsv   one row per clip: file, voice, kind, listenings, in how many of
              them the words were heard exactly (ours, flite's), for numbers
              and letters in how many the right one was picked among all
              numbers or letters (ours, flite's), the words said, and what was
              heard and picked
  spectrum-<voice>.png (with --pictures) spectrograms of a few clips, ours
              above flite's
and prints the voices table. The clips come from the data files, so a line
added to host.txt is checked without changing this tool. How it listens:
listening.py; how it scores: scoring.py.
"""
import argparse
import os
import sys
from multiprocessing import Pool

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "mediagen"))
sys.path.insert(0, HERE)

from common import SAMPLE_RATE, MediaError, read_mm3_sound  # noqa: E402
from pitch import median_pitch  # noqa: E402
from listening import LISTENINGS, hear_all  # noqa: E402
from recogniser import vocabulary  # noqa: E402
from scoring import Score, accuracy, score, words_of  # noqa: E402
from spectrum import BANDS, band_levels, spectrogram_png  # noqa: E402
from speech_clips import (CONTESTANT_VOICES, HOST_VOICE, LETTER, LINE, NUMBER,  # noqa: E402
                          all_clips, read_voices_file)
from speech_flite import say  # noqa: E402
from speech_voice import record  # noqa: E402

VOICES = (HOST_VOICE,) + CONTESTANT_VOICES
CHECKED_KINDS = (LINE, NUMBER, LETTER)
PICTURED = ("illcha", "ci2ufor", "07", "12", "b")   # clip names after the voice prefix


def checked_clips(data_dir):
    return [c for c in all_clips(data_dir) if c.voice in VOICES and c.kind in CHECKED_KINDS]


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


def _count(texts, said, known):
    """(Score over all hearings, how many of them heard exactly the words said)."""
    scores = [score(said, words_of(t), known) for t in texts]
    return sum(scores, Score(0, 0)), sum(s.exact for s in scores)


def evaluate(clips, voices, ours, flites, jobs):
    """The voices table and the clips table (rows of VOICE_COLUMNS, CLIP_COLUMNS)."""
    hearings = hear_all(clips, voices, ours, flites, jobs)
    known = vocabulary()
    clip_rows, voice_rows = [], []
    for v in VOICES:
        mine = [c for c in clips if c.voice == v]
        if not mine:
            continue
        total, flite_total = Score(0, 0), Score(0, 0)
        for c in mine:
            h, said = hearings[c.file], words_of(c.words)
            s, exact = _count(h.ours, said, known)
            f, flite_exact = _count(h.flite, said, known)
            total, flite_total = total + s, flite_total + f
            picks = ["", ""]
            if h.ours_picked is not None:
                picks = [sum(words_of(p) == said for p in h.ours_picked),
                         sum(words_of(p) == said for p in h.flite_picked)]
            clip_rows.append([c.file, v, c.kind, LISTENINGS, exact, flite_exact, *picks, c.words,
                              " / ".join(h.ours), " / ".join(h.flite),
                              " / ".join(h.ours_picked or []), " / ".join(h.flite_picked or [])])
        own = [ours[c.file] for c in mine]
        flite = [flites[(voices[v].flite, c.spoken)] for c in mine]
        pitch, flite_pitch = median_pitch(own), median_pitch(flite)
        levels, flite_levels = band_levels(own), band_levels(flite)
        voice_rows.append([v, voices[v].flite, total.words // LISTENINGS, f"{accuracy(total):.1f}",
                           f"{accuracy(flite_total):.1f}", f"{pitch or 0:.1f}", f"{flite_pitch or 0:.1f}"]
                          + [f"{levels[b]:.1f}" for b in BANDS] + [f"{flite_levels[b]:.1f}" for b in BANDS])
    return voice_rows, clip_rows


VOICE_COLUMNS = (["voice", "flite", "words", "accuracy", "flite_accuracy", "pitch_hz", "flite_pitch_hz"]
                 + list(BANDS) + [f"flite_{b}" for b in BANDS])
CLIP_COLUMNS = ["file", "voice", "kind", "listenings", "exact", "flite_exact", "identified", "flite_identified",
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


def draw_pictures(out_dir, clips, voices, ours, flites):
    for v in VOICES:
        picked = [c for c in clips if c.voice == v and c.file[len("h" if v == HOST_VOICE else v):-4] in PICTURED]
        if picked:
            spectrogram_png(os.path.join(out_dir, f"spectrum-{v}.png"), [
                (v, [ours[c.file] for c in picked]),
                (voices[v].flite, [flites[(voices[v].flite, c.spoken)] for c in picked])])


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
    ap.add_argument("--only", action="append", choices=VOICES, help="check this voice (repeatable)")
    args = ap.parse_args(argv)
    try:
        clips = [c for c in checked_clips(args.data) if not args.only or c.voice in args.only]
        voices = read_voices_file(args.voices or os.path.join(args.data, "speech", "voices.txt"))
        ours = our_takes(clips, voices, args.game, args.jobs)
        flites = flite_takes(clips, voices)
        voice_rows, clip_rows = evaluate(clips, voices, ours, flites, args.jobs)
        os.makedirs(args.out, exist_ok=True)
        write_tsv(os.path.join(args.out, "voices.tsv"), VOICE_COLUMNS, voice_rows)
        write_tsv(os.path.join(args.out, "clips.tsv"), CLIP_COLUMNS, clip_rows)
        if args.pictures:
            draw_pictures(args.out, clips, voices, ours, flites)
    except (MediaError, OSError) as e:
        print(f"speech_check: {e}", file=sys.stderr)
        return 1
    print_table(voice_rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
