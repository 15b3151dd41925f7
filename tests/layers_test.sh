#!/usr/bin/env bash
# Folders depend downward only. Every source file, logic and Qt alike,
# includes files of its own folder or of a folder below it in the order
#   text <- base <- widgets <- editor <- dialogs, spell, tools
#        <- files, usertags, preview, check <- window <- app
# and the folders of one level do not include each other in a circle.
# A source folder with no place in that order fails the test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
level() {
  case "$1" in
    text) echo 0 ;; base) echo 1 ;; widgets) echo 2 ;; editor) echo 3 ;; dialogs|spell|tools|typing) echo 4 ;;
    usertags|files|preview|check) echo 5 ;; window) echo 6 ;; app) echo 7 ;; *) echo 99 ;;
  esac
}
fail=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
files=$(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v -E '^(tests|bench|build[^/]*)/' || true)
for f in $files; do
  from=${f%%/*}
  if [ "$(level "$from")" = 99 ]; then
    echo "$f is in a folder with no place in the order of layers"
    fail=1
    continue
  fi
  for inc in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"/]*\)\/[^"]*".*$/\1/p' "$f"); do
    [ "$inc" = "$from" ] && continue
    if [ "$(level "$inc")" -gt "$(level "$from")" ]; then
      echo "$f includes a file of $inc/, a folder above $from/"
      fail=1
    fi
    echo "$from $inc" >>"$edges"
  done
done
# A circle between folders shows as a pair that tsort cannot order.
if ! loop=$(sort -u "$edges" | tsort 2>&1 >/dev/null); then
  echo "folders include each other in a circle:"
  echo "$loop" | sed -n 's/^tsort: //p'
  fail=1
fi
exit $fail
