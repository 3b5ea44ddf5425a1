"""The show's theme, played by our numpy band from the score in data/music/theme.txt:
brass hook with a harmony voice, electric-piano off-beats over a soft pad,
octave-bouncing bass, and drums. Rendered as one loop of exactly the score's
length, so the game can append it to itself without a seam."""
import os

import numpy as np

from common import MediaError
from music_synth import (SR, Track, bass, brass, circular_reverb, crash, ep_chord, hat, kick,
                         midi_to_hz, note_to_midi, pad, snare, tom)

CHORD_SHAPES = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "maj7": (0, 4, 7, 11)}
THEME_PEAK = 0.55    # the opening mixes voices over it and the game's mixing wraps


class Score:
    def __init__(self):
        self.tempo = None
        self.chords = []     # per bar: list of chord names
        self.lead = {}       # bar -> list of (note or None, beats)
        self.drums = []      # per bar: pattern name


def _parse_notes(tokens, where):
    out = []
    for tok in tokens:
        try:
            name, beats = tok.split(":")
            out.append((None if name == "r" else note_to_midi(name), float(beats)))
        except (ValueError, KeyError, IndexError) as e:
            raise MediaError(f"theme.txt: {where}: bad note {tok!r}") from e
    return out


def read_score(path):
    score = Score()
    try:
        with open(path, encoding="ascii") as f:
            lines = [(n, l.split("#")[0].strip()) for n, l in enumerate(f, 1)]
    except (OSError, UnicodeDecodeError) as e:
        raise MediaError(f"theme.txt: cannot read: {e}") from e
    for n, line in lines:
        if not line:
            continue
        word, _, rest = line.partition(" ")
        if word == "tempo":
            score.tempo = float(rest)
        elif word == "chords":
            score.chords = [bar.split() for bar in rest.split("|")]
        elif word == "drums":
            score.drums = [bar.strip() for bar in rest.split("|")]
        elif word == "lead":
            bar, *tokens = rest.split()
            score.lead[int(bar)] = _parse_notes(tokens, f"line {n}")
        else:
            raise MediaError(f"theme.txt:{n}: unknown entry {word!r}")
    bars = len(score.chords)
    if not score.tempo or bars == 0 or len(score.drums) != bars:
        raise MediaError("theme.txt: needs a tempo, and chords and drums for every bar")
    for bar, notes in score.lead.items():
        if abs(sum(b for _, b in notes) - 4) > 1e-6:
            raise MediaError(f"theme.txt: lead bar {bar} does not fill 4 beats")
    return score


def chord_midis(name, octave=4):
    """'Gm' -> MIDI notes of the chord with its root in the given octave."""
    root = name[0] + (name[1] if len(name) > 1 and name[1] in "b#" else "")
    quality = name[len(root):]
    if quality not in CHORD_SHAPES:
        raise MediaError(f"theme.txt: unknown chord {name!r}")
    base = note_to_midi(root + str(octave))
    return [base + i for i in CHORD_SHAPES[quality]], base


def _chord_at(score, beat):
    bar = int(beat // 4)
    names = score.chords[bar]
    return names[min(len(names) - 1, int((beat % 4) / (4 / len(names))))]


def _harmony(score, beat, lead):
    """The chord tone just below the lead note: the second trumpet's part."""
    tones, _ = chord_midis(_chord_at(score, beat), 3)
    candidates = [t + 12 * o for t in tones for o in range(4)]
    below = [c for c in candidates if 3 <= lead - c <= 9]
    return max(below) if below else lead - 12


def _play_brass(score, track, beat_s):
    beat = 0.0
    for bar in range(len(score.chords)):
        beat = bar * 4.0
        for midi, beats in score.lead.get(bar + 1, [(None, 4.0)]):
            if midi is not None:
                dur = beats * beat_s * (0.92 if beats <= 0.5 else 0.97)
                accent = 1.0 if beat % 1 == 0 else 0.85
                track.add(beat * beat_s, brass(midi_to_hz(midi), dur), 0.9 * accent, wrap=True)
                track.add(beat * beat_s, brass(midi_to_hz(_harmony(score, beat, midi)), dur, 0.7),
                          0.45 * accent, wrap=True)
            beat += beats


def _play_harmony_bed(score, ep_track, pad_track, bass_track, beat_s):
    for bar, names in enumerate(score.chords):
        span = 4 / len(names)
        for i, name in enumerate(names):
            start = bar * 4 + i * span
            # Comping sits an octave under the brass, so the hook stays clear.
            tones, root = chord_midis(name, 3)
            freqs = [midi_to_hz(m) for m in tones]
            pad_track.add(start * beat_s, pad(freqs, span * beat_s), wrap=True)
            # Off-beat stabs give the show its bounce.
            for off in np.arange(0.5, span, 1.0):
                ep_track.add((start + off) * beat_s, ep_chord(freqs, 0.3 * beat_s), wrap=True)
            # Bass: root, octave, root, fifth in eighths.
            pattern = [0, 12, 0, 12, 7, 12, 0, 10 if "7" in name else 7]
            for k, step in enumerate(pattern[: int(span * 2)]):
                f = midi_to_hz(root - 12 + step)
                bass_track.add((start + k * 0.5) * beat_s, bass(f, 0.45 * beat_s), wrap=True)


def _play_drums(score, track, beat_s, rng):
    for bar, pattern in enumerate(score.drums):
        at = lambda b: (bar * 4 + b) * beat_s  # noqa: E731
        if pattern not in ("intro", "groove", "lift", "fill"):
            raise MediaError(f"theme.txt: unknown drum pattern {pattern!r}")
        if pattern in ("intro", "lift"):
            track.add(at(0), crash(rng), wrap=True)
        if pattern == "intro":
            # Band hit on one, then a snare build into the hook.
            track.add(at(0), kick(), wrap=True)
            for b in np.arange(2.0, 4.0, 0.25):
                track.add(at(b), snare(rng), 0.35 + 0.3 * (b - 2) / 2, wrap=True)
            continue
        for b in (0, 1.5, 2, 2.75):
            track.add(at(b), kick(), 0.9 if b % 1 else 1.0, wrap=True)
        for b in (1, 3):
            track.add(at(b), snare(rng), wrap=True)
        last = 3.0 if pattern == "fill" else 4.0
        for b in np.arange(0, last, 0.5):
            track.add(at(b), hat(rng, open_=(b % 1 == 0.5 and b in (1.5, 3.5))), wrap=True)
        if pattern == "fill":
            for i, b in enumerate(np.arange(3.0, 4.0, 0.25)):
                track.add(at(b), tom(200 - 35 * i), wrap=True)


def render_theme(data_dir):
    score = read_score(os.path.join(data_dir, "music", "theme.txt"))
    beat_s = 60.0 / score.tempo
    seconds = len(score.chords) * 4 * beat_s
    rng = np.random.default_rng(1132)
    tracks = {name: Track(seconds) for name in ("brass", "ep", "pad", "bass", "drums")}
    _play_brass(score, tracks["brass"], beat_s)
    _play_harmony_bed(score, tracks["ep"], tracks["pad"], tracks["bass"], beat_s)
    _play_drums(score, tracks["drums"], beat_s, rng)
    levels = {"brass": 1.0, "ep": 0.9, "pad": 0.9, "bass": 0.6, "drums": 0.55}
    music = sum(tracks[k].x * g for k, g in levels.items())
    music = circular_reverb(music)
    music = np.tanh(music / np.abs(music).max() * 0.9) / np.tanh(0.9)   # glue, like a bus compressor
    return music * (THEME_PEAK / np.abs(music).max())
