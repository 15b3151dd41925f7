#!/usr/bin/env bash
# Installs the Debian packages Taviron needs: "run" (the default) what
# building and running take, "package" that and what building the Debian
# package takes, "test" all of that and the test and benchmark tools,
# "--with-x" adds a virtual X server. Quiet and quick when all is there.
set -euo pipefail
run=(build-essential cmake ninja-build pkg-config
     qt6-base-dev libqscintilla2-qt6-dev libgl-dev libqt6svg6
     libhunspell-dev hunspell-en-us xdg-utils
     qt6-webengine-dev libqt6webenginecore6-bin libtidy-dev libcurl4-openssl-dev)
package=(dpkg-dev lintian)
test=(libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev desktop-file-utils appstream universal-ctags)
want=("${run[@]}")
for arg in "$@"; do
  case "$arg" in
    run) ;;
    test) want+=("${test[@]}" "${package[@]}") ;;
    package) want+=("${package[@]}") ;;
    --with-x) want+=(xvfb) ;;
    *) echo "deps.sh: unknown set $arg" >&2; exit 2 ;;
  esac
done
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
