#!/usr/bin/env bash
# Checks the desktop entry, the AppStream metadata, the MIME definition and the
# manual page with the tools a desktop and a software centre read them with.
#   desktop_files.sh SOURCE_DIR MANUAL_PAGE TRAILCAM_PARAM METAINFO
set -euo pipefail
src=$1 manpage=$2 tool=$3 metainfo=$4

missing=()
for t in desktop-file-validate appstreamcli xmllint update-mime-database; do
  command -v "$t" >/dev/null || missing+=("$t")
done
if ((${#missing[@]})); then
  echo "SKIP: not installed: ${missing[*]} (bash tools/quickstart.sh test installs them)"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop=$src/src/app/trailcam-settings.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net "$metainfo"
xmllint --noout "$src/packaging/trailcam-settings.xml"

# The MIME database as built from our definition alone: one literal,
# case-insensitive name, and no claim on other files.
mkdir -p "$tmp/mime/packages"
cp "$src/packaging/trailcam-settings.xml" "$tmp/mime/packages/"
update-mime-database "$tmp/mime" 2>/dev/null
globs=$(grep -v '^#' "$tmp/mime/globs2")
[ "$globs" = "50:application/x-trailcam-parameter:parameter.dat" ] || fail "globs2 holds: $globs"
grep -qx 'MimeType=application/x-trailcam-parameter;' "$desktop" || fail "the desktop entry does not list the type"
grep -q '^Exec=trailcam-settings %f$' "$desktop" || fail "the desktop entry does not pass the file on"

# The manual page documents exactly the commands of --help, for this version.
help_commands=$("$tool" --help | sed -n 's/^  trailcam-param \([a-z]\+\) .*/\1/p' | sort)
page_commands=$(sed -n '/^\.SH COMMANDS/,/^\.SH/s/^\\fB\([a-z]\+\)\\fR.*/\1/p' "$manpage" | sort)
synopsis_commands=$(sed -n '/^\.SH SYNOPSIS/,/^\.SH/s/^\.B trailcam-param \([a-z]\+\)$/\1/p' "$manpage" | sort)
[ -n "$help_commands" ] || fail "no commands in --help"
[ "$help_commands" = "$page_commands" ] || fail "COMMANDS lists [$page_commands], --help [$help_commands]"
[ "$help_commands" = "$synopsis_commands" ] || fail "SYNOPSIS lists [$synopsis_commands], --help [$help_commands]"
# The languages the tool takes are the ones the page and the metadata count.
last=$({ "$tool" show --language none x.dat 2>&1 || true; } | sed -n 's/.*give 0 to \([0-9]*\) or.*/\1/p')
[ -n "$last" ] || fail "the tool names no range of languages"
grep -q "^(0 to $last, or" "$manpage" || fail "the page does not give the languages as 0 to $last"
grep -q " among $((last + 1)) languages\." "$metainfo" || fail "the metadata does not count $((last + 1)) languages"
version=$("$tool" --version | cut -d' ' -f2)
grep -q "^\.TH TRAILCAM-PARAM 1 .*\"trailcam-settings $version\"" "$manpage" || fail "the page is not for version $version"
editor_page=$(dirname "$manpage")/trailcam-settings.1
grep -q "^\.TH TRAILCAM-SETTINGS 1 .*\"trailcam-settings $version\"" "$editor_page" || fail "the editor's page is not for $version"
if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manpage" "$editor_page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "roff warnings: $warnings"
else
  echo "man is not installed: the page's roff is not checked"
fi
echo "desktop entry, metadata, MIME definition and manual page are valid"
