#!/usr/bin/env bash
# Builds the Debian package from build/ and checks it in a fresh Debian system
# of the given release (scripts/testing/test_in_chroot.sh): installed with its
# dependencies from that release, played, and on Debian 12 purged again.
# Usage: scripts/packaging/package_in_chroot.sh RELEASE   (bookworm or trixie)
set -euo pipefail
cd "$(dirname "$0")/../.."
release=${1:?usage: scripts/packaging/package_in_chroot.sh RELEASE}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config build/CPackConfig.cmake -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
purge=()
[ "$release" = bookworm ] && purge=(--purge)
GRAZE_CHROOT_BRING="$deb" scripts/testing/test_in_chroot.sh "$release" \
  scripts/packaging/package_check.sh "/root/bring/$(basename "$deb")" "${purge[@]}"
