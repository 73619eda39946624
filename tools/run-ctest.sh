#!/usr/bin/env bash
# Runs ctest in the current build folder with the given arguments and ends
# with a line "RESULT: N passed, N failed" (CI reads it), and ", N skipped"
# when tests were skipped or disabled. The verdict is
# ctest's exit status; the counts come from its JUnit report, not from its
# English summary.
#   bash tools/run-ctest.sh [CTEST-ARGS...]
set -euo pipefail

junit=$(mktemp)
trap 'rm -f "$junit"' EXIT
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --output-junit "$junit" "$@" || status=$?
# xmllint comes with libxml2-utils.
count() { xmllint --xpath "string(/testsuite/@$1)" "$junit" 2>/dev/null || true; }
total=$(count tests)
failed=$(count failures)
skips=$(count skipped)
disabled=$(count disabled)
skipped=$((${skips:-0} + ${disabled:-0}))
if [ -z "$total" ] || [ "$total" -eq 0 ] || [ -z "$failed" ] || [ "$total" -eq "$skipped" ]; then
  echo "RESULT: no tests ran" >&2
  exit 1
fi
line="RESULT: $((total - failed - skipped)) passed, $failed failed"
[ "$skipped" -eq 0 ] || line="$line, $skipped skipped"
echo "$line"
exit "$status"
