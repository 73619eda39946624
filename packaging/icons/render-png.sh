#!/usr/bin/env bash
# Renders the scalable icon to the PNG sizes of the hicolor theme. The PNGs are
# committed, so a build needs no SVG renderer; run this after editing the SVG.
#   bash packaging/icons/render-png.sh   (needs rsvg-convert from librsvg2-bin)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 32 48 64 128 256; do
  mkdir -p "$here/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" \
    --output "$here/${size}x${size}/trailcam-settings.png" "$here/trailcam-settings.svg"
done
