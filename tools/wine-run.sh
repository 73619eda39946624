#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests need it: a prefix of
# its own, no prompts to install Mono or Gecko, Wine's own chatter off.
#   bash tools/wine-run.sh PROGRAM.exe [ARGS...]
#   bash tools/wine-run.sh --prepare      # make the prefix now
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/lib.sh"

wine_env "${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/trailcam/wineprefix}"

if [ "${1:-}" = --prepare ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  exit 0
fi
exec wine "$@"
