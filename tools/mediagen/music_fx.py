"""The studio's sound effects: audience applause, the time-out buzzer, the
button click and the studio logo jingle. All synthesized, all seeded, so every
build makes the same sounds."""
import numpy as np

from music_synth import SR, adsr, bandpass_noise, brass, circular_reverb, lowpass, midi_to_hz, times

APPLAUSE_PEAK = 0.65    # applause is appended and mixed by the game, which wraps at 16 bits


def _clap_templates(rng, count=16):
    """Hand claps: a short burst of band-limited noise, each hand pair its own colour."""
    claps = []
    for _ in range(count):
        n = int(0.045 * SR)
        t = np.arange(n) / SR
        colour = bandpass_noise(rng, n, rng.uniform(900, 2600), rng.uniform(500, 1300))
        claps.append(colour * np.exp(-t / rng.uniform(0.006, 0.014)))
    return claps


def _crowd_intensity(t, swell, hold, decay):
    rise = np.clip(t / swell, 0, 1) ** 0.7
    fall = np.where(t < hold, 1.0, np.exp(-(t - hold) / decay))
    return rise * fall


def _clapping(rng, seconds, people, hold, decay):
    """Each person claps at their own pace from a few moments in until they tire."""
    n = int(seconds * SR)
    out = np.zeros(n + SR)
    claps = _clap_templates(rng)
    for _ in range(people):
        rate = rng.uniform(3.2, 5.2)
        start = abs(rng.normal(0.05, 0.08))
        stop = min(seconds - 0.05, hold + rng.exponential(decay * 1.2))
        loudness = rng.uniform(0.4, 1.0)
        t = start
        while t < stop:
            fade = 1.0 if t < hold else np.exp(-(t - hold) / (decay * 2))
            clap = claps[rng.integers(len(claps))]
            i = int(t * SR)
            out[i:i + len(clap)] += clap * loudness * fade * rng.uniform(0.7, 1.0)
            t += rng.normal(1 / rate, 0.1 / rate)
    return out[:n]


def _crowd_wash(rng, seconds, hold, decay):
    """The roar under the claps: many voices and hands blurred into noise."""
    t = times(seconds)
    noise = lowpass(rng.standard_normal(len(t)), 1800)
    return noise * _crowd_intensity(t, 0.3, hold, decay) * 0.25


def _whistle(seconds, rng):
    """A two-finger whistle: a bright tone that leaps up and slides down."""
    t = times(seconds)
    base = rng.uniform(2100, 2600)
    glide = base * (1 + 0.25 * np.clip(t / 0.08, 0, 1) - 0.35 * np.clip((t - 0.1) / seconds, 0, 1))
    tone = np.sin(2 * np.pi * np.cumsum(glide * (1 + 0.006 * np.sin(2 * np.pi * 9 * t))) / SR)
    return tone * adsr(len(t), 0.03, 0.3, 0.8, 0.12) * 0.25


def _cheer(seconds, rng):
    """A 'woo' from the audience: a voice sliding up and down through an 'oo'."""
    t = times(seconds)
    f0 = rng.uniform(220, 330) * (1 + 0.35 * np.sin(np.pi * np.clip(t / seconds, 0, 1)))
    phase = 2 * np.pi * np.cumsum(f0 * (1 + 0.01 * np.sin(2 * np.pi * 6 * t))) / SR
    out = np.zeros(len(t))
    for k in range(1, 16):
        fk = k * f0
        formants = np.exp(-0.5 * ((fk - 350) / 120) ** 2) + 0.5 * np.exp(-0.5 * ((fk - 900) / 200) ** 2)
        out += np.sin(k * phase) * formants
    breath = lowpass(rng.standard_normal(len(t)), 1200) * 0.05
    return (out * 0.12 + breath) * adsr(len(t), 0.08, 0.4, 0.8, 0.25)


def applause(seconds=3.5, people=34, seed=21):
    rng = np.random.default_rng(seed)
    hold, decay = 1.2, 0.55
    x = _clapping(rng, seconds, people, hold, decay) + _crowd_wash(rng, seconds, hold, decay)
    x = _tail_out(circular_reverb(np.concatenate([x, np.zeros(SR // 2)]), 0.8, 0.25)[: len(x)])
    return x * (APPLAUSE_PEAK / np.abs(x).max())


def champion_applause(seconds=4.0, seed=77):
    """Bigger: more hands, cheers and whistles, held longer."""
    rng = np.random.default_rng(seed)
    hold, decay = 2.2, 0.6
    x = _clapping(rng, seconds, 60, hold, decay) * 0.8 + _crowd_wash(rng, seconds, hold, decay) * 1.5
    for at, length in ((0.25, 0.7), (1.1, 0.55), (2.0, 0.8)):
        w = _whistle(length, rng)
        i = int(at * SR)
        x[i:i + len(w)] += w[: len(x) - i] * 1.4
    for at in (0.1, 0.4, 0.9, 1.6):
        c = _cheer(rng.uniform(0.6, 1.0), rng)
        i = int(at * SR)
        x[i:i + len(c)] += c[: len(x) - i] * 1.2
    x = _tail_out(circular_reverb(np.concatenate([x, np.zeros(SR // 2)]), 1.0, 0.25)[: len(x)])
    return x * (APPLAUSE_PEAK / np.abs(x).max())


def _tail_out(x, ms=120):
    k = int(SR * ms / 1000)
    x = x.copy()
    x[-k:] *= np.linspace(1, 0, k) ** 2
    return x


def buzzer(seconds=0.8):
    """Time is up: two out-of-tune square waves, harsh and unmistakable."""
    t = times(seconds)
    x = np.zeros(len(t))
    for f in (104.0, 110.0, 156.0):
        # band-limited square: odd harmonics only
        for k in range(1, 40, 2):
            if k * f > 5000:
                break
            x += np.sin(2 * np.pi * k * f * t) / k
    x *= adsr(len(t), 0.006, 0.2, 1.0, 0.05)
    return x * (0.45 / np.abs(x).max())


def click():
    """A soft button tick: 40 ms, a damped wooden knock."""
    t = times(0.040)
    body = np.sin(2 * np.pi * 1400 * t) * np.exp(-t * 220)
    knock = np.sin(2 * np.pi * 520 * t) * np.exp(-t * 120) * 0.6
    x = body + knock
    x[-int(0.004 * SR):] *= np.linspace(1, 0, int(0.004 * SR))
    return x * (0.3 / np.abs(x).max())


def silence(seconds):
    return np.zeros(int(round(seconds * SR)))


def _bell(freq, seconds, brightness=2.0):
    """Mallet bell for the studio logo: FM with an inharmonic partial."""
    t = times(seconds)
    index = brightness * np.exp(-t * 6)
    mod = np.sin(2 * np.pi * freq * 3.5 * t)
    return np.sin(2 * np.pi * freq * t + index * mod) * np.exp(-t * 3.0) * adsr(len(t), 0.002, 1, 1, 0.05)


def _whoosh(seconds, rng):
    t = times(seconds)
    n = len(t)
    spec = np.fft.rfft(rng.standard_normal(n))
    f = np.fft.rfftfreq(n, 1 / SR)
    spec *= np.exp(-0.5 * ((f - 2500) / 1800) ** 2)
    x = np.fft.irfft(spec, n)
    return x / np.abs(x).max() * np.sin(np.pi * t / seconds) ** 2


def logo_sting_first(seed=5):
    """First half of the studio jingle (~1.5 s): a whoosh up into three bright bells."""
    rng = np.random.default_rng(seed)
    x = silence(1.5)
    w = _whoosh(0.5, rng) * 0.2
    x[: len(w)] += w
    for i, (note, at) in enumerate((("G5", 0.42), ("C6", 0.56), ("E6", 0.70))):
        b = _bell(midi_to_hz(_midi(note)), 1.5 - at)
        x[int(at * SR):int(at * SR) + len(b)] += b * (0.6 + 0.15 * i)
    return _finish(x, 0.55)


def logo_sting_second():
    """Second half (~2.5 s): the brass answers with a warm chord that blooms and fades."""
    x = silence(2.5)
    chord = ("C4", "G4", "C5", "E5", "G5")
    for i, note in enumerate(chord):
        at = 0.04 * i
        b = brass(midi_to_hz(_midi(note)), 2.0 - at, brightness=0.8)
        x[int(at * SR):int(at * SR) + len(b)] += b[: len(x) - int(at * SR)]
    # The chord swells in and dies away, rather than holding flat.
    t = np.arange(len(x)) / SR
    x *= np.clip(t / 0.12, 0, 1) * (0.35 + 0.65 * np.exp(-t / 0.9))
    low = _bell(midi_to_hz(_midi("C3")), 2.4, brightness=0.8)
    x[: len(low)] += low * 0.8
    sparkle = _bell(midi_to_hz(_midi("C7")), 1.6, brightness=1.0) * 0.25
    x[int(0.3 * SR):int(0.3 * SR) + len(sparkle)] += sparkle
    return _finish(x, 0.55)


def _midi(name):
    from music_synth import note_to_midi
    return note_to_midi(name)


def _finish(x, peak):
    x = circular_reverb(np.concatenate([x, np.zeros(SR)]), 1.2, 0.3)[: len(x)]
    x = _tail_out(x, 300)
    return x * (peak / np.abs(x).max())
