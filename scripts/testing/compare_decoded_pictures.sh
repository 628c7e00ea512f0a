#!/usr/bin/env bash
# Checks that two asset folders give the game the same pictures: every slot
# decoded, keyed and converted as the loader does, pixel for pixel (so the PNG
# writer may change how it stores a picture, never what it shows).
# Usage: scripts/testing/compare_decoded_pictures.sh OLD_ASSET_FOLDER NEW_ASSET_FOLDER
#   (the comparing program from the build in $GRAZE_BUILD, default build/)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
diff=${GRAZE_BUILD:-$src/build}/tools/decoded_pictures_diff/decoded_pictures_diff
[ -x "$diff" ] || { echo "compare_decoded_pictures: no $diff (scripts/setup/setup.sh builds it)" >&2; exit 1; }
SDL_VIDEODRIVER=dummy "$diff" "$1" "$2"
