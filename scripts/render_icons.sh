#!/usr/bin/env bash
# Renders data/sorvane.svg into the PNG sizes built into the program and
# installed beside the SVG. Run after changing the drawing; needs imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 24 32 48 64 128 256; do
    convert -background none -density 1200 data/sorvane.svg -resize "${size}x${size}" \
        "PNG32:ui/icons/sorvane-$size.png"
done
