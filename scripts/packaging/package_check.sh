#!/usr/bin/env bash
# On a Debian system, as root: installs the given Graze package with apt (its
# dependencies from the archive), plays it for a few seconds on a virtual X
# server through the installed launcher, stops it with SIGTERM (status 0
# expected), and with --purge removes it again and checks nothing is left.
# Usage: scripts/packaging/package_check.sh PACKAGE.deb [--purge]
set -euo pipefail
deb=$(readlink -f "${1:?usage: scripts/packaging/package_check.sh PACKAGE.deb [--purge]}")
purge=${2:-}
export DEBIAN_FRONTEND=noninteractive
apt_quiet() { apt-get -qq -o DPkg::Lock::Timeout=600 "$@" >/dev/null; }
apt_quiet update
apt_quiet install -y --no-install-recommends xvfb imagemagick
apt_quiet install -y --no-install-recommends "$deb"
echo "package_check: installed $(dpkg-query -W -f='${Package} ${Version}' graze)" \
  "on Debian $(cat /etc/debian_version), SDL $(dpkg-query -W -f='${Version}' libsdl1.2debian)"

. "$(dirname "$0")/virtual_display.sh"
start_virtual_display /dev/null
xvfb=$virtual_display_pid
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
SDL_AUDIODRIVER=dummy /usr/games/graze >/tmp/graze.log 2>&1 &
game=$!
sleep 6
import -window root /tmp/shot.png
brightness=$(convert /tmp/shot.png -colorspace Gray -format '%[fx:int(1000*mean)]' info:)
kill -TERM "$game"
status=0
wait "$game" || status=$?
cat /tmp/graze.log
echo "package_check: the installed game showed a picture of brightness $brightness/1000," \
  "ended with status $status on SIGTERM"
[ "$status" -eq 0 ] && [ "$brightness" -gt 0 ] || { echo "package_check: FAILED"; exit 1; }

if [ "$purge" = --purge ]; then
  apt_quiet purge -y graze
  left=$(ls -d /usr/games/graze /usr/lib/games/graze /usr/share/games/graze \
    /usr/share/doc/graze /usr/share/applications/graze.desktop /usr/share/metainfo/*.graze.metainfo.xml \
    2>/dev/null || true)
  [ -z "$left" ] || { echo "package_check: FAILED, left after purge: $left"; exit 1; }
  echo "package_check: purged, nothing left"
fi
echo "package_check: passed"
