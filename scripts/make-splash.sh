#!/usr/bin/env bash
# Draws the built-in splash image: 480 x 480, black, "LOADING..." in grey capitals in the
# centre, written as an uncompressed 24-bit Windows bitmap (what the board's boot splash uses).
# Usage: scripts/make-splash.sh [output]   (default: assets/splash.bmp)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/assets/splash.bmp}
font=/usr/share/fonts/truetype/lato/Lato-Bold.ttf

convert -size 480x480 xc:black \
    -font "$font" -pointsize 34 -fill '#808080' -gravity center -annotate +0+0 'LOADING...' \
    -type TrueColor -depth 8 -compress None -define bmp:format=bmp3 \
    "BMP3:$out"
