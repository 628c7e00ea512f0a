#!/usr/bin/env bash
# Sets everything up (the game and its assets, the simulator, tests and
# benchmarks, with their packages), then runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup/setup.sh build
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j "$(nproc)"
