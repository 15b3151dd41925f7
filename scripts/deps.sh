#!/usr/bin/env bash
# Installs the Debian packages Taviron needs to build, run and test.
# Quiet and quick when everything is already there.
set -euo pipefail
want=(build-essential cmake ninja-build pkg-config
      qt6-base-dev libqscintilla2-qt6-dev libgl-dev
      libgtest-dev libbenchmark-dev xauth clang-14 libclang-rt-14-dev
      libhunspell-dev hunspell-en-us qt6-svg-dev desktop-file-utils)
[ "${1:-}" = "--with-x" ] && want+=(xvfb)
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Taviron needs these Debian packages: ${missing[*]}" >&2
  echo "Run this script as root (or with sudo) to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
