"""Bitmap 129, the dialog's background, and bitmap 130, the mode picture cut from its twin."""

import math
import os
import subprocess
import sys

from . import layout as L
from .common import (CAP_HEIGHT, FONT, FONT_BOLD, FONT_CONDENSED, PALETTE as P, mvg_text, run_convert,
                     text_ink)

SIZE = (950, 560)
MODE_PICTURE_SIZE = (126, 116)
CAPTION_SIZE = 12
LINE_PITCH_MAX = 15
CAPTION_GAP = 4  # from the check box control to the pen; the drawn box is a pixel narrower
HINT_SIZE = 10.5
ABOUT_TITLE = "About the program"
ABOUT_TEXT = [
    "Give it the link of a video or of a whole playlist:",
    "it downloads them with the outside downloader and",
    "saves audio or video files in your output folder.",
]
LINK_HINT = [
    ("Paste the link of a video above, for example", "https://media.example.net/watch?v=Ab3dE5fG7h"),
    ("The link of a playlist downloads the whole playlist.", None),
]


class Scene:
    """A picture under construction: gradient cards composed by convert, then one MVG script on top."""

    def __init__(self, size):
        self.size = size
        self.layers = []
        self.mvg = []

    def gradient_card(self, rect, radius, top_colour, bottom_colour, border):
        x, y, w, h = rect
        self.layers += [
            "(", "-size", f"{w}x{h}", f"gradient:{top_colour}-{bottom_colour}",
            "(", "-size", f"{w}x{h}", "xc:black", "-fill", "white",
            "-draw", f"roundrectangle 0,0 {w - 1},{h - 1} {radius},{radius}", ")",
            "-alpha", "off", "-compose", "CopyOpacity", "-composite", ")",
            "-geometry", f"+{x}+{y}", "-compose", "Over", "-composite",
        ]
        self.draw(f"stroke '{border}'", "fill none", "stroke-width 1",
                  f"roundrectangle {x + 0.5},{y + 0.5} {x + w - 0.5},{y + h - 0.5} {radius},{radius}")

    def draw(self, *lines):
        self.mvg += ["push graphic-context", *lines, "pop graphic-context"]

    def text(self, x, baseline, text, colour, font=FONT, size=CAPTION_SIZE):
        self.draw(f"font '{font}'", f"font-size {size}", f"fill '{colour}'", "stroke none",
                  mvg_text(x, baseline, text))

    def render(self, path):
        w, h = self.size
        run_convert(["-size", f"{w}x{h}", f"xc:{P['navy']}", *self.layers,
                     "-draw", "\n".join(self.mvg), "-alpha", "off", "-type", "TrueColor", f"BMP3:{path}"])


def baseline_in(top, height, size=CAPTION_SIZE):
    """Baseline that centres a line's capitals in a row."""
    return top + round((height + CAP_HEIGHT * size) / 2)


def caption_lines(units):
    """(click area, x, baseline, text) of every painted caption line; stops the run if a line leaves its area
    sideways (caption_ink checks the rows)."""
    lines_out = []
    for box_id, parts in L.CAPTIONS:
        box = units.check_box(box_id)
        text_x = L.right(box) + CAPTION_GAP
        for area_id, lines in parts:
            area = units.rect(L.CLICK_AREAS[area_id])
            pitch = min(LINE_PITCH_MAX, area[3] // len(lines))
            limit = L.right(area)
            if area_id in L.LINE_ENDS_BEFORE:
                limit = min(limit, units.x(L.SYSTEM_DRAWN[L.LINE_ENDS_BEFORE[area_id]][0]) - 3)
            for i, line in enumerate(lines):
                left, width = text_ink(FONT, CAPTION_SIZE, line)
                if text_x + left < area[0] or text_x + left + width > limit:
                    sys.exit(f"caption {line!r} does not fit in click area {area_id}")
                lines_out.append((area_id, text_x, baseline_in(area[1] + i * pitch, pitch), line))
    return lines_out


def step_badge(scene, cx, cy, radius, digit, size):
    scene.draw(f"fill '{P['teal']}'", "stroke none", f"circle {cx},{cy} {cx + radius},{cy}")
    left, width = text_ink(FONT_BOLD, size, digit)
    scene.text(round(cx - left - width / 2), round(cy + CAP_HEIGHT * size / 2), digit, P["navy"],
               FONT_BOLD, size)


OUTPUT_FOLDER_LABEL = "Output folder:"


def mode_picture_rect(units):
    """Where bitmap 130 lies in the background: the mode picture's place, at the picture's own size."""
    return units.rect(L.MODE_PICTURE)[:2] + MODE_PICTURE_SIZE


def output_folder_label(units):
    """(x, baseline) of "Output folder:", centred in the mode picture's place on the folder box's row."""
    mode = mode_picture_rect(units)
    folder_box = units.rect(L.SYSTEM_DRAWN[L.OUTPUT_FOLDER_BOX])
    left, width = text_ink(FONT_BOLD, CAPTION_SIZE, OUTPUT_FOLDER_LABEL)
    label_x = mode[0] + (mode[2] - width) // 2 - left
    if label_x + left + width > folder_box[0] - 3 or L.bottom(folder_box) > L.bottom(mode):
        sys.exit('"Output folder:" does not fit left of the folder box')
    return label_x, baseline_in(folder_box[1], folder_box[3])


FOLDER_SCALE = 1.12
FOLDER_HALF_SIZE = (39 * FOLDER_SCALE, 25 * FOLDER_SCALE)  # headphones and film strip included


def _at(cx, cy, *lines):
    """Graphic-context lines drawn in the folder's own coordinates, centred on (cx, cy)."""
    return (f"translate {cx},{cy}", f"scale {FOLDER_SCALE},{FOLDER_SCALE}", *lines)


def folder_shape(scene, cx, cy):
    """A closed folder, 76 x 47 units around (cx, cy)."""
    scene.draw(*_at(cx, cy, f"fill '{P['amber_dark']}'", "stroke none",
                    "path 'M -38,-19 Q -38,-23 -34,-23 L -14,-23 L -9,-17 L 34,-17 Q 38,-17 38,-13 "
                    "L 38,22 L -38,22 Z'"))
    scene.draw(*_at(cx, cy, f"fill '{P['amber']}'", "stroke none", "roundrectangle -38,-11 38,24 3,3"))
    scene.draw(*_at(cx, cy, f"stroke '{P['amber_light']}'", "stroke-width 1.5", "line -36,-9.5 36,-9.5"))


def _headband(radius, steps=24):
    """An open half circle from one ear cup over the top to the other, as a polyline."""
    points = [(-radius, 9)] + [(-radius * math.cos(math.pi * i / steps), 4 - radius * math.sin(math.pi * i / steps))
                               for i in range(steps + 1)] + [(radius, 9)]
    return "polyline " + " ".join(f"{x:.2f},{y:.2f}" for x, y in points)


def folder_with_headphones(scene, cx, cy):
    folder_shape(scene, cx, cy)
    band = _headband(21)
    scene.draw(*_at(cx, cy + 2, "fill none", f"stroke '{P['navy']}'", "stroke-width 6.5",
                    "stroke-linejoin round", band))
    scene.draw(*_at(cx, cy + 2, "fill none", f"stroke '{P['teal']}'", "stroke-width 3",
                    "stroke-linejoin round", band))
    for x0 in (-29, 16):
        scene.draw(*_at(cx, cy + 2, f"fill '{P['teal']}'", f"stroke '{P['navy']}'", "stroke-width 2",
                        f"roundrectangle {x0},1 {x0 + 13},19 4,4"))
        scene.draw(*_at(cx, cy + 2, f"fill '{P['teal_dark']}'", "stroke none",
                        f"roundrectangle {x0 + 3},5 {x0 + 10},15 2,2"))


def folder_with_film(scene, cx, cy):
    folder_shape(scene, cx, cy)
    strip = ("translate 0,6", "rotate -8")
    scene.draw(*_at(cx, cy, *strip, f"fill '{P['navy']}'", "stroke none", "rectangle -30,-10 30,10"))
    for i in range(-3, 3):
        x = i * 10 + 2
        scene.draw(*_at(cx, cy, *strip, "fill '#E8EEF8'", "stroke none",
                        f"rectangle {x},-8.5 {x + 5},-6.5", f"rectangle {x},6.5 {x + 5},8.5"))
    for i in range(-1, 2):
        x = i * 19
        scene.draw(*_at(cx, cy, *strip, f"fill '{P['sky']}'", "stroke none",
                        f"roundrectangle {x - 8},-4 {x + 8},4 1.5,1.5"))


def build(units, mode_symbol):
    """The whole background, with mode_symbol drawing the folder picture at the bottom left.
    Returns the scene and the mode picture's pixel rectangle."""
    w, h = SIZE
    scene = Scene(SIZE)
    gif = {k: units.rect(v) for k, v in L.GIF_AREAS.items()}
    ctl = {k: units.rect(v) for k, v in L.SYSTEM_DRAWN.items()}
    area = {k: units.rect(v) for k, v in L.CLICK_AREAS.items()}
    about = units.rect(L.ABOUT_AREA)
    mode = mode_picture_rect(units)

    # Footer: a darker strip behind the bottom row of controls.
    footer_top = L.bottom(gif[L.READY_GIF])
    scene.draw(f"fill '{P['navy_deep']}'", "stroke none", f"rectangle 0,{footer_top} {w - 1},{h - 1}")
    scene.draw(f"stroke '{P['line']}'", "stroke-width 1", f"line 0,{footer_top + 0.5} {w - 1},{footer_top + 0.5}")

    # Accent along the top, from the link box to the right edge.
    accent_left = L.right(gif[L.LINK_GIF])
    third = (w - accent_left) // 3
    for i, colour in enumerate((P["teal"], P["sky"], P["amber"])):
        x0 = accent_left + i * third
        x1 = w - 1 if i == 2 else x0 + third - 1
        scene.draw(f"fill '{colour}'", "stroke none", f"rectangle {x0},0 {x1},1")

    # Option groups: the two format modes and all formats, the embedding options, the playlist options.
    # The lower two stay narrow to keep clear of the eyes animation.
    card_top = area[1041][1] - 8
    narrow_right = gif[L.EYES_GIF][0] - 8
    groups = ((card_top, 1043, max(L.right(area[1041]), L.right(ctl[L.VIDEO_COMBO])) + 6),
              (area[1044][1] - 6, 1063, narrow_right),
              (area[1064][1] - 6, 1065, narrow_right))
    for group_top, last_area, group_right in groups:
        group_bottom = L.bottom(area[last_area]) + 4
        scene.gradient_card((2, group_top, group_right - 2, group_bottom - group_top), 8,
                            P["card_top"], P["card_bottom"], P["line"])

    # Filter group, ending above the converting animation.
    f_left = units.check_box(L.FILTER_BOX)[0] - 5
    f_right = L.right(ctl[L.FILTER_COMBO]) + 4
    f_bottom = gif[L.CONVERTING_GIF][1] - 3
    scene.gradient_card((f_left, card_top, f_right - f_left, f_bottom - card_top), 8,
                        P["card_top"], P["card_bottom"], P["line"])

    # About panel.
    ax, ay, aw, ah = about
    scene.gradient_card(about, 10, P["card_top"], P["card_bottom"], P["line"])
    scene.text(ax + 14, ay + 22, ABOUT_TITLE, P["amber"], FONT_BOLD, 12)
    scene.draw(f"fill '{P['amber']}'", "stroke none", f"rectangle {ax + 14},{ay + 29} {ax + 50},{ay + 30}")
    for i, line in enumerate(ABOUT_TEXT):
        scene.text(ax + 14, ay + 50 + i * 17, line, P["soft_text"], FONT, 11.5)
        left, width = text_ink(FONT, 11.5, line)
        if ax + 14 + left + width > ax + aw - 8:
            sys.exit(f"about line {line!r} is too wide")

    for _, x, baseline, line in caption_lines(units):
        scene.text(x, baseline, line, P["white"])

    # Step 1 on the link row, on the flat place of the link animation.
    link = ctl[L.LINK_BOX]
    step_badge(scene, gif[L.LINK_GIF][2] // 2, link[1] + link[3] // 2, 10, "1", 13)

    # Step 2 right after the filter caption.
    filter_box = units.check_box(L.FILTER_BOX)
    left, width = text_ink(FONT, CAPTION_SIZE, L.caption_of(1066)[0])
    radius = 7
    cx = L.right(filter_box) + CAPTION_GAP + left + width + 6 + radius
    cy = area[1066][1] + area[1066][3] // 2
    if cx + radius >= units.x(L.STEP_TWO_LIMIT_X):
        sys.exit("step 2 does not fit after the filter caption")
    step_badge(scene, cx, cy, radius, "2", 11)

    # Two hint lines under the link box, hidden by the status line during a job.
    hx, hy, hw, hh = units.rect(L.LINK_HINT_AREA)
    for i, (plain, link_text) in enumerate(LINK_HINT):
        baseline = baseline_in(hy + i * hh // 2, hh // 2, HINT_SIZE)
        scene.text(hx + 2, baseline, plain, P["soft_text"], FONT_CONDENSED, HINT_SIZE)
        end = hx + 2 + sum(text_ink(FONT_CONDENSED, HINT_SIZE, plain))
        if link_text:
            scene.text(end + 5, baseline, link_text, P["sky"], FONT_CONDENSED, HINT_SIZE)
            end = end + 5 + sum(text_ink(FONT_CONDENSED, HINT_SIZE, link_text))
        if end > hx + hw:
            sys.exit(f"hint line {i + 1} runs past its area")

    # The folder picture and "Output folder:" at the bottom left, inside the mode picture's place.
    label_x, label_baseline = output_folder_label(units)
    scene.text(label_x, label_baseline, OUTPUT_FOLDER_LABEL, P["white"], FONT_BOLD, CAPTION_SIZE)
    cx, cy = mode[0] + mode[2] // 2, (mode[1] + footer_top) // 2 + 1
    half_w, half_h = FOLDER_HALF_SIZE
    if cx - half_w < mode[0] or cy - half_h < mode[1] or cy + half_h > L.bottom(mode):
        sys.exit("the folder picture does not fit inside the mode picture's place")
    mode_symbol(scene, cx, cy)
    return scene, mode


def check_flat_areas(path, units):
    """Every animation's place must be one flat colour; step 1 may sit under the link animation."""
    for gif_id, r in L.GIF_AREAS.items():
        x, y, w, h = units.rect(r)
        if gif_id == L.LINK_GIF:
            below_badge = L.bottom(units.rect(L.SYSTEM_DRAWN[L.LINK_BOX])) + 1
            y, h = below_badge, L.bottom((x, y, w, h)) - below_badge
        colours = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                                  "-format", "%k", "info:"],
                                 check=True, capture_output=True, text=True).stdout.strip()
        if colours != "1":
            sys.exit(f"the place of animation {gif_id} is not flat ({colours} colours)")


def write(res_dir, units, workdir):
    background = os.path.join(res_dir, "background.bmp")
    scene, mode = build(units, folder_with_headphones)
    scene.render(background)
    check_flat_areas(background, units)

    twin, _ = build(units, folder_with_film)
    twin_path = os.path.join(workdir, "twin.bmp")
    twin.render(twin_path)
    x, y, w, h = mode
    run_convert([twin_path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-alpha", "off", "-type", "TrueColor",
                 f"BMP3:{os.path.join(res_dir, 'mode_video.bmp')}"])


def write_preview(res_dir, units, directory):
    """PNG views; the overlay shows controls (red), animations (yellow), click areas (green),
    check boxes (magenta) and the mode picture (cyan) over the background."""
    background = os.path.join(res_dir, "background.bmp")
    run_convert([background, os.path.join(directory, "background.png")])
    run_convert([os.path.join(res_dir, "mode_video.bmp"), os.path.join(directory, "mode_video.png")])
    draws = []

    def outline(colour, r):
        x, y, w, h = r
        draws.append(f"stroke '{colour}' fill none rectangle {x},{y} {x + w - 1},{y + h - 1}")

    for colour, table in (("#ff3030", L.SYSTEM_DRAWN), ("#ffd000", L.GIF_AREAS), ("#30ff60", L.CLICK_AREAS)):
        for r in table.values():
            outline(colour, units.rect(r))
    for box_id in L.CHECK_BOXES:
        outline("#ff30ff", units.check_box(box_id))
    outline("#30d0ff", mode_picture_rect(units))
    run_convert([background, "-draw", " ".join(draws), os.path.join(directory, "background-overlay.png")])
