"""Records one clip: flite reads the words, then our own processing gives the
voice its character and makes every clip of the show equally loud.

Chain: flite (16 kHz) -> shift and resample to 22 050 Hz with tone shaping in
one FFT pass -> noise gate -> compression -> trim to a short natural margin -> loudness
normalisation -> peak limiter at -6 dBFS -> short fades.
"""
import numpy as np

from common import SAMPLE_RATE, MediaError
from speech_flite import say

TARGET_RMS_DB = -18.0      # loudness of the spoken part of every clip
PEAK_CEILING = 10 ** (-6.0 / 20)   # leaves headroom for the game's wrapping mixes
LEAD_MS, TAIL_MS = 30, 70  # breath before and after the words
FADE_MS = 6
TRIM_BELOW_PEAK_DB = 38   # quieter than this, relative to the loudest 10 ms, is not speech
GATE_BELOW_PEAK_DB = 50


def synthesize(voice, text):
    """flite's take of the words in the voice's base settings: (rate, float samples)."""
    rate, samples = say(voice.flite, text, stretch=voice.stretch, f0=voice.f0, f0sd=voice.f0sd)
    return rate, samples.astype(np.float64) / 32768.0


def _tone_curve(freqs, voice):
    """Gain per frequency: rumble cut, low shelf (warmth), bell near 3 kHz (presence)."""
    highpass = 1.0 / np.sqrt(1.0 + (70.0 / np.maximum(freqs, 1.0)) ** 4)
    shelf_gain = 10 ** (voice.warmth_db / 20) - 1.0
    shelf = 1.0 + shelf_gain / (1.0 + (freqs / 300.0) ** 2)
    bell_gain = 10 ** (voice.presence_db / 20) - 1.0
    octaves = np.log2(np.maximum(freqs, 1.0) / 3000.0)
    bell = 1.0 + bell_gain * np.exp(-0.5 * (octaves / 0.6) ** 2)
    return highpass * shelf * bell


def shift_and_shape(x, rate_in, voice):
    """Plays the take `shift` times faster (pitch and formants move together),
    resampled to the game's rate, with the voice's tone curve, in one FFT pass."""
    pad = 256
    x = np.concatenate([np.zeros(pad), x, np.zeros(pad)])
    n_in = len(x)
    effective_rate = rate_in * voice.shift
    n_out = int(round(n_in * SAMPLE_RATE / effective_rate))
    spec = np.fft.rfft(x)
    out_bins = n_out // 2 + 1
    if out_bins <= len(spec):
        spec = spec[:out_bins]
    else:
        spec = np.concatenate([spec, np.zeros(out_bins - len(spec), complex)])
    freqs = np.arange(out_bins) * (SAMPLE_RATE / n_out)
    spec = spec * _tone_curve(freqs, voice)
    # Gentle roll-off near the top of the band the take really has.
    top = min(effective_rate, SAMPLE_RATE) / 2
    spec = spec * np.clip((top - freqs) / (0.08 * top), 0.0, 1.0)
    return np.fft.irfft(spec, n_out) * (n_out / n_in)


def _moving_average(x, width):
    width = max(1, int(width))
    c = np.cumsum(np.concatenate([[0.0], x]))
    half = width // 2
    idx = np.arange(len(x))
    lo = np.clip(idx - half, 0, len(x))
    hi = np.clip(idx - half + width, 0, len(x))
    return (c[hi] - c[lo]) / np.maximum(hi - lo, 1)


def _moving_max(x, width):
    """Maximum over a centred window, by doubling shifts (O(n log width))."""
    out = x.copy()
    span = 1
    while span < width:
        step = min(span, width - span)
        shifted = np.concatenate([out[step:], np.full(step, out[-1] if len(out) else 0)])
        out = np.maximum(out, shifted)
        span += step
    half = width // 2
    return np.concatenate([np.full(half, out[0]), out])[: len(x)] if len(x) else out


def compress(x, squeeze):
    """Evens out loud and soft syllables, like a broadcast voice chain."""
    if squeeze <= 0 or len(x) == 0:
        return x
    env = np.sqrt(_moving_average(x * x, SAMPLE_RATE * 0.025) + 1e-12)
    threshold = 0.5 * np.percentile(env, 95)
    ratio = 1.0 + 3.0 * squeeze
    over = np.maximum(env / threshold, 1.0)
    gain = over ** (1.0 / ratio - 1.0)
    return x * _moving_average(gain, SAMPLE_RATE * 0.010)


def _frame_db(x, frame):
    n = len(x) // frame
    if n == 0:
        raise MediaError("flite produced no sound")
    energy = (x[: n * frame].reshape(n, frame) ** 2).mean(axis=1)
    return 10 * np.log10(energy + 1e-12)


def gate(x):
    """Silences the hiss some flite voices leave between and around words."""
    env = 10 * np.log10(_moving_average(x * x, SAMPLE_RATE * 0.015) + 1e-12)
    floor = env.max() - GATE_BELOW_PEAK_DB
    gain = np.clip((env - floor) / 10.0, 0.0, 1.0)
    return x * _moving_average(gain, SAMPLE_RATE * 0.005)


def trim(x):
    """Cuts the silence flite leaves around the words, keeping a natural margin.
    A word starts where three frames in a row rise above the threshold, so a
    stray click does not count."""
    frame = int(SAMPLE_RATE * 0.010)
    db = _frame_db(x, frame)
    loud = db > db.max() - TRIM_BELOW_PEAK_DB
    run = loud[:-2] & loud[1:-1] & loud[2:] if len(loud) > 2 else loud
    active = np.nonzero(run)[0]
    if len(active) == 0:
        active = np.nonzero(loud)[0]
    first, last = active[0], active[-1] + (2 if len(run) < len(loud) else 0)
    start = max(0, first * frame - int(SAMPLE_RATE * LEAD_MS / 1000))
    end = min(len(x), (last + 1) * frame + int(SAMPLE_RATE * TAIL_MS / 1000))
    return x[start:end]


def normalise(x):
    """Same loudness for every clip (RMS of the spoken frames), peaks held at -6 dBFS."""
    frame = int(SAMPLE_RATE * 0.020)
    n = max(1, len(x) // frame)
    energy = np.sqrt((x[: n * frame].reshape(n, -1) ** 2).mean(axis=1) + 1e-12)
    spoken = energy[energy > energy.max() * 10 ** (-30 / 20)]
    rms = np.sqrt((spoken ** 2).mean())
    x = x * (10 ** (TARGET_RMS_DB / 20) / rms)
    # Look-ahead limiter: the gain each sample needs, held over 3 ms and smoothed.
    width = int(SAMPLE_RATE * 0.003)
    need = np.minimum(1.0, PEAK_CEILING / np.maximum(np.abs(x), 1e-9))
    held = -_moving_max(-need, 2 * width + 1)
    gain = _moving_average(held, width + 1)
    return np.clip(x * gain, -PEAK_CEILING, PEAK_CEILING)


def fade(x):
    k = min(len(x) // 2, int(SAMPLE_RATE * FADE_MS / 1000))
    if k > 0:
        ramp = np.linspace(0.0, 1.0, k)
        x = x.copy()
        x[:k] *= ramp
        x[-k:] *= ramp[::-1]
    return x


def record(voice, text):
    """The finished clip as 16-bit integer samples at 22 050 Hz."""
    rate, x = synthesize(voice, text)
    x = gate(shift_and_shape(x, rate, voice))
    x = compress(x, voice.squeeze)
    x = fade(normalise(trim(x)))
    return np.round(x * 32767).astype(np.int16)
