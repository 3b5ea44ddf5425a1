"""Instruments of the show's band, all plain numpy: every function returns one
note or hit as float samples at the game's rate, to be placed on a track."""
import numpy as np

from common import SAMPLE_RATE

SR = SAMPLE_RATE
NOTE_INDEX = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_to_midi(name):
    """'Bb4' -> 70; 'C#5' -> 73."""
    letter, rest = name[0].upper(), name[1:]
    shift = 0
    while rest and rest[0] in "b#":
        shift += -1 if rest[0] == "b" else 1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + NOTE_INDEX[letter] + shift


def midi_to_hz(m):
    return 440.0 * 2 ** ((m - 69) / 12)


def times(seconds):
    return np.arange(int(seconds * SR)) / SR


def adsr(n, attack, decay, sustain, release, hold=None):
    """Envelope of n samples; the release starts at `hold` seconds (default: so it ends at n)."""
    t = np.arange(n) / SR
    total = n / SR
    hold = total - release if hold is None else hold
    env = np.where(t < attack, t / max(attack, 1e-6),
                   sustain + (1 - sustain) * np.exp(-(t - attack) / max(decay, 1e-6)))
    rel = np.clip((t - hold) / max(release, 1e-6), 0, 1)
    return env * (1 - rel)


class Track:
    """A mono bus of fixed length; notes are added at times in seconds."""

    def __init__(self, seconds):
        self.x = np.zeros(int(round(seconds * SR)))

    def add(self, at, sound, gain=1.0, wrap=False):
        i = int(round(at * SR))
        if i >= len(self.x):
            return
        n = len(sound)
        if wrap:
            idx = (np.arange(n) + i) % len(self.x)
            np.add.at(self.x, idx, sound * gain)
        else:
            end = min(len(self.x), i + n)
            self.x[i:end] += sound[: end - i] * gain


def brass(freq, seconds, brightness=1.0, rng=None):
    """A brass-section note: harmonics that open up during the attack (the
    'blat' of a trumpet), a touch of vibrato, a soft release."""
    n = int((seconds + 0.12) * SR)
    t = np.arange(n) / SR
    env = adsr(n, 0.025, 0.15, 0.75, 0.09)
    vib = 1 + 0.004 * np.sin(2 * np.pi * 5.5 * t) * np.clip((t - 0.15) / 0.2, 0, 1)
    phase = 2 * np.pi * freq * np.cumsum(vib) / SR
    opening = 3 + 9 * brightness * np.clip(t / 0.04, 0, 1) * (0.75 + 0.25 * env)
    out = np.zeros(n)
    for k in range(1, 24):
        if k * freq > SR * 0.45:
            break
        out += np.sin(k * phase) * np.exp(-k / opening) / k ** 0.6
    return out * env * 0.25


def ep_chord(freqs, seconds):
    """Electric-piano stab: FM tines, quick decay."""
    n = int((seconds + 0.25) * SR)
    t = np.arange(n) / SR
    out = np.zeros(n)
    for f in freqs:
        index = 1.8 * np.exp(-t * 9)
        out += np.sin(2 * np.pi * f * t + index * np.sin(2 * np.pi * f * t)) * np.exp(-t * 3.2)
    env = adsr(n, 0.004, 0.3, 0.6, 0.1, hold=seconds)
    return out * env * 0.18


def pad(freqs, seconds):
    """Soft string pad under the band: detuned saws, slow attack."""
    n = int((seconds + 0.3) * SR)
    t = np.arange(n) / SR
    out = np.zeros(n)
    for f in freqs:
        for detune in (0.997, 1.003):
            for k in range(1, 9):
                out += np.sin(2 * np.pi * f * detune * k * t + k) / k ** 1.4
    env = adsr(n, 0.18, 0.5, 0.8, 0.3, hold=seconds)
    return out * env * 0.03


def bass(freq, seconds):
    """Plucked synth bass: a few harmonics that close quickly."""
    n = int((seconds + 0.05) * SR)
    t = np.arange(n) / SR
    out = np.zeros(n)
    for k in range(1, 10):
        out += np.sin(2 * np.pi * freq * k * t) / k * np.exp(-t * (2 + 5 * k))
    env = adsr(n, 0.004, 0.25, 0.7, 0.04)
    return out * env * 0.45


def kick():
    t = times(0.35)
    f = 45 + 90 * np.exp(-t * 35)
    body = np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t * 9)
    click = np.exp(-t * 400) * 0.5
    return (body + click) * 0.8


def snare(rng):
    t = times(0.25)
    noise = rng.standard_normal(len(t))
    noise = noise - np.concatenate([[0], noise[:-1]]) * 0.6   # brighter
    tone = np.sin(2 * np.pi * 185 * t) * np.exp(-t * 25)
    return (noise * np.exp(-t * 18) * 0.35 + tone * 0.5) * 0.7


def hat(rng, open_=False):
    t = times(0.3 if open_ else 0.06)
    noise = rng.standard_normal(len(t))
    noise = np.diff(np.concatenate([[0], noise]))     # high-passed
    return noise * np.exp(-t * (12 if open_ else 70)) * 0.09


def crash(rng):
    t = times(1.6)
    noise = np.diff(np.concatenate([[0], rng.standard_normal(len(t))]))
    shimmer = 1 + 0.3 * np.sin(2 * np.pi * 7 * t)
    return noise * np.exp(-t * 2.6) * shimmer * 0.13


def tom(freq):
    t = times(0.3)
    f = freq * (1 + 0.5 * np.exp(-t * 20))
    return np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t * 10) * 0.55


def circular_reverb(x, seconds=1.1, wet=0.16, seed=7):
    """Room ambience by convolution with decaying noise. Circular, so the tail
    of the last bar rings into the first and the piece loops without a seam."""
    rng = np.random.default_rng(seed)
    n = int(seconds * SR)
    t = np.arange(n) / SR
    ir = rng.standard_normal(n) * np.exp(-t * 6.9 / seconds)
    ir[: int(0.012 * SR)] = 0                      # pre-delay
    ir /= np.sqrt((ir ** 2).sum())
    size = len(x)
    spec = np.fft.rfft(x) * np.fft.rfft(ir, size)
    return x + wet * np.fft.irfft(spec, size)


def lowpass(x, cutoff):
    """Brick-wall-free gentle low-pass in the frequency domain."""
    spec = np.fft.rfft(x)
    f = np.fft.rfftfreq(len(x), 1 / SR)
    return np.fft.irfft(spec / np.sqrt(1 + (f / cutoff) ** 4), len(x))


def bandpass_noise(rng, n, centre, width):
    spec = np.fft.rfft(rng.standard_normal(n))
    f = np.fft.rfftfreq(n, 1 / SR)
    spec *= np.exp(-0.5 * ((f - centre) / width) ** 2)
    y = np.fft.irfft(spec, n)
    return y / (np.abs(y).max() + 1e-12)
