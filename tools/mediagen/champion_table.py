"""Writes the program's built-in champion entries (the list's reset state): the
lines of data/champions.txt, each scrambled with the printable-range key the
program descrambles them with."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import CHAMPION_ENTRY_KEY, scramble_text, descramble_text  # noqa: E402
from name_table import c_literal  # noqa: E402

ENTRY_LENGTH = 49


def read_entries(path):
    entries = []
    with open(path, encoding="ascii") as f:
        for n, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            if len(line) != ENTRY_LENGTH or "=" not in line or line[-1] not in "+_":
                raise SystemExit(f"{path}:{n}: not a {ENTRY_LENGTH}-character champion entry")
            entries.append(line)
    if len(entries) != 4:
        raise SystemExit(f"{path}: {len(entries)} entries, expected 4")
    return entries


def main():
    src, dst = sys.argv[1], sys.argv[2]
    start, step = CHAMPION_ENTRY_KEY
    lines = []
    for e in read_entries(src):
        s = scramble_text(e, start, step)
        assert descramble_text(s, start, step) == e
        lines.append("    " + c_literal(s) + ",")
    body = "\n".join(lines)
    code = f"""// Generated from data/champions.txt by tools/mediagen/champion_table.py. Do not edit.
#include "store/champion_table.h"

namespace tvz {{

const char* const kScrambledChampionEntries[kBuiltInChampionCount] = {{
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
