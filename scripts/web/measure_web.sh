#!/usr/bin/env bash
# The browser build against the native game, in one run on this machine as
# it is:
#   - the download: each file of build-web/site, as it is, gzipped and
#     brotli-compressed (the copies a host serves);
#   - the browsers (scripts/web/test_web.sh's run in headless Chromium and
#     Firefox): the download before the first picture, page open to ready,
#     key press to first picture; in Chromium, the time to playable at 10
#     and 2 Mbit/s (DevTools network emulation), served compressed and, as
#     before the compressed copies, served as the files are;
#   - Level 1 played for SECONDS (default 60) with the gun held, on one
#     virtual X server: the native game with SDL's dummy audio driver (so it
#     mixes, as the page does), its frames counted by a small preloaded
#     library; then Chromium and Firefox, each headless and in a window
#     (web/test/measure_cpu.mjs): CPU of every process of the browser by kind
#     (page, GPU, audio, browser), frames per second, frame intervals p50 and
#     p99; and the load average, since the machine may be shared;
#   - the floor under the page's CPU (web/test/measure_floor.mjs): a page
#     that only shows a changing picture as often as the game does, filled
#     and at 1x, and with silence through an audio worklet.
# Usage: scripts/web/measure_web.sh [--native-only | --play-only] [NATIVE_BUILD_DIR]   (default build)
# GRAZE_MEASURE_SECONDS sets the stretch of play measured (default 60).
set -euo pipefail
cd "$(dirname "$0")/../.."
native_only=0 play_only=0
case ${1:-} in
  --native-only) native_only=1; shift ;;
  --play-only) play_only=1; shift ;;
esac
native=$(cd "${1:-build}" && pwd)
seconds=${GRAZE_MEASURE_SECONDS:-60}
work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ $native_only -eq 0 ] && [ $play_only -eq 0 ]; then
GRAZE_WEB_BROWSERS="chromium firefox" GRAZE_WEB_RATES=10,2 scripts/web/test_web.sh "${1:-build}" >"$work/browsers.log" 2>&1 || true
echo "== the download (build-web/site): bytes as they are, gzipped, brotli"
for f in index.html graze.js graze.wasm graze.data; do
  printf '%-11s %10d %10d %10d\n' "$f" "$(stat -c %s "build-web/site/$f")" \
    "$(stat -c %s "build-web/site/$f.gz")" "$(stat -c %s "build-web/site/$f.br")"
done
echo "== the browsers"
grep -E '^(MEASURE|FAIL|[0-9]+ passed|browser:)' "$work/browsers.log" | grep -v 'CPU in play' | sed 's/^MEASURE //'
echo "== Chromium, the site served as the files are (no compressed copies)"
GRAZE_WEB_BROWSERS=chromium GRAZE_WEB_TIMED_ONLY=1 GRAZE_WEB_PLAIN=1 GRAZE_WEB_RATES=10,2 \
  scripts/web/test_web.sh "${1:-build}" 2>&1 | grep -E '^(MEASURE|FAIL)' | sed 's/^MEASURE //'

fi

echo "== the native game"
# Every flip's time, in microseconds since the game started.
cat >"$work/flips.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
typedef struct SDL_Surface SDL_Surface;
static FILE* out;
static double now_us(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}
int SDL_Flip(SDL_Surface* screen) {
  static int (*real)(SDL_Surface*);
  if (!real) real = (int (*)(SDL_Surface*))dlsym(RTLD_NEXT, "SDL_Flip");
  if (!out) out = fopen(getenv("FLIP_LOG"), "w");
  if (out) { fprintf(out, "%.0f\n", now_us()); fflush(out); }
  return real(screen);
}
C
cc -shared -fPIC -O2 -o "$work/flips.so" "$work/flips.c" -ldl
# A screen the browsers' windows fit on (the game's window is 640x480).
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "measure_web: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
monotonic_us() { python3 -c 'import time; print(int(time.monotonic() * 1e6))'; }
started=$(monotonic_us)
(cd "$native/assets" && FLIP_LOG="$work/flips.log" SDL_AUDIODRIVER=dummy LD_PRELOAD="$work/flips.so" \
  exec "$native/graze" >/dev/null 2>&1) &
game=$!
press() { xdotool keydown "$1"; sleep 0.1; xdotool keyup "$1"; }
# Three intro pictures, the title, the menu (Practice): one Return a second,
# with one to spare for a press that came before a screen's guard time (an
# extra one in the level does nothing).
for _ in 1 2 3 4 5 6; do sleep 1; press Return; done
sleep 4.5
xdotool keydown g
sleep 0.5
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks $game); x_before=$(ticks $xvfb); from=$(monotonic_us)
sleep "$seconds"
after=$(ticks $game); x_after=$(ticks $xvfb); to=$(monotonic_us)
[ -n "${MEASURE_SCREENSHOT:-}" ] && import -window root "$MEASURE_SCREENSHOT"
xdotool keyup g
# SDL_SetVideoMode flips the cleared screen itself: the game's first
# picture is the first flip after a pause (the catalogue's loading).
awk -v s="$started" 'NR <= 4 { printf "%s%.0f", (NR > 1 ? ", " : "flips after start (ms): "), ($1 - s) / 1000 }
  END { print "" }' "$work/flips.log"
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "CPU in play: %.0f%% of a core\n", 100 * t / hz / s }'
# The X server shows the native game's frames, as a browser's compositor
# shows the page's.
awk -v t=$((x_after - x_before)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "the X server meanwhile: %.0f%% of a core\n", 100 * t / hz / s }'
# Flips inside the stretch (both clocks are CLOCK_MONOTONIC).
awk -v from="$from" -v to="$to" 'NR > 1 && $1 >= from && $1 <= to { print ($1 - last) / 1000 } { last = $1 }' \
  "$work/flips.log" | sort -n >"$work/intervals"
awk -v span="$(( (to - from) ))" '{ d[NR] = $1 } END {
  printf "frames per second in play: %.1f\n", NR / (span / 1e6)
  printf "frame interval in play (p50, p95, p99, most): %.1f ms, %.1f ms, %.1f ms, %.1f ms\n",
    d[int(NR / 2)], d[int(NR * 0.95)], d[int(NR * 0.99)], d[NR] }' "$work/intervals"
kill "$game" 2>/dev/null || true
game=""
[ $native_only -eq 1 ] && exit 0

echo "== the browsers on the same X server, $seconds s of Level 1 each"
cache=${GRAZE_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/graze-web}
export GRAZE_NODE_MODULES=$cache/node-$(cat web/test/package.json web/test/package-lock.json | sha256sum | cut -c1-12)/node_modules
for engine in chromium firefox; do
  for mode in headless headed; do
    node web/test/measure_cpu.mjs "$engine" "$mode" build-web/site "$seconds" 2>&1 | tail -1
  done
done
echo "== the floor, $seconds s each: a page that only shows a changing 640x480 picture 76 times a second"
for engine in chromium firefox; do
  for run in "headless fill" "headed fill" "headless one" "headless sound"; do
    node web/test/measure_floor.mjs "$engine" $run "$seconds" 2>&1 | tail -1
  done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
