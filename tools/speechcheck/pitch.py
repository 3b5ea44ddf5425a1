"""The pitch a voice speaks at, to tell the show's voices apart by ear.

frame_pitches() follows the voiced parts of a recording every 10 ms with the
YIN method (cumulative mean normalised difference, which does not jump an
octave down the way plain autocorrelation does); the median over all of a
voice's clips is that voice's pitch:

    median_pitch([(samples, 16000), ...])   # -> 112.4 (Hz), or None if nothing is voiced
"""
import numpy as np

FMIN, FMAX = 55.0, 420.0
WINDOW_S, HOP_S = 0.040, 0.010
THRESHOLD = 0.15          # YIN's dip below which a lag is a period
QUIET_DB = 30             # frames this far below the loudest are not voice


def _frames(x, length, hop):
    n = 1 + (len(x) - length) // hop
    idx = np.arange(length)[None, :] + hop * np.arange(n)[:, None]
    return x[idx]


def frame_pitches(x, rate):
    """Pitch in Hz of every voiced 10 ms frame of x."""
    x = np.asarray(x, np.float64)
    w = int(rate * WINDOW_S)
    max_lag, min_lag = int(rate / FMIN), max(2, int(rate / FMAX))
    length = w + max_lag + 1
    if len(x) < length:
        return np.zeros(0)
    seg = _frames(x, length, int(rate * HOP_S))
    loud = (seg[:, :w] ** 2).mean(axis=1)
    keep = loud > loud.max() * 10 ** (-QUIET_DB / 10) if loud.max() > 0 else np.zeros(len(loud), bool)
    seg = seg[keep]
    if len(seg) == 0:
        return np.zeros(0)
    nfft = 1 << int(np.ceil(np.log2(length + w)))
    # Difference d(t) = sum (x[j] - x[j+t])^2 over the window, by FFT correlation.
    corr = np.fft.irfft(np.conj(np.fft.rfft(seg[:, :w], nfft)) * np.fft.rfft(seg, nfft), nfft)[:, :max_lag + 1]
    sq = np.concatenate([np.zeros((len(seg), 1)), np.cumsum(seg ** 2, axis=1)], axis=1)
    lags = np.arange(max_lag + 1)
    e_lag = sq[:, lags + w] - sq[:, lags]
    d = np.maximum(sq[:, w:w + 1] + e_lag - 2 * corr, 0.0)
    # Cumulative mean normalised difference.
    running = np.cumsum(d[:, 1:], axis=1)
    cmnd = np.ones_like(d)
    cmnd[:, 1:] = d[:, 1:] * lags[1:] / np.maximum(running, 1e-12)
    out = []
    for row in cmnd:
        below = np.nonzero(row[min_lag:max_lag] < THRESHOLD)[0]
        if len(below) == 0:
            continue
        t = min_lag + below[0]
        while t + 1 < max_lag and row[t + 1] < row[t]:
            t += 1
        # Parabolic refinement between the neighbouring lags.
        a, b, c = row[t - 1], row[t], row[t + 1]
        shift = 0.5 * (a - c) / (a - 2 * b + c) if (a - 2 * b + c) > 0 else 0.0
        out.append(rate / (t + shift))
    return np.array(out)


def median_pitch(recordings):
    """Median pitch in Hz over every voiced frame of [(samples, rate), ...]."""
    found = [frame_pitches(x, rate) for x, rate in recordings]
    allp = np.concatenate(found) if found else np.zeros(0)
    return float(np.median(allp)) if len(allp) else None
