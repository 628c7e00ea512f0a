#!/usr/bin/env bash
# Runs CI (.ci/run) as on a new machine: in a fresh Debian 12 system made
# for this run, with no package installed beyond the minimal base, no
# compiler cache, no browser build cache and no Debian 13 base, and times it.
# Everything it makes goes with it; a cache folder given as argument is kept
# instead, so a second run shows CI with its caches warm.
# Usage: scripts/testing/ci_fresh.sh [CACHE_DIR]   (as root)
set -euo pipefail
cd "$(dirname "$0")/../.."
cache=${1:-}
made=""
if [ -z "$cache" ]; then
  cache=$(mktemp -d /var/tmp/graze-ci-fresh.XXXXXX)
  made=$cache
fi
trap '[ -n "$made" ] && rm -rf --one-file-system "$made"' EXIT
start=$(date +%s)
status=0
GRAZE_CHROOT_CACHE=$cache scripts/testing/test_in_chroot.sh bookworm bash .ci/run || status=$?
echo "ci_fresh: .ci/run in a fresh Debian 12 ended with status $status after $(($(date +%s) - start)) s"
exit "$status"
