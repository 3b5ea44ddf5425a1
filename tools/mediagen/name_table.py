"""Writes the program's built-in name table: the 96 texts of data/names.txt,
each scrambled with the printable-range key the program descrambles them with."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import NAME_TABLE_KEY, scramble_text, descramble_text  # noqa: E402
from names import read_names, ordered_texts  # noqa: E402


def c_literal(text):
    out = []
    for ch in text:
        if ch in "\\\"":
            out.append("\\" + ch)
        elif ch == "?":
            out.append("\\?")  # no trigraphs
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def main():
    src, dst = sys.argv[1], sys.argv[2]
    texts = ordered_texts(read_names(src))
    start, step = NAME_TABLE_KEY
    lines = []
    for t in texts:
        s = scramble_text(t, start, step)
        assert descramble_text(s, start, step) == t
        lines.append("    " + c_literal(s) + ",")
    body = "\n".join(lines)
    code = f"""// Generated from data/names.txt by tools/mediagen/name_table.py. Do not edit.
#include "core/name_table.h"

namespace tvz {{

const char* const kScrambledNameTable[kNameTableSize] = {{
{body}
}};

}}  // namespace tvz
"""
    tmp = dst + ".part"
    with open(tmp, "w", encoding="ascii") as f:
        f.write(code)
    os.replace(tmp, dst)


if __name__ == "__main__":
    main()
