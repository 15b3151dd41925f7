#!/usr/bin/env bash
# Builds Taviron and runs every test: the logic tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer) and the window tests on
# Qt's offscreen platform. Installs the Debian packages it needs first.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh test
build=${TAVIRON_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVIRON_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
       XDG_STATE_HOME="$scratch/state"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 600 -j "$(nproc)"
