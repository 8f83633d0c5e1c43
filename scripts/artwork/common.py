"""What every picture shares: the colours, the fonts, ImageMagick and text measuring."""

import functools
import os
import subprocess

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT = os.path.join(FONT_DIR, "DejaVuSans.ttf")
FONT_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
FONT_CONDENSED = os.path.join(FONT_DIR, "DejaVuSansCondensed.ttf")
CAP_HEIGHT = 0.73  # of the em, for DejaVu Sans

PALETTE = {
    "navy": "#1C2541",         # the base; also the animations' own background
    "navy_deep": "#161D34",
    "card_top": "#26335A",
    "card_bottom": "#1F2A4B",
    "line": "#34487A",
    "divider": "#2F3F6B",
    "teal": "#3BC9B8",
    "teal_dark": "#1E8C80",
    "sky": "#7CC4F2",
    "blue": "#3A7BD5",
    "amber": "#F5B041",
    "amber_dark": "#C98517",
    "amber_light": "#FFD27A",
    "red": "#D9443F",
    "red_dark": "#A32824",
    "green": "#2FB36B",
    "white": "#FFFFFF",
    "soft_text": "#B9C8E6",
    "ink": "#1C2541",
}


def run_convert(args):
    subprocess.run(["convert", *args], check=True)


def mvg_text(x, baseline, text):
    """An MVG text primitive; ImageMagick expands % escapes in drawn text, so they are doubled."""
    quoted = text.replace("\\", "\\\\").replace('"', '\\"').replace("%", "%%")
    return f'text {x},{baseline} "{quoted}"'


@functools.lru_cache(maxsize=None)
def text_ink(font, size, text):
    """(left, width) of the inked pixels of text drawn with its pen at x = 0."""
    pen = 20
    out = subprocess.run(
        ["convert", "-size", "1600x60", "xc:black", "-fill", "white",
         "-draw", f"font '{font}' font-size {size} {mvg_text(pen, 40, text)}",
         "-format", "%@", "info:"],
        check=True, capture_output=True, text=True).stdout
    size_part, x, _ = out.split("+")
    width = int(size_part.split("x")[0])
    return int(x) - pen, width
