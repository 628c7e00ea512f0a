#!/usr/bin/env bash
# CPU used by the real game while the player reads each front screen: under a
# virtual X server it waits on the three intro pictures, the title and the
# difficulty menu, samples the process's CPU time over a few seconds on each,
# and prints one line per screen with the share of one core it used.
# Usage: scripts/measuring/idle_cpu.sh [BUILD_DIR] [SECONDS_PER_SCREEN]
set -euo pipefail
cd "$(dirname "$0")/../.."

build=$(cd "${1:-build}" && pwd)
seconds=${2:-5}

. scripts/testing/virtual_display.sh
start_virtual_display /dev/null
xvfb=$virtual_display_pid
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# User and system time of the game so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
sample() {
  sleep 1 # let the screen settle
  local before after
  before=$(cpu_ticks)
  sleep "$seconds"
  after=$(cpu_ticks)
  awk -v n="$1" -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%-18s %6.1f %% of a core\n", n, 100 * t / hz / s }'
}
press() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; }

cd "$build/assets"
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$build/graze" >/dev/null 2>&1 &
game=$!
sleep 1.5 # loading
sample "intro: programmer"; press Return
sample "intro: resources"; press Return
sample "intro: controls"; press Return
sample "title"; press Return
sample "difficulty menu"
