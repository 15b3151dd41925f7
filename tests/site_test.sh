#!/usr/bin/env bash
# taviron-site from the command line: output, exit status and files written.
set -euo pipefail
site=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/pages/sub"
printf 'a table\r\nrow' > "$dir/pages/a.html"
printf 'TABLE' > "$dir/pages/sub/b.htm"
printf 'table' > "$dir/pages/pic.gif"
fail() { echo "FAILED: $*"; exit 1; }
out=$("$site" find table "$dir/pages" | sort)
[ "$out" = "$(printf '%s\n%s' "$dir/pages/a.html" "$dir/pages/sub/b.htm")" ] || fail "find: $out"
out=$("$site" find -c table "$dir/pages")
[ "$out" = "$dir/pages/a.html" ] || fail "case-sensitive find: $out"
out=$("$site" find -n TABLE "$dir/pages")
[ "$out" = "$dir/pages/a.html" ] || fail "no recurse: $out"
out=$("$site" find 'table\nrow' "$dir/pages")
[ "$out" = "$dir/pages/a.html" ] || fail "two lines: $out"
set +e
"$site" find nothing-here "$dir/pages" >/dev/null; [ $? -eq 1 ] || fail "no match must exit 1"
"$site" find x "$dir/missing" 2>/dev/null; [ $? -eq 2 ] || fail "a missing folder must exit 2"
"$site" bogus 2>/dev/null; [ $? -eq 2 ] || fail "an unknown command must exit 2"
set -e
"$site" --help | grep -q 'taviron-site find' || fail "help"
out=$("$site" replace a aa "$dir/pages" | tail -1)
[ "$out" = "3 occurrences replaced." ] || fail "replace total: $out"
[ "$(cat "$dir/pages/a.html")" = "$(printf 'aa taable\r\nrow')" ] || fail "replaced file"
[ "$(cat "$dir/pages/pic.gif")" = "table" ] || fail "an image was touched"
echo "1 passed, 0 failed"
