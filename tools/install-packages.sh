#!/usr/bin/env bash
# Installs those of the given Debian/Ubuntu packages that are not installed yet,
# through sudo when not run as root.
#   bash tools/install-packages.sh PACKAGE...
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/lib.sh"

missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
((${#missing[@]})) || exit 0

echo "Installing: ${missing[*]}"
as_root apt-get update -qq
# Through env: sudo would drop a variable set in front of it.
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
