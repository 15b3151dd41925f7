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
# update: macros and include blocks, the date format from the settings
export XDG_CONFIG_HOME="$dir/config" TAVIRON_HOME="$dir/home"
mkdir -p "$dir/config/Taviron" "$dir/home" "$dir/up/sub"
printf '[Settings]\nDateFormat=5\nCustDate=yyyy\n' > "$dir/config/Taviron/Taviron.conf"
printf 'FOOT' > "$dir/home/foot.txt"
printf '<!--##INCLUDE="foot.txt"##-->\r\n<!--##ENDINCLUDE##--> #FILENAME#' > "$dir/up/a.html"
printf 'plain' > "$dir/up/sub/b.html"
printf '#DATE#' > "$dir/up/sub/c.txt"
out=$("$site" update "$dir/up" | sort)
[ "$out" = "$(printf '%s\n%s' "$dir/up/a.html" "$dir/up/sub/c.txt")" ] || fail "update report: $out"
[ "$(cat "$dir/up/a.html")" = '<!--##INCLUDE="foot.txt"##-->FOOT<!--##ENDINCLUDE##--> a.html' ] || fail "updated include"
[ "$(cat "$dir/up/sub/c.txt")" = "$(date +%Y)" ] || fail "updated date: $(cat "$dir/up/sub/c.txt")"
set +e
"$site" update "$dir/up/sub/b.html" >/dev/null; [ $? -eq 1 ] || fail "nothing changed must exit 1"
printf '<!--##INCLUDE="gone.txt"##--><!--##ENDINCLUDE##-->' > "$dir/up/a.html"
printf '#DATE#' > "$dir/up/sub/c.txt"
err=$("$site" update "$dir/up/a.html" "$dir/up/sub/c.txt" 2>&1 >/dev/null); rc=$?
[ $rc -eq 2 ] || fail "a missing include must exit 2"
echo "$err" | grep -q "Unable to open file $dir/home/gone.txt" || fail "missing include message: $err"
[ "$(cat "$dir/up/sub/c.txt")" = '#DATE#' ] || fail "a file after the error was written"
"$site" update "$dir/nowhere" 2>/dev/null; [ $? -eq 2 ] || fail "a missing name must exit 2"
set -e
echo "1 passed, 0 failed"
