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

# One frame smaller than its 50x40 logical screen.
convert -size 10x10 xc:blue -set page 50x40+5+5 one_frame.gif

convert -size 30x20 xc:red -density 96 -units PixelsPerInch BMP3:still.bmp
convert -size 24x16 xc:'#2040C0' -density 96 -units PixelsPerInch -quality 95 still.jpg
