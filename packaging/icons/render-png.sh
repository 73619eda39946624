#!/usr/bin/env bash
# Renders the scalable icon to the PNG sizes of the hicolor theme, and to the
# Windows icon (16, 32, 48 and 256 px; the largest kept as PNG, as Windows
# expects), and the web app's 192 and 512 px. The results are committed, so a build needs no SVG renderer; run
# this after editing the SVG.
#   bash packaging/icons/render-png.sh
#   (needs rsvg-convert from librsvg2-bin and icotool from icoutils)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 32 48 64 128 192 256 512; do
  mkdir -p "$here/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" \
    --output "$here/${size}x${size}/trailcam-settings.png" "$here/trailcam-settings.svg"
done
icotool --create --output "$here/trailcam-settings.ico" \
  "$here/16x16/trailcam-settings.png" "$here/32x32/trailcam-settings.png" "$here/48x48/trailcam-settings.png" \
  --raw="$here/256x256/trailcam-settings.png"
