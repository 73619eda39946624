#!/usr/bin/env bash
# Builds the web edition on Debian or Ubuntu: installs what is missing,
# builds (once) or reuses a static Qt for WebAssembly, builds this project
# with Debian's emscripten into build-web/, and assembles the site in
# build-web/site/ and its zip, trailcam-settings-<version>-web.zip. With
# "test", also runs the codec's tests under Node and the end-to-end test of
# the page in headless Chromium.
#   bash tools/build-web.sh [build|test]
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/lib.sh"

mode=$(build_mode "$@")

here=$(cd "$(dirname "$0")/.." && pwd)
build=${WEB_BUILD_DIR:-$here/build-web}

# The host's Qt supplies moc, uic and rcc; the fonts and fonttools cut the
# form's face; Chromium and python3-websocket drive the page in the tests.
bash "$here/tools/install-packages.sh" cmake ninja-build qt6-base-dev qt6-base-dev-tools emscripten nodejs gzip \
  fonts-wqy-zenhei fonts-wqy-microhei python3-fonttools chromium python3-websocket libxml2-utils
# Only the prefix comes out on standard output; the build's progress shows.
qt=$(bash "$here/tools/build-qt.sh" web)

# The end-to-end test compares the page's download with what this machine's
# trailcam-param makes of the same values.
host_args=()
if [ "$mode" = test ]; then
  host=${BUILD_DIR:-$here/build}
  [ -f "$host/CMakeCache.txt" ] || cmake -S "$here" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$host" --target trailcam-param
  host_args=(-DTRAILCAM_HOST_PARAM="$host/src/cli/trailcam-param")
fi

mkdir -p "$build"
emsdk_env "$build/emsdk"
# shellcheck disable=SC2086 # CMAKE_ARGS holds separate options
"$qt/bin/qt-cmake" -S "$here" -B "$build" -G Ninja \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTRAILCAM_WERROR=ON "${host_args[@]}" ${CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
cmake --build "$build" --target web-package
echo "Web edition: $build/site/ ($(du -sh "$build/site" | cut -f1)); package: $(cd "$build" && echo trailcam-settings-*-web.zip)"
echo "Try it: python3 -m http.server -d $build/site 8000, then open http://127.0.0.1:8000/"

[ "$mode" = test ] || exit 0
cd "$build"
bash "$here/tools/run-ctest.sh"
