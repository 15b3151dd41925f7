#!/usr/bin/env bash
# The real program on a real X server (Xvfb), side by side with Geany:
# CPU time and peak memory from start until the process is idle with a
# generated page open, and CPU time per keystroke typed with xdotool at the
# start and at the end of a 1 MB page (200 letters, and 100 letters with a
# blank after each, which starts an undo step).
# CPU figures are the best of RUNS, memory the least and the most seen.
# Usage: bench/startup_bench.sh BUILD_DIR [RUNS [open|type]]   (as root it installs
# xvfb, xdotool and geany when they are missing)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
what=${3:-all}
need=()
for p in xvfb:Xvfb xdotool:xdotool geany:geany; do
  command -v "${p#*:}" > /dev/null || need+=("${p%:*}")
done
if [ ${#need[@]} -gt 0 ]; then
  [ "$(id -u)" = 0 ] || { echo "missing: ${need[*]} (run as root to install)" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" > /dev/null
fi

work=$(mktemp -d)
trap 'kill $xvfb 2> /dev/null || true; rm -rf "$work"' EXIT
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1

# A UTF-8 page of about $1 bytes: tables, links, images, comments, entities.
page() {
  local file=$work/page-$1.html
  {
    printf '<HTML>\n<HEAD><TITLE>Benchmark</TITLE></HEAD>\n<BODY>\n'
    yes '<TR><TD ALIGN=LEFT><A HREF="page.html">Link text</A></TD><TD><IMG SRC="pic.gif" WIDTH=20 HEIGHT=10> café &amp; more text</TD></TR>
<!-- a comment -->
<P>Plain paragraph text with some words in it.</P>' | head -c "$1"
    printf '\n</BODY>\n</HTML>\n'
  } > "$file"
  echo "$file"
}

cpu() { awk '{ printf "%d\n", $14 + $15 }' "/proc/$1/stat" 2> /dev/null || echo gone; }   # clock ticks
hz=$(getconf CLK_TCK)

# Waits until the process has used no CPU for a second (and has a window).
wait_idle() {
  local pid=$1 last=-1 still=0 now
  for _ in $(seq 1 1200); do
    sleep 0.1
    now=$(cpu "$pid")
    [ "$now" = gone ] && return 1
    if [ "$now" = "$last" ] && xdotool search --pid "$pid" --onlyvisible > /dev/null 2>&1; then
      still=$((still + 1)); [ $still -ge 10 ] && return 0
    else
      still=0
    fi
    last=$now
  done
}

start() {  # program file -> pid
  local cfg=$work/cfg-$RANDOM
  mkdir -p "$cfg"/{config,state,runtime}
  chmod 700 "$cfg/runtime"
  mkdir -p "$cfg/config/Taviron"
  printf '[Settings]\nColorCode=1\n' > "$cfg/config/Taviron/Taviron.conf"   # tags coloured
  case $1 in
    taviron)
      XDG_CONFIG_HOME=$cfg/config XDG_STATE_HOME=$cfg/state XDG_RUNTIME_DIR=$cfg/runtime \
        QT_QPA_PLATFORM=xcb "$build/taviron" -n "$2" > /dev/null 2>&1 & ;;
    geany)
      geany -i -c "$cfg/config" "$2" > /dev/null 2>&1 & ;;
  esac
  echo $!
}

stop() { kill "$1" 2> /dev/null; sleep 0.3; kill -9 "$1" 2> /dev/null || true; wait "$1" 2> /dev/null || true; }

best() { grep . | sort -n | head -1; }   # runs that failed left no figure

open_run() {  # program file -> "cpu_seconds peak_kb"
  local pid
  pid=$(start "$1" "$2")
  wait_idle "$pid" || { echo "$1 exited early" >&2; return; }
  echo "$(echo "scale=2; $(cpu "$pid") / $hz" | bc) $(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")"
  stop "$pid"
}

type_run() {  # program file keys place -> ms per key
  local pid win t0 t1 n=200
  pid=$(start "$1" "$2")
  wait_idle "$pid" || { echo "$1 exited early" >&2; return; }
  win=$(xdotool search --pid "$pid" --onlyvisible | head -1)
  xdotool windowfocus --sync "$win" 2> /dev/null || true
  xdotool mousemove --window "$win" 400 400 click 1
  xdotool key "ctrl+$4"
  wait_idle "$pid"
  t0=$(cpu "$pid")
  xdotool type --delay 20 "$(printf "%0.s$3" $(seq 1 $((n / ${#3}))))"
  wait_idle "$pid"
  t1=$(cpu "$pid")
  echo "scale=2; ($t1 - $t0) * 1000 / $hz / $n" | bc
  stop "$pid"
}

printf '| work | Taviron | Geany |\n| --- | --- | --- |\n'
[ "$what" = type ] || for size in 100 1048576 5800000 20000000; do
  f=$(page $size)
  for prog in taviron geany; do
    : > "$work/cpu-$prog"; : > "$work/mem-$prog"
    for _ in $(seq 1 "$runs"); do
      read -r c m < <(open_run $prog "$f") || continue
      echo "$c" >> "$work/cpu-$prog"; echo "$m" >> "$work/mem-$prog"
    done
  done
  printf '| open %s bytes: CPU s | %s | %s |\n' $size "$(best < "$work/cpu-taviron")" "$(best < "$work/cpu-geany")"
  range() { echo "$(($(sort -n "$1" | grep . | head -1) / 1024))-$(($(sort -n "$1" | grep . | tail -1) / 1024))"; }
  printf '| open %s bytes: peak MB, least-most | %s | %s |\n' $size "$(range "$work/mem-taviron")" "$(range "$work/mem-geany")"
done
f=$(page 1000000)   # below the editor's limit of 1,048,576 characters
[ "$what" = open ] || for place in Home End; do
  for keys in x 'x '; do
    for prog in taviron geany; do
      : > "$work/key-$prog"
      for _ in $(seq 1 "$runs"); do type_run $prog "$f" "$keys" $place >> "$work/key-$prog"; done
    done
    printf '| ms CPU per key "%s", ctrl+%s in a 1 MB page | %s | %s |\n' "$keys" $place \
      "$(best < "$work/key-taviron")" "$(best < "$work/key-geany")"
  done
done
