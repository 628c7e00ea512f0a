#!/usr/bin/env bash
# The browser build tested in headless Chromium and in headless Firefox ESR
# (web/test/test_web.mjs): builds it when needed (scripts/web/web.sh), records
# the native game's intro, title and menu with the simulator, and plays the
# page in each browser. Installs what it needs: Debian's chromium,
# firefox-esr and nodejs/npm (waiting for another apt's lock), and the test's
# npm packages (puppeteer-core and pngjs, pinned in web/test/package.json and
# its lockfile) into a cache outside the clone, once per lockfile. Says SKIPPED loudly and exits 0 only where these cannot be had
# (no root and no sudo, no package archive, a browser that cannot start
# here); a failing check exits 1. Screenshots go to build-web/screenshots/.
# Usage: scripts/web/test_web.sh [NATIVE_BUILD_DIR]   (default build)
# GRAZE_WEB_BROWSERS="chromium firefox" chooses the browsers.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
native=${1:-build}
cache=${GRAZE_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/graze-web}
browsers=${GRAZE_WEB_BROWSERS:-chromium firefox}

skip() {
  echo
  echo "################################################################"
  echo "##  SKIPPED: the browser test: $*"
  echo "################################################################"
  [ -n "${GRAZE_SKIPPED_LOG:-}" ] && echo "the browser test ($*)" >>"$GRAZE_SKIPPED_LOG"
  exit 0
}

# Debian packages, installed when missing; another apt's lock is waited for.
need=()
command -v node >/dev/null 2>&1 || need+=(nodejs)
command -v npm >/dev/null 2>&1 || need+=(npm)
for b in $browsers; do
  case $b in
    chromium) command -v chromium >/dev/null 2>&1 || need+=(chromium) ;;
    firefox) command -v firefox-esr >/dev/null 2>&1 || need+=(firefox-esr) ;;
  esac
done
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then sudo=(sudo -n); else
    skip "no root and no sudo to install ${need[*]} (as root: apt-get install ${need[*]})"
  fi
  apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -q)
  echo "test_web: installing ${need[*]}"
  if ! "${apt[@]}" install -y --no-install-recommends "${need[@]}" >/dev/null 2>&1; then
    tries=0
    until "${apt[@]}" update >/dev/null 2>&1; do
      tries=$((tries + 1))
      [ $tries -ge 20 ] && break
      sleep 30
    done
    "${apt[@]}" install -y --no-install-recommends "${need[@]}" ||
      skip "${need[*]} cannot be installed (no package archive?)"
  fi
fi

# The test's npm packages, into the cache (once per package.json and
# lockfile); npm's own cache serves them again without the registry.
modules=$cache/node-$(cat web/test/package.json web/test/package-lock.json | sha256sum | cut -c1-12)
if [ ! -f "$modules/node_modules/.complete" ]; then
  echo "test_web: installing the test's npm packages into $modules"
  rm -rf "$modules" && mkdir -p "$modules"
  cp web/test/package.json web/test/package-lock.json "$modules/"
  (cd "$modules" && npm ci --prefer-offline --no-audit --no-fund --ignore-scripts --loglevel=error) ||
    skip "the npm registry cannot be reached for the test's packages (puppeteer-core, pngjs)"
  touch "$modules/node_modules/.complete"
fi
export GRAZE_NODE_MODULES=$modules/node_modules

sim=$native/tools/sim/graze-sim
if [ ! -x "$sim" ] || [ ! -f "$native/assets/.generated" ]; then
  scripts/setup/setup.sh "$native" || { echo "test_web: the native build failed" >&2; exit 1; }
fi

GRAZE_NATIVE_BUILD=$native scripts/web/web.sh
status=$?
[ $status -eq 3 ] && skip "emscripten or the library sources cannot be set up"
[ $status -ne 0 ] && { echo "test_web: the browser build failed" >&2; exit 1; }

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$sim" --run --input web/test/menu_keys.txt \
  --frames-dir "$frames" --every 1 --max-frames 85 >/dev/null ||
  { echo "test_web: the simulator could not record the native pictures" >&2; exit 1; }

shots=$root/build-web/screenshots
# A run of the timed visits alone (scripts/web/measure_web.sh) takes none.
[ "${GRAZE_WEB_TIMED_ONLY:-0}" = 1 ] || rm -rf "$shots"
total_passed=0 total_failed=0 result=0
for b in $browsers; do
  log=$(mktemp)
  node web/test/test_web.mjs "$b" build-web/site "$frames" "$native/assets" "$shots" | tee "$log"
  status=${PIPESTATUS[0]}
  counts=$(tail -1 "$log")
  rm -f "$log"
  if [ "$status" -eq 3 ]; then
    echo "##  SKIPPED: the browser test in $b: it cannot start here"
    [ -n "${GRAZE_SKIPPED_LOG:-}" ] && echo "the browser test in $b (it cannot start here)" >>"$GRAZE_SKIPPED_LOG"
    continue
  fi
  p=$(echo "$counts" | sed -n 's/^\([0-9]*\) passed.*/\1/p')
  f=$(echo "$counts" | sed -n 's/.* \([0-9]*\) failed$/\1/p')
  total_passed=$((total_passed + ${p:-0}))
  total_failed=$((total_failed + ${f:-1}))
  [ "$status" -ne 0 ] && result=1
done
echo "screenshots: $shots"
echo "$total_passed passed, $total_failed failed"
exit $result
