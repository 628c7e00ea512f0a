#!/usr/bin/env bash
# Times a new player's first launch against the full developer set-up, on
# the machine as it is (packages already installed, so no downloads):
#   1. a fresh clone, scripts/play.sh until the game's first picture is on
#      screen (under a virtual X server);
#   2. another fresh clone, scripts/setup/setup.sh (what scripts/test.sh runs
#      before the suite).
# Usage: scripts/measuring/time_first_run.sh   (commits of the current branch only)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
branch=$(git -C "$src" branch --show-current)
work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
  [ -n "$game" ] && kill -9 -- "-$game" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

. "$src/scripts/testing/virtual_display.sh"
start_virtual_display /dev/null
xvfb=$virtual_display_pid

# The root window is black until the game shows its first picture.
lit() {
  local mean
  mean=$(import -window root png:- 2>/dev/null |
    convert png:- -format '%[fx:int(1000*mean)]' info: 2>/dev/null) || mean=0
  [ "${mean:-0}" -gt 20 ]
}

git clone -q -b "$branch" "$src" "$work/play"
start=$(date +%s%N)
SDL_AUDIODRIVER=dummy setsid "$work/play/scripts/play.sh" >"$work/play.log" 2>&1 &
game=$!
until lit; do
  kill -0 "$game" 2>/dev/null || { cat "$work/play.log"; echo "play.sh ended early"; exit 1; }
  sleep 1
done
play=$((($(date +%s%N) - start) / 1000000000))
kill -9 -- "-$game" 2>/dev/null || true
wait "$game" 2>/dev/null || true
game=""
echo "scripts/play.sh, fresh clone to the first picture: $play s"

git clone -q -b "$branch" "$src" "$work/full"
start=$(date +%s%N)
"$work/full/scripts/setup/setup.sh" >"$work/full.log" 2>&1
full=$((($(date +%s%N) - start) / 1000000000))
echo "scripts/setup/setup.sh, the full developer set-up, fresh clone: $full s"
