#!/usr/bin/env bash
# Checks that two asset folders give the game the same pictures: every slot
# decoded, keyed and converted as the loader does, pixel for pixel (so the PNG
# writer may change how it stores a picture, never what it shows).
# Usage: scripts/testing/compare_decoded_pictures.sh OLD_ASSET_FOLDER NEW_ASSET_FOLDER
#   (the comparing program is built in $GRAZE_BUILD, default build/)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
build=${GRAZE_BUILD:-$src/build}
cmake --build "$build" --target decoded_pictures_diff >/dev/null ||
  { echo "compare_decoded_pictures: cannot build the comparer in $build" >&2; exit 1; }
SDL_VIDEODRIVER=dummy "$build/tools/decoded_pictures_diff/decoded_pictures_diff" "$1" "$2"
