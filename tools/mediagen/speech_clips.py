"""The list of every spoken clip of the show: file name, voice and words.

Read from data/speech/*.txt and data/names.txt. The character generator uses
all_clips() too, to find which .mm3 file each face or the host lip-syncs to:

    from speech_clips import all_clips
    for clip in all_clips(data_dir):
        clip.file, clip.voice, clip.words   # "f105.mm3", "f1", "five."
"""
import os
from dataclasses import dataclass

from common import MediaError
from names import read_names

CONTESTANT_VOICES = ("f1", "f2", "f3", "m1", "m2", "m3")
HOST_VOICE = "host"
# What a clip is: a fixed line, a number or an answer letter (numbers.txt), a
# piece of a contestant's introduction (names.txt) or a commercial.
LINE, NUMBER, LETTER, NAME, BREAK = "line", "number", "letter", "name", "break"
VOWELS = "aeiou"


@dataclass(frozen=True)
class Voice:
    name: str
    flite: str
    stretch: float
    f0: float
    f0sd: float
    shift: float
    warmth_db: float
    presence_db: float
    squeeze: float


@dataclass(frozen=True)
class Clip:
    file: str      # name in the game directory, e.g. "hwelcome.mm3"
    voice: str     # a name of voices.txt
    words: str     # what is said, as the caption writes it
    spoken: str    # the same words as flite gets them (pronunciation fixes applied)
    kind: str = LINE   # LINE, NUMBER, LETTER, NAME or BREAK


def _data_lines(path):
    """Non-empty, non-comment lines of a data file, with their line numbers."""
    try:
        with open(path, encoding="ascii") as f:
            for n, raw in enumerate(f, 1):
                line = raw.rstrip("\r\n")
                if line.strip() and not line.lstrip().startswith("#"):
                    yield n, line
    except (OSError, UnicodeDecodeError) as e:
        raise MediaError(f"{os.path.basename(path)}: cannot read: {e}") from e


def _pairs(path):
    """Lines of the form 'key words...' as (key, words)."""
    out = []
    for n, line in _data_lines(path):
        parts = line.split(None, 1)
        if len(parts) != 2:
            raise MediaError(f"{os.path.basename(path)}:{n}: expected a name and words")
        out.append((parts[0], parts[1].strip()))
    return out


def read_voices(speech_dir):
    return read_voices_file(os.path.join(speech_dir, "voices.txt"))


def read_voices_file(path):
    voices = {}
    for n, line in _data_lines(path):
        cols = line.split()
        if len(cols) != 9:
            raise MediaError(f"{os.path.basename(path)}:{n}: expected 9 columns, got {len(cols)}")
        try:
            nums = [float(c) for c in cols[2:]]
        except ValueError as e:
            raise MediaError(f"{os.path.basename(path)}:{n}: {e}") from e
        voices[cols[0]] = Voice(cols[0], cols[1], *nums)
    for needed in (HOST_VOICE,) + CONTESTANT_VOICES:
        if needed not in voices:
            raise MediaError(f"{os.path.basename(path)}: voice {needed} is missing")
    return voices


def read_pronunciations(speech_dir):
    fixes = []
    for n, line in _data_lines(os.path.join(speech_dir, "pronounce.txt")):
        if "=" not in line:
            raise MediaError(f"pronounce.txt:{n}: expected 'word = spelling'")
        word, spelling = (s.strip() for s in line.split("=", 1))
        fixes.append((word, spelling))
    return fixes


def read_breaks(speech_dir):
    """Blocks '[clip voice]' followed by their text: list of (clip, voice, text)."""
    blocks = []
    for n, line in _data_lines(os.path.join(speech_dir, "breaks.txt")):
        s = line.strip()
        if s.startswith("[") and s.endswith("]"):
            head = s[1:-1].split()
            if len(head) != 2:
                raise MediaError(f"breaks.txt:{n}: expected [clip voice]")
            blocks.append([head[0], head[1], []])
        elif not blocks:
            raise MediaError(f"breaks.txt:{n}: text before the first [clip voice]")
        else:
            blocks[-1][2].append(s)
    return [(c, v, " ".join(lines)) for c, v, lines in blocks]


def article(occupation):
    return "An" if occupation[:1] in VOWELS else "A"


def _name_lines(names_path):
    """The host's clips of the name lists, numbered as the program numbers them."""
    try:
        lists = read_names(names_path)
    except (OSError, ValueError) as e:
        raise MediaError(f"names.txt: {e}") from e
    out = []
    for i, occ in enumerate(lists["occupations"], 1):
        out.append((f"ho{i:02d}", f"{article(occ)} {occ}"))
    for i, place in enumerate(lists["residences"], 1):
        out.append((f"hr{i:02d}", f"from {place}"))
    firsts = lists["first names even"] + lists["first names odd"]
    for i, first in enumerate(firsts, 1):
        out.append((f"hf{i:02d}", first))
    for i, last in enumerate(lists["last names"], 1):
        out.append((f"hl{i:02d}", last))
    return out


def _respell(words, fixes):
    for word, spelling in fixes:
        words = words.replace(word, spelling)
    return words


def all_clips(data_dir):
    """Every clip of the speech group, in a fixed order."""
    speech_dir = os.path.join(data_dir, "speech")
    voices = read_voices(speech_dir)
    fixes = read_pronunciations(speech_dir)
    numbers = [(key, words, NUMBER if key.isdigit() else LETTER)
               for key, words in _pairs(os.path.join(speech_dir, "numbers.txt"))]
    raw = []
    for key, words in _pairs(os.path.join(speech_dir, "host.txt")):
        raw.append(("h" + key, HOST_VOICE, words, LINE))
    raw += [(key, HOST_VOICE, words, NAME) for key, words in _name_lines(os.path.join(data_dir, "names.txt"))]
    raw += [("h" + key, HOST_VOICE, words, kind) for key, words, kind in numbers]
    for clip, voice, text in read_breaks(speech_dir):
        raw.append((clip, voice, text, BREAK))
    phrases = [(key, words, LINE) for key, words in _pairs(os.path.join(speech_dir, "contestant.txt"))]
    for voice in CONTESTANT_VOICES:
        raw += [(voice + key, voice, words, kind) for key, words, kind in phrases + numbers]

    clips, seen = [], set()
    for name, voice, words, kind in raw:
        if voice not in voices:
            raise MediaError(f"{name}.mm3: unknown voice {voice}")
        if name in seen:
            raise MediaError(f"{name}.mm3: defined twice")
        seen.add(name)
        clips.append(Clip(name + ".mm3", voice, words, _respell(words, fixes), kind))
    return clips


if __name__ == "__main__":
    # Prints the clip table: file, voice, kind, words (one clip a line, tab-separated).
    import sys
    for c in all_clips(sys.argv[1] if len(sys.argv) > 1 else "data"):
        print(f"{c.file}\t{c.voice}\t{c.kind}\t{c.words}")
