"""What the program and the tests learn from the generator: the base units the artwork is drawn for, where
bitmap 130 lies in bitmap 129, and where each painted caption's ink lies."""

import os
import subprocess
import sys

from . import background
from . import layout as L
from .common import FONT, FONT_BOLD, mvg_text

HEADER = "ArtworkMetrics.h"
CAPTION_INK = "caption_ink.txt"
OUTPUT_FOLDER_KEY = "output-folder"


def _ink_box(draws):
    """(x, y, w, h) of every pixel the white text primitives touch on the background's canvas."""
    w, h = background.SIZE
    out = subprocess.run(["convert", "-size", f"{w}x{h}", "xc:black", "-fill", "white", "-stroke", "none",
                          "-draw", "\n".join(draws), "-format", "%@", "info:"],
                         check=True, capture_output=True, text=True).stdout
    size_part, x, y = out.split("+")
    box_w, box_h = (int(v) for v in size_part.split("x"))
    return int(x), int(y), box_w, box_h


def _text_draw(font, x, baseline, text):
    return f"font '{font}' font-size {background.CAPTION_SIZE} {mvg_text(x, baseline, text)}"


def caption_ink(units):
    """{click area: ink box} of the lines painted under each click area, plus "Output folder:"; stops the run
    if a caption's rows leave its click area."""
    lines = background.caption_lines(units)
    boxes = {}
    for area_id in L.CLICK_AREAS:
        box = _ink_box([_text_draw(FONT, x, b, t) for a, x, b, t in lines if a == area_id])
        ax, ay, aw, ah = units.rect(L.CLICK_AREAS[area_id])
        if box[1] < ay or box[1] + box[3] > ay + ah:
            sys.exit(f"the caption of click area {area_id} leaves its rows")
        boxes[area_id] = box
    x, baseline = background.output_folder_label(units)
    boxes[OUTPUT_FOLDER_KEY] = _ink_box([_text_draw(FONT_BOLD, x, baseline, background.OUTPUT_FOLDER_LABEL)])
    return boxes


def write_header(res_dir, units):
    mode_x, mode_y, _, _ = background.mode_picture_rect(units)
    text = f"""// Written by scripts/make-artwork: what the artwork of bitmaps 129 and 130 is drawn for.
#pragma once

// The template font's base units (MapDialogRect of 4 x 8) the captions of bitmap 129 are placed for.
constexpr int kArtworkBaseUnitX = {units.base_x};
constexpr int kArtworkBaseUnitY = {units.base_y};

// Where bitmap 130 lies in bitmap 129, in pixels: the mode picture is cut from the same scene.
constexpr int kArtworkModePictureX = {mode_x};
constexpr int kArtworkModePictureY = {mode_y};
"""
    with open(os.path.join(res_dir, HEADER), "w") as f:
        f.write(text)


def write_caption_ink(data_dir, units):
    os.makedirs(data_dir, exist_ok=True)
    rows = [f"# Written by scripts/make-artwork for base units {units.base_x}x{units.base_y}: the ink box of the",
            "# captions painted into bitmap 129 under each click area (and of \"Output folder:\"), in picture pixels.",
            "# id x y width height"]
    for key, (x, y, w, h) in caption_ink(units).items():
        rows.append(f"{key} {x} {y} {w} {h}")
    with open(os.path.join(data_dir, CAPTION_INK), "w") as f:
        f.write("\n".join(rows) + "\n")
