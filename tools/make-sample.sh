#!/usr/bin/env bash
# Draws samples/tulip.bmp, the bundled sample picture: a 96 x 80, 16-colour tulip on pure white
# (the white becomes transparent when it is stamped). Drawn without antialiasing, so that no
# near-white edge colours ring the flower when it is stamped. Needs ImageMagick; the result is committed.
set -eu
out=${1:-samples/tulip.bmp}
convert -size 96x80 xc:white +antialias \
  -fill '#2e8b3a' -draw 'rectangle 46,40 50,78' \
  -fill '#3fa34d' -draw 'ellipse 34,62 14,5 200,340' -draw 'ellipse 62,58 14,5 200,340' \
  -fill '#d62839' -draw 'ellipse 48,28 20,18 0,360' \
  -fill '#f25c54' -draw 'polygon 30,26 36,6 44,22' -draw 'polygon 66,26 60,6 52,22' \
  -fill '#ffd23f' -draw 'polygon 42,22 48,2 54,22' \
  -colors 16 -type Palette -compress None BMP3:"$out"
