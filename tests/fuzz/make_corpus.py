#!/usr/bin/python3
"""Writes the seed inputs of the fuzz targets from a built game directory.

    make_corpus.py GAME_DIR OUT_DIR          small seeds (tests/fuzz/corpus/)
    make_corpus.py --full GAME_DIR OUT_DIR   the game's files whole, for a run

Each target gets a folder OUT_DIR/<target>/. The small seeds are cut from the
game's own files to a few KB: a bank of a few questions of each category, the
first pages of the help text, the built-in champions with two winners, the
first questions of each category of the first edition's question pack,
pictures and a clip cropped from the game's scenery, and the click sound. The
inputs have the forms the targets take (see each target's opening comment):
the text files before scrambling, the pictures after unscrambling, the sounds
as on disk, and the bank's three files in one input. (The saved game seed,
saved_game_fuzz/sample-game, is the store tests' sample game of
tests/store/saved_game_samples.h as the game's own encoder writes it; this
script leaves it alone.)
"""
import argparse
import io
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "mediagen"))
from common import HELP_KEY, PICTURE_KEY, TEXT_KEY, unscramble, write_avi  # noqa: E402

RECORD = struct.Struct("<7i")
RECORD_COUNT = 400
PAD_INDEX, NO_ANSWERS, NO_QUESTIONS = 1, 2, 4


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(out_dir, target, name, data):
    folder = os.path.join(out_dir, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def lines_of(text):
    """The game's line split: CR LF, CR or LF ends a line, a zero byte the text."""
    lines = text.split(b"\0", 1)[0].replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")
    if lines[-1] == b"":
        lines.pop()
    return lines


def text_file(lines):
    return b"".join(line + b"\r\n" for line in lines)


def bank_input(flags, index, answers, questions):
    return struct.pack("<BHH", flags, len(index), len(answers)) + index + answers + questions


# --- The question bank -------------------------------------------------------

def load_bank(game):
    index = read(os.path.join(game, "tvzd.tzd"))
    answers = lines_of(unscramble(read(os.path.join(game, "tvzd.tza")), TEXT_KEY))
    questions = lines_of(unscramble(read(os.path.join(game, "tvzd.tzq")), TEXT_KEY))
    records = [RECORD.unpack_from(index, i * RECORD.size) for i in range(RECORD_COUNT)]
    return records, answers, questions


def small_bank(records, answers, questions, per_category):
    """The first questions of each category, their lines numbered anew."""
    picked = []
    for category in range(4):
        mine = [r for r in records[: len(questions)] if r[1] == category]
        picked += mine[:per_category]
    new_answers, answer_line = [], {}
    new_questions, index = [], b""
    for question, category, difficulty, right, w1, w2, w3 in picked:
        lines = []
        for a in (right, w1, w2, w3):
            if a not in answer_line:
                answer_line[a] = len(new_answers)
                new_answers.append(answers[a])
            lines.append(answer_line[a])
        index += RECORD.pack(len(new_questions), category, difficulty, *lines)
        new_questions.append(questions[question])
    return index, text_file(new_answers), text_file(new_questions)


def bank_seeds(game, out, full):
    records, answers, questions = load_bank(game)
    target = "question_bank_fuzz"
    if full:
        index = b"".join(RECORD.pack(*r) for r in records)
        write(out, target, "whole-bank", bank_input(0, index, text_file(answers), text_file(questions)))
        return
    index, a, q = small_bank(records, answers, questions, 2)
    write(out, target, "two-of-each-category", bank_input(PAD_INDEX, index, a, q))
    index, a, q = small_bank(records, answers, questions, 1)
    write(out, target, "one-of-each-category", bank_input(PAD_INDEX, index, a, q))
    write(out, target, "index-cut-short", bank_input(0, index, a, q))
    write(out, target, "no-answer-file", bank_input(PAD_INDEX | NO_ANSWERS, index, a, q))
    # Every record past the questions is never drawn, so a short text file
    # makes the drawable records point past it.
    write(out, target, "questions-without-answers", bank_input(PAD_INDEX, index, a[: len(a) // 3], q))


# --- Texts -------------------------------------------------------------------

def help_seeds(game, out, full):
    text = unscramble(read(os.path.join(game, "he.mm3")), HELP_KEY)
    target = "help_text_fuzz"
    if full:
        write(out, target, "whole-help", text)
        return
    lines = lines_of(text)
    page, pages = [], []
    for line in lines:
        if sum(len(x) + 2 for x in page) + len(line) > 2500 and page:
            pages.append(page)
            page = []
        page.append(line)
    pages.append(page)
    for n, page in enumerate(pages[:3], 1):
        write(out, target, f"help-page-{n}", text_file(page))


def pack_seeds(out):
    """The first questions of each category of the first edition's pack."""
    source = os.path.join(HERE, "..", "..", "data", "packs", "first.tvq")
    with open(source, "rb") as f:
        blocks = f.read().replace(b"\r\n", b"\n").split(b"\n\n")
    header = blocks[0]
    for name, per_category in (("ten-of-each-category", 10), ("three-of-each-category", 3)):
        text, taken = header + b"\n", 0
        for block in blocks[1:]:
            lines = [line for line in block.split(b"\n") if line and not line.startswith(b"#")]
            if lines and lines[0].startswith(b"=="):
                text += b"\n" + lines[0] + b"\n"
                taken = 0
                lines = lines[1:]
            if lines and taken < per_category:
                text += b"\n" + b"\n".join(lines) + b"\n"
                taken += 1
        write(out, "question_pack_fuzz", name, text)


def champion_seeds(out):
    source = os.path.join(HERE, "..", "..", "data", "champions.txt")
    with open(source, "rb") as f:
        entries = [line.rstrip(b"\r\n") for line in f if line.strip() and not line.startswith(b"#")]
    target = "champion_list_fuzz"
    write(out, target, "built-in", text_file(entries))
    winners = [b" 31   Ada Quill               Harrowgate=2+", b"-12   Bo Vance                Lowmarsh=5_"]
    write(out, target, "with-winners", text_file(sorted(entries + winners, key=bytes.lower)))


# --- Pictures, sounds, clips, saved games ------------------------------------

def smallest(game, extension):
    names = [n for n in os.listdir(game) if n.endswith("." + extension)]
    return os.path.join(game, min(names, key=lambda n: os.path.getsize(os.path.join(game, n))))


def scenery_crop(game, size):
    from PIL import Image
    picture = Image.open(io.BytesIO(unscramble(read(smallest(game, "mm1")), PICTURE_KEY)))
    return picture.convert("RGB").crop((100, 100, 100 + size[0], 100 + size[1]))


def media_seeds(game, out, full):
    if full:
        write(out, "jpeg_fuzz", "scenery", unscramble(read(smallest(game, "mm1")), PICTURE_KEY))
        write(out, "bmp_fuzz", "scenery", unscramble(read(smallest(game, "mm2")), PICTURE_KEY))
        return
    crop = scenery_crop(game, (24, 16))
    for name, options in (("baseline", {"quality": 80}), ("progressive", {"progressive": True}),
                          ("grey", {"quality": 60})):
        picture = crop.convert("L") if name == "grey" else crop
        buf = io.BytesIO()
        picture.save(buf, format="JPEG", **options)
        write(out, "jpeg_fuzz", name, buf.getvalue())
    for name, mode in (("rgb", "RGB"), ("palette", "P")):
        buf = io.BytesIO()
        (crop.convert(mode) if mode == "RGB" else crop.quantize(16)).save(buf, format="BMP")
        write(out, "bmp_fuzz", name, buf.getvalue())
    write(out, "wav_fuzz", "click", read(os.path.join(game, "click.mm3")))
    frames = [scenery_crop(game, (8, 6)), scenery_crop(game, (8, 6)).transpose(1)]
    clip = os.path.join(out, "avi_fuzz", "two-frames")
    os.makedirs(os.path.dirname(clip), exist_ok=True)
    write_avi(clip, frames, keyframe_every=2)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--full", action="store_true", help="the game's files whole")
    parser.add_argument("game")
    parser.add_argument("out")
    args = parser.parse_args()
    bank_seeds(args.game, args.out, args.full)
    help_seeds(args.game, args.out, args.full)
    media_seeds(args.game, args.out, args.full)
    if not args.full:
        champion_seeds(args.out)
        pack_seeds(args.out)


if __name__ == "__main__":
    main()
