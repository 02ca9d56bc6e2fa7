#!/bin/bash
# make-icon.sh: draws tido.ico (a white bin on a blue tile, 16 to 48 pixels) with ImageMagick.
# The build uses the committed tido.ico; run this only to change the picture.
set -euo pipefail
cd "$(dirname "$0")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

convert -size 256x256 xc:none \
    -fill '#1f5fa8' -stroke '#0d3466' -strokewidth 8 -draw 'roundrectangle 8,8 248,248 40,40' \
    -fill white -stroke none \
    -draw 'roundrectangle 104,36 152,64 8,8' \
    -draw 'roundrectangle 52,56 204,84 8,8' \
    -draw 'polygon 68,96 188,96 174,224 82,224' \
    -fill '#1f5fa8' \
    -draw 'roundrectangle 94,112 108,206 6,6' \
    -draw 'roundrectangle 121,112 135,206 6,6' \
    -draw 'roundrectangle 148,112 162,206 6,6' \
    "$work/tile.png"

for size in 48 32 16; do
    convert "$work/tile.png" -resize ${size}x${size} "$work/tile-$size.png"
done
convert "$work/tile-48.png" "$work/tile-32.png" "$work/tile-16.png" tido.ico
