"""Writes the champions list an installed game starts each player with: the
four champions of data/champions.txt as the game stores its list (lines ended
by CR LF, scrambled whole with the text key). The game's own folder never
gets this file: there it is the player's list, which a build must not
replace."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from champion_table import read_entries  # noqa: E402
from common import TEXT_KEY, scramble, unscramble, write_atomic  # noqa: E402


def main():
    src, dst = sys.argv[1], sys.argv[2]
    plain = "".join(e + "\r\n" for e in read_entries(src)).encode("ascii")
    data = scramble(plain, TEXT_KEY)
    assert unscramble(data, TEXT_KEY) == plain
    os.makedirs(os.path.dirname(os.path.abspath(dst)), exist_ok=True)
    write_atomic(dst, data)


if __name__ == "__main__":
    main()
