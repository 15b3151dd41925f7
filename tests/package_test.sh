#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, lists its files and
# dependencies, unpacks it into a scratch folder and runs both programs
# from there. With a build folder (the test run's own, already built) the
# package is made from it; without one scripts/deb.sh makes a Release build.
set -euo pipefail
trap 'echo "package test failed at line $LINENO: $BASH_COMMAND" >&2' ERR
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -gt 0 ]; then
  rm -f "$1"/taviron_*_amd64.deb
  (cd "$1" && cpack -G DEB > /dev/null)
  deb=$(ls "$1"/taviron_*_amd64.deb)
else
  deb=$(bash "$top/scripts/deb.sh")
fi
echo "package: $deb"
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Architecture|Depends|Recommends|Section|Installed-Size):'
dpkg-deb --contents "$deb" | awk '{ print $6 }'
lintian --fail-on error,warning "$deb"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
version=$(dpkg-deb --field "$deb" Version)
# Every library the packaged programs link comes with a dependency on the
# package that holds it, and so do the dictionary and the tools they start.
depends=$(dpkg-deb --field "$deb" Depends)
names=$(tr ',|' '\n\n' <<< "$depends" | awk '{ print $1 }')
needs=(hunspell-en-us xdg-utils)
for lib in $(objdump -p "$scratch/usr/bin/taviron" "$scratch/usr/bin/taviron-site" | awk '/NEEDED/ { print $2 }' | sort -u); do
  path=$(ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64/ && !found { print $NF; found = 1 }')
  owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")")
  needs+=("${owner%%:*}")
done
for p in "${needs[@]}"; do
  grep -qxF "$p" <<< "$names" || { echo "not a dependency: $p (Depends: $depends)"; exit 1; }
done
# One version everywhere: the package, both programs, the software centre's
# release and the changelog.
env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/bin/taviron" --version | grep -qx "taviron $version"
"$scratch/usr/bin/taviron-site" --version | grep -qx "taviron-site $version"
"$scratch/usr/bin/taviron-site" --help | grep -q '^Usage: taviron-site'
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" \
  "$scratch/usr/share/metainfo/io.github.taviron.Taviron.metainfo.xml"
zcat "$scratch/usr/share/doc/taviron/changelog.gz" | sed -n 1p | grep -q "^taviron ($version) "
[ -z "$(find "$scratch" -name '*test*' -o -name '*monkey*' -o -name '*bench*')" ] || { echo "test programs packaged"; exit 1; }
echo "package built, clean and runnable"
