#!/usr/bin/env bash
# The quick start run through sudo installs as root, but configures, builds,
# tests and starts the editor as the user who called sudo, in a build folder
# that user owns. Plays sudo by setting SUDO_USER, so it needs root; cmake,
# ctest and the package installer are stand-ins that log who ran them.
set -euo pipefail

if [ "$(id -u)" -ne 0 ] || ! id nobody >/dev/null 2>&1; then
  echo "SKIP: needs root and the user nobody"
  exit 77
fi
source=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
mkdir -p "$tmp/tools" "$tmp/bin" "$tmp/build"
cp "$source/tools/quickstart.sh" "$source/tools/run-ctest.sh" "$tmp/tools/"
touch "$tmp/log" "$tmp/build/CMakeCache.txt" # as an earlier run as root left it
chmod 666 "$tmp/log"
stand_in() { # NAME OUTPUT FILE: a script that logs NAME and the user, and prints OUTPUT
  printf '#!/bin/sh\necho "%s $(id -un)" >> "%s/log"\necho "%s"\n' "$1" "$tmp" "${2:-}" > "$3"
  chmod 755 "$3"
}
stand_in install "" "$tmp/tools/install-packages.sh"
stand_in cmake "" "$tmp/bin/cmake"
stand_in ctest "" "$tmp/bin/ctest"
# The script counts from ctest's JUnit report.
printf '%s\n' 'while [ $# -gt 0 ]; do [ "$1" != --output-junit ] || echo "<testsuite tests=\"1\" failures=\"0\"/>" > "$2"; shift; done' \
  >> "$tmp/bin/ctest"

# A build folder or options of the run around this test must not leak in.
env -u CMAKE_ARGS BUILD_DIR="$tmp/build" SUDO_USER=nobody PATH="$tmp/bin:$PATH" bash "$tmp/tools/quickstart.sh" test |
  tee "$tmp/out"

status=0
grep -q '^install root$' "$tmp/log" || { echo "FAIL: the packages were not installed as root"; status=1; }
if grep -E '^(cmake|ctest) ' "$tmp/log" | grep -qv ' nobody$'; then
  echo "FAIL: a build or test step ran as another user than nobody"
  status=1
fi
grep -q '^ctest nobody$' "$tmp/log" || { echo "FAIL: the tests did not run"; status=1; }
grep -q '^RESULT: 1 passed, 0 failed$' "$tmp/out" || { echo "FAIL: no count from the JUnit report"; status=1; }
if [ -n "$(find "$tmp/build" ! -user nobody)" ]; then
  echo "FAIL: the build folder holds files not owned by nobody"
  status=1
fi
cat "$tmp/log"
exit "$status"
