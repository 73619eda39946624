#!/usr/bin/env bash
# The Windows installer and portable zip under Wine, in a fresh prefix: a
# silent install for all users and for the current user puts the programs,
# the Start-menu entry, "Open with" and the uninstall entry in place, the
# installed tool runs, and a silent uninstall leaves nothing behind. The zip
# runs a round trip from any folder.
#   windows_package.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
setup=$build/trailcam-settings-$version-win64-setup.exe
zip=$build/trailcam-settings-$version-win64.zip
for f in "$setup" "$zip"; do
  [ -f "$f" ] || { echo "SKIP: $f is not built (cpack makes it)"; exit 77; }
done
command -v wine >/dev/null || { echo "SKIP: no wine"; exit 77; }

# shellcheck source-path=SCRIPTDIR source=../../tools/lib.sh
. "$(dirname "$0")/../../tools/lib.sh"
tmp=$(mktemp -d)
wine_env "$tmp/prefix"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$tmp"' EXIT
wineboot --init >/dev/null 2>&1
wineserver --wait

fail() { echo "FAIL: $*"; exit 1; }
# What is on drive C and in the registry, less Wine's own scratch places.
state() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort)
  grep -i -h -e trailcam -e 'Trail camera' "$WINEPREFIX"/*.reg | sort || true
}
regvalue() { # KEY VALUE, or KEY '(Default)'; empty where there is none
  local which=(/v "$2")
  [ "$2" != '(Default)' ] || which=(/ve)
  { wine reg query "$1" "${which[@]}" 2>/dev/null || true; } | tr -d '\r' |
    awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\trailcam-settings'

for scope in all current; do
  before=$(state)
  if [ $scope = all ]; then
    wine "$setup" /S
    root=HKLM
  else
    wine "$setup" /S /CurrentUser
    root=HKCU
  fi
  wineserver --wait
  location=$(regvalue "$root\\$uninstall_key" InstallLocation)
  [ -n "$location" ] || fail "$scope: no uninstall entry under $root"
  dir=$(winepath -u "$location")
  case $scope in
    all) [[ $location == *'Program Files\trailcam-settings' ]] || fail "all users: installed in $location" ;;
    current) [[ $location == *'AppData\Local\Programs\trailcam-settings' ]] || fail "current user: installed in $location" ;;
  esac
  for f in trailcam-settings.exe trailcam-param.exe LICENSE.txt README.txt licenses/Qt/LGPL-3.0-only.txt Uninstall.exe; do
    [ -f "$dir/$f" ] || fail "$scope: $f not installed"
  done
  [ "$(regvalue "$root\\$uninstall_key" DisplayName)" = "4G Trail camera Setting" ] || fail "$scope: display name"
  [ "$(regvalue "$root\\$uninstall_key" DisplayVersion)" = "$version" ] || fail "$scope: display version"
  [ -n "$(regvalue "$root\\$uninstall_key" Publisher)" ] || fail "$scope: no publisher"
  [[ $(regvalue "$root\\$uninstall_key" DisplayIcon) == *'trailcam-settings.exe,0' ]] || fail "$scope: no icon"
  open=$(regvalue "$root\\Software\\Classes\\example.trailcam.Parameter\\shell\\open\\command" '(Default)')
  [[ $open == *'trailcam-settings.exe" "%1"' ]] || fail "$scope: open command is '$open'"
  wine reg query "$root\\Software\\Classes\\.dat\\OpenWithProgids" /v example.trailcam.Parameter >/dev/null 2>&1 \
    || fail "$scope: not listed under Open with"
  dat=$(regvalue "$root\\Software\\Classes\\.dat" '(Default)')
  [[ -z $dat || $dat == '(value not set)' ]] || fail "$scope: took over .dat ($dat)"
  shortcuts=$(cd "$WINEPREFIX/drive_c" && find . -name '4G Trail camera Setting.lnk')
  [ -n "$shortcuts" ] || fail "$scope: no Start-menu entry"
  out=$(wine "$dir/trailcam-param.exe" --version | tr -d '\r')
  [[ $out == *"$version"* ]] || fail "$scope: installed trailcam-param --version printed '$out'"

  wine "$dir/Uninstall.exe" /S
  wineserver --wait
  after=$(state)
  [ "$before" = "$after" ] || fail "$scope: left behind: $(diff <(echo "$before") <(echo "$after") | grep '^>' | head -n 5)"
  echo "ok: install and uninstall for $scope users"
done

# The zip runs from any folder and adds nothing to it.
mkdir "$tmp/stick"
(cd "$tmp/stick" && unzip -q "$zip")
portable=$(find "$tmp/stick" -name trailcam-param.exe -printf '%h\n')
[ -f "$portable/trailcam-settings.exe" ] || fail "zip: no trailcam-settings.exe"
listing=$(cd "$tmp/stick" && find . | sort)
(
  cd "$tmp"
  printf '{"apn": "internet.example"}' >values.json
  # Through standard input and output, which carry the image byte for byte.
  wine "$portable/trailcam-param.exe" encode - -o - <values.json >Parameter.dat
  [ "$(stat -c %s Parameter.dat)" = 2128 ] || fail "zip: encode wrote $(stat -c %s Parameter.dat) bytes"
  wine "$portable/trailcam-param.exe" decode - <Parameter.dat | grep -q '"apn": "internet.example"' \
    || fail "zip: decode did not give the APN back"
)
[ "$(cd "$tmp/stick" && find . | sort)" = "$listing" ] || fail "zip: the programs wrote beside themselves"
echo "ok: portable zip round trip"
