#!/usr/bin/env bash
# Builds the Windows edition on Debian or Ubuntu: installs what is missing,
# builds (once) or reuses a static Qt for Windows, cross-builds this project
# into build-windows/ and makes its installer and portable zip there. With
# "test", also runs the test suite there under Wine.
#   bash tools/build-windows.sh [build|test]
set -euo pipefail

mode=${1:-build}
case "$mode" in build|test) ;; *) echo "usage: $0 [build|test]" >&2; exit 64 ;; esac

here=$(cd "$(dirname "$0")/.." && pwd)
build=${WINDOWS_BUILD_DIR:-$here/build-windows}

# The host's Qt supplies moc, uic and rcc, and must be the same version as
# the one built for Windows.
bash "$here/tools/install-packages.sh" locales cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 \
  nsis libxml2-utils fonts-wqy-zenhei fonts-dejavu-core xvfb xauth x11-utils xdotool imagemagick unzip
qt=$(bash "$here/tools/build-qt-windows.sh" | tail -n 1)

"$qt/bin/qt-cmake" -S "$here" -B "$build" -G Ninja \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTRAILCAM_WERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/tools/wine-run.sh" ${CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
(cd "$build" && cpack -C Release >/dev/null)
echo "Windows edition: $build/src/app/trailcam-settings.exe, $build/src/cli/trailcam-param.exe"
echo "Packages: $(cd "$build" && ls trailcam-settings-*-win64-setup.exe trailcam-settings-*-win64.zip | tr '\n' ' ')"

[ "$mode" = test ] || exit 0

# Wine takes Windows' locale from the host's: the tests run in British
# English (the C locale's 24-hour clock, UTF-8 names) and one in German.
missing_locales=()
for l in en_GB de_DE; do
  locale -a | grep -qx "$l.utf8" || missing_locales+=("$l.UTF-8")
done
if ((${#missing_locales[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  for l in "${missing_locales[@]}"; do
    $sudo sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
  done
  $sudo locale-gen >/dev/null
fi
export LC_ALL=en_GB.UTF-8

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
mkdir -p "$WINEPREFIX"
# One Wine server for all the tests, rather than one start per program; one
# may be running already.
wineserver -p 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
bash "$here/tools/wine-run.sh" --prepare
# Wine hands no QT_ variable of the host on: the offscreen platform is asked
# for in the prefix's own environment.
bash "$here/tools/wine-run.sh" reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null
# The offscreen platform draws with the fonts of a folder, here those the
# Linux tests draw with.
mkdir -p "$WINEPREFIX/qt-fonts"
ln -sf /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf \
  "$WINEPREFIX/qt-fonts/"
bash "$here/tools/wine-run.sh" reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d "Z:$WINEPREFIX/qt-fonts" /f >/dev/null
cd "$build"
bash "$here/tools/run-ctest.sh" -j 2
