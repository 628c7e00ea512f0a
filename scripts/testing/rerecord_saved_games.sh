#!/usr/bin/env bash
# Plays every saved game again and writes down how it ends, for a change that
# means to change play (a wave moved, a boss retuned): the pilot flies each
# difficulty's whole game and each stage at Hard anew, saving its key logs
# over tests/pilot_runs/*.txt and tests/pilot_runs/stages/*.txt; the
# hand-written scripts in tests/pilot_runs/scripted/ are replayed as they are.
# Every run's level ends (frame:code:score), final screen and play digest go to
# tests/pilot_runs/expected_ends.tsv, which the suite's replays check against;
# `git diff --stat tests/pilot_runs` then shows which runs the change touched.
# JOBS (default 2) runs that many at once.
# Usage: scripts/testing/rerecord_saved_games.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
sim=$build/tools/sim/graze-sim
runs=tests/pilot_runs
jobs=${JOBS:-2}
cmake --build "$build" -j2 --target graze-sim >/dev/null
[ -x "$sim" ] || { echo "rerecord_saved_games: no simulator in $build" >&2; exit 1; }
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One line a run: KIND FILE [LEVEL DIFFICULTY], then how the sim plays it.
plans=()
for named in practice:3 easy:2 normal:1 hard:0; do
  name=${named%:*} difficulty=${named#*:}
  plans+=("run $name.txt|--run --autopilot --difficulty $difficulty --save-input $runs/$name.txt")
done
for stage in 1 2 3 4 5 6 epilogue; do
  file=stages/level_${stage}_hard.txt
  [ "$stage" = epilogue ] && file=stages/epilogue_hard.txt
  # The pixels of every 32nd frame too, as tests/saved_games.h replays them.
  plans+=("stage $file $stage 0|--level $stage --difficulty 0 --autopilot --picture-every 32 --save-input $runs/$file")
done
for script in "$runs"/scripted/*.txt; do
  plans+=("one-run scripted/$(basename "$script")|--one-run --input $script")
done

# The ends of one run, from its trace: level ends, then the final screen.
ends_of() {
  sed -nE \
    -e 's/.*"ev":"end".*"frame":(-?[0-9]+).*"code":(-?[0-9]+),"score":(-?[0-9]+).*/\1:\2:\3/p' \
    -e 's/.*"ev":"final".*"completed":([01]),"score":(-?[0-9]+).*/final:\1:\2/p' "$1" | paste -sd' '
}

play() {
  local index=$1 plan=$2
  "$sim" ${plan#*|} --play-digest --trace "$work/$index.jsonl" >"$work/$index.summary" ||
    { echo "rerecord_saved_games: failed: graze-sim ${plan#*|}" >&2; return 1; }
  local digest
  digest=$(sed -nE 's/.*"play_digest":"([0-9a-f]{16})".*/\1/p' "$work/$index.summary")
  echo "${plan%%|*} $(ends_of "$work/$index.jsonl") digest:$digest" >"$work/$index.ends"
}

failed=0
for index in "${!plans[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || failed=1; done
  play "$index" "${plans[$index]}" &
done
while [ "$(jobs -rp | wc -l)" -gt 0 ]; do wait -n || failed=1; done
[ "$failed" -eq 0 ] || exit 1

{
  cat <<'HEADER'
# How every saved game ends: written by scripts/testing/rerecord_saved_games.sh,
# read by the suite's replays (tests/autopilot_test.cpp, tests/whole_game_test.cpp).
# One line a run: KIND FILE [LEVEL DIFFICULTY] END... [final:COMPLETED:SCORE]
#   run      a whole game from the intro pictures, flown by the pilot (--run)
#   one-run  a whole game from a hand-written script, left after the run (--one-run)
#   stage    one stage flown by the pilot (--level LEVEL --difficulty DIFFICULTY)
# Each END is frame:code:score of one level's end, in order of play; the
# digest folds every frame of play (where the ship, enemies and shots stand,
# their sizes and animation, the level's clock and scroll) and, for a stage,
# the pixels of every 32nd presented frame.
HEADER
  for index in "${!plans[@]}"; do cat "$work/$index.ends"; done
} >"$runs/expected_ends.tsv"
echo "rerecord_saved_games: ${#plans[@]} runs in $runs/expected_ends.tsv"
git status --short "$runs"
