#!/usr/bin/env bash
# The logic library depends downward only: a logic file includes files of its
# own folder or of a folder below it in the order
#   text <- editor, app, dialogs, spell <- tools <- usertags
# and the folders of one level do not include each other in a circle. The
# document window never includes the frame.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
level() {
  case "$1" in
    text) echo 0 ;; editor|app|dialogs|spell|widgets) echo 1 ;; tools) echo 2 ;; usertags) echo 3 ;; *) echo 9 ;;
  esac
}
fail=0
sources=$(sed -n 's/^  \([a-z]*\/[a-z]*\)\.cpp$/\1/p' cmake/LogicSources.cmake)
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for s in $sources; do
  for f in "$s.cpp" "$s.h"; do
    [ -f "$f" ] || continue
    from=${f%%/*}
    for inc in $(sed -n 's/^#include "\([a-z]*\)\/[a-z]*\.h"$/\1/p' "$f"); do
      if [ "$(level "$inc")" -gt "$(level "$from")" ]; then
        echo "$f includes a file of $inc/, a folder above $from/"
        fail=1
      fi
      [ "$inc" != "$from" ] && echo "$from $inc" >>"$edges"
    done
  done
done
# A circle between folders shows as a pair that tsort cannot order.
if ! sort -u "$edges" | tsort >/dev/null 2>&1; then
  echo "the logic folders include each other in a circle:"
  sort -u "$edges"
  fail=1
fi
if grep -n mainform editor/*; then
  echo "the editor folder reaches into the frame"
  fail=1
fi
exit $fail
