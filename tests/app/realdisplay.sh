#!/usr/bin/env bash
# Drives the real editor on an X server (Xvfb) with xdotool, for what the
# offscreen platform cannot show: popups left on screen, where clicks and
# wheel notches really land. Exits 77 (skipped) where no X server can start.
#   realdisplay.sh EDITOR PARAM-TOOL
set -uo pipefail

editor=$1
tool=$2

skip() {
  echo "SKIP: $*"
  exit 77
}

if [ -z "${REALDISPLAY_WORK:-}" ]; then
  command -v xvfb-run >/dev/null || skip "xvfb-run is not installed (Debian package xvfb)"
  command -v xauth >/dev/null || skip "xauth is not installed (xvfb-run needs it)"
  command -v xdotool >/dev/null || skip "xdotool is not installed"
  REALDISPLAY_WORK=$(mktemp -d)
  export REALDISPLAY_WORK
  trap 'rm -rf "$REALDISPLAY_WORK"' EXIT
  timeout 120 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
  status=$?
  # The inner run leaves this behind once the server is up.
  [ -e "$REALDISPLAY_WORK/started" ] || skip "no X server could be started (xvfb-run exited with $status)"
  exit "$status"
fi

work=$REALDISPLAY_WORK
touch "$work/started"
export HOME=$work/home XDG_CONFIG_HOME=$work/config LC_ALL=C LANGUAGE= QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
mkdir -p "$HOME"

fail() {
  echo "FAIL: $*"
  exit 1
}

# Waits up to ten seconds for a visible window whose title matches; prints its id.
window() {
  timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Keys go where the X server's focus is; with no window manager to move it,
# each typing waits until it is on the window meant.
focus() {
  timeout 10 xdotool windowfocus --sync "$1" || fail "cannot give the keyboard focus to window $1"
}

# Waits up to ten seconds until the main window is the editor's only one on
# screen: a dialog that has closed leaves no popup behind.
alone() {
  for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null)" = "$main" ] && return 0
    sleep 0.1
  done
  return 1
}

exists() {
  for _ in $(seq 100); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# Clicks at a point of the main window, in its own coordinates.
click() {
  xdotool mousemove --window "$main" "$1" "$2" click 1
}

# Clicks Save and answers its dialog with a typed path and Enter.
save() {
  click 100 469 # Save
  local dialog
  dialog=$(window '^Save As$')
  [ -n "$dialog" ] || fail "no Save dialog opened for $1"
  focus "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 15 "$1"
  xdotool key Return
  alone || fail "the Save dialog for $1 left a window on screen"
  exists "$1" || fail "Save wrote no $1"
}

# The values a file holds; the clock, which differs between two Saves, is not
# among them.
decoded() {
  "$tool" decode "$1"
}

# Started with a file, which it loads: its phone 2 must reach every later Save.
"$tool" encode - -o "$work/start.dat" <<<'{"phone2": "4242"}' || fail "cannot build the start file"
"$editor" "$work/start.dat" &
editor_pid=$!
trap 'kill "$editor_pid" 2>/dev/null' EXIT
main=$(window '^4G Trail camera Setting$')
[ -n "$main" ] || fail "the editor's window did not appear"

# A typed path and Enter, then clicks on a tab and a field: each must reach
# its target, none may be taken by a popup that the dialog left behind. The
# file is there already, so the dialog's completion is showing its name.
mkdir "$work/card"
cp "$work/start.dat" "$work/card/Parameter.dat"
save "$work/card/Parameter.dat"
click 205 13 # the MMS tab
click 469 70 # Phone 1 on it
focus "$main"
xdotool type --delay 15 5551234
save "$work/second.dat"
decoded "$work/second.dat" | grep -q '"phone1": "5551234"' \
  || fail "the clicks after the Save dialog did not reach the MMS tab and Phone 1"
decoded "$work/second.dat" | grep -q '"phone2": "4242"' || fail "the file named on the command line was not loaded"
click 532 469 # Load
open=$(window '^Open$')
[ -n "$open" ] || fail "the click on Load did not open its dialog"
focus "$open"
xdotool key Escape
alone || fail "the Open dialog left a window on screen"

# One wheel notch over the country box, which does not have the focus.
xdotool mousemove --window "$main" 185 129 click 5
save "$work/third.dat"
changes=$(diff <(decoded "$work/second.dat") <(decoded "$work/third.dat")) \
  || fail "a wheel notch over the unfocused MMS country box changed the settings:"$'\n'"$changes"

echo "PASS"
