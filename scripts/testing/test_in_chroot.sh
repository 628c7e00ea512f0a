#!/usr/bin/env bash
# Runs a command of this checkout (the README's test command by default) in a
# fresh Debian system of the given release, as a new user would: a minimal
# debootstrap base, kept between runs, is copied for each run; the checkout's
# files are copied in; the command installs what it needs itself.
# Everything is mounted inside a private mount and process namespace, so no
# mount and no process outlives the run, even when it is killed.
#   GRAZE_CHROOT_CACHE  where the bases, the downloaded packages and the
#                       compiler cache are kept (default /var/cache/graze-chroot)
#   GRAZE_CHROOT_BRING  files or folders copied into /root/bring/ as well (a
#                       package to install, assets to compare with)
# The base holds ccache besides the minimal system, so a later run compiles
# only what changed; the command installs everything else itself.
# Needs root; installs debootstrap when it is missing. When it cannot (not
# root) or the Debian archive cannot be reached, it says so loudly, notes the
# skip in $GRAZE_SKIPPED_LOG when that is set (.ci/run's summary) and exits
# 0: the host's own suite decides then.
# Usage: scripts/testing/test_in_chroot.sh RELEASE [COMMAND...]   (e.g. trixie)
set -euo pipefail
cd "$(dirname "$0")/../.."
release=${1:?usage: scripts/testing/test_in_chroot.sh RELEASE [COMMAND...]}
shift
command=("$@")
[ ${#command[@]} -gt 0 ] || command=(scripts/test.sh)
mirror=${GRAZE_CHROOT_MIRROR:-http://deb.debian.org/debian}
cache=${GRAZE_CHROOT_CACHE:-/var/cache/graze-chroot}
base=$cache/$release-base
archives=$cache/$release-archives
compiled=$cache/$release-ccache

skip() {
  echo "test_in_chroot: ******** SKIPPED on Debian $release: $* ********" >&2
  [ -n "${GRAZE_SKIPPED_LOG:-}" ] && echo "the Debian $release suite ($*)" >>"$GRAZE_SKIPPED_LOG"
  exit 0
}
[ "$(id -u)" -eq 0 ] || skip "needs root"
. scripts/setup/install_packages.sh
install_packages test_in_chroot debootstrap util-linux ||
  skip "debootstrap cannot be installed"

mkdir -p "$cache" "$archives" "$compiled"
if [ ! -f "$base/.complete" ]; then
  echo "test_in_chroot: making the $release base in $base (once)"
  rm -rf "$base"
  debootstrap --variant=minbase "$release" "$base" "$mirror" >"$cache/$release-debootstrap.log" 2>&1 ||
    { rm -rf "$base"; skip "debootstrap failed (is $mirror reachable?), see $cache/$release-debootstrap.log"; }
  cp /etc/resolv.conf "$base/etc/resolv.conf"
  { chroot "$base" apt-get update -qq && chroot "$base" apt-get install -y -qq --no-install-recommends ccache; } \
    >>"$cache/$release-debootstrap.log" 2>&1 ||
    { rm -rf "$base"; skip "the package archive cannot be reached, see $cache/$release-debootstrap.log"; }
  chroot "$base" apt-get clean
  touch "$base/.complete"
fi

work=$(mktemp -d /var/tmp/graze-chroot.XXXXXX)
cleanup() { rm -rf --one-file-system "$work"; }
trap cleanup EXIT
root=$work/root
echo "test_in_chroot: copying the base and this checkout into $root"
cp -a "$base" "$root"
# This machine's network set-up, as a new machine here has it: its name
# servers, and the certificates it trusts beyond Debian's (a network behind
# an inspecting proxy: without them, https downloads such as npm's fail).
cp /etc/resolv.conf "$root/etc/resolv.conf"
if [ -d /usr/local/share/ca-certificates ]; then
  mkdir -p "$root/usr/local/share/ca-certificates" "$root/etc/ssl/certs"
  cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
  [ -f /etc/ssl/certs/ca-certificates.crt ] && cp /etc/ssl/certs/ca-certificates.crt "$root/etc/ssl/certs/"
fi
for npmrc in /etc/npmrc /usr/etc/npmrc; do
  [ -f "$npmrc" ] && mkdir -p "$root$(dirname "$npmrc")" && cp "$npmrc" "$root$npmrc"
done
mkdir -p "$root/root/graze"
# The checkout's own files (not its builds); a copy that is no git checkout
# (this script run inside such a system) is copied without its build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    tar --null -T - -cf - | tar -xf - -C "$root/root/graze"
else
  tar --exclude='./build*' --exclude='./shots' -cf - . | tar -xf - -C "$root/root/graze"
fi
if [ -n "${GRAZE_CHROOT_BRING:-}" ]; then
  mkdir -p "$root/root/bring"
  for item in $GRAZE_CHROOT_BRING; do cp -a "$item" "$root/root/bring/"; done
fi

# The archive is reachable when the package lists update.
if ! chroot "$root" apt-get update -qq >"$work/apt-update.log" 2>&1; then
  cat "$work/apt-update.log" >&2
  skip "the package archive cannot be reached"
fi

start=$(date +%s)
status=0
# A private mount namespace (propagation off) and PID namespace: the mounts
# and every process started inside go with it.
unshare --mount --pid --fork --propagation private bash -euo pipefail -c '
  root=$1 archives=$2 compiled=$3 mounts=$4
  shift 4
  # The root a mount point of its own, so a run inside it (scripts/testing/ci_fresh.sh
  # runs CI, and with it this script, in such a system) can make its mounts
  # private in turn.
  mount --bind "$root" "$root"
  . "$mounts"
  mount_system_dirs "$root"
  mount --bind "$archives" "$root/var/cache/apt/archives"
  mkdir -p "$root/var/cache/ccache"
  mount --bind "$compiled" "$root/var/cache/ccache"
  exec chroot "$root" env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    CCACHE_DIR=/var/cache/ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/graze && \"\$@\"" chroot-command "$@"
' unshare-bash "$root" "$archives" "$compiled" "$PWD/scripts/testing/system_mounts.sh" \
  "${command[@]}" || status=$?
echo "test_in_chroot: Debian $release: ${command[*]} ended with status $status after $(($(date +%s) - start)) s"
exit "$status"
