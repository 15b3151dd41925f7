#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, lists its files and
# dependencies, unpacks it into a scratch folder and runs both programs
# from there. With a build folder (the test run's own, already built) the
# package is made from it; without one scripts/deb.sh makes a Release build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -gt 0 ]; then
  (cd "$1" && cpack -G DEB > /dev/null)
  deb=$(ls "$1"/taviron_*_amd64.deb)
else
  deb=$(bash "$top/scripts/deb.sh")
fi
echo "package: $deb"
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Architecture|Depends|Recommends|Section|Installed-Size):'
dpkg-deb --contents "$deb" | awk '{ print $6 }'
# Every run-time library the programs link is a dependency, and the tools
# they start.
depends=$(dpkg-deb --field "$deb" Depends)
for p in libqt6widgets6 libqt6webenginewidgets6 libqscintilla2-qt6 libhunspell libtidy libcurl4 libstdc++6 hunspell-en-us xdg-utils; do
  grep -q "\b$p" <<< "$depends" || { echo "not a dependency: $p ($depends)"; exit 1; }
done
lintian --fail-on error,warning "$deb"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
version=$(dpkg-deb --field "$deb" Version)
# One version everywhere: the package, both programs, the software centre's
# release and the changelog.
env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/bin/taviron" --version | grep -qx "taviron $version"
"$scratch/usr/bin/taviron-site" --version | grep -qx "taviron-site $version"
"$scratch/usr/bin/taviron-site" --help | grep -q '^Usage: taviron-site'
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" \
  "$scratch/usr/share/metainfo/io.github.taviron.Taviron.metainfo.xml"
zcat "$scratch/usr/share/doc/taviron/changelog.gz" | head -1 | grep -q "^taviron ($version) "
[ -z "$(find "$scratch" -name '*test*' -o -name '*monkey*' -o -name '*bench*')" ] || { echo "test programs packaged"; exit 1; }
echo "package built, clean and runnable"
