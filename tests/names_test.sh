#!/usr/bin/env bash
# Names keep to one rule. Kept as they are: the forms and their components
# with their long-standing members, the handlers named after a component and
# an event (Bold1Click, SaveBtnClick, FormShow, TabSet1Change), types (TMainForm,
# TvokRich, EditTransaction) and the long-standing operations listed in
# tests/kept_names.txt. Every other function is named in lowerCamelCase: an
# UpperCamelCase function that is none of these fails the test, and so does a
# kept name that is no longer used.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
kept=tests/kept_names.txt
files=$(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v -E '^(tests|bench|build[^/]*)/')
tags=$(mktemp)
trap 'rm -f "$tags"' EXIT
# name, kind, line and file of every function, prototype, class and struct.
ctags -x --language-force=c++ --c++-kinds=fpcs --_xformat='%N %K %n %F' $files >"$tags"
types=$(awk '$2 == "class" || $2 == "struct" { print $1 }' "$tags" | sort -u)
# A handler: a component (a name ending in a number or in a kind of
# component) and one of its events.
component='[A-Za-z0-9]*([0-9]|Btn|Button|Form|Item|Box|List|Bar|Tab)'
events='Click|DblClick|Change|Popup|Show|Close|CloseQuery|Create|Destroy|Resize|Timer|KeyDown|KeyPress|KeyUp|MouseDown|MouseMove|MouseUp|Paint|Enter|Exit|Select|DragDrop|DragOver'
fail=0
while read -r name kind line file; do
  case "$kind" in function|prototype) ;; *) continue ;; esac
  [[ $name =~ ^[A-Z] ]] || continue
  [[ $name =~ ^$component($events)$ ]] && continue
  grep -qx -- "$name" <<<"$types" && continue
  grep -qx -- "$name" "$kept" && continue
  echo "$file:$line: $name is a new UpperCamelCase function; name it in lowerCamelCase"
  fail=1
done <"$tags"
while read -r name; do
  [ -z "$name" ] && continue
  if ! awk -v n="$name" '$1 == n && ($2 == "function" || $2 == "prototype") { found = 1 } END { exit !found }' "$tags"; then
    echo "$kept: $name is no longer a function of the program; take it off the list"
    fail=1
  fi
done < <(grep -v '^#' "$kept")
exit $fail
