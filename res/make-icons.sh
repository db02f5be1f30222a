#!/usr/bin/env bash
# Draws the application icon (a picture card in front of a cartridge) at 16, 32 and
# 48 pixels with ImageMagick. Run once after changing the design; the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")/icons"

draw() {
    local size=$1
    # Everything is drawn on a 48-unit grid and scaled, with a crisp 1-pixel outline kept.
    local s
    s=$(awk -v n="$size" 'BEGIN { print n / 48 }')
    convert -size "${size}x${size}" xc:none \
        -draw "scale $s,$s
               fill '#2f6db5' stroke '#1b3f6b' stroke-width $(awk -v s="$s" 'BEGIN { print 1.5 / s }')
               roundrectangle 2,6 28,40 3,3
               fill '#e8f1fb' stroke none
               rectangle 6,10 24,28
               fill '#7bc47f' polygon 6,28 12,18 17,24 20,20 24,28
               fill '#f2c14e' circle 20,14 22,14
               fill '#b3462f' stroke '#6e2a1c' stroke-width $(awk -v s="$s" 'BEGIN { print 1.5 / s }')
               roundrectangle 22,18 46,44 2,2
               fill '#f4e3c1' stroke none
               rectangle 26,22 42,30
               fill '#6e2a1c'
               rectangle 26,38 28,44 rectangle 31,38 33,44 rectangle 36,38 38,44 rectangle 41,38 43,44" \
        "tallowick-$size.png"
}

for size in 16 32 48; do
    draw "$size"
done
