#!/usr/bin/env bash
# The asset generator's command line: --help prints the usage and makes
# nothing; an unknown option, an option without its value, a second folder or
# no folder at all is refused in one line with the usage (status 2) before
# anything is written, so a slip never fills a folder named "--help".
# Usage: assetgen_command_line_test.sh ASSETGEN
set -euo pipefail
assetgen=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# ARGS... → expected status, stream the first line is on, words it holds.
expect() {
  local status=$1 stream=$2 words=$3
  shift 3
  local got=0
  "$assetgen" "$@" >out 2>err || got=$?
  [ "$got" -eq "$status" ] || fail "assetgen $*: status $got, not $status"
  grep -q -- "$words" "$stream" || fail "assetgen $*: '$words' not in its $stream: $(head -c 200 "$stream")"
  [ -z "$(ls -A | grep -v -x -e out -e err)" ] || fail "assetgen $*: wrote $(ls -A | grep -v -x -e out -e err)"
  rm -f out err
}

expect 0 out 'usage: assetgen OUT_DIR' --help
expect 0 out 'usage: assetgen OUT_DIR' -h
expect 2 err 'no output folder given'
expect 2 err 'unknown option --sheets' assets --sheets sheet.png
expect 2 err 'unknown option -x' -x
expect 2 err '--icons needs a value' assets --icons
expect 2 err 'one output folder only, not also more' assets more
expect 2 err 'usage: assetgen OUT_DIR' assets --sheet

[ "$failures" -eq 0 ] || exit 1
echo "assetgen's command line: all refusals and --help as expected"
