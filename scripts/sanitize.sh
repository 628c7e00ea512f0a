#!/usr/bin/env bash
# Builds and runs the test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, in its own build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build-sanitize -DGRAZE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
