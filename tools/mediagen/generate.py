"""Media generator: makes every picture, sound, animation and text file the
game loads, from the readable sources under data/, into the game directory.

Each group is one module of this folder with a function
    generate(data_dir: str, out_dir: str) -> list[str]
returning the names of the files it wrote. The group touches its stamp file
only when every file was written, so a failed step is retried by the next build.
It never touches saved games (*.tzs), the champions file or the error log.
"""
import argparse
import importlib
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import MediaError  # noqa: E402

PROTECTED = ("vantoc.mm3", "error.log")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--group", required=True)
    ap.add_argument("--data", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--stamp")
    args = ap.parse_args()

    os.makedirs(args.out, exist_ok=True)
    started = time.monotonic()
    try:
        module = importlib.import_module(args.group)
        written = module.generate(args.data, args.out)
    except MediaError as e:
        print(f"mediagen: {args.group}: {e}", file=sys.stderr)
        return 1
    for name in written:
        if name in PROTECTED or name.endswith(".tzs"):
            print(f"mediagen: {args.group}: refuses to own {name}", file=sys.stderr)
            return 1
    if args.stamp:
        with open(args.stamp, "w") as f:
            f.write("\n".join(sorted(written)) + "\n")
    print(f"mediagen: {args.group}: {len(written)} files in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
