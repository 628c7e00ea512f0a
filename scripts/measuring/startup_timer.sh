#!/usr/bin/env bash
# Start-up timer: from exec to the first presented picture, under a virtual X
# server (Xvfb, 640x480x24, black until a program draws). Each program is
# started RUNS times (interleaved when a second program is given, so both see
# the same load); prints best and median in milliseconds, and the ratio of the
# two programs' figures. The load average is printed with the figures: the
# timings are only comparable on a quiet machine.
# Usage: scripts/measuring/startup_timer.sh [BUILD_DIR] [-- OTHER_PROGRAM [ARGS...]]
#   BUILD_DIR defaults to build; Graze starts in BUILD_DIR/assets with its
#   dummy audio driver unless SDL_AUDIODRIVER is set. RUNS (default 10) from
#   the environment.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
build=build
if [ $# -gt 0 ] && [ "$1" != "--" ]; then build=$1; shift; fi
build=$(cd "$build" && pwd)
other=()
if [ $# -gt 0 ] && [ "$1" = "--" ]; then shift; other=("$@"); fi
runs=${RUNS:-10}
work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

watch=$build/tools/first_frame_watch/first_frame_watch
[ -x "$watch" ] || { echo "startup_timer: no $watch (scripts/setup/setup.sh builds it)" >&2; exit 1; }
. "$src/scripts/testing/virtual_display.sh"
start_virtual_display /dev/null
xvfb=$virtual_display_pid
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

time_one() { # LABEL COMMAND...
  local ms
  if ms=$("$watch" 20000 "${@:2}" 2>>"$work/$1.err"); then
    echo "$ms" >>"$work/$1.times"
  fi
  sleep 0.2 # the window goes before the next start
}

graze() { (cd "$build/assets" && exec "$build/graze"); }
export -f graze
export build
for _ in $(seq "$runs"); do
  time_one graze bash -c graze
  if [ ${#other[@]} -gt 0 ]; then time_one other "${other[@]}"; fi
done

summary() { # LABEL NAME -> "best median"
  if [ ! -s "$work/$1.times" ]; then
    echo "startup_timer: $2 never showed a picture: $(head -3 "$work/$1.err" 2>/dev/null)" >&2
    return 1
  fi
  sort -n "$work/$1.times" | awk -v name="$2" '{ t[NR] = $1 } END {
    m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "%-24s best %7.1f ms  median %7.1f ms  (%d runs)\n", name, t[1], m, NR
    print t[1], m > "/dev/stderr" }' 2>"$work/$1.summary"
}
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
summary graze graze
if [ ${#other[@]} -gt 0 ]; then
  summary other "$(basename "${other[0]}")"
  read -r gb gm <"$work/graze.summary"
  read -r ob om <"$work/other.summary"
  awk -v gb="$gb" -v gm="$gm" -v ob="$ob" -v om="$om" \
    'BEGIN { printf "graze / other: best %.2f, median %.2f\n", gb / ob, gm / om }'
fi
