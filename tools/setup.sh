#!/usr/bin/env bash
# Installs the Debian packages of a list (default tools/debian-packages.txt) that are missing.
#   tools/setup.sh [LIST]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
missing=()
while read -r pkg; do
  pkg=${pkg%%#*}; pkg=${pkg//[[:space:]]/}
  [ -n "$pkg" ] || continue
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done < "${1:-$here/debian-packages.txt}"
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing Debian packages: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
