#!/usr/bin/env bash
# Installs into a temporary prefix and checks what a desktop needs.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/taviron bin/taviron-site share/man/man1/taviron-site.1.gz share/applications/taviron.desktop share/icons/hicolor/scalable/apps/taviron.svg \
         share/metainfo/io.github.taviron.Taviron.metainfo.xml share/mime/packages/taviron-project.xml \
         share/doc/taviron/manual/index.html share/doc/taviron/manual/menus.html share/man/man1/taviron.1.gz share/doc/taviron/copyright share/doc/taviron/changelog.gz; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
# Every icon size a desktop asks for, each a PNG of that size.
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/taviron.png"
  [ -e "$icon" ] || { echo "missing after install: icon ${size}x${size}"; exit 1; }
  head -c 24 "$icon" | od -An -tx1 | tr -d ' \n' | grep -q "^89504e470d0a1a0a0000000d49484452$(printf '%08x%08x' "$size" "$size")" \
    || { echo "icon ${size}x${size} is not a ${size}-pixel PNG"; exit 1; }
done
[ -x "$prefix/bin/taviron" ] || { echo "bin/taviron is not executable"; exit 1; }
desktop-file-validate "$prefix/share/applications/taviron.desktop"
grep -q '^Exec=taviron %F$' "$prefix/share/applications/taviron.desktop"
grep -q '^MimeType=text/html;text/plain;application/x-taviron-project;$' "$prefix/share/applications/taviron.desktop"
# Software centres can list it, and the desktop knows its project files.
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.taviron.Taviron.metainfo.xml" >/dev/null
grep -q 'type="application/x-taviron-project"' "$prefix/share/mime/packages/taviron-project.xml"
grep -q 'glob pattern="\*.vkp"' "$prefix/share/mime/packages/taviron-project.xml"
# The command line answers without any display.
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/taviron" --help | grep -q '^Usage: taviron'
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/taviron" --version | grep -q '^taviron '
echo "installed and valid"
