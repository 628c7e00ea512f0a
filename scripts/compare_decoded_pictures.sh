#!/usr/bin/env bash
# Checks that two asset folders give the game the same pictures: every slot
# decoded, keyed and converted as the loader does, pixel for pixel (so the PNG
# writer may change how it stores a picture, never what it shows).
# Usage: scripts/compare_decoded_pictures.sh OLD_ASSET_FOLDER NEW_ASSET_FOLDER
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -I"$src/src" -o "$work/diff" "$src/scripts/decoded_pictures_diff.cpp" \
  -lSDL_image -lSDL
SDL_VIDEODRIVER=dummy "$work/diff" "$1" "$2"
