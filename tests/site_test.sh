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
# Each file in its own encoding: one search finds the word in UTF-8 and in
# Windows-1252, and the replacement keeps every other byte.
mkdir -p "$dir/enc"
printf '<p>caf\xc3\xa9 \xe2\x80\x94 ok\n' > "$dir/enc/u.html"
printf '<p>CAF\xc9 \x80 \x81\n' > "$dir/enc/w.html"
out=$("$site" find 'café' "$dir/enc" | sort)
[ "$out" = "$(printf '%s\n%s' "$dir/enc/u.html" "$dir/enc/w.html")" ] || fail "find across encodings: $out"
"$site" replace 'café' '茶' "$dir/enc" >/dev/null
cmp -s "$dir/enc/u.html" <(printf '<p>\xe8\x8c\xb6 \xe2\x80\x94 ok\n') || fail "UTF-8 file after replace"
cmp -s "$dir/enc/w.html" <(printf '<p>&#33590; \x80 \x81\n') || fail "Windows-1252 file after replace"
# Odd entries of a site folder: a file reached twice through a link is
# replaced once; a FIFO, a link to a device and a loop of links are passed
# over with a word each, and the run ends.
mkdir -p "$dir/odd/sub"
printf '<p>hello</p>\n' > "$dir/odd/a.html"
ln -s ../a.html "$dir/odd/sub/link.html"
mkfifo "$dir/odd/fifo.html"
ln -s /dev/zero "$dir/odd/zero.html"
ln -s loop.html "$dir/odd/loop.html"
out=$(timeout 10 "$site" replace hello 'hello world' "$dir/odd" 2>"$dir/odd.err" | tail -1)
[ "$out" = "1 occurrences replaced." ] || fail "a linked file replaced twice: $out"
[ "$(cat "$dir/odd/a.html")" = "<p>hello world</p>" ] || fail "linked file: $(cat "$dir/odd/a.html")"
[ "$(grep -c 'passed over' "$dir/odd.err")" = 3 ] || fail "odd entries: $(cat "$dir/odd.err")"
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
# The link check: one problem a line relative to the working folder, the
# files no page refers to, a summary; 0 when clean, 1 with problems, 2 on
# an error.
mkdir -p "$dir/links/img"
printf '<a href="b.html#x">b</a>\n  <img src="img/gone.png">' > "$dir/links/index.html"
printf '<p id=x>' > "$dir/links/b.html"
: > "$dir/links/img/spare.png"
set +e
out=$(cd "$dir/links" && "$site" check .); rc=$?
[ $rc -eq 1 ] || fail "problems must exit 1"
[ "$out" = "$(printf '%s\n%s\n  %s\n%s' 'index.html:2:13: error: missing file "img/gone.png"' \
  'Files no page or style sheet refers to:' 'img/spare.png' \
  '1 error, 0 warnings, 1 file no page refers to; 2 files read.')" ] || fail "check output: $out"
printf '<a href="b.html#x">b</a>' > "$dir/links/index.html"
(cd "$dir/links" && "$site" check . >/dev/null); [ $? -eq 0 ] || fail "a clean site must exit 0"
"$site" check "$dir/nowhere" 2>/dev/null; [ $? -eq 2 ] || fail "a missing folder must exit 2"
set -e
echo "1 passed, 0 failed"
