#!/usr/bin/env bash
# Regenerates the small pictures the picture control's tests load (ImageMagick); the results are committed.
set -euo pipefail
cd "$(dirname "$0")"

# 40x30: a full red frame, then frames that dispose to the background (blue) and to the previous
# picture (green), and last a yellow marker pixel that stays for 655 s.
convert -size 40x30 xc:red -set delay 2 -set dispose None \
  \( -size 10x10 xc:blue -set page 40x30+5+5 -set delay 5 -set dispose Background \) \
  \( -size 10x10 xc:lime -set page 40x30+20+10 -set delay 5 -set dispose Previous \) \
  \( -size 1x1 xc:yellow -set page 40x30+39+29 -set delay 65535 -set dispose None \) \
  -loop 0 disposal.gif

# 40x30: two squares that stay on the surface until the picture wraps.
convert -size 10x10 xc:red -set page 40x30+0+0 -set delay 10 -set dispose None \
  \( -size 10x10 xc:blue -set page 40x30+20+0 -set delay 10 -set dispose None \) \
  -loop 0 wrap.gif

# 40x30: a frame with delay 0 between two marked frames with delay 5.
convert -size 40x30 xc:red -set delay 5 -set dispose None \
  \( -size 40x30 xc:blue -set delay 0 -set dispose None \) \
  \( -size 40x30 xc:lime -set delay 5 -set dispose None \) \
  -loop 0 delays.gif

# 40x30, all blue: what a control shows before a picture with a small first frame is loaded into it.
convert -size 40x30 xc:blue blue.gif

# 40x30 whose first frame, red, covers only the top left 10x10 and stays for 655 s.
convert -size 10x10 xc:red -set page 40x30+0+0 -set delay 65535 -set dispose None \
  \( -size 10x10 xc:lime -set page 40x30+20+10 -set delay 5 -set dispose None \) \
  -loop 0 small_first_frame.gif

# 40x30: a full red frame, then two that stay 3 s each, green disposing to the previous picture and half blue,
# half transparent disposing to the background, and last a yellow marker pixel without a graphic control
# extension at all.
convert -size 40x30 xc:red -set delay 2 -set dispose None \
  \( -size 10x10 xc:lime -set page 40x30+20+10 -set delay 300 -set dispose Previous \) \
  \( -size 10x10 xc:none -fill blue -draw "rectangle 0,0 4,9" -set page 40x30+5+5 -set delay 300 \
     -set dispose Background \) \
  \( -size 1x1 xc:yellow -set page 40x30+39+29 -set delay 300 -set dispose None \) \
  -loop 0 held_frames.gif
# ImageMagick gives every frame a graphic control extension: cut the last frame's out again.
python3 - held_frames.gif <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
def table(packed):
    return 3 << ((packed & 7) + 1) if packed & 0x80 else 0
def chain(offset):
    while data[offset]:
        offset += data[offset] + 1
    return offset + 1
offset, last_extension = 13 + table(data[10]), None
while data[offset] != 0x3B:
    if data[offset] == 0x2C:
        offset = chain(offset + 11 + table(data[offset + 9]))
    elif data[offset + 1] == 0xF9:
        last_extension, offset = offset, offset + 8
    else:
        offset = chain(offset + 2 + (12 if data[offset + 1] == 0xFF else 0))
del data[last_extension:last_extension + 8]
open(path, "wb").write(data)
PY

# One frame smaller than its 50x40 logical screen.
convert -size 10x10 xc:blue -set page 50x40+5+5 one_frame.gif

convert -size 30x20 xc:red -density 96 -units PixelsPerInch BMP3:still.bmp
convert -size 24x16 xc:'#2040C0' -density 96 -units PixelsPerInch -quality 95 still.jpg
