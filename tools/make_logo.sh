#!/usr/bin/env bash
# Draws the installer's logo, a 195 by 29 wordmark for Tarvex, into
# resources/tarvex-logo.png (committed; run again only to change the art).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
convert -size 195x29 xc:none \
  -fill '#0070BB' -draw 'roundrectangle 0,3 22,25 4,4' \
  -fill white -draw 'polygon 5,8 17,8 17,11 12.5,11 12.5,21 9.5,21 9.5,11 5,11' \
  -font "$font" -pointsize 19 -kerning 2 -fill '#1A2B3C' -annotate +30+22 'TARVEX' \
  -fill '#0070BB' -draw 'rectangle 30,25 128,26' \
  -strip "PNG32:$top/resources/tarvex-logo.png"
