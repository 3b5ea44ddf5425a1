"""An open speech recogniser as a stand-in listener: CMU PocketSphinx with its
general US English model (Debian packages pocketsphinx, pocketsphinx-en-us).

    heard = recognise({"h07": samples_16k, ...}, work_dir, jobs=2)
    heard["h07"]   # "seven"
    heard = recognise(recordings, work_dir, expect=["a.", "b.", "c."])

By default it listens with the model's full vocabulary and language model,
not a list of the show's words, so a voice must be clear to be understood.
With expect, it picks the one of those phrases that sounds most like the
recording, as a listener does who knows that a letter or a number comes next.
Recordings are 16 kHz int16; each job is one pocketsphinx_batch process that
loads the model once and recognises its share of the recordings.
"""
import os
import re
import subprocess

import numpy as np

from common import MediaError, wav_bytes

PROGRAM = "/usr/bin/pocketsphinx_batch"
MODEL_DIR = "/usr/share/pocketsphinx/model/en-us"
RATE = 16000
_HYP_LINE = re.compile(r"^(.*?)\s*\((\S+)\s+-?\d+\)$")


def _model_files():
    files = {"-hmm": os.path.join(MODEL_DIR, "en-us"),
             "-lm": os.path.join(MODEL_DIR, "en-us.lm.bin"),
             "-dict": os.path.join(MODEL_DIR, "cmudict-en-us.dict")}
    missing = [p for p in [PROGRAM, *files.values()] if not os.path.exists(p)]
    if missing:
        raise MediaError(f"the recogniser is not installed (Debian packages pocketsphinx and "
                         f"pocketsphinx-en-us): {', '.join(missing)} missing")
    return files


def vocabulary():
    """Every word the recogniser can hear."""
    words = set()
    with open(_model_files()["-dict"], encoding="utf-8", errors="replace") as f:
        for line in f:
            if line.strip():
                words.add(line.split()[0].split("(")[0].lower())
    return words


def _read_hypotheses(path):
    heard = {}
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            m = _HYP_LINE.match(line.strip())
            if m:
                heard[m.group(2)] = m.group(1)
    return heard


def _grammar(work_dir, phrases):
    """A JSGF grammar of one choice among the phrases (words of the dictionary)."""
    for p in phrases:
        if not re.fullmatch(r"[a-z.' ]+", p):
            raise MediaError(f"cannot expect {p!r}: plain lower-case dictionary words only")
    path = os.path.join(work_dir, "expected.gram")
    with open(path, "w") as f:
        f.write("#JSGF V1.0;\ngrammar expected;\npublic <choice> = " + " | ".join(phrases) + " ;\n")
    return path


def recognise(recordings, work_dir, jobs=2, expect=None):
    """What the recogniser hears in each recording: {name: text}."""
    files = _model_files()
    if expect:
        del files["-lm"]
        files["-jsgf"] = _grammar(work_dir, expect)
    names = sorted(recordings)
    for name in names:
        if not re.fullmatch(r"[A-Za-z0-9_.-]+", name):
            raise MediaError(f"recording name {name!r} is not a plain file name")
        with open(os.path.join(work_dir, name + ".wav"), "wb") as f:
            f.write(wav_bytes(np.asarray(recordings[name], np.int16), RATE))
    runs = []
    for job in range(max(1, min(jobs, len(names)))):
        ctl = os.path.join(work_dir, f"job{job}.ctl")
        with open(ctl, "w") as f:
            f.write("".join(n + "\n" for n in names[job::jobs]))
        hyp = os.path.join(work_dir, f"job{job}.hyp")
        cmd = [PROGRAM, *sum(([k, v] for k, v in files.items()), []),
               "-ctl", ctl, "-cepdir", work_dir, "-cepext", ".wav",
               "-adcin", "yes", "-adchdr", "44", "-samprate", str(RATE),
               "-hyp", hyp, "-logfn", os.path.join(work_dir, f"job{job}.log")]
        runs.append((subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE), hyp))
    heard = {}
    for proc, hyp in runs:
        _, err = proc.communicate()
        if proc.returncode != 0:
            raise MediaError(f"pocketsphinx_batch failed: {err.decode(errors='replace').strip()[-400:]}")
        heard.update(_read_hypotheses(hyp))
    missing = [n for n in names if n not in heard]
    if missing:
        raise MediaError(f"the recogniser gave no answer for {', '.join(missing[:5])}")
    return heard
