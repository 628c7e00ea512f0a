#!/usr/bin/env bash
# Sets up only what playing needs (the game, the asset generator and the
# assets), then starts Graze in its asset folder.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -x build/graze ] || [ ! -f build/assets/.generated ]; then
  echo "play: the first run compiles the game and generates its pictures, sounds and music;"
  echo "play: that takes a few minutes (2 to 3 on a busy 2-core machine). Later runs start at once."
fi
scripts/setup/setup.sh --game build
cd build/assets
exec ../graze
