#!/usr/bin/env bash
# Builds the Windows edition on Debian or Ubuntu: installs what is missing,
# builds (once) or reuses a static Qt for Windows, cross-builds this project
# into build-windows/ and makes its installer and portable zip there. With
# "test", also runs the test suite there under Wine, after turning on the
# en_GB and de_DE locales in /etc/locale.gen where they are off.
#   bash tools/build-windows.sh [build|test]
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/lib.sh"

mode=$(build_mode "$@")

here=$(cd "$(dirname "$0")/.." && pwd)
build=${WINDOWS_BUILD_DIR:-$here/build-windows}

# The host's Qt supplies moc, uic and rcc, and must be the same version as
# the one built for Windows.
bash "$here/tools/install-packages.sh" locales cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
  "${mingw_packages[@]}" wine wine64 \
  nsis libxml2-utils fonts-wqy-zenhei fonts-dejavu-core xvfb xauth x11-utils xdotool imagemagick unzip
# Only the prefix comes out on standard output; the build's progress shows.
qt=$(bash "$here/tools/build-qt.sh" windows)

# No CMAKE_CROSSCOMPILING_EMULATOR: no test command names a target (they run
# through bash and tools/wine-test.sh), and the build runs no built program.
# shellcheck disable=SC2086 # CMAKE_ARGS holds separate options
"$qt/bin/qt-cmake" -S "$here" -B "$build" -G Ninja \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTRAILCAM_WERROR=ON ${CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
(cd "$build" && cpack -C Release >/dev/null)
echo "Windows edition: $build/src/app/trailcam-settings.exe, $build/src/cli/trailcam-param.exe"
echo "Packages: $(cd "$build" && echo trailcam-settings-*-win64-setup.exe trailcam-settings-*-win64.zip)"

[ "$mode" = test ] || exit 0

# Wine takes Windows' locale from the host's: the tests run in British
# English (the C locale's 24-hour clock, UTF-8 names) and one in German.
missing_locales=()
for l in en_GB de_DE; do
  locale -a | grep -qx "$l.utf8" || missing_locales+=("$l.UTF-8")
done
if ((${#missing_locales[@]})); then
  echo "Turning on ${missing_locales[*]} in /etc/locale.gen and running locale-gen (the tests run in them)"
  for l in "${missing_locales[@]}"; do
    as_root sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
  done
  as_root locale-gen >/dev/null
fi
export LC_ALL=en_GB.UTF-8

wine_env "${WINEPREFIX:-$build/wineprefix}"
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
