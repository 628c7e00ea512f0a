#!/usr/bin/env bash
# The loudness of the generated sound (BS.1770, through libebur128): every
# track and effect, then every stage's mix rebuilt from the pilot's Hard play
# (each sound at its traced tick on its channel, at unity gain, with the
# music), its loudest ten seconds and the gun's share of the effects.
# Usage: scripts/measuring/loudness_report.sh [BUILD_DIR] [TRACE_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
traces=${2:-$build/loudness_traces}
meter=$build/tools/loudness/graze-loudness
sim=$build/tools/sim/graze-sim
[ -x "$meter" ] && [ -x "$sim" ] || { echo "loudness_report: build $build first" >&2; exit 1; }
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
mkdir -p "$traces"
"$meter" --assets "$build/assets" --catalogue
for stage in 1 2 3 4 5 6 epilogue; do
  "$sim" --level "$stage" --difficulty 0 --autopilot --trace "$traces/level_$stage.jsonl" >/dev/null
done
"$meter" --assets "$build/assets" --mix "$traces"/level_{1,2,3,4,5,6,epilogue}.jsonl
