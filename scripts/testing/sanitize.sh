#!/usr/bin/env bash
# Builds and runs the test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, in its own build folder.
#   --compatibility: the same in a fresh Debian 13, against the SDL 1.2
#   compatibility library on SDL 2 (as root, through scripts/testing/test_in_chroot.sh).
# Usage: scripts/testing/sanitize.sh [--compatibility]
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ "${1:-}" = "--compatibility" ]; then
  exec scripts/testing/test_in_chroot.sh trixie scripts/testing/sanitize.sh
fi
scripts/setup/setup.sh build-sanitize -DGRAZE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
# A sanitizer's report ends a program with status 23, never the 1 the game
# and its tools end with when they refuse something: a test that expects
# that refusal then still sees the leak or fault.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:exitcode=23 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=23
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
