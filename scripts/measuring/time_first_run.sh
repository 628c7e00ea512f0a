#!/usr/bin/env bash
# Times a new machine's first run, as CI's machine has it: a fresh Debian 12
# system (scripts/testing/test_in_chroot.sh bookworm: a minimal debootstrap
# base with nothing of the project installed) holding a copy of this
# checkout, and an empty compiler cache (a new folder in the system's /tmp).
#   1. scripts/play.sh until the game's first picture is on screen (a virtual
#      X server of this machine, which the system reaches through its
#      abstract socket);
#   2. scripts/test.sh, the packages, the build and the whole suite, in
#      another fresh system.
# Each prints its wall seconds and the CPU seconds (user + system) of all it
# ran. The downloaded packages are kept between runs
# (/var/cache/graze-chroot/bookworm-archives), so only the first run's
# figures hold the downloads. Needs root, like the chroot itself.
# Usage: scripts/measuring/time_first_run.sh [play|test]   (both by default)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
which=${1:-both}
work=$(mktemp -d)
xvfb=""
chroot_run=""
cleanup() {
  [ -n "$chroot_run" ] && kill -- "-$chroot_run" 2>/dev/null && wait "$chroot_run" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
echo "time_first_run: load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"

# The processes below PID, by their parent links.
descendants() {
  local pid
  for pid in $(ps -o pid= --ppid "$1"); do
    echo "$pid"
    descendants "$pid"
  done
}

# CPU seconds a process and its reaped children have used.
cpu_seconds() {
  awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); printf "%.0f", ($12 + $13 + $14 + $15) / hz }' \
    "/proc/$1/stat"
}

if [ "$which" != test ]; then
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
  # play.sh ends by turning into the game, whose process then holds the CPU
  # of the whole set-up in its reaped children's times.
  setsid "$src/scripts/testing/test_in_chroot.sh" bookworm env DISPLAY="$DISPLAY" \
    CCACHE_DIR=/tmp/first-run-ccache SDL_AUDIODRIVER=dummy \
    bash -c 'echo "time_first_run: play.sh starts at $(date +%s%N)"; exec scripts/play.sh' \
    >"$work/play.log" 2>&1 &
  chroot_run=$!
  game=""
  until [ -n "$game" ] && lit; do
    kill -0 "$chroot_run" 2>/dev/null || { cat "$work/play.log"; echo "play.sh ended early"; exit 1; }
    if [ -z "$game" ]; then
      for pid in $(descendants "$chroot_run"); do
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = graze ] && game=$pid
      done
    fi
    sleep 0.5
  done
  shown=$(date +%s%N)
  cpu=$(cpu_seconds "$game")
  began=$(sed -n 's/^time_first_run: play.sh starts at //p' "$work/play.log")
  kill "$game"
  wait "$chroot_run" 2>/dev/null || true
  chroot_run=""
  echo "scripts/play.sh, fresh Debian 12 and clone to the first picture:" \
    "$(((shown - began) / 1000000000)) s wall, $cpu s CPU"
fi

if [ "$which" != play ]; then
  "$src/scripts/testing/test_in_chroot.sh" bookworm env CCACHE_DIR=/tmp/first-run-ccache bash -c \
    'TIMEFORMAT="scripts/test.sh, fresh Debian 12 and clone: %0R s wall, %0U s user + %0S s system CPU"
     time scripts/test.sh' >"$work/test.log" 2>&1 || { tail -40 "$work/test.log"; exit 1; }
  grep -E '^[0-9]+% tests passed|^scripts/test.sh, fresh' "$work/test.log"
fi
