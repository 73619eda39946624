#!/usr/bin/env bash
# Builds the Debian package and checks what it holds ("contents"), or installs
# it on this machine, checks the desktop sees it, and removes it ("install").
#   package.sh contents CPACK BUILD_DIR VERSION WORK_DIR
#   package.sh install WORK_DIR VERSION
set -euo pipefail
mode=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
need() {
  local missing=() t
  for t in "$@"; do command -v "$t" >/dev/null || missing+=("$t"); done
  if ((${#missing[@]})); then
    echo "SKIP: not installed: ${missing[*]} (bash tools/quickstart.sh test installs them)"
    exit 77
  fi
}
type=application/x-trailcam-parameter

if [ "$mode" = contents ]; then
  cpack=$2 build=$3 version=$4 work=$5
  rm -rf "$work"
  need dpkg-deb dpkg-shlibdeps file strip lintian
  mkdir -p "$work"
  deb=$work/trailcam-settings_${version}_$(dpkg --print-architecture).deb
  # Packed twice, a second apart: the same bytes both times.
  for pass in again ""; do
    "$cpack" --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail cpack; }
    [ -f "$deb" ] || fail "no $deb"
    if [ -n "$pass" ]; then mv "$deb" "$work/first.deb"; sleep 1; fi
  done
  cmp "$work/first.deb" "$deb" || fail "two packs of the same build differ"
  dpkg-deb --info "$deb"
  # No error or warning. Its notes on hardening flags and .comment sections
  # are left to the build type the user picks.
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"

  [ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "package version"
  depends=", $(dpkg-deb --field "$deb" Depends),"
  for d in 'libc6 (>= ' 'libstdc++6 (>= ' 'libqt6core6 (>= ' 'libqt6gui6 (>= ' 'libqt6widgets6 (>= ' \
           'fonts-wqy-zenhei,' 'fonts-dejavu-core,'; do
    [[ $depends == *", $d"* ]] || fail "Depends lacks $d"
  done

  expected="usr/bin/trailcam-param
usr/bin/trailcam-settings
usr/share/applications/trailcam-settings.desktop
usr/share/doc/trailcam-settings/changelog.gz
usr/share/doc/trailcam-settings/copyright
usr/share/icons/hicolor/128x128/apps/trailcam-settings.png
usr/share/icons/hicolor/16x16/apps/trailcam-settings.png
usr/share/icons/hicolor/256x256/apps/trailcam-settings.png
usr/share/icons/hicolor/32x32/apps/trailcam-settings.png
usr/share/icons/hicolor/48x48/apps/trailcam-settings.png
usr/share/icons/hicolor/64x64/apps/trailcam-settings.png
usr/share/icons/hicolor/scalable/apps/trailcam-settings.svg
usr/share/man/man1/trailcam-param.1.gz
usr/share/man/man1/trailcam-settings.1.gz
usr/share/metainfo/example.trailcam.TrailcamSettings.metainfo.xml
usr/share/mime/packages/trailcam-settings.xml"
  files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort)
  [ "$files" = "$expected" ] || fail "the package holds:
$files"

  root=$work/root
  dpkg-deb -x "$deb" "$root"
  for size in 16 32 48 64 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/trailcam-settings.png" \
      | grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon is not $size px"
  done
  tool=$root/usr/bin/trailcam-param
  [ "$("$tool" --version)" = "trailcam-param $version" ] || fail "trailcam-param --version"
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/trailcam-settings" --version)" = "trailcam-settings $version" ] \
    || fail "trailcam-settings --version, without a display"
  printf '{"idedit": "CAM777", "apn": "internet.example"}' >"$work/in.json"
  "$tool" encode "$work/in.json" -o "$work/Parameter.dat"
  [ "$(stat -c %s "$work/Parameter.dat")" = 2128 ] || fail "encode wrote $(stat -c %s "$work/Parameter.dat") bytes"
  "$tool" decode "$work/Parameter.dat" >"$work/out.json"
  grep -q '"idedit": "CAM777"' "$work/out.json" && grep -q '"apn": "internet.example"' "$work/out.json" \
    || fail "decode did not give back what encode was given"
  echo "$deb holds what it should"
  exit 0
fi

work=$2 version=$3
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: not root, so the package is not installed on this machine"
  exit 77
fi
need apt-get xdg-mime mimetype update-mime-database update-desktop-database
if dpkg-query -W trailcam-settings >/dev/null 2>&1; then
  echo "SKIP: trailcam-settings is already installed here, and this test leaves it alone"
  exit 77
fi
deb=$work/trailcam-settings_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
  echo "SKIP: no package to install: package_contents builds it and did not"
  exit 77
fi

apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }
tmp=$(mktemp -d)
cleanup() {
  if dpkg-query -W trailcam-settings >/dev/null 2>&1; then apt remove --purge trailcam-settings >/dev/null; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

apt install --no-install-recommends "$deb" >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; fail "apt-get install"; }
paths=()
while IFS= read -r p; do
  [ -d "$p" ] || paths+=("$p")
done < <(dpkg -L trailcam-settings)
[ -x /usr/bin/trailcam-settings ] || fail "/usr/bin/trailcam-settings is not installed"

# A clean environment: no desktop session and no per-user settings.
query() { env -i PATH="$PATH" HOME="$tmp" xdg-mime query "$@"; }
for name in Parameter.dat PARAMETER.DAT other.dat; do head -c 2128 /dev/zero >"$tmp/$name"; done
[ "$(query filetype "$tmp/Parameter.dat")" = $type ] || fail "Parameter.dat is $(query filetype "$tmp/Parameter.dat")"
[ "$(query filetype "$tmp/PARAMETER.DAT")" = $type ] || fail "PARAMETER.DAT is $(query filetype "$tmp/PARAMETER.DAT")"
[ "$(query filetype "$tmp/other.dat")" != $type ] || fail "every .dat file is taken as ours"
[ "$(query default $type)" = trailcam-settings.desktop ] || fail "$type opens with '$(query default $type)'"

apt remove --purge trailcam-settings >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; fail "apt-get remove"; }
for p in "${paths[@]}"; do
  [ ! -e "$p" ] || fail "$p is left after removal"
done
! grep -qs "$type" /usr/share/mime/globs2 /usr/share/applications/mimeinfo.cache || fail "$type is still registered"
echo "installed, opened by type, and removed without a trace: ${#paths[@]} files"
