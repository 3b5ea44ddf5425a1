"""Writes a test clip with the media generator's own AVI writer, and the exact
frames it was made from, for the AVI reader's tests.

usage: avi_test_clip.py <source dir> <out dir>
Writes <out dir>/clip.mm4 and <out dir>/frames.rgb (every frame, RGB, top row first).
"""
import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.join(sys.argv[1], "tools", "mediagen"))
from common import write_avi  # noqa: E402

WIDTH, HEIGHT, FRAMES, FPS = 37, 23, 70, 12.5
COLOURS = np.array([(0, 0, 0), (255, 102, 0), (204, 204, 204), (20, 40, 200),
                    (255, 255, 0), (0, 160, 60), (128, 0, 128), (250, 250, 250)], dtype=np.uint8)


def frame(i: int, rng) -> np.ndarray:
    idx = np.zeros((HEIGHT, WIDTH), dtype=np.uint8)
    idx[:, :] = 2
    idx[HEIGHT // 2:, :] = 3
    # A box that moves and a noisy patch that changes every few frames: runs,
    # literal stretches of odd and even length, and skipped stretches.
    x = (i * 3) % (WIDTH - 8)
    y = (i * 2) % (HEIGHT - 6)
    idx[y:y + 6, x:x + 8] = 1 + (i // 10) % 2
    if i % 4 == 0:
        frame.noise = rng.integers(0, len(COLOURS), size=(5, 11), dtype=np.uint8)
    idx[HEIGHT - 6:HEIGHT - 1, WIDTH - 12:WIDTH - 1] = frame.noise
    idx[0, i % WIDTH] = 7  # one changed pixel on the top row
    return COLOURS[idx]


def main() -> None:
    out = sys.argv[2]
    rng = np.random.default_rng(7)
    frames = [frame(i, rng) for i in range(FRAMES)]
    write_avi(os.path.join(out, "clip.mm4"), [Image.fromarray(f) for f in frames], fps=FPS)
    with open(os.path.join(out, "frames.rgb"), "wb") as f:
        for fr in frames:
            f.write(fr.tobytes())


if __name__ == "__main__":
    main()
