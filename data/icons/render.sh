#!/bin/sh
# Regenerates the committed PNG icons from the SVG (needs rsvg-convert, Debian librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" org.tesserine.Tesserine.svg -o "${size}x${size}/org.tesserine.Tesserine.png"
done
