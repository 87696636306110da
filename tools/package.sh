#!/usr/bin/env bash
# Builds the Debian packages from a clean build (no test suite: `make test` runs it), moves
# them into build/package/ and checks them: lintian, the desktop entry, the metainfo and the
# systemd unit of the unpacked packages.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/package
parent=$(dirname "$PWD")
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)

# dpkg-buildpackage writes beside the source tree; worktrees sharing that folder take turns.
exec 9>"/tmp/vantorello-package-$(echo "$parent" | md5sum | cut -c1-12).lock"
flock 9
rm -rf "$out"
mkdir -p "$out"
started=$(date +%s)
DEB_BUILD_OPTIONS="nocheck parallel=${JOBS:-$(nproc)}" \
  dpkg-buildpackage -b -us -uc -Pnocheck --post-clean
changes="$parent/vantorello_${version}_${arch}.changes"
for f in $(sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]\{32\} [0-9]\+ [^ ]\+ [^ ]\+ //p' "$changes"); do
  mv "$parent/$f" "$out/"
done
mv "$changes" "$out/"
flock -u 9
echo "Packages built in $(( $(date +%s) - started )) s:"
ls -l "$out"

for deb in "$out"/*.deb; do dpkg-deb -x "$deb" "$out/root"; done
# lintian warns when it runs as root; it only needs to read the packages.
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(runuser -u nobody --)
"${as_user[@]}" lintian --fail-on error,warning "$out"/*.changes
# vantorello-data links the menu fonts to the font packages' files: each link must lead to a
# file of this system, which has those packages.
while read -r link; do
  target=$(realpath -m "/$(dirname "${link#"$out/root/"}")/$(readlink "$link")")
  [ -f "$target" ] || { echo "$link leads to $target, which is missing"; exit 1; }
done < <(find "$out/root/usr/share/games" -type l)
desktop-file-validate "$out/root/usr/share/applications/vantorello.desktop"
appstreamcli validate --no-net "$out/root/usr/share/metainfo/org.example.vantorello.metainfo.xml"
# The unit is checked in a copy of the packages' files beside the system's own units; any
# remark (an unknown key, a bad value) counts as a failure.
verify="$out/verify-root"
cp -a "$out/root" "$verify"
cp -rn /lib/systemd/system/. "$verify/lib/systemd/system/"
remarks=$(systemd-analyze verify --root="$PWD/$verify" --man=no /lib/systemd/system/vantorello-service.service 2>&1) \
  && [ -z "$remarks" ] || { echo "systemd-analyze verify: ${remarks:-failed}"; exit 1; }
rm -rf "$verify"
echo "Packages checked: lintian, desktop-file-validate, appstreamcli, systemd-analyze."
