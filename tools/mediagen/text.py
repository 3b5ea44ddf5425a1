"""Group text: the help screen's text "he.mm3" and the product page that the
top menu's "Buy Trivenza" opens in the desktop's browser.

The help text is data/text/help.txt. The help box shows it in Times New Roman
24 px, 593 px wide, without wrapping, so every line is measured here with
Liberation Serif (the same letter widths) and a line that would not fit stops
the build.
"""
import os
import re

from PIL import ImageFont

from common import HELP_KEY, MediaError, write_atomic, write_scrambled_text
from common_style import FONT_DIR

HELP_FONT = os.path.join(FONT_DIR, "LiberationSerif-Regular.ttf")
HELP_FONT_PX = 24
# The box is 593 px wide; keep clear of its vertical scroll bar and inner margin.
HELP_MAX_WIDTH_PX = 560
PAGE = "trivenza.html"


def read_help_lines(path):
    try:
        with open(path, encoding="cp1252", newline="") as f:
            text = f.read()
    except (OSError, UnicodeDecodeError) as e:
        raise MediaError(f"he.mm3: cannot read {os.path.basename(path)}: {e}") from e
    lines = [line.rstrip() for line in text.replace("\r\n", "\n").split("\n")]
    while lines and not lines[-1]:
        lines.pop()
    if not lines:
        raise MediaError("he.mm3: the help text is empty")
    return lines


def check_help_widths(lines):
    font = ImageFont.truetype(HELP_FONT, HELP_FONT_PX)
    for n, line in enumerate(lines, 1):
        if "\t" in line:
            raise MediaError(f"he.mm3: line {n} has a tab; the help box does not expand tabs")
        width = font.getlength(line)
        if width > HELP_MAX_WIDTH_PX:
            raise MediaError(f"he.mm3: line {n} is {width:.0f} px wide, the box shows "
                             f"{HELP_MAX_WIDTH_PX}: {line!r}")


def read_page(path):
    """The product page, checked to stand on its own: the game opens it offline."""
    try:
        with open(path, encoding="utf-8") as f:
            html = f.read()
    except (OSError, UnicodeDecodeError) as e:
        raise MediaError(f"{PAGE}: cannot read: {e}") from e
    if re.search(r"""(?:src|href)\s*=|url\(|@import|<script""", html, re.IGNORECASE):
        raise MediaError(f"{PAGE}: must be self-contained (no links, scripts or outside files)")
    return html.encode("utf-8")


def generate(data_dir, out_dir):
    text_dir = os.path.join(data_dir, "text")
    lines = read_help_lines(os.path.join(text_dir, "help.txt"))
    check_help_widths(lines)
    write_scrambled_text(os.path.join(out_dir, "he.mm3"), lines, HELP_KEY)
    write_atomic(os.path.join(out_dir, PAGE), read_page(os.path.join(text_dir, PAGE)))
    return ["he.mm3", PAGE]
