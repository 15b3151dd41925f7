#!/usr/bin/env bash
# Builds taviron_VERSION_amd64.deb from a Release build in build-deb/ (or the
# folder given) and prints its path.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$top/build-deb}
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null; then
  sudo bash "$top/scripts/deps.sh" package > /dev/null
else
  bash "$top/scripts/deps.sh" package > /dev/null
fi
cmake -S "$top" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTAVIRON_TESTS=OFF -DTAVIRON_BENCH=OFF -DTAVIRON_SANITIZE=OFF > /dev/null
cmake --build "$out" > /dev/null
rm -f "$out"/taviron_*_amd64.deb  # one of an older version would be listed too
(cd "$out" && cpack -G DEB > /dev/null)
ls "$out"/taviron_*_amd64.deb
