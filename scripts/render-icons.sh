#!/usr/bin/env bash
# Renders the application icon from res/icons/tarvel.svg: PNGs for the hicolor
# theme and the window, and the 16-colour 32x32 + 16x16 .ico of the Windows
# resources. Needs librsvg2-bin, imagemagick and icoutils. The results are
# committed, so builds need none of these.
set -euo pipefail
cd "$(dirname "$0")/../res/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w $size -h $size tarvel.svg -o tarvel-$size.png
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 32 16; do
  convert tarvel-$size.png -channel A -threshold 50% +channel -dither None -colors 16 \
    PNG8:"$work/$size.png"
done
icotool -c -b 4 -o tarvel.ico "$work/32.png" "$work/16.png"
icotool -l tarvel.ico
