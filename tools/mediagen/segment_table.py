"""Writes the rows of the program's face clip segment table from
data/characters/segments.txt, the timeline the face clips are drawn from.

    segment_table.py <segments.txt> <segment_table.h> <out.inc>

The header declares the segments the game plays (enum FaceSegment); every one
of them must have its row in the timeline, and the timeline may name no other.
Anything else stops the build with a message naming the segment.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from characters_timeline import read  # noqa: E402

HEADER = """// Generated from data/characters/segments.txt by tools/mediagen/segment_table.py.
// Do not edit: change the timeline and rebuild (the face clips follow it too).
"""


def enum_segments(header_path):
    """The enumerators of `enum class FaceSegment` in the game's header."""
    with open(header_path, encoding="utf-8") as f:
        text = f.read()
    m = re.search(r"enum\s+class\s+FaceSegment\b[^{]*\{(.*?)\};", text, re.S)
    if not m:
        raise ValueError(f"{header_path}: no enum class FaceSegment")
    body = re.sub(r"//[^\n]*", "", m.group(1))
    return [name.strip() for name in body.split(",") if name.strip()]


def check(segs, enum_names, src):
    names = [s.name for s in segs]
    missing = [n for n in enum_names if n not in names]
    unknown = [n for n in names if n not in enum_names]
    doubled = sorted({n for n in names if names.count(n) > 1})
    problems = []
    if missing:
        problems.append("no row for " + ", ".join(missing))
    if unknown:
        problems.append("rows the game does not know: " + ", ".join(unknown))
    if doubled:
        problems.append("rows given twice: " + ", ".join(doubled))
    if problems:
        raise ValueError(f"{src}: " + "; ".join(problems))


def row_code(seg):
    cells = ", ".join(f"{{{a}, {b}}}" for a, b in zip(seg.starts, seg.ends))
    return f"    {{FaceSegment::{seg.name}, {{{{{cells}}}}}}},"


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    src, header, dst = sys.argv[1:]
    try:
        segs = read(src)
        check(segs, enum_segments(header), src)
    except (OSError, ValueError) as e:
        print(f"segment_table: {e}", file=sys.stderr)
        return 1
    code = HEADER + "\n".join(row_code(s) for s in segs) + "\n"
    os.makedirs(os.path.dirname(os.path.abspath(dst)), exist_ok=True)
    tmp = dst + ".part"
    with open(tmp, "w", encoding="ascii") as f:
        f.write(code)
    os.replace(tmp, dst)
    return 0


if __name__ == "__main__":
    sys.exit(main())
