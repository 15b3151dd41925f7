#!/usr/bin/env bash
# Draws the application icon's PNG sizes from app/icons/taviron.svg (needs
# rsvg-convert, Debian's librsvg2-bin). The PNGs are kept in the repository
# so that building needs no SVG renderer; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" app/icons/taviron.svg -o "app/icons/png/taviron-$size.png"
done
