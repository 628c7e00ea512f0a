#!/usr/bin/env bash
# The browser build tested in headless Chromium: builds it when needed
# (scripts/web.sh), records the native game's intro, title and menu with the
# simulator, and plays the page with key presses (web/test/test_web.mjs).
# Where emscripten, the library sources or Chromium cannot be set up or
# start, it says SKIPPED loudly and exits 0; a failing check exits 1.
# Usage: scripts/test_web.sh [NATIVE_BUILD_DIR]   (default build)
set -uo pipefail
cd "$(dirname "$0")/.."
native=${1:-build}

skip() {
  echo
  echo "################################################################"
  echo "##  SKIPPED: the browser test: $*"
  echo "################################################################"
  exit 0
}

command -v node >/dev/null 2>&1 || skip "no node to drive the browser"
if ! command -v chromium >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
    skip "no chromium, and no root to install it (apt-get install chromium)"
  fi
  echo "test_web: installing chromium"
  { "${sudo[@]}" apt-get update -qq &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium; } ||
    skip "chromium cannot be installed"
fi

sim=$native/tools/sim/graze-sim
if [ ! -x "$sim" ] || [ ! -f "$native/assets/.generated" ]; then
  scripts/setup/setup.sh "$native" || { echo "test_web: the native build failed" >&2; exit 1; }
fi

GRAZE_NATIVE_BUILD=$native scripts/web.sh
status=$?
[ $status -eq 3 ] && skip "emscripten or the library sources cannot be set up"
[ $status -ne 0 ] && { echo "test_web: the browser build failed" >&2; exit 1; }

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$sim" --run --input web/test/menu_keys.txt \
  --frames-dir "$frames" --every 1 --max-frames 85 >/dev/null ||
  { echo "test_web: the simulator could not record the native pictures" >&2; exit 1; }

node web/test/test_web.mjs build-web/site "$frames" "$native/assets"
status=$?
[ $status -eq 3 ] && skip "chromium cannot start here"
exit $status
