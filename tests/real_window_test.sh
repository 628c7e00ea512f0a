#!/usr/bin/env bash
# The real game in a real window: installed with DESTDIR and started by its
# launcher from another folder, under a virtual X server (640x480x24), it
# shows its intro pictures, starts a Practice run, begins Level 1, leaves it
# with Escape, leaves the title with Escape and ends with status 0 after the
# goodbye picture. Each screen is photographed and a few of its pixels
# compared with the generated picture it must show. Then the game is started
# again and stopped by a signal while it loads, on an intro picture, on the
# title, on the difficulty menu, on Level 1's title card and during Level 1,
# and once while it waits for the display another game holds (a second game
# blocks in SDL's grab until the first one leaves): each time it ends within a
# second, with status 0, and the time it took is printed.
# Usage: real_window_test.sh BUILD_DIR [CMAKE]
set -euo pipefail

build=$(cd "$1" && pwd)
shots=$build/real_window
rm -rf "$shots"
mkdir -p "$shots/elsewhere"
installed=$shots/install
DESTDIR=$installed "${2:-cmake}" --install "$build" --prefix /usr >"$shots/install.log" 2>&1 ||
  { cat "$shots/install.log"; echo "FAIL: the game did not install"; exit 1; }
assets=$installed/usr/share/games/graze

. "$(dirname "$0")/../scripts/testing/virtual_display.sh"
start_virtual_display "$shots/xvfb.log" || { echo "FAIL: the virtual X server did not start"; exit 1; }
xvfb=$virtual_display_pid
game=""
holder="" # a game that holds the display while another starts
cleanup() {
  [ -n "$game" ] && kill -9 "$game" 2>/dev/null || true
  [ -n "$holder" ] && kill -9 "$holder" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$installed"
}
trap cleanup EXIT
xdpyinfo >/dev/null 2>&1 || { echo "FAIL: the virtual X server on $DISPLAY does not answer"; exit 1; }

failures=0
# A held key must last a few frames to show in the key state.
press() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; }
shoot() { import -window root "$shots/$1.png"; }
# colours IMAGE X,Y...: prints "R G B" for each point, one line each, read in
# one ImageMagick call (a call costs a tenth of a second).
colours() {
  local image=$1 format="" point
  shift
  for point in "$@"; do
    local p="p{$point}"
    format+="%[fx:int(255*$p.r+0.5)] %[fx:int(255*$p.g+0.5)] %[fx:int(255*$p.b+0.5)]\n"
  done
  convert "$image" -format "$format" info:
}
# The generated pictures never change: their colours are read once, by
# remember PICTURE X,Y... in this shell (mismatches runs in subshells).
declare -A expected_colours
remember() {
  local key="$*"
  [ -n "${expected_colours[$key]:-}" ] || expected_colours[$key]=$(colours "$assets/Images/$1" "${@:2}")
}
# mismatches SHOT PICTURE X,Y...: prints each point where the screenshot
# differs from that generated picture (remembered first).
mismatches() {
  local shot=$1 picture=$2
  shift 2
  local -a seen wanted
  mapfile -t seen < <(colours "$shots/$shot.png" "$@")
  mapfile -t wanted <<<"${expected_colours["$picture $*"]}"
  local i
  for ((i = 0; i < $#; i++)); do
    local point=${*:i+1:1}
    read -r r1 g1 b1 <<<"${seen[i]:-0 0 0}"
    read -r r2 g2 b2 <<<"${wanted[i]}"
    local d=$(( (r1-r2)*(r1-r2) + (g1-g2)*(g1-g2) + (b1-b2)*(b1-b2) ))
    [ "$d" -gt 12 ] && echo "$shot at ($point) shows $r1,$g1,$b1 where $picture has $r2,$g2,$b2"
  done
  return 0
}
# expect SHOT PICTURE X,Y...: the screen shows that generated picture there.
expect() {
  local shot=$1 picture=$2 wrong
  remember "${@:2}"
  wrong=$(mismatches "$@")
  if [ -n "$wrong" ]; then
    sed 's/^/FAIL: /' <<<"$wrong"
    failures=$((failures + $(wc -l <<<"$wrong")))
  fi
  echo "checked: $shot shows $picture"
}
# reach SHOT PICTURE X,Y...: takes screenshots until the screen shows that
# picture (a busy machine is slow to start or to move on), for at most 20 s,
# then checks the last one as expect does.
reach() {
  local shot=$1 picture=$2 start=$SECONDS
  remember "${@:2}"
  shift 2
  while :; do
    shoot "$shot"
    [ -z "$(mismatches "$shot" "$picture" "$@")" ] && break
    [ $((SECONDS - start)) -ge 20 ] && break
    sleep 0.2
  done
  expect "$shot" "$picture" "$@"
  [ -z "$(mismatches "$shot" "$picture" "$@")" ] || game_state
}
# After a screen that never came: is the game still there, and what did it say?
game_state() {
  if [ -z "$game" ]; then
    echo "the game is not running"
  elif kill -0 "$game" 2>/dev/null; then
    echo "the game (pid $game) still runs; its windows:"
    xwininfo -root -children 2>&1 | sed -n 's/^ *0x/  0x/p'
  else
    local status
    wait "$game" && status=0 || status=$?
    echo "the game (pid $game) has ended, status $status"
    game=""
  fi
  echo "the game's log ends:"
  tail -n 15 "$shots/game.log" | sed 's/^/  /'
}
full_screen=(20,20 320,100 600,460 100,300 500,240)

cd "$shots/elsewhere"
# The suite runs SDL on its dummy drivers; this one test wants the real window.
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$installed/usr/games/graze" >"$shots/game.log" 2>&1 &
game=$!

reach 1_programming Programmer.png "${full_screen[@]}"; press Return
reach 2_resources Resources.png "${full_screen[@]}"; press Return
reach 3_controls Keyboard.png "${full_screen[@]}"; press Return
reach 4_title Titre.png 20,20 320,100 600,460 100,300; press Return
reach 5_menu Practice.png "${full_screen[@]}"; press Return
reach 6_level_card Level1.png "${full_screen[@]}"
reach 7_level_1 Contour1.png 5,200 20,470 630,470 520,200 620,300
press Escape
reach 8_title_again Titre.png 20,20 320,100 600,460 100,300
press Escape
reach 9_goodbye Sojiro_Bye.png "${full_screen[@]}"

status=""
for _ in $(seq 100); do
  if ! kill -0 "$game" 2>/dev/null; then
    wait "$game" && status=0 || status=$?
    game="" # ended by itself: nothing left to stop
    break
  fi
  sleep 0.1
done
if [ "$status" != "0" ]; then
  echo "FAIL: the game ended with status '${status:-still running}'"
  failures=$((failures + 1))
fi
if [ -n "$game" ]; then kill -9 "$game" 2>/dev/null || true; game=""; fi

start_game() {
  SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$installed/usr/games/graze" >>"$shots/game.log" 2>&1 &
  game=$!
}
title_points=(20,20 320,100 600,460 100,300)
level_points=(5,200 20,470 630,470 520,200 620,300)
# From the first intro picture to the given screen, a key press at a time.
to_title() {
  reach 10_programming Programmer.png "${full_screen[@]}"; press Return
  reach 10_resources Resources.png "${full_screen[@]}"; press Return
  reach 10_controls Keyboard.png "${full_screen[@]}"; press Return
  reach 10_title Titre.png "${title_points[@]}"
}
to_level_card() {
  to_title; press Return
  reach 10_menu Practice.png "${full_screen[@]}"; press Return
  reach 10_level_card Level1.png "${full_screen[@]}"
}
# stop SIGNAL WHERE: the game must be gone within a second, with status 0.
stop() {
  local status="" start elapsed
  start=$(date +%s%N)
  if [ -z "$game" ]; then
    echo "FAIL: SIG$1 $2: the game had already ended"
    failures=$((failures + 1))
    return 0
  fi
  kill -s "$1" "$game" 2>/dev/null || true
  while [ $(( $(date +%s%N) - start )) -lt 1000000000 ]; do
    if ! kill -0 "$game" 2>/dev/null; then
      elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
      wait "$game" && status=0 || status=$?
      game=""
      break
    fi
    sleep 0.01
  done
  if [ "$status" = "0" ]; then
    echo "checked: SIG$1 $2 ends the game within a second (in $elapsed ms), status 0"
  else
    local why="still running after a second"
    [ -n "$status" ] && why="status $status"
    echo "FAIL: SIG$1 $2: $why"
    failures=$((failures + 1))
    [ -n "$game" ] && kill -9 "$game" 2>/dev/null || true
    game=""
  fi
}

start_game
sleep 0.3
stop TERM "while it starts and loads"

start_game
reach 11_intro_stopped Programmer.png "${full_screen[@]}"
stop TERM "on the first intro picture"

start_game
to_title
stop TERM "on the title"

start_game
to_title; press Return
reach 11_menu_stopped Practice.png "${full_screen[@]}"
stop HUP "on the difficulty menu"

start_game
to_level_card
stop INT "on Level 1's title card"

start_game
to_level_card
reach 12_level_stopped Contour1.png "${level_points[@]}"
stop TERM "during Level 1"

# A second game while the first holds the display: it waits inside SDL's
# video mode call for the first one's grab, where no frame ever comes.
start_game
to_title
holder=$game
start_game
sleep 2
if kill -0 "$game" 2>/dev/null; then
  stop TERM "while it waits for the display another game holds"
else
  wait "$game" && status=0 || status=$?
  echo "FAIL: a second game did not wait for the display (status $status)"
  failures=$((failures + 1))
  game=""
fi
game=$holder
holder=""
stop TERM "(the game that held the display) on the title"

# A sanitizer build writes its reports into the game's log; a report changes
# an exit status above, and is shown here in full.
if grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error:" "$shots/game.log"; then
  echo "FAIL: a sanitizer report in the game's log:"
  cat "$shots/game.log"
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "real window: every screen as expected, exit status 0, signals obeyed"
exit $((failures > 0))
