"""Shared helpers of the media generator: the game's scrambling keys and the
writers for every file kind the game loads (.mm1 JPEG, .mm2 BMP, .mm3 WAV or
scrambled text, .mm4 AVI).

Every writer writes to a temporary name and renames, so an interrupted build
never leaves a half-written file that a later build would take as done.
"""
import io
import os
import struct

import numpy as np

# Running keys (start, step, count). Count 0 means the whole file.
PICTURE_KEY = (83, 13, 256)
SOUND_KEY = (62, 6, 64)
TEXT_KEY = (58, 9, 0)      # question bank texts and the champions file
HELP_KEY = (23, 8, 0)
NAME_TABLE_KEY = (23, 8)   # printable-range scheme
CHAMPION_ENTRY_KEY = (58, 9)

SAMPLE_RATE = 22050


class MediaError(Exception):
    """A generation step failed; the message names the file and the reason."""


def scramble(data: bytes, key) -> bytes:
    """Inverse of the game's Unscramble: subtract the running key."""
    start, step, count = key
    buf = bytearray(data)
    n = len(buf) if count == 0 or count >= len(buf) else count
    k = start & 0xFF
    for i in range(n):
        buf[i] = (buf[i] - k) & 0xFF
        k = (k + step) & 0xFF
    return bytes(buf)


def unscramble(data: bytes, key) -> bytes:
    start, step, count = key
    buf = bytearray(data)
    n = len(buf) if count == 0 or count >= len(buf) else count
    k = start & 0xFF
    for i in range(n):
        buf[i] = (buf[i] + k) & 0xFF
        k = (k + step) & 0xFF
    return bytes(buf)


def scramble_text(text: str, start: int, step: int) -> str:
    """Inverse of the game's DescrambleText (printable range 32..126)."""
    out = []
    key = start
    for ch in text:
        c = ord(ch)
        if not 32 <= c <= 126:
            raise MediaError(f"character {ch!r} outside the printable range in {text!r}")
        d = c + key
        while d > 126:
            d -= 95
        out.append(chr(d))
        key += step
        if key > 94:
            key -= 94
    return "".join(out)


def descramble_text(text: str, start: int, step: int) -> str:
    out = []
    key = start
    for ch in text:
        c = ord(ch)
        if c > 127:
            c -= 256  # the game takes characters as signed 8-bit values
        d = c - key
        if d < 32:
            d += 95
        elif d > 126:
            d -= 95
        out.append(chr(d))
        key += step
        if key > 94:
            key -= 94
    return "".join(out)


def write_atomic(path: str, data: bytes) -> None:
    tmp = path + ".part"
    try:
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, path)
    except OSError as e:
        raise MediaError(f"{os.path.basename(path)}: cannot write: {e}") from e


# --- Pictures -------------------------------------------------------------

def write_mm1(path: str, image, quality: int = 90) -> None:
    """A baseline JPEG, first 256 bytes scrambled with the picture key."""
    image = image.convert("RGB")
    buf = io.BytesIO()
    image.save(buf, format="JPEG", quality=quality, optimize=True, progressive=False,
               subsampling=0 if quality >= 90 else 2)
    write_atomic(path, scramble(buf.getvalue(), PICTURE_KEY))


def write_mm2(path: str, image) -> None:
    """A 24-bit Windows BMP, first 256 bytes scrambled with the picture key."""
    image = image.convert("RGB")
    buf = io.BytesIO()
    image.save(buf, format="BMP")
    write_atomic(path, scramble(buf.getvalue(), PICTURE_KEY))


# --- Sounds ---------------------------------------------------------------

def wav_bytes(samples, rate: int = SAMPLE_RATE) -> bytes:
    """Canonical 44-byte-header RIFF WAVE, PCM 16-bit mono."""
    pcm = np.asarray(samples)
    if pcm.dtype != np.int16:
        pcm = np.clip(np.round(pcm), -32768, 32767).astype("<i2")
    data = pcm.astype("<i2").tobytes()
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16)
    header += b"data" + struct.pack("<I", len(data))
    return header + data


def write_mm3_sound(path: str, samples, rate: int = SAMPLE_RATE) -> None:
    write_atomic(path, scramble(wav_bytes(samples, rate), SOUND_KEY))


def parse_wav(data: bytes, name: str):
    """A PCM WAV image (any chunk layout) as (rate, float samples -1..1), mono."""
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise MediaError(f"{name}: not a RIFF WAVE file")
    pos = 12
    fmt = None
    pcm = None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if cid == b"fmt " and len(body) >= 16:
            fmt = struct.unpack("<HHIIHH", body[:16])
        elif cid == b"data":
            pcm = body
        pos += 8 + size + (size & 1)
    if fmt is None or pcm is None or fmt[0] != 1 or fmt[5] != 16 or fmt[1] < 1 or fmt[2] == 0:
        raise MediaError(f"{name}: not 16-bit PCM")
    channels, rate = fmt[1], fmt[2]
    x = np.frombuffer(pcm[: len(pcm) // 2 * 2], dtype="<i2").astype(np.float64) / 32768.0
    if channels > 1:
        x = x[: len(x) // channels * channels].reshape(-1, channels).mean(axis=1)
    return rate, x


def read_wav_mono16(path: str):
    """Reads a PCM WAV file and returns (rate, float samples -1..1)."""
    with open(path, "rb") as f:
        return parse_wav(f.read(), path)


def read_mm3_sound(path: str):
    """A sound of the game directory as (rate, float samples -1..1)."""
    name = os.path.basename(path)
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        raise MediaError(f"{name}: cannot read: {e}") from e
    return parse_wav(unscramble(data, SOUND_KEY), name)


def resample(x, rate_in: int, rate_out: int = SAMPLE_RATE):
    """Band-limited enough for speech: linear interpolation after a light low-pass."""
    if rate_in == rate_out:
        return x
    n_out = int(round(len(x) * rate_out / rate_in))
    t = np.arange(n_out) * (rate_in / rate_out)
    return np.interp(t, np.arange(len(x)), x)


# --- Text files -------------------------------------------------------------

def write_scrambled_text(path: str, lines, key, encoding: str = "cp1252") -> None:
    text = "".join(line + "\r\n" for line in lines)
    try:
        raw = text.encode(encoding)
    except UnicodeEncodeError as e:
        raise MediaError(f"{os.path.basename(path)}: character outside {encoding}: {e}") from e
    write_atomic(path, scramble(raw, key))


# --- Animations -------------------------------------------------------------

def _next_true(mask: np.ndarray) -> np.ndarray:
    """For each row and column x, the first column >= x where mask is set (the
    row's width when there is none)."""
    h, w = mask.shape
    idx = np.where(mask, np.arange(w, dtype=np.int32)[None, :], np.int32(w))
    return np.minimum.accumulate(idx[:, ::-1], axis=1)[:, ::-1]


def _rle8_encode(frame: np.ndarray, prev) -> bytes:
    """RLE8 as BI_RLE8 bitmaps store it: bottom-up rows. With a previous frame,
    unchanged stretches are skipped with the delta escape, so a face whose mouth
    alone moves costs a few bytes per frame.

    The row scans are done with numpy up front (where each run of equal pixels
    ends, where the next unchanged pixel or the next three equal pixels start),
    so the Python loop walks from token to token instead of pixel to pixel."""
    frame = np.ascontiguousarray(frame, dtype=np.uint8)
    h, w = frame.shape
    if prev is None:
        changed = np.ones((h, w), dtype=bool)
    else:
        changed = frame != prev
    row_changed = changed.any(axis=1).tolist()
    # A run starting at x goes on while the pixel equals its left neighbour and
    # is itself changed; column w is the end of every row.
    brk = np.ones((h, w + 1), dtype=bool)
    brk[:, 1:w] = (frame[:, 1:] != frame[:, :-1]) | ~changed[:, 1:]
    run_end = _next_true(brk)[:, 1:]
    triple = np.zeros((h, w), dtype=bool)
    if w >= 3:
        triple[:, :w - 2] = (frame[:, :-2] == frame[:, 1:-1]) & (frame[:, 1:-1] == frame[:, 2:])
    next_triple = _next_true(triple)
    next_unchanged = _next_true(~changed)
    next_changed = _next_true(changed)

    out = bytearray()
    pending_skip_rows = 0
    for y in range(h - 1, -1, -1):
        if not row_changed[y]:
            pending_skip_rows += 1
            continue
        # Delta escape moves down (here: to the next stored row, bottom-up).
        while pending_skip_rows > 0:
            dy = min(pending_skip_rows, 255)
            out += bytes((0, 2, 0, dy))
            pending_skip_rows -= dy
        row = frame[y].tobytes()
        chg = changed[y].tolist()
        ends = run_end[y].tolist()
        n_tri = next_triple[y].tolist()
        n_unch = next_unchanged[y].tolist()
        n_chg = next_changed[y].tolist()
        x = 0
        while x < w:
            if not chg[x]:
                # Skip unchanged pixels on this row.
                x2 = n_chg[x]
                if x2 >= w:
                    break
                while x < x2:
                    dx = min(x2 - x, 255)
                    out += bytes((0, 2, dx, 0))
                    x += dx
                continue
            # Run of equal pixels.
            run = min(ends[x] - x, 255)
            if run >= 3 or x + run >= w:
                out += bytes((run, row[x]))
                x += run
                continue
            # Literal stretch: until a run of 3 or a skippable pixel starts
            # (at least one pixel, so the scan always moves on).
            start = x
            x = min(n_unch[start], n_tri[start], start + 255, w)
            if x == start:
                x = start + 1
            lit = row[start:x]
            if len(lit) < 3:
                for v in lit:
                    out += bytes((1, v))
            else:
                out += bytes((0, len(lit))) + lit
                if len(lit) & 1:
                    out += b"\x00"
        out += b"\x00\x00"  # end of line
    out += b"\x00\x01"  # end of bitmap
    return bytes(out)


def write_avi(path: str, frames, fps: float = 15.0, keyframe_every: int = 30) -> None:
    """Writes a silent RLE8 AVI (the kind the animation control plays) from a
    list of PIL images of equal size. One 256-colour palette for the clip,
    taken from a sample of its frames."""
    from PIL import Image

    if not frames:
        raise MediaError(f"{os.path.basename(path)}: no frames")
    w, h = frames[0].size
    # Palette from a mosaic of up to 16 frames spread over the whole clip,
    # first and last included, so colours that only come late are not lost.
    count = min(16, len(frames))
    picks = [frames[int(round(k * (len(frames) - 1) / max(1, count - 1)))] for k in range(count)]
    mosaic = Image.new("RGB", (w, h * len(picks)))
    for i, f in enumerate(picks):
        mosaic.paste(f.convert("RGB"), (0, i * h))
    pal_img = mosaic.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = pal_img.getpalette()[: 256 * 3]
    palette += [0] * (256 * 3 - len(palette))

    indexed = [np.asarray(f.convert("RGB").quantize(palette=pal_img, dither=Image.Dither.NONE))
               for f in frames]
    chunks = []
    prev = None
    for i, fr in enumerate(indexed):
        key = (i % keyframe_every) == 0
        chunks.append((_rle8_encode(fr, None if key else prev), key))
        prev = fr

    usec = int(round(1_000_000 / fps))
    max_chunk = max(len(c) for c, _ in chunks)
    strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, w * h, 0, 0, 256, 0)
    strf += bytes(b for i in range(256) for b in (palette[3 * i + 2], palette[3 * i + 1],
                                                   palette[3 * i], 0))
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"mrle", 0, 0, 0, 0, usec, 1_000_000,
                       0, len(chunks), max_chunk, 0xFFFFFFFF, 0, 0, 0, w, h)
    avih = struct.pack("<IIIIIIIIII4I", usec, max_chunk * int(fps + 1), 0, 0x10, len(chunks), 0, 1,
                       max_chunk, w, h, 0, 0, 0, 0)

    def chunk(cid: bytes, body: bytes) -> bytes:
        return cid + struct.pack("<I", len(body)) + body + (b"\x00" if len(body) & 1 else b"")

    def lst(kind: bytes, body: bytes) -> bytes:
        return b"LIST" + struct.pack("<I", len(body) + 4) + kind + body

    strl = lst(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    hdrl = lst(b"hdrl", chunk(b"avih", avih) + strl)
    movi_body = bytearray()
    index = bytearray()
    offset = 4  # idx1 offsets count from the 'movi' fourcc
    for data, key in chunks:
        index += struct.pack("<4sIII", b"00dc", 0x10 if key else 0, offset, len(data))
        c = chunk(b"00dc", data)
        movi_body += c
        offset += len(c)
    movi = lst(b"movi", bytes(movi_body))
    body = b"AVI " + hdrl + movi + chunk(b"idx1", bytes(index))
    write_atomic(path, b"RIFF" + struct.pack("<I", len(body)) + body)
