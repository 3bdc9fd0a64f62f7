#!/usr/bin/env bash
# Renders data/sorvane.svg into the PNG sizes installed beside the SVG, and the
# window icon's sizes into raw RGBA pixels built into the program, which it
# shows without loading an image decoder, and the Windows icon. Run after changing the drawing;
# needs imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 24 32 48 64 128 256; do
    convert -background none -density 1200 data/sorvane.svg -resize "${size}x${size}" \
        "PNG32:ui/icons/sorvane-$size.png"
done
for size in 16 24 32 48; do
    convert "ui/icons/sorvane-$size.png" -depth 8 "RGBA:ui/icons/sorvane-$size.rgba"
done
# The Windows icon: 16, 32 and 48 pixels as bitmaps, 256 as PNG, as Windows keeps them.
convert ui/icons/sorvane-16.png ui/icons/sorvane-32.png ui/icons/sorvane-48.png ui/icons/sorvane-256.png \
    win32/sorvane.ico
