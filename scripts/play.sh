#!/usr/bin/env bash
# Sets everything up, then starts Graze in its asset folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
cd build/assets
exec ../graze
