#!/usr/bin/env bash
# Cross-builds a static Qt (qtbase) for 64-bit Windows from Debian's own
# source package of the Qt version the host has, and installs it into a cache
# folder keyed by version and options. A second run finds it and does nothing.
# Prints the Qt prefix as its last line.
#   bash tools/build-qt-windows.sh
# TRAILCAM_QT_CACHE overrides the cache folder (default: /var/cache/trailcam
# as root, else ${XDG_CACHE_HOME:-~/.cache}/trailcam). TRAILCAM_QT_SEED names
# a folder of packed prefixes (qt-<version>-<target>-<key>.tar.xz): one whose
# name matches the key is unpacked instead of built.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$here/cmake/mingw-w64-x86_64.cmake

# Debian's source is the "+dfsg" one without the wintab sources: no tablets.
# In 6.4 the Windows platform plugin needs OpenGL and Direct2D left on.
options=(
  -DBUILD_SHARED_LIBS=OFF
  -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_static_runtime=ON
  -DFEATURE_freetype=ON
  -DFEATURE_system_freetype=OFF
  -DFEATURE_fontconfig=OFF
  -DFEATURE_testlib=ON
  -DFEATURE_tabletevent=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_vulkan=OFF
)

bash "$here/tools/install-packages.sh" dpkg-dev qt6-base-dev qt6-base-dev-tools cmake ninja-build \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64

full_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${full_version#*:}
upstream=${upstream%%[+-]*}
# Raise the recipe number when a change here or in the toolchain file calls
# for a new build; Qt's CMake files are relocatable, so the key is the name.
recipe=1
key=$(printf '%s\n' "$recipe" "$full_version" "${options[@]}" \
  "$(x86_64-w64-mingw32-g++-posix -dumpfullversion)" | sha256sum | cut -c1-12)

if [ -z "${TRAILCAM_QT_CACHE:-}" ]; then
  if [ "$(id -u)" -eq 0 ]; then
    TRAILCAM_QT_CACHE=/var/cache/trailcam
  else
    TRAILCAM_QT_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/trailcam
  fi
fi
prefix=$TRAILCAM_QT_CACHE/qt-$upstream-mingw64-static-$key

if [ -f "$prefix/.complete" ]; then
  echo "Qt for Windows: $prefix (kept from an earlier build)" >&2
  echo "$prefix"
  exit 0
fi

seed=${TRAILCAM_QT_SEED:+$TRAILCAM_QT_SEED/$(basename "$prefix").tar.xz}
if [ -n "$seed" ] && [ -f "$seed" ]; then
  mkdir -p "$TRAILCAM_QT_CACHE"
  rm -rf "$prefix" "$prefix.partial"
  # Unpacked beside the cache's name first, so a cut-off unpack is never taken
  # for a whole prefix.
  unpack=$(mktemp -d "$TRAILCAM_QT_CACHE/unpack.XXXXXX")
  tar -xJf "$seed" -C "$unpack"
  if [ -f "$unpack/$(basename "$prefix")/.complete" ]; then
    mv "$unpack/$(basename "$prefix")" "$prefix"
    rm -rf "$unpack"
    echo "Qt for Windows: $prefix (unpacked from $seed)" >&2
    echo "$prefix"
    exit 0
  fi
  rm -rf "$unpack"
  echo "$seed holds no complete prefix; building instead" >&2
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# The source comes from the same archive as the binaries, verified by apt.
if ! apt-get source --print-uris "qt6-base=$full_version" >/dev/null 2>&1; then
  list=/etc/apt/sources.list.d/trailcam-source.sources
  src=""
  for f in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list.d/ubuntu.sources; do
    [ -f "$f" ] && src=$f && break
  done
  if [ -n "$src" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$src" | $sudo tee "$list" >/dev/null
  else
    list=/etc/apt/sources.list.d/trailcam-source.list
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $sudo tee "$list" >/dev/null
  fi
  echo "Added source entries: $list" >&2
  $sudo apt-get update -qq
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/trailcam-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq "qt6-base=$full_version" >/dev/null)
srcdir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$srcdir" ] || { echo "apt-get source gave no qt6-base folder" >&2; exit 1; }

started=$(date +%s)
cmake -S "$srcdir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$prefix.partial" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  "${options[@]}" >"$work/configure.log" 2>&1 || { tail -n 60 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" -j "$(nproc)"
rm -rf "$prefix" "$prefix.partial"
cmake --install "$work/build" >/dev/null
# Qt is linked into the programs: its licence texts go out with them.
cp -r "$srcdir/LICENSES" "$prefix.partial/licenses"
touch "$prefix.partial/.complete"
mv "$prefix.partial" "$prefix"
echo "Qt for Windows built in $(( $(date +%s) - started )) s: $prefix" >&2
echo "$prefix"
