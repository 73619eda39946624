#!/usr/bin/env bash
# Starts the Windows editor under Wine on an Xvfb screen at a given Windows
# resolution (96 dpi = 100 %, 120 = 125 %, 144 = 150 %), prints the size of
# its window as X sees it, and saves the four pages in English and in
# Russian as PNGs.
#   bash tools/windows-screenshots.sh EDITOR.exe OUTPUT-DIR [DPI...]
# Needs wine, Xvfb, xdotool, xwininfo and ImageMagick's import; prints
# "SKIP: ..." and exits 77 where they are missing.
set -euo pipefail

editor=$1
out=$2
shift 2
dpis=("${@:-96}")
for tool in wine Xvfb xdotool xwininfo import; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
mkdir -p "$out"

tmp=$(mktemp -d)
# winemenubuilder would copy the Start menu into this machine's own menus.
export WINEPREFIX=$tmp/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
export DISPLAY=$display
wineboot --init >/dev/null 2>&1

title="4G Trail camera Setting"
# Ctrl+PageDown turns the pages; the language box is the MENU page's.
capture() { # LANGUAGE-TAG DPI WINDOW
  for page in 1 2 3 4; do
    sleep 1
    import -window "$3" "$out/windows-$2dpi-$1-page$page.png"
    xdotool key --window "$3" ctrl+Next
  done
}

for dpi in "${dpis[@]}"; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wineserver -k 2>/dev/null || true
  wine "$editor" &
  editor_pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
  [ -n "$window" ] || { echo "FAIL: no window at $dpi dpi"; exit 1; }
  sleep 2
  eval "$(xwininfo -id "$window" | awk '/Width:/ { print "width=" $2 } /Height:/ { print "height=" $2 }')"
  echo "dpi=$dpi width=$width height=$height"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  capture en "$dpi" "$window"
  # The language box: open it, go down to Русский (the 12th), take it.
  scale=$(awk -v d="$dpi" 'BEGIN { print d / 96 }')
  xdotool mousemove --window "$window" "$(awk -v s="$scale" 'BEGIN { printf "%d", 500 * s }')" \
    "$(awk -v s="$scale" 'BEGIN { printf "%d", 102 * s }')" click 1
  sleep 1
  for _ in $(seq 11); do xdotool key Down; done
  xdotool key Return
  capture ru "$dpi" "$window"
  kill "$editor_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$editor_pid" 2>/dev/null || true
done
