#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, lists its files and
# dependencies, unpacks it into a scratch folder and runs both programs
# from there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$top/build-deb}
deb=$(bash "$top/scripts/deb.sh" "$out")
echo "package: $deb"
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Architecture|Depends|Recommends|Section):'
dpkg-deb --contents "$deb" | awk '{ print $6 }'
lintian --fail-on error,warning --suppress-tags-from-file "$top/packaging/lintian-overrides" "$deb"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
version=$(dpkg-deb --field "$deb" Version)
env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/bin/taviron" --version | grep -qx "taviron $version"
"$scratch/usr/bin/taviron-site" --help | grep -q '^Usage: taviron-site'
# One version everywhere: the package, the programs, the software centre's release.
grep -q "<release version=\"$version\"" "$scratch/usr/share/metainfo/io.github.taviron.Taviron.metainfo.xml"
echo "package built, clean and runnable"
