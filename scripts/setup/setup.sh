#!/usr/bin/env bash
# Every step of set-up: installs the Debian packages Graze needs (only those
# missing), configures and builds, and generates the assets. Fast when
# everything is already in place.
#   --game: only what playing needs (the game, the asset generator and the
#           assets); otherwise also the simulator, tests and benchmarks.
# Without root and without sudo, missing packages are listed with the one
# apt-get line to run as root, and the script stops with status 1.
# Usage: scripts/setup/setup.sh [--game] [BUILD_DIR] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/../.."

game_only=0
if [ "${1:-}" = "--game" ]; then
  game_only=1
  shift
fi
build_dir=${1:-build}
shift || true

packages=(
  # the game: SDL 1.2 (classic 1.2.15 on Debian 12; from Debian 13 on, the
  # same package names hold the compatibility library built on SDL 2)
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  # the build, with a compiler cache so a rebuild compiles only what changed
  g++ cmake make pkg-config ccache
  # the game's PNG reader (libpng, and zlib for the image data) and the asset
  # generator: PNG writer, fonts found through fontconfig, font rendering and
  # Vorbis encoder
  libpng-dev zlib1g-dev fontconfig fonts-dejavu-core libfreetype-dev libvorbis-dev libogg-dev
)
test_packages=()
if [ "$game_only" -eq 0 ]; then
  packages+=(
    # tests and benchmarks
    libgtest-dev libbenchmark-dev
    # the loudness meter (BS.1770) of the sound tests and tools/loudness
    libebur128-dev
    # the start-up timer's watcher of the X screen
    libx11-dev
    # the AppStream validator of the tests; the build asks it which AppStream
    # the system reads, so it is in place before the build is configured
    appstream
  )
  # Only running the tests needs these, so they install while the build
  # compiles.
  test_packages=(
    # the real-window test: a virtual X server, key presses and screenshots
    xvfb xdotool imagemagick x11-utils
    # the Debian package: cpack's dependency lookup, and its checks
    dpkg-dev file lintian desktop-file-utils
    # the corruption sweep
    python3
  )
fi

. scripts/setup/install_packages.sh
# The tests' own packages install beside the build when that can go on
# without asking (as root, or sudo without a password); otherwise, and
# without root, everything goes in one call (which lists what is missing).
installing=""
test_log=$(mktemp)
trap '[ -n "$installing" ] && wait "$installing" 2>/dev/null; rm -f "$test_log"' EXIT
if [ ${#test_packages[@]} -gt 0 ] && [ -n "$(missing_packages "${test_packages[@]}")" ] &&
  { [ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null; }; then
  install_packages setup "${packages[@]}" || exit 1
  install_packages setup "${test_packages[@]}" >"$test_log" 2>&1 &
  installing=$!
else
  install_packages setup "${packages[@]}" "${test_packages[@]}" || exit 1
fi

# A build set up for playing only gains its tests when the full set-up runs;
# the full set-up is never taken back by a later --game.
tests_flag=()
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  [ "$game_only" -eq 1 ] && tests_flag=(-DGRAZE_TESTS=OFF)
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    "${tests_flag[@]}" "$@"
elif [ "$game_only" -eq 0 ] && grep -q '^GRAZE_TESTS:BOOL=OFF' "$build_dir/CMakeCache.txt"; then
  cmake -S . -B "$build_dir" -DGRAZE_TESTS=ON "$@"
fi
if [ "$game_only" -eq 1 ]; then
  # The game, its assets, and the documents its install carries (the
  # compressed changelog, the AppStream metainfo), so `cmake --install` works.
  cmake --build "$build_dir" -j "$(nproc)" --target graze assets package_changelog metainfo
else
  cmake --build "$build_dir" -j "$(nproc)"
fi
if [ -n "$installing" ]; then
  status=0
  wait "$installing" || status=$?
  installing=""
  cat "$test_log"
  [ "$status" -eq 0 ] || exit 1
fi
