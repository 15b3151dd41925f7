#!/usr/bin/env bash
# Times `taviron-site find` against `grep -rlF` and `rg -l -F -j1`, and
# `taviron-site check` against `grep -rc`, on a corpus
# of 20,000 generated pages (about 200 MB), case-sensitive and not.
# Usage: bench/site_bench.sh BUILD_DIR [CORPUS_DIR]
set -euo pipefail
build=${1:-build}
corpus=${2:-/tmp/taviron-site-corpus}
site="$build/taviron-site"
if [ ! -d "$corpus" ]; then
  python3 - "$corpus" <<'PY'
import os, random, sys
root = sys.argv[1]
random.seed(7)
words = ("table row cell paragraph anchor image style body head title list item form input "
         "select option frame division header footer menu link page site content text").split()
for i in range(20000):
    folder = os.path.join(root, "d%03d" % (i // 200))
    os.makedirs(folder, exist_ok=True)
    lines = ["<HTML><HEAD><TITLE>Page %d</TITLE></HEAD><BODY>" % i]
    while sum(len(l) for l in lines) < 10000:
        lines.append("<P>" + " ".join(random.choice(words) for _ in range(14)) + "</P>")
    if i % 97 == 0:
        lines.append("<P>Needle in the haystack</P>")
    lines.append("</BODY></HTML>")
    with open(os.path.join(folder, "p%05d.html" % i), "w", newline="\r\n") as f:
        f.write("\n".join(lines))
PY
fi
du -sh "$corpus" | cut -f1 | sed 's/^/corpus: /'
cat "$corpus"/*/*.html > /dev/null  # warm the page cache
run() { local t0 t1; t0=$(date +%s.%N); "$@" > /dev/null || true; t1=$(date +%s.%N); echo "$t1 - $t0" | bc; }
# A rare phrase (every 97th page), in both letter cases, and a phrase on
# the first line of every page (the search can stop there).
for mode in sensitive ignore first; do
  phrase="Needle in the"
  if [ $mode = ignore ]; then tv=(); gr=(-i); rgo=(-i); else tv=(-c); gr=(); rgo=(-s); fi
  [ $mode = first ] && phrase="<TITLE>Page"
  a=$(run "$site" find "${tv[@]}" "$phrase" "$corpus")
  b=$(run grep -rlF "${gr[@]}" "$phrase" "$corpus")
  if command -v rg > /dev/null; then c=$(run rg -l -F -j1 "${rgo[@]}" "$phrase" "$corpus"); else c=NA; fi
  echo "$mode: taviron-site ${a}s  grep ${b}s  rg ${c}s"
done
# The link check reads and walks every page: against grep reading them all.
a=$(run "$site" check "$corpus")
b=$(run grep -rc "<P>" "$corpus")
echo "check: taviron-site ${a}s  grep -rc ${b}s  ratio $(echo "scale=2; $a / $b" | bc)"
