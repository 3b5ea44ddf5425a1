"""Group music: the theme, applause, buzzer, click, pauses and the studio logo
jingle, synthesized by our own numpy code (music_theme.py, music_fx.py).

The game mixes without saturation (a sum past 16 bits wraps around), so the
levels here are chosen for the mixes the show makes, and checked before any
file is written: see check_show_mixes().
"""
import os

import numpy as np

import music_fx as fx
from common import MediaError, write_mm3_sound
from music_theme import render_theme

FULL_SCALE = 32767


def _to_pcm(x):
    return np.round(np.clip(x, -1, 1) * FULL_SCALE).astype(np.int16)


def _span(x, from_ms, to_ms):
    spm = 22   # the game counts 22 samples per millisecond at 22 050 Hz
    return x[int(from_ms * spm):int(to_ms * spm)]


def _mix(dest, clip, gain, at_ms):
    """The game's mix: dest*(1.2 - gain) + clip*gain; returns the highest |value|."""
    i = int(at_ms * 22)
    part = dest[i:i + len(clip)].astype(np.float64)
    mixed = np.trunc(part * (1.2 - gain) + clip[: len(part)].astype(np.float64) * gain)
    dest[i:i + len(part)] = np.clip(mixed, -1e9, 1e9)
    return np.abs(mixed).max()


def check_show_mixes(sounds):
    """Rebuilds the show's louder compositions and fails if any would wrap."""
    theme, a2 = sounds["theme.mm3"].astype(np.int64), sounds["applaus2.mm3"].astype(np.int64)
    # Opening: theme, first 11 s again, under the host at half volume, voices mixed at 0.5.
    opening = np.concatenate([theme, _span(theme, 0, 11000)]).astype(np.float64)
    opening[4000 * 22:31000 * 22] *= 0.5
    loud_voice = np.full(22050, 0.5 * FULL_SCALE)          # a clip peaking at -6 dBFS
    worst = max(_mix(opening, loud_voice, 0.5, 4500), _mix(opening, loud_voice, 0.5, 12500))
    worst = max(worst, np.abs(theme).max())
    # Champion: a host line, applaus2 twice, applaus2 again from 5047 ms at 0.8.
    champ = np.concatenate([np.full(1500 * 22, 0.5 * FULL_SCALE), a2, a2]).astype(np.float64)
    worst = max(worst, _mix(champ, a2, 0.8, 5047))
    if worst > FULL_SCALE:
        raise MediaError(f"theme.mm3/applaus2.mm3: show mix reaches {worst:.0f}, past 16 bits")
    return worst


def generate(data_dir, out_dir):
    sounds = {
        "theme.mm3": render_theme(data_dir),
        "applause.mm3": fx.applause(),
        "applaus2.mm3": fx.champion_applause(),
        "buzzbuzz.mm3": fx.buzzer(),
        "click.mm3": fx.click(),
        "s05.mm3": fx.silence(0.5),
        "s1.mm3": fx.silence(1.0),
        "vantouhuh.mm3": fx.logo_sting_first(),
        "vantogboy.mm3": fx.logo_sting_second(),
    }
    pcm = {name: _to_pcm(x) for name, x in sounds.items()}
    check_show_mixes(pcm)
    for name, samples in pcm.items():
        write_mm3_sound(os.path.join(out_dir, name), samples)
    return list(pcm)
