#!/usr/bin/env bash
# The Windows editor under Wine at 100 %, 125 % and 150 %: the window as X
# sees it is the form's 634 x 491 times the scale, within two pixels.
#   windows_dpi.sh EDITOR.exe SCREENSHOT-DIR
set -euo pipefail

out=$(bash "$(dirname "$0")/../../tools/windows-screenshots.sh" "$1" "$2" 96 120 144) || {
  status=$?
  echo "$out"
  exit "$status"
}
echo "$out"
status=0
while read -r dpi width height; do
  for side in "634 $width" "491 $height"; do
    read -r form shown <<<"$side"
    expected=$((form * dpi / 96))
    if ((shown < expected - 2 || shown > expected + 2)); then
      echo "FAIL: at $dpi dpi a side of $form is $shown pixels, not $expected"
      status=1
    fi
  done
done < <(sed -n 's/^dpi=\([0-9]*\) width=\([0-9]*\) height=\([0-9]*\)$/\1 \2 \3/p' <<<"$out")
[ "$(grep -c '^dpi=' <<<"$out")" = 3 ] || { echo "FAIL: not every resolution was measured"; status=1; }
exit "$status"
