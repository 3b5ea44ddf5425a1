"""How the check listens to a recording: as a player would hear it in the
show, several times over, and what it expects to hear.

Every recording, ours or flite's, is brought to the same speaking level, gets
a pause before and after, and lies over the faint hiss of a quiet room
(digital silence throws the recogniser's noise and cepstral mean estimates,
and no player hears digital silence). The recogniser's answer can flip on a
detail as small as that hiss, so each recording is heard LISTENINGS times,
over a different hiss each time, and the figures count every hearing:

    heard = hear_all(clips, voices, ours, flites, jobs=2)
    heard["h07.mm3"].ours      # ["seven", "seven", "heaven"]
    heard["h07.mm3"].ours_picked  # the number understood by a listener who
                                  # knows a number comes: ["seven"] * 3
"""
import tempfile
import zlib
from dataclasses import dataclass

import numpy as np

from common import MediaError
from recogniser import RATE, recognise
from speech_clips import LETTER, NUMBER

LISTENINGS = 3
LEAD_IN_S = 0.3      # pause before a recording: the recogniser needs it to hear the first consonant
TAIL_S = 0.1         # and after it
SPEAKING_DB = -20.0  # level of the spoken frames, dB of full scale
ROOM_DB = -65.0      # the hiss under everything

# What a listener expects where the show says a number or a letter: any number
# up to 99, any letter of the alphabet (so "B" must not pass for "D" or "E").
_ONES = ("zero one two three four five six seven eight nine ten eleven twelve thirteen "
         "fourteen fifteen sixteen seventeen eighteen nineteen").split()
_TENS = "twenty thirty forty fifty sixty seventy eighty ninety".split()
NUMBER_WORDS = _ONES + _TENS + [f"{t} {o}" for t in _TENS for o in _ONES[1:10]]
LETTER_WORDS = [chr(c) + "." for c in range(ord("a"), ord("z") + 1)]
EXPECTED = {NUMBER: NUMBER_WORDS, LETTER: LETTER_WORDS}


@dataclass
class Hearing:
    ours: list                  # what was heard in our clip, one text per listening
    flite: list                 # ... in flite's own voice saying the same words
    ours_picked: list = None    # numbers and letters: what a listener expecting one understood
    flite_picked: list = None


def to_16k(x, rate):
    """Band-limited resampling (FFT) to the recogniser's rate."""
    x = np.asarray(x, np.float64)
    if rate == RATE or len(x) == 0:
        return x
    n_out = int(round(len(x) * RATE / rate))
    spec = np.fft.rfft(x)
    bins = n_out // 2 + 1
    spec = spec[:bins] if bins <= len(spec) else np.concatenate([spec, np.zeros(bins - len(spec))])
    return np.fft.irfft(spec, n_out) * (n_out / len(x))


def as_heard(x, rate, seed):
    """The recording at the speaking level, with pauses, over a room's hiss (int16, 16 kHz)."""
    y = to_16k(x, rate)
    frame = RATE // 50
    n = len(y) // frame
    if n == 0:
        raise MediaError("a recording shorter than 20 ms")
    energy = (y[: n * frame].reshape(n, frame) ** 2).mean(axis=1)
    if energy.max() <= 0:
        raise MediaError("a silent recording")
    spoken = energy[energy > energy.max() * 1e-3]
    y = y * (10 ** (SPEAKING_DB / 20) / np.sqrt(spoken.mean()))
    y = np.concatenate([np.zeros(int(RATE * LEAD_IN_S)), y, np.zeros(int(RATE * TAIL_S))])
    y += np.random.default_rng(seed).normal(0.0, 10 ** (ROOM_DB / 20), len(y))
    return np.clip(np.round(y * 32768), -32768, 32767).astype(np.int16)


def listen(recordings, jobs, expect=None):
    """What the recogniser hears in each of {key: (samples, rate)}: {key: [text, ...]},
    one text per listening."""
    keys = list(recordings)
    heard_as = {}
    for i, k in enumerate(keys):
        # The hiss depends on the recording's key alone, not on what else is heard.
        seed = zlib.crc32(repr(k).encode())
        for n in range(LISTENINGS):
            heard_as[f"r{i}_{n}"] = as_heard(*recordings[k], seed=seed + n)
    with tempfile.TemporaryDirectory(prefix="tvz-listen-") as work:
        heard = recognise(heard_as, work, jobs, expect)
    return {k: [heard[f"r{i}_{n}"] for n in range(LISTENINGS)] for i, k in enumerate(keys)}


def hear_all(clips, voices, ours, flites, jobs):
    """{file: Hearing} for every clip; ours is {file: (samples, rate)}, flites
    {(flite voice, words): (samples, rate)}."""
    def flite_key(c):
        return (voices[c.voice].flite, c.spoken)
    everything = {("ours", c.file): ours[c.file] for c in clips}
    everything.update({("flite", flite_key(c)): flites[flite_key(c)] for c in clips})
    heard = listen(everything, jobs)
    picked = {}
    for kind, choices in EXPECTED.items():
        some = {}
        for c in clips:
            if c.kind == kind:
                some[("ours", c.file)] = ours[c.file]
                some[("flite", flite_key(c))] = flites[flite_key(c)]
        if some:
            picked.update(listen(some, jobs, choices))
    return {c.file: Hearing(heard[("ours", c.file)], heard[("flite", flite_key(c))],
                            picked.get(("ours", c.file)), picked.get(("flite", flite_key(c))))
            for c in clips}
