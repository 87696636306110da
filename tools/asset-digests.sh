#!/usr/bin/env bash
# Prints the SHA-256 of every picture and sound the generators write into a run directory,
# one `sha256sum` line a file in name order (the fonts and track files are not generated here).
#   tools/asset-digests.sh RUN_DIR > tests/tools/asset_digests.txt    (after a deliberate change)
set -euo pipefail
cd "$1"
find GFX SFX -type f \( -name '*.png' -o -name '*.bmp' -o -path 'SFX/*' \) ! -name '.*' -print0 |
  LC_ALL=C sort -z | xargs -0 sha256sum
