#!/usr/bin/env bash
# The soak: plays every stage (Levels 1 to 6 and the epilogue) at every
# difficulty, and whole games from the title, over and over for MINUTES
# (default 30): the stages of one block in ten flown by the autopilot (with
# random slips), everything else by random key scripts (random holds and
# presses of every key, Escape and Enter included). Each play runs under a
# time limit inside a long-lived worker process (build/tools/sim/graze-soak),
# one per lane. Reports plays, crashes, hangs,
# non-zero exits, peak memory per play (flat from the first hundred plays
# to the last?) and the tracked memory left after each level, and exits
# non-zero when anything went wrong.
#
# Usage: scripts/testing/soak.sh [MINUTES]
#        scripts/testing/soak.sh --report     (the report of the last soak again)
# Environment (all optional):
#   SOAK_PLAYS         stop after this many plays (default: no limit)
#   SOAK_JOBS          worker processes at once (default 2)
#   SOAK_LIMIT         seconds one play may take before it counts as hung (default 120)
#   SOAK_LEVEL_FRAMES  frames of play before Escape (default 20000)
#   SOAK_RUN_FRAMES    presented frames of a whole game before leaving (default 10000)
#   SOAK_OUT           where the play log goes (default build/soak)
#   SOAK_BUILD         the build folder whose graze-soak runs (default build)
# A failed play N replays alone with: build/tools/sim/graze-soak --first N --plays 1
set -uo pipefail
cd "$(dirname "$0")/../.."

report_only=0
if [ "${1:-}" = --report ]; then
  report_only=1
  shift
fi
minutes=${1:-30}
plays_limit=${SOAK_PLAYS:-0}
jobs=${SOAK_JOBS:-2}
limit=${SOAK_LIMIT:-120}
level_frames=${SOAK_LEVEL_FRAMES:-20000}
run_frames=${SOAK_RUN_FRAMES:-10000}
out=${SOAK_OUT:-build/soak}
worker=${SOAK_BUILD:-build}/tools/sim/graze-soak
[ "$report_only" = 1 ] || [ -x "$worker" ] || { echo "soak: build first (scripts/setup/setup.sh)" >&2; exit 1; }

# Lane k plays k, k + jobs, k + 2 jobs, ... in one long worker process until
# the time or the plays run out; a play that ends the worker is written down
# and a fresh worker carries on after it.
lane() {
  local lane=$1 first=$1 count status before after play left
  : >"$out/lane_$lane.jsonl"
  while :; do
    left=$((deadline - $(date +%s)))
    [ "$left" -gt 0 ] || return
    count=1000000000
    if [ "$plays_limit" -gt 0 ]; then
      [ "$first" -lt "$plays_limit" ] || return
      count=$(((plays_limit - first + jobs - 1) / jobs))
    fi
    before=$(wc -l <"$out/lane_$lane.jsonl")
    timeout -s KILL $((left + limit + 60)) "$worker" --first "$first" --step "$jobs" \
      --plays "$count" --seconds "$left" --limit "$limit" --level-frames "$level_frames" \
      --run-frames "$run_frames" >>"$out/lane_$lane.jsonl" 2>>"$out/lane_$lane.err"
    status=$?
    [ "$status" -eq 0 ] && return
    after=$(wc -l <"$out/lane_$lane.jsonl")
    play=$((first + (after - before) * jobs))
    case $status in
      142 | 137) echo "play $play: hang (status $status)" >>"$out/failures.txt" ;;
      1[3-9][0-9] | 2[0-5][0-9]) echo "play $play: crash (signal $((status - 128)))" >>"$out/failures.txt" ;;
      *) echo "play $play: exit status $status" >>"$out/failures.txt" ;;
    esac
    first=$((play + jobs))
  done
}

run_soak() {
  mkdir -p "$out"
  rm -f "$out"/lane_*.jsonl "$out"/lane_*.err "$out"/failures.txt
  touch "$out/failures.txt"
  local start
  start=$(date +%s)
  deadline=$(awk -v s="$start" -v m="$minutes" 'BEGIN { printf "%d", s + m * 60 }')
  for ((k = 0; k < jobs; k++)); do lane "$k" 2>>"$out/lane_$k.err" & done
  wait
  echo "$start $(date +%s)" >"$out/times"
}

report() {
  local start end elapsed failures
  read -r start end <"$out/times"
  elapsed=$((end - start))
  cat "$out"/lane_*.jsonl | sort -t: -k2 -n >"$out/plays.jsonl"
  failures=$(wc -l <"$out/failures.txt")
  # The lane logs in their own order: a worker's plays follow each other, and
  # "nth" 0 starts a new worker, whose memory is followed from its first
  # hundred plays to its last.
  awk -v elapsed="$elapsed" -v failed_file="$out/failures.txt" '
    function field(name,   m) {
      if (match($0, "\"" name "\":\"?[-0-9a-z]+")) {
        m = substr($0, RSTART + length(name) + 3, RLENGTH - length(name) - 3)
        sub(/^"/, "", m)
        return m
      }
      return ""
    }
    function close_worker(   k, i, a, b) {
      if (len == 0) return
      k = len < 100 ? len : 100
      a = b = 0
      for (i = 1; i <= k; i++) { a += mem[i]; b += mem[len - k + i] }
      workers++
      first_sum += a / k; last_sum += b / k
      if (b / k - a / k > growth) growth = b / k - a / k
      len = 0
    }
    {
      if (field("nth") == "0") close_worker()
      n++
      hands = field("hands"); stage = field("stage"); code = field("code")
      peak = field("peak_kb") + 0
      mem[++len] = peak
      if (hands == "pilot") { pilot++; if (code == 1) cleared++ } else random++
      if (stage == "run") runs++
      if (field("tracked_bytes") + 0 > tracked) tracked = field("tracked_bytes") + 0
      if (field("tracked_blocks") + 0 > blocks) blocks = field("tracked_blocks") + 0
      if (peak > max_peak) max_peak = peak
      if (min_peak == 0 || peak < min_peak) min_peak = peak
      ms += field("ms")
    }
    END {
      close_worker()
      while ((getline line < failed_file) > 0) {
        if (line ~ /hang/) hangs++
        else if (line ~ /crash/) crashes++
        else exits++
      }
      total = n + hangs + crashes + exits
      printf "soak: %d plays in %.1f minutes (%.0f plays a minute); of the %d that finished, %d by the pilot, %d by random scripts (%d of them whole games)\n",
        total, elapsed / 60, (elapsed > 0 ? total * 60 / elapsed : total), n, pilot, random, runs
      printf "soak: %d crashes, %d hangs, %d non-zero exits\n", crashes, hangs, exits
      printf "soak: the pilot cleared %d of its %d stage plays (random slips included)\n", cleared, pilot
      if (workers > 0)
        printf "soak: peak memory per play %d to %d kB; over %d workers, first hundred plays %.0f kB, last hundred %.0f kB on average (largest growth %.0f kB)\n",
          min_peak, max_peak, workers, first_sum / workers, last_sum / workers, growth
      printf "soak: tracked memory after each level: at most %d bytes in %d blocks\n", tracked, blocks
      printf "soak: %.0f ms of real time a play on average\n", (n > 0 ? ms / n : 0)
    }' "$out"/lane_*.jsonl
  if [ "$failures" -gt 0 ]; then
    sed 's/^/soak: failed /' "$out/failures.txt"
    exit 1
  fi
  if grep -q '"tracked_bytes":[1-9]' "$out/plays.jsonl"; then
    echo "soak: tracked memory left after a level" >&2
    exit 1
  fi
}

# Read whole before it runs, so an edit of this file cannot disturb a soak.
{
  [ "$report_only" = 1 ] || run_soak
  report
  exit
}
