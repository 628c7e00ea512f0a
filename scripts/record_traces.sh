#!/usr/bin/env bash
# Records what must not change when the code is reshaped or the art and sound
# are redone: the trace of every stage flown by the autopilot at Hard and at
# Practice, and of the pilot's saved whole games, with drawing on. Compare two
# recordings with `diff -r`.
# Usage: scripts/record_traces.sh BUILD_DIR OUT_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/record_traces.sh BUILD_DIR OUT_DIR}
out=${2:?usage: scripts/record_traces.sh BUILD_DIR OUT_DIR}
sim=$build/tools/sim/graze-sim
[ -x "$sim" ] || { echo "record_traces: no simulator in $build" >&2; exit 1; }
mkdir -p "$out"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

for stage in 1 2 3 4 5 6 epilogue; do
  for difficulty in 0 3; do
    name=level_${stage}_d${difficulty}
    "$sim" --level "$stage" --difficulty "$difficulty" --autopilot --draw 1 \
      --trace "$out/$name.jsonl" >"$out/$name.summary"
  done
done
for saved in tests/pilot_runs/*.txt; do
  name=run_$(basename "$saved" .txt)
  "$sim" --run --input "$saved" --draw 1 --trace "$out/$name.jsonl" >"$out/$name.summary"
done
echo "record_traces: $(ls "$out" | wc -l) files in $out"
