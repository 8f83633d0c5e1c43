"""The program's icon (nine sizes) and the seven button icons, drawn on a 32-unit grid."""

import math
import os

from .common import PALETTE as P, run_convert
from .ico import write_ico

APP_SIZES = (16, 20, 24, 32, 40, 48, 64, 128, 256)
BUTTON_SIZE = 32
OUTLINE = 1.5


def _octagon(cx, cy, r):
    return " ".join(f"{cx + r * math.cos(math.radians(22.5 + 45 * i)):.2f},"
                    f"{cy + r * math.sin(math.radians(22.5 + 45 * i)):.2f}" for i in range(8))


def app_symbol(size):
    """Play triangle over a download arrow on a rounded navy tile."""
    detailed = size >= 32
    mvg = []
    if detailed:
        mvg += [f"stroke '{P['line']}'", "stroke-width 0.6", "fill none", "roundrectangle 1.3,1.3 30.7,30.7 7,7"]
    mvg += ["stroke none", f"fill '{P['teal']}'", "polygon 8.5,5.5 8.5,20.5 21.5,13"]
    mvg += [f"fill '{P['amber']}'", "rectangle 19.5,13.5 24.5,21", "polygon 15.5,20 28.5,20 22,27.5"]
    if detailed:
        mvg += [f"stroke '{P['navy']}'", "stroke-width 1", "fill none",
                "path 'M 19,13 L 25,13 L 25,19.5 L 29.5,19.5 L 22,28.3 L 14.5,19.5 L 19,19.5 Z'"]
    return mvg


def stop_symbol():
    return [f"fill '{P['red']}'", f"stroke '{P['red_dark']}'", f"stroke-width {OUTLINE}",
            f"polygon {_octagon(16, 16, 14)}",
            "fill white", "stroke none", "roundrectangle 10.5,10.5 21.5,21.5 2,2"]


def download_symbol():
    return [f"fill '{P['teal']}'", f"stroke '{P['teal_dark']}'", f"stroke-width {OUTLINE}",
            "path 'M 12.5,3 L 19.5,3 L 19.5,13 L 25,13 L 16,23 L 7,13 L 12.5,13 Z'",
            "fill none", f"stroke '{P['ink']}'", "stroke-width 3", "stroke-linecap round",
            "stroke-linejoin round", "polyline 4.5,21 4.5,27.5 27.5,27.5 27.5,21"]


def new_link_symbol():
    pill = "roundrectangle -8.5,-4 8.5,4 4,4"
    return ["fill none", f"stroke '{P['blue']}'", "stroke-width 3",
            "push graphic-context", "translate 11,17", "rotate -45", pill, "pop graphic-context",
            "push graphic-context", "translate 18,10", "rotate -45", pill, "pop graphic-context",
            f"fill '{P['green']}'", "stroke white", "stroke-width 1.5", "circle 24,24 31,24",
            "stroke white", "stroke-width 2.4", "stroke-linecap round",
            "line 24,20 24,28", "line 20,24 28,24"]


def _closed_folder():
    return [f"fill '{P['amber_dark']}'", "stroke none",
            "path 'M 2,7 Q 2,5 4,5 L 11,5 L 14,8 L 28,8 Q 30,8 30,10 L 30,27 L 2,27 Z'",
            f"fill '{P['amber']}'", f"stroke '{P['amber_dark']}'", "stroke-width 1",
            "roundrectangle 2,11 30,27.5 1.5,1.5"]


def open_folder_symbol():
    return [f"fill '{P['amber_dark']}'", "stroke none",
            "path 'M 2,26 L 2,7 Q 2,5 4,5 L 11,5 L 14,8 L 25,8 Q 27,8 27,10 L 27,14 L 7,14 L 2,26 Z'",
            f"fill '{P['amber']}'", f"stroke '{P['amber_dark']}'", "stroke-width 1",
            "stroke-linejoin round", "polygon 7,13.5 31,13.5 26,27.5 2,27.5"]


def change_folder_symbol():
    return _closed_folder() + [
        "push graphic-context", "translate 21,19", "rotate -45",
        f"fill '{P['blue']}'", f"stroke '{P['ink']}'", "stroke-width 1.2", "rectangle -9,-3 6,3",
        f"fill '{P['amber_light']}'", "polygon 6,-3 12,0 6,3",
        f"fill '{P['ink']}'", "stroke none", "polygon 10,-1 12,0 10,1",
        f"fill '{P['red']}'", f"stroke '{P['ink']}'", "stroke-width 1.2", "rectangle -12,-3 -9,3",
        "pop graphic-context"]


def bug_symbol():
    legs = []
    for side in (-1, 1):
        for y0, x1, y1 in ((14, 3.5, 10.5), (19, 2.5, 19), (24, 3.5, 28)):
            legs.append(f"line {16 + side * 7},{y0} {16 + side * (16 - x1)},{y1}")
    return ["fill none", f"stroke '{P['ink']}'", "stroke-width 2", "stroke-linecap round", *legs,
            "line 14,5.5 11,1.5", "line 18,5.5 21,1.5",
            f"fill '{P['ink']}'", "stroke none", "circle 16,8 16,12",
            f"fill '{P['red']}'", f"stroke '{P['red_dark']}'", f"stroke-width {OUTLINE}",
            "ellipse 16,19.5 7.5,9.5 0,360",
            f"stroke '{P['red_dark']}'", "stroke-width 1.2", "line 16,11 16,29"]


def bell_symbol():
    return [f"fill '{P['amber']}'", f"stroke '{P['amber_dark']}'", f"stroke-width {OUTLINE}",
            "stroke-linejoin round",
            "path 'M 16,4.5 C 10.5,4.5 8.5,9 8.5,14 L 8.5,19.5 L 5,24 L 27,24 L 23.5,19.5 L 23.5,14 "
            "C 23.5,9 21.5,4.5 16,4.5 Z'",
            f"fill '{P['ink']}'", "stroke none", "circle 16,27 16,29.8", "circle 16,4 16,5.8",
            "fill none", f"stroke '{P['amber_dark']}'", "stroke-width 1.6", "stroke-linecap round",
            "path 'M 4,6 Q 1.5,10 2.5,15'", "path 'M 28,6 Q 30.5,10 29.5,15'"]


BUTTON_ICONS = {
    "abort.ico": stop_symbol,
    "change_folder.ico": change_folder_symbol,
    "download.ico": download_symbol,
    "new_link.ico": new_link_symbol,
    "open_folder.ico": open_folder_symbol,
    "error_report.ico": bug_symbol,
    "notify.ico": bell_symbol,
}


# No time stamps, so that a rerun gives the same bytes.
PNG_OUT = ["-strip", "-define", "png:exclude-chunk=date,time"]


def _draw(mvg, size, path, tile=False):
    scale = size / 32
    script = " ".join([f"scale {scale},{scale}", *mvg])
    if tile:
        radius = 7 * scale
        run_convert(["(", "-size", f"{size}x{size}", f"gradient:#33487F-{P['navy']}", ")",
                     "(", "-size", f"{size}x{size}", "xc:black", "-fill", "white",
                     "-draw", f"roundrectangle {scale},{scale} {size - 1 - scale},{size - 1 - scale} "
                              f"{radius},{radius}", ")",
                     "-alpha", "off", "-compose", "CopyOpacity", "-composite",
                     "-compose", "Over", "-draw", script, *PNG_OUT, f"PNG32:{path}"])
    else:
        run_convert(["-size", f"{size}x{size}", "xc:none", "-draw", script, *PNG_OUT, f"PNG32:{path}"])


def write_all(res_dir, workdir):
    pngs = []
    for size in APP_SIZES:
        png = os.path.join(workdir, f"app{size}.png")
        _draw(app_symbol(size), size, png, tile=True)
        pngs.append((size, png))
    write_ico(os.path.join(res_dir, "app.ico"), pngs)
    for name, symbol in BUTTON_ICONS.items():
        png = os.path.join(workdir, name + ".png")
        _draw(symbol(), BUTTON_SIZE, png)
        write_ico(os.path.join(res_dir, name), [(BUTTON_SIZE, png)])


def write_preview(res_dir, directory):
    """Every icon at its real size and magnified, on a button face and on the navy."""
    sheets = []
    for backdrop in ("#E1E1E1", P["navy"]):
        row = []
        for name in ["app.ico[0]", "app.ico[3]", *BUTTON_ICONS]:
            path = os.path.join(res_dir, name)
            row += ["(", "-background", backdrop, path, "-flatten", "-sample", "400%", ")"]
        sheet = os.path.join(directory, f"icons-on-{backdrop.lstrip('#')}.png")
        run_convert(["-background", backdrop, *row, "+smush", "8", sheet])
        sheets.append(sheet)
    app = os.path.join(res_dir, "app.ico")
    run_convert(["-background", "#E1E1E1", app, "-gravity", "south", "+append",
                 os.path.join(directory, "app-sizes.png")])
    return sheets
