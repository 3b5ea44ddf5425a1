"""The face clips' timeline: which frames of each contestant's face clip show
which words and reactions.

data/characters/segments.txt is the single source. The character generator
animates the clips from it, segment_table.py turns it into the program's table,
and this module also writes it (once, from the voice clips or from an estimate
of them) with

    characters_timeline.py --voices GAME_DIR  data/characters/segments.txt
    characters_timeline.py --estimate         data/characters/segments.txt

Row format (frames count from 1, as the animation control counts them):

    Name  clip  start0 .. start5  end0 .. end5

`clip` is the voice clip suffix a speaking segment says ("illtak" is spoken as
"f1illtak.mm3" by voice f1) or "-" for a silent reaction. Speaking segments
follow one another and share their boundary frame (each starts and ends on a
closed mouth); a return segment starts on the last frame of its reaction.
"""
import math
import os
import struct
import subprocess
import sys
import tempfile

FPS = 15.0
VOICES = ("f1", "m1", "f2", "m2", "f3", "m3")   # voice of Appearance 0..5
NUMBERS = (1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 20, 21, 24, 27, 30)
NUMBER_WORDS = {1: "one", 2: "two", 3: "three", 4: "four", 5: "five", 6: "six", 7: "seven",
                8: "eight", 9: "nine", 10: "ten", 12: "twelve", 14: "fourteen",
                15: "fifteen", 16: "sixteen", 18: "eighteen", 20: "twenty",
                21: "twenty one", 24: "twenty four", 27: "twenty seven", 30: "thirty"}

# Spoken segments in clip order: (segment name, voice clip suffix, words).
SPOKEN = [("IllTake", "illtak", "I'll take"),
          ("History", "histry", "History."),
          ("Music", "music", "Music."),
          ("Sports", "sports", "Sports."),
          ("TvArtsLiterature", "tval", "TV, Arts, and Literature."),
          ("IllChallengeFor", "illcha", "I'll challenge for")]
SPOKEN += [(f"Number{n}", f"{n:02d}", NUMBER_WORDS[n] + ".") for n in NUMBERS]
SPOKEN += [("IllChoose", "illcho", "I'll choose"),
           ("IllSelect", "illsel", "I'll select"),
           ("IllPick", "illpic", "I'll pick")]
SPOKEN += [(f"Letter{c}", c.lower(), c + ".") for c in "ABCD"]

# Reactions: (name, frames, how it starts). "next" follows the previous segment
# on a fresh frame, "shared" starts on the previous segment's last frame (the
# face is the same there), "same_start" is a second ending of the previous
# segment (same first frame, later last frame).
REACTIONS = [("Closing", 6, "shared"),
             ("ReviewGlance1", 20, "next"),
             ("ReviewGlance2", 32, "same_start"),
             ("GlanceLower1", 10, "next"),
             ("GlanceLower2", 22, "same_start"),
             ("GlanceLowerReturn", 8, "shared"),
             ("GlanceHigher1", 10, "next"),
             ("GlanceHigher2", 22, "same_start"),
             ("GlanceHigherReturn", 8, "shared"),
             ("ValueChosen", 16, "next"),
             ("Thinking1", 22, "next"),
             ("Thinking1Return", 8, "shared"),
             ("Thinking2", 22, "next"),
             ("Thinking2Return", 8, "shared"),
             ("Right1", 20, "next"),
             ("Right1Return", 8, "shared"),
             ("Right2", 20, "next"),
             ("Right2Return", 8, "shared"),
             ("Wrong1", 18, "next"),
             ("Wrong2", 18, "next")]


class Segment:
    def __init__(self, name, clip, starts, ends):
        self.name, self.clip = name, clip
        self.starts, self.ends = list(starts), list(ends)

    @property
    def spoken(self):
        return self.clip != "-"


def frames_for(seconds):
    """Frames a speaking segment needs: the clip's length plus a closed-mouth
    frame at each end."""
    return int(math.ceil(seconds * FPS)) + 2


def plan(durations):
    """durations[appearance][clip suffix] = seconds -> list of Segments."""
    segs = [Segment(name, clip, [0] * 6, [0] * 6) for name, clip, _ in SPOKEN]
    segs += [Segment(name, "-", [0] * 6, [0] * 6) for name, _, _ in REACTIONS]
    for a in range(6):
        frame = 1
        for seg, (_, clip, _) in zip(segs, SPOKEN):
            seg.starts[a] = frame
            frame += frames_for(durations[a][clip]) - 1
            seg.ends[a] = frame
        prev = segs[len(SPOKEN) - 1]
        for seg, (_, length, how) in zip(segs[len(SPOKEN):], REACTIONS):
            if how == "shared":
                start = prev.ends[a]
            elif how == "same_start":
                start = prev.starts[a]
            else:
                start = max(s.ends[a] for s in segs if s.ends[a]) + 1
            seg.starts[a] = start
            seg.ends[a] = start + length - 1
            prev = seg
    return segs


def write(path, segs):
    lines = ["# Face clip segments: name, voice clip suffix ('-' = silent reaction),",
             "# first frames for Appearance 0..5, last frames for Appearance 0..5.",
             "# Frames count from 1. Written by tools/mediagen/characters_timeline.py."]
    for s in segs:
        lines.append(f"{s.name:<20} {s.clip:<7} " + " ".join(f"{v:4d}" for v in s.starts)
                     + "   " + " ".join(f"{v:4d}" for v in s.ends))
    tmp = path + ".part"
    with open(tmp, "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")
    os.replace(tmp, path)


def read(path):
    """Parses segments.txt; ValueError names the line on any fault."""
    segs = []
    with open(path, encoding="ascii") as f:
        for no, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            parts = line.split()
            if len(parts) != 14:
                raise ValueError(f"{path}:{no}: expected 14 fields, found {len(parts)}")
            try:
                nums = [int(v) for v in parts[2:]]
            except ValueError:
                raise ValueError(f"{path}:{no}: frame numbers must be integers") from None
            if any(not 1 <= v <= 65535 for v in nums):
                raise ValueError(f"{path}:{no}: frame numbers must be 1..65535")
            seg = Segment(parts[0], parts[1], nums[:6], nums[6:])
            if any(e < s for s, e in zip(seg.starts, seg.ends)):
                raise ValueError(f"{path}:{no}: a segment ends before it starts")
            segs.append(seg)
    names = [s.name for s in segs]
    expected = [n for n, _, _ in SPOKEN] + [n for n, _, _ in REACTIONS]
    if names != expected:
        missing = set(expected) - set(names)
        raise ValueError(f"{path}: segments differ from the expected list"
                         + (f" (missing {sorted(missing)})" if missing else " (order)"))
    return segs


# --- Measuring the voices ------------------------------------------------------

def speech_seconds(samples, rate):
    """Length of the clip as played: the whole clip (the game plays all of it)."""
    return len(samples) / float(rate)


def measure_game_dir(game_dir):
    """Clip lengths from the speech clips in the game directory."""
    from common import SOUND_KEY, unscramble, MediaError
    durations = []
    for voice in VOICES:
        d = {}
        for _, clip, _ in SPOKEN:
            path = os.path.join(game_dir, voice + clip + ".mm3")
            # a little room, so a small change to a voice does not outgrow its segment
            d[clip] = wav_seconds(path) * 1.08 + 0.04
        durations.append(d)
    return durations


def wav_seconds(path):
    from common import SOUND_KEY, unscramble, MediaError
    try:
        with open(path, "rb") as f:
            raw = unscramble(f.read(), SOUND_KEY)
    except OSError as e:
        raise MediaError(f"{os.path.basename(path)}: cannot read: {e}") from e
    if raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        raise MediaError(f"{os.path.basename(path)}: not a WAVE file")
    pos, rate, bits, chans, nbytes = 12, None, None, None, None
    while pos + 8 <= len(raw):
        cid, size = raw[pos:pos + 4], struct.unpack("<I", raw[pos + 4:pos + 8])[0]
        if cid == b"fmt ":
            _, chans, rate, _, _, bits = struct.unpack("<HHIIHH", raw[pos + 8:pos + 24])
        elif cid == b"data":
            nbytes = min(size, len(raw) - pos - 8)
        pos += 8 + size + (size & 1)
    if not rate or not bits or nbytes is None:
        raise MediaError(f"{os.path.basename(path)}: no PCM data")
    return nbytes / (rate * chans * bits // 8)


def estimate_with_flite():
    """Before the voices exist: flite's own timing of the words, with room for
    slower voice settings."""
    flite_voice = {"f": "slt", "m1": "rms", "m2": "awb", "m3": "kal16"}
    durations = []
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "x.wav")
        for voice in VOICES:
            fv = flite_voice[voice] if voice[0] == "m" else flite_voice["f"]
            d = {}
            for _, clip, words in SPOKEN:
                subprocess.run(["flite", "-voice", fv, "-t", words, "-o", out], check=True)
                d[clip] = 1.35 * trimmed_wav_seconds(out) + 0.12
            durations.append(d)
    return durations


def trimmed_wav_seconds(path):
    import numpy as np
    from common import read_wav_mono16
    rate, x = read_wav_mono16(path)
    loud = np.nonzero(np.abs(x) > 0.02)[0]
    if len(loud) == 0:
        return 0.0
    return (loud[-1] - loud[0]) / float(rate)


def main(argv):
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    if len(argv) == 3 and argv[0] == "--voices":
        durations = measure_game_dir(argv[1])
        dst = argv[2]
    elif len(argv) == 2 and argv[0] == "--estimate":
        durations = estimate_with_flite()
        dst = argv[1]
    else:
        print(__doc__)
        return 2
    write(dst, plan(durations))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
