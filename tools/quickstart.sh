#!/usr/bin/env bash
# Sets up a Debian or Ubuntu machine, builds, and then starts the editor
# ("run") or runs the whole test suite ("test"). Packages are installed
# through sudo where needed; run as a whole through sudo, everything but the
# installing runs as the calling user.
#   bash tools/quickstart.sh run|test
set -euo pipefail

mode=${1:-}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 64 ;; esac

here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}

bash "$here/tools/install-packages.sh" cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools \
  libgl-dev qt6-qpa-plugins qt6-translations-l10n fonts-wqy-zenhei fonts-dejavu-core libbenchmark-dev \
  dpkg-dev file desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils libfile-mimeinfo-perl \
  xvfb xauth xdotool acl lintian

# Run through sudo, only the packages need root: the build, the tests and the
# editor run as the user who called sudo, so that neither the build folder nor
# the files the editor saves end up owned by root.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  mkdir -p "$build"
  chown -R -h "$SUDO_USER:" "$build"
  exec runuser -u "$SUDO_USER" -- bash "$0" "$mode"
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRAILCAM_WERROR=ON ${CMAKE_ARGS:-}
cmake --build "$build" -j "$jobs"

if [ "$mode" = run ]; then
  exec "$build/src/app/trailcam-settings"
fi

cd "$build"
# The tests that change this machine are asked for here; a plain ctest skips them.
TRAILCAM_MACHINE_TESTS=1 exec bash "$here/tools/run-ctest.sh" -j "$jobs"
