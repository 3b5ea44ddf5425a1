"""flite inside the generator's own process, through its shared libraries.

Starting the flite program once per clip cost more than the speech itself
(each start maps a dozen voice libraries); loaded once per worker, a short
clip takes a few milliseconds. The recordings are sample for sample the ones
the flite program writes with the same settings:

    rate, samples = say("awb", "Welcome.", stretch=1.1, f0=86, f0sd=12)
    rate, samples = say("slt", "Welcome.")     # the voice exactly as flite ships it

samples are int16. Each voice is one object inside the library, so every call
sets all three settings, putting back the voice's own value where the caller
gives none.
"""
import ctypes

import numpy as np

from common import MediaError

VOICES = ("awb", "slt", "rms", "kal16", "kal")
SETTINGS = ("duration_stretch", "int_f0_target_mean", "int_f0_target_stddev")
MAX_SECONDS = 120   # the longest commercial is a quarter of that


class _Wave(ctypes.Structure):
    # cst_wave of flite 2.x
    _fields_ = [("type", ctypes.c_char_p), ("sample_rate", ctypes.c_int),
                ("num_samples", ctypes.c_int), ("num_channels", ctypes.c_int),
                ("samples", ctypes.POINTER(ctypes.c_short))]


class _Voice(ctypes.Structure):
    # The head of cst_voice: its name and its feature list.
    _fields_ = [("name", ctypes.c_char_p), ("features", ctypes.c_void_p)]


class _Flite:
    def __init__(self):
        try:
            self.libc = ctypes.CDLL("libc.so.6")
            lib = ctypes.CDLL("libflite.so.1")
        except OSError as e:
            raise MediaError(f"cannot load flite (Debian package libflite1): {e}") from e
        lib.flite_init.restype = ctypes.c_int
        lib.flite_text_to_wave.restype = ctypes.POINTER(_Wave)
        lib.flite_text_to_wave.argtypes = [ctypes.c_char_p, ctypes.POINTER(_Voice)]
        lib.flite_feat_set_float.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_float]
        lib.flite_feat_remove.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
        lib.feat_present.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
        lib.flite_get_param_float.restype = ctypes.c_float
        lib.flite_get_param_float.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_float]
        lib.delete_wave.argtypes = [ctypes.POINTER(_Wave)]
        lib.flite_init()
        self.lib = lib
        # flite keeps the feature name pointers it is given: they must live
        # as long as the process.
        self.names = {s: ctypes.create_string_buffer(s.encode()) for s in SETTINGS}
        self.voices = {}     # name -> (voice pointer, its own settings)

    def _name(self, setting):
        return ctypes.cast(self.names[setting], ctypes.c_char_p)

    def voice(self, name):
        if name not in self.voices:
            if name not in VOICES:
                raise MediaError(f"flite has no voice {name!r} (it has {', '.join(VOICES)})")
            try:
                register = getattr(ctypes.CDLL(f"libflite_cmu_us_{name}.so.1"), f"register_cmu_us_{name}")
            except (OSError, AttributeError) as e:
                raise MediaError(f"cannot load the flite voice {name}: {e}") from e
            register.restype = ctypes.POINTER(_Voice)
            register.argtypes = [ctypes.c_char_p]
            v = register(None)
            if not v:
                raise MediaError(f"flite could not set up the voice {name}")
            feats = v.contents.features
            own = {s: (self.lib.flite_get_param_float(feats, self._name(s), 0.0)
                       if self.lib.feat_present(feats, self._name(s)) else None)
                   for s in SETTINGS}
            self.voices[name] = (v, own)
        return self.voices[name]

    def say(self, name, text, settings):
        v, own = self.voice(name)
        feats = v.contents.features
        for s in SETTINGS:
            value = settings.get(s, own[s])
            if value is None:
                self.lib.flite_feat_remove(feats, self._name(s))
            else:
                self.lib.flite_feat_set_float(feats, self._name(s), float(value))
        try:
            words = text.encode("ascii")
        except UnicodeEncodeError as e:
            raise MediaError(f"flite reads plain ASCII only: {text!r}") from e
        # The voices draw their breath noise from rand(): the same seed as a
        # fresh flite program gives the same recording whatever came before.
        self.libc.srand(1)
        wave = self.lib.flite_text_to_wave(words, v)
        if not wave:
            raise MediaError(f"flite could not say {text!r}")
        try:
            w = wave.contents
            if not (8000 <= w.sample_rate <= 48000 and w.num_channels == 1
                    and 0 < w.num_samples <= MAX_SECONDS * w.sample_rate and w.samples):
                raise MediaError(f"flite gave an unusable recording for {text!r} "
                                 f"({w.num_samples} samples, {w.num_channels} channels, {w.sample_rate} Hz)")
            samples = np.ctypeslib.as_array(w.samples, (w.num_samples,)).astype(np.int16)
            return w.sample_rate, samples
        finally:
            self.lib.delete_wave(wave)


_flite = None


def say(voice, text, stretch=None, f0=None, f0sd=None):
    """flite's recording of text in the named voice: (rate, int16 samples)."""
    global _flite
    if _flite is None:
        _flite = _Flite()
    settings = {k: v for k, v in zip(SETTINGS, (stretch, f0, f0sd)) if v is not None}
    return _flite.say(voice, text, settings)
