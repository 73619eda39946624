#!/usr/bin/env bash
# Cross-builds a static Qt (qtbase) for 64-bit Windows or for the web
# (WebAssembly) from Debian's own source package of the Qt version the host
# has, and installs it into a cache folder keyed by target, version, options
# and compiler. A second run finds it and does nothing.
# Its standard output is the Qt prefix alone, for $(...); what it does and
# ninja's progress go to standard error. --print-prefix prints the prefix a
# build would make, and builds nothing.
#   bash tools/build-qt.sh windows|web [--print-prefix]
# TRAILCAM_QT_CACHE overrides the cache folder (default: /var/cache/trailcam
# as root, else ${XDG_CACHE_HOME:-~/.cache}/trailcam). TRAILCAM_QT_SEED names
# a folder of packed prefixes (qt-<version>-<target>-<key>.tar.xz): one whose
# name matches the key is unpacked instead of built.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/lib.sh"

target=${1:-}
mode=${2:-build}
case "$target/$mode" in
  windows/build | windows/--print-prefix | web/build | web/--print-prefix) ;;
  *) echo "usage: $0 windows|web [--print-prefix]" >&2; exit 64 ;;
esac
# The prefix goes out on descriptor 3, everything else to standard error.
exec 3>&1 1>&2

here=$(cd "$(dirname "$0")/.." && pwd)

# What both leave out; the programs need Core, Gui and Widgets, the tests
# QtTest. Debian's source is the "+dfsg" one without the wintab sources: no
# tablets.
common=(
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
build_options=(-DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF)

# Raise a target's recipe number when a change here or in its toolchain file
# calls for a new build; Qt's CMake files are relocatable, so the key is the
# name.
case "$target" in
  windows)
    label="Windows"
    name=mingw64-static
    recipe=1
    toolchain=$here/cmake/mingw-w64-x86_64.cmake
    mkspec=win32-g++
    # In 6.4 the Windows platform plugin needs OpenGL and Direct2D left on.
    options=("${build_options[@]}" -DFEATURE_static_runtime=ON "${common[@]}")
    packages=("${mingw_packages[@]}")
    ;;
  web)
    label="the web"
    name=wasm-static
    recipe=1
    toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
    mkspec=wasm-emscripten
    # No threads: they need headers a page must be served with. OpenGL stays
    # on, as the page's backing store draws with it.
    options=("${build_options[@]}" "${common[@]}" -DFEATURE_thread=OFF)
    packages=(emscripten)
    ;;
esac

bash "$here/tools/install-packages.sh" dpkg-dev qt6-base-dev qt6-base-dev-tools cmake ninja-build "${packages[@]}"

if [ "$target" = web ]; then
  compiler_version=$(emcc -dumpversion)
else
  compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
fi
full_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${full_version#*:}
upstream=${upstream%%[+-]*}
key=$(printf '%s\n' "$recipe" "$full_version" "${options[@]}" "$compiler_version" | sha256sum | cut -c1-12)

if [ -z "${TRAILCAM_QT_CACHE:-}" ]; then
  if [ "$(id -u)" -eq 0 ]; then
    TRAILCAM_QT_CACHE=/var/cache/trailcam
  else
    TRAILCAM_QT_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/trailcam
  fi
fi
prefix=$TRAILCAM_QT_CACHE/qt-$upstream-$name-$key

if [ "$mode" = --print-prefix ]; then
  echo "$prefix" >&3
  exit 0
fi

if [ -f "$prefix/.complete" ]; then
  echo "Qt for $label: $prefix (kept from an earlier build)"
  echo "$prefix" >&3
  exit 0
fi

seed=${TRAILCAM_QT_SEED:+$TRAILCAM_QT_SEED/$(basename "$prefix").tar.xz}
if [ -n "$seed" ] && [ -f "$seed" ]; then
  mkdir -p "$TRAILCAM_QT_CACHE"
  rm -rf "$prefix" "$prefix.partial"
  # Unpacked beside the cache's name first, so a cut-off unpack is never taken
  # for a whole prefix.
  unpack=$(mktemp -d "$TRAILCAM_QT_CACHE/unpack.XXXXXX")
  echo "Unpacking $seed"
  tar -xJf "$seed" -C "$unpack"
  if [ -f "$unpack/$(basename "$prefix")/.complete" ]; then
    mv "$unpack/$(basename "$prefix")" "$prefix"
    rm -rf "$unpack"
    echo "Qt for $label: $prefix (unpacked from $seed)"
    echo "$prefix" >&3
    exit 0
  fi
  rm -rf "$unpack"
  echo "$seed holds no complete prefix; building instead"
fi

# The source comes from the same archive as the binaries, verified by apt.
if ! apt-get source --print-uris "qt6-base=$full_version" >/dev/null 2>&1; then
  list=/etc/apt/sources.list.d/trailcam-source.sources
  src=""
  for f in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list.d/ubuntu.sources; do
    [ -f "$f" ] && src=$f && break
  done
  if [ -n "$src" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$src" | as_root tee "$list" >/dev/null
  else
    list=/etc/apt/sources.list.d/trailcam-source.list
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee "$list" >/dev/null
  fi
  echo "Added source entries: $list"
  as_root apt-get update -qq
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/trailcam-qt.XXXXXX")
[ "$target" != web ] || emsdk_env "$work/emsdk"
trap 'rm -rf "$work"' EXIT
echo "Fetching the source of qt6-base $full_version"
(cd "$work" && apt-get source -qq "qt6-base=$full_version" >/dev/null)
srcdir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$srcdir" ] || die "apt-get source gave no qt6-base folder"

started=$(date +%s)
echo "Configuring Qt for $label (a few minutes)"
cmake -S "$srcdir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$prefix.partial" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC="$mkspec" \
  "${options[@]}" >"$work/configure.log" 2>&1 || { tail -n 60 "$work/configure.log"; die "Qt's configuration failed"; }
echo "Building Qt for $label (10 to 40 minutes on two cores)"
# Ninja's lines show the progress; in a long log its first failure would
# scroll away, so it is shown again at the end.
if ! cmake --build "$work/build" -j "$(nproc)" 2>&1 | tee "$work/build.log"; then
  echo "---- what failed:"
  if grep -q '^FAILED: ' "$work/build.log"; then
    sed -n '/^FAILED: /,$p' "$work/build.log" | head -n 80
  else
    tail -n 40 "$work/build.log"
  fi
  die "Qt's build failed"
fi
rm -rf "$prefix" "$prefix.partial"
cmake --install "$work/build" >/dev/null
# Qt is linked into the programs: its licence texts go out with them.
cp -r "$srcdir/LICENSES" "$prefix.partial/licenses"
touch "$prefix.partial/.complete"
mv "$prefix.partial" "$prefix"
echo "Qt for $label built in $(( $(date +%s) - started )) s: $prefix"
echo "$prefix" >&3
