#!/usr/bin/env bash
# Every step of set-up: installs the Debian packages Graze needs (only those
# missing), configures and builds the game, its tools and tests, and generates
# the assets. Fast when everything is already in place.
# Usage: scripts/setup.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
shift || true

packages=(
  # the game: classic SDL 1.2 itself, never the compatibility layer on SDL 2
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  # the build, tests and benchmarks
  g++ cmake make pkg-config libgtest-dev libbenchmark-dev
  # the asset generator: PNG writer, font rendering and Vorbis encoder
  libpng-dev libfreetype-dev fonts-dejavu-core libvorbis-dev libogg-dev
  # the real-window test: a virtual X server, key presses and screenshots
  xvfb xdotool imagemagick x11-utils
  # the corruption sweep
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build_dir" -j "$(nproc)"
