#!/usr/bin/env bash
# Starts the Windows editor under Wine on an Xvfb screen at a given Windows
# resolution (96 dpi = 100 %, 120 = 125 %, 144 = 150 %), prints the size of
# its window as X sees it, and saves the four pages in English and in
# Russian as PNGs.
#   bash tools/windows-screenshots.sh EDITOR.exe OUTPUT-DIR [DPI...]
# Needs wine, xvfb-run, xauth, xdotool, xwininfo and ImageMagick's import;
# prints "SKIP: ..." and exits 77 where they are missing.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/lib.sh"

editor=$1
out=$2
shift 2
dpis=("${@:-96}")
for tool in wine xvfb-run xauth xdotool xwininfo import; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# xvfb-run picks a free display and waits until its server is up.
if [ -z "${TRAILCAM_SCREENSHOTS_XVFB:-}" ]; then
  TRAILCAM_SCREENSHOTS_XVFB=1 exec xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" \
    bash "$0" "$editor" "$out" "${dpis[@]}"
fi

mkdir -p "$out"
tmp=$(mktemp -d)
wine_env "$tmp/prefix"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$tmp"' EXIT
wineboot --init >/dev/null 2>&1

title="4G Trail camera Setting"
# Ctrl+PageDown turns the pages, four times round to the first one again.
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
  read -r width height < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  echo "dpi=$dpi width=$width height=$height"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  capture en "$dpi" "$window"
  # The window starts with the focus on Save, the first control in Tab order,
  # and turning pages leaves it there; the MENU page's language box is the
  # 13th control after it. Typed letters pick the first item they begin, and
  # only Русский begins with Р. (One letter: xdotool lends the same key to
  # each letter it types, and Wine would read the next one as Р again.)
  xdotool key --delay 100 --repeat 13 Tab
  xdotool type 'Р'
  capture ru "$dpi" "$window"
  kill "$editor_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$editor_pid" 2>/dev/null || true
done
