#!/usr/bin/env bash
# Renders the window through the test suite and keeps its first page as
# docs/screenshot.png, the picture of the README and of the AppStream metadata.
#   bash tools/screenshot.sh   (after the quick start has installed what the build needs)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target tst_screenshots
(cd "$build" && ctest -R '^tst_screenshots$' --output-on-failure)
mkdir -p "$here/docs"
cp "$build/tests/app/mainform-menu.png" "$here/docs/screenshot.png"
echo "docs/screenshot.png"
