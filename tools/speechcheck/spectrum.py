"""Where a voice's sound sits in the spectrum, to judge warmth and harshness
without a speaker: band levels of its long-term average spectrum, and
spectrogram pictures to look at.

    band_levels([(samples, rate), ...])  # {"body": -3.1, "presence": -14.0, "air": -27.5}

Levels are in dB relative to the middle band (300 Hz to 2 kHz, where most of
the speech energy is): "body" (80 to 300 Hz) is the warmth of the chest and
the first harmonics, "presence" (2 to 5 kHz) the edge of the consonants (too
much sounds harsh, too little muffled), "air" (5 to 8 kHz) hiss and sibilance.
"""
import numpy as np
from PIL import Image, ImageDraw

BANDS = {"body": (80, 300), "presence": (2000, 5000), "air": (5000, 8000)}
MIDDLE = (300, 2000)
NFFT = 1024


def _power_spectrum(x, rate):
    """Average power per bin over the loud frames of x, with the bin frequencies."""
    hop = NFFT // 2
    if len(x) < NFFT:
        x = np.concatenate([x, np.zeros(NFFT - len(x))])
    n = 1 + (len(x) - NFFT) // hop
    frames = x[np.arange(NFFT)[None, :] + hop * np.arange(n)[:, None]] * np.hanning(NFFT)
    power = np.abs(np.fft.rfft(frames, axis=1)) ** 2
    energy = power.sum(axis=1)
    loud = energy > energy.max() * 1e-3   # within 30 dB of the loudest frame
    return np.fft.rfftfreq(NFFT, 1.0 / rate), power[loud].sum(axis=0), loud.sum()


def band_levels(recordings):
    """Band levels in dB relative to the middle band, over all recordings."""
    total = {}
    for x, rate in recordings:
        freqs, power, _ = _power_spectrum(np.asarray(x, np.float64), rate)
        for name, (lo, hi) in list(BANDS.items()) + [("middle", MIDDLE)]:
            total[name] = total.get(name, 0.0) + power[(freqs >= lo) & (freqs < hi)].sum()
    middle = max(total.get("middle", 0.0), 1e-20)
    return {name: 10 * np.log10(max(total.get(name, 0.0), 1e-20) / middle) for name in BANDS}


def _spectrogram_columns(x, rate, top_hz, height):
    hop = int(rate * 0.005)
    win = int(rate * 0.025)
    x = np.concatenate([np.zeros(win), x, np.zeros(win)])
    n = 1 + (len(x) - win) // hop
    frames = x[np.arange(win)[None, :] + hop * np.arange(n)[:, None]] * np.hanning(win)
    magnitude = np.abs(np.fft.rfft(frames, 2048, axis=1))
    freqs = np.fft.rfftfreq(2048, 1.0 / rate)
    rows = np.interp(np.linspace(0, top_hz, height), freqs, np.arange(len(freqs))).astype(int)
    return 20 * np.log10(magnitude[:, rows].T[::-1] + 1e-9)


def _colour(db):
    """Dark blue (quiet) through red to yellow-white (loud), 60 dB of range."""
    t = np.clip((db - db.max() + 60) / 60, 0, 1)
    rgb = np.stack([np.clip(3 * t - 0.6, 0, 1), np.clip(3 * t - 1.6, 0, 1),
                    np.clip(0.5 + np.where(t < 0.3, t, 0.6 - t), 0, 1)], axis=-1)
    return (rgb * 255).astype(np.uint8)


def spectrogram_png(path, rows, top_hz=8000, height=160):
    """A picture of spectrograms: one row per (label, [(samples, rate), ...]),
    the recordings of a row side by side, 0 to top_hz from bottom to top."""
    strips = []
    for label, recordings in rows:
        cols = [_spectrogram_columns(np.asarray(x, np.float64), rate, top_hz, height) for x, rate in recordings]
        gap = np.full((height, 6), -200.0)
        db = np.concatenate(sum(([c, gap] for c in cols), [])[:-1], axis=1) if cols else gap
        strips.append((label, _colour(db)))
    width = max(s.shape[1] for _, s in strips) + 90
    img = Image.new("RGB", (width, len(strips) * (height + 8)), (0, 0, 0))
    draw = ImageDraw.Draw(img)
    for i, (label, strip) in enumerate(strips):
        top = i * (height + 8)
        img.paste(Image.fromarray(strip, "RGB"), (90, top))
        draw.text((4, top + 4), label, fill=(255, 255, 255))
        for khz in range(0, top_hz // 1000 + 1, 2):
            y = top + height - 1 - int(khz * 1000 / top_hz * (height - 1))
            draw.text((60, max(top, y - 6)), f"{khz}k", fill=(160, 160, 160))
    img.save(path)
