#!/usr/bin/env bash
# Records what must not change when the code is reshaped or the art and sound
# are redone: the trace of every stage flown by the autopilot at Hard and at
# Practice, and of the pilot's saved whole games, with drawing on, and the
# pixel hash of every 7th frame of Levels 1 and 5 flown at Hard. Compare two
# recordings with `diff -r`.
# ASSETS_DIR (default: the build's own) lets two builds, say on two systems
# whose font or codec libraries differ, play and draw the very same files.
# Usage: scripts/testing/record_traces.sh BUILD_DIR OUT_DIR [ASSETS_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:?usage: scripts/testing/record_traces.sh BUILD_DIR OUT_DIR}
out=${2:?usage: scripts/testing/record_traces.sh BUILD_DIR OUT_DIR}
sim=$build/tools/sim/graze-sim
assets=()
[ -n "${3:-}" ] && assets=(--assets "$(cd "$3" && pwd)")
[ -x "$sim" ] || { echo "record_traces: no simulator in $build" >&2; exit 1; }
mkdir -p "$out"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

for stage in 1 2 3 4 5 6 epilogue; do
  for difficulty in 0 3; do
    name=level_${stage}_d${difficulty}
    "$sim" --level "$stage" --difficulty "$difficulty" --autopilot --draw 1 "${assets[@]}" \
      --trace "$out/$name.jsonl" >"$out/$name.summary"
  done
done
for saved in tests/pilot_runs/*.txt; do
  name=run_$(basename "$saved" .txt)
  "$sim" --run --input "$saved" --draw 1 "${assets[@]}" --trace "$out/$name.jsonl" >"$out/$name.summary"
done
# Pixels: a hash of each saved frame's raw RGB bytes, so recordings made with
# different PNG writers (or ImageMagick versions) still compare.
for stage in 1 5; do
  frames=$(mktemp -d)
  "$sim" --level "$stage" --difficulty 0 --autopilot "${assets[@]}" --frames-dir "$frames" --every 7 \
    >/dev/null
  for frame in "$frames"/*.png; do
    echo "$(basename "$frame") $(convert "$frame" -depth 8 rgb:- | sha256sum | cut -d' ' -f1)"
  done >"$out/frames_level_$stage.txt"
  rm -rf "$frames"
done
echo "record_traces: $(ls "$out" | wc -l) files in $out"
