#!/usr/bin/env bash
# Builds Taviron and starts it; the files named after the command are opened.
# Installs the Debian packages it needs first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null; then
  sudo bash "$here/scripts/deps.sh" run
else
  bash "$here/scripts/deps.sh" run
fi
build="$here/${TAVIRON_BUILD_DIR:-build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTAVIRON_TESTS=OFF -DTAVIRON_BENCH=OFF -DTAVIRON_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target taviron >/dev/null
exec "$build/taviron" "$@"
