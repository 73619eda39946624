#!/usr/bin/env bash
# Runs a QtTest program under Wine and prints its report. Without a console
# window QtTest sends the report to the debugger, so it is written to a file
# and shown from there.
#   bash tools/wine-test.sh TEST.exe [ARGS...]
set -uo pipefail

report=$(mktemp)
trap 'rm -f "$report"' EXIT
# Wine takes an absolute Unix path for one on drive Z:, as the build folder is.
bash "$(dirname "$0")/wine-run.sh" "$@" -o "$report,txt"
status=$?
tr -d '\r' <"$report"
exit "$status"
