#!/usr/bin/env bash
# The autopilot on every stage at every difficulty, Practice to Hard: one
# Markdown row per play (cleared or not, lives lost, score, kills, frames),
# then a whole run from the title at each difficulty with the end of each
# level. Uses the build in build/ (scripts/setup/setup.sh makes it).
# Usage: scripts/measuring/pilot_table.sh [OUT_DIR]   (key logs and traces go there)
set -euo pipefail
cd "$(dirname "$0")/../.."
sim=build/tools/sim/graze-sim
out=${1:-build/pilot_table}
mkdir -p "$out"
[ -x "$sim" ] || { echo "pilot_table: build first (scripts/setup/setup.sh)" >&2; exit 1; }

names=(Hard Normal Easy Practice)
field() { sed -n "s/.*\"$1\":\(-\?[0-9]*\).*/\1/p" <<<"$2"; }

echo "| stage | difficulty | cleared | lives lost | score | kills | frames |"
echo "|---|---|---|---|---|---|---|"
for stage in 1 2 3 4 5 6 epilogue; do
  for difficulty in 3 2 1 0; do
    summary=$("$sim" --level "$stage" --difficulty "$difficulty" --autopilot \
      --save-input "$out/level_${stage}_d${difficulty}.txt")
    lives=$((difficulty * 6 + 6))
    [ "$stage" = epilogue ] && lives=1000
    code=$(field code "$summary")
    cleared=no
    [ "$code" = 1 ] && cleared=yes
    echo "| $stage | ${names[$difficulty]} | $cleared | $((lives - $(field lives "$summary"))) |" \
      "$(field score "$summary") | $(field kills "$summary") | $(field frames "$summary") |"
  done
done

echo
echo "| whole run | level ends (code:score) | hits | frames presented |"
echo "|---|---|---|---|"
for difficulty in 3 2 1 0; do
  "$sim" --run --autopilot --difficulty "$difficulty" --trace "$out/run_d${difficulty}.jsonl" \
    --save-input "$out/run_d${difficulty}.txt" >/dev/null
  ends=$(grep '"ev":"end"' "$out/run_d${difficulty}.jsonl" |
    sed 's/.*"code":\(-\?[0-9]*\),"score":\([0-9-]*\).*/\1:\2/' | paste -sd' ')
  hits=$(grep -c '"ev":"hit"' "$out/run_d${difficulty}.jsonl" || true)
  last=$(tail -1 "$out/run_d${difficulty}.jsonl" | sed 's/.*"frame":\(-\?[0-9]*\).*/\1/')
  echo "| ${names[$difficulty]} | $ends | $hits | $last |"
done
