#!/usr/bin/env bash
# Times a newcomer's first run as a new machine of CI's kind has it. Run it on
# such a machine before anything of the project is installed there: each run
# happens in this machine's own system under a throw-away overlay (whatever
# the run installs, builds or caches is dropped at its end, so the next run
# finds the machine new again), from a fresh clone of this checkout, with an
# empty compiler cache and the page cache dropped first, so every package,
# compiler and library comes from the network or the disk as it would there.
#   1. scripts/play.sh until the game's first picture is on screen (a virtual
#      X server, installed in the overlay before the clock starts);
#   2. scripts/test.sh: the packages, the build and the whole suite.
# Each prints its wall seconds and the CPU seconds (user + system) of all it
# ran. Needs root (the overlay, and the packages the scripts install).
# Usage: scripts/measuring/time_first_run.sh [play|test]   (both by default)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
which=${1:-both}
[ "$(id -u)" -eq 0 ] || { echo "time_first_run: needs root" >&2; exit 1; }
work=$(mktemp -d /var/tmp/graze-first-run.XXXXXX)
trap 'rm -rf --one-file-system "$work"' EXIT
echo "time_first_run: load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"

# The watcher of the screen: status 0 once the virtual screen is no longer
# black (the game's first picture), built with the machine's own compiler.
cat >"$work/lit.c" <<'EOF'
#include <X11/Xlib.h>
#include <X11/Xutil.h>
int main(void) {
  Display *d = XOpenDisplay(0);
  if (!d) return 2;
  Window root = DefaultRootWindow(d);
  XWindowAttributes a;
  XGetWindowAttributes(d, root, &a);
  XImage *image = XGetImage(d, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!image) return 2;
  long lit = 0;
  for (int y = 0; y < a.height; y += 4)
    for (int x = 0; x < a.width; x += 4) lit += XGetPixel(image, x, y) != 0;
  return lit > 64 ? 0 : 1;
}
EOF

# Runs SCRIPT (a bash script text) as root in the overlay system; the clone
# is /root/graze-first-run and the watcher /usr/local/bin/first_light.
in_new_system() {
  local dir=$work/$1
  mkdir -p "$dir/upper" "$dir/work" "$dir/root"
  unshare --mount --pid --fork --propagation private bash -euo pipefail -c '
    dir=$1 src=$2 lit=$3 script=$4
    root=$dir/root
    mount -t overlay overlay -o "lowerdir=/,upperdir=$dir/upper,workdir=$dir/work" "$root"
    . "$src/scripts/testing/system_mounts.sh"
    mount_system_dirs "$root"
    rm -rf "$root/root/graze-first-run" "$root/root/.ccache" "$root/root/.cache/ccache"
    git clone -q "$src" "$root/root/graze-first-run"
    gcc -O2 -o "$root/usr/local/bin/first_light" "$lit" -lX11
    exec chroot "$root" env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      bash -euo pipefail -c "$script"
  ' in-new-system "$dir" "$src" "$work/lit.c" "$2"
}

# Drops the page cache, then starts the clock; the rest runs in the clone.
clock_start='sync; echo 3 >/proc/sys/vm/drop_caches; cd /root/graze-first-run; began=$(date +%s%N)'

if [ "$which" != test ]; then
  in_new_system play "
    apt-get install -y -qq --no-install-recommends xvfb >/dev/null 2>&1 ||
      { apt-get update -qq && apt-get install -y -qq --no-install-recommends xvfb >/dev/null; }
    cd /root/graze-first-run
    . scripts/testing/virtual_display.sh
    start_virtual_display /dev/null
    $clock_start
    SDL_AUDIODRIVER=dummy scripts/play.sh >/tmp/play.log 2>&1 &
    play=\$!
    until first_light; do
      kill -0 \$play 2>/dev/null || { cat /tmp/play.log; echo 'play.sh ended early'; exit 1; }
      sleep 0.25
    done
    shown=\$(date +%s%N)
    # play.sh has turned into the game, whose process holds the CPU of the
    # whole set-up in its reaped children's times.
    cpu=\$(awk -v hz=\$(getconf CLK_TCK) '{ sub(/^.*\\) /, \"\"); printf \"%.0f\", (\$12 + \$13 + \$14 + \$15) / hz }' /proc/\$play/stat)
    kill \$play
    echo \"scripts/play.sh, new machine and fresh clone to the first picture: \$(((shown - began) / 1000000000)) s wall, \$cpu s CPU\"
  "
fi

if [ "$which" != play ]; then
  # The CPU of the whole run: the shell's reaped children, from `times`.
  in_new_system test "$clock_start"'
    scripts/test.sh >/tmp/test.log 2>&1 || { tail -40 /tmp/test.log; exit 1; }
    ended=$(date +%s%N)
    times >/tmp/times
    cpu=$(awk "NR == 2 { for (i = 1; i <= 2; i++) { split(\$i, t, /[ms]/); s += 60 * t[1] + t[2] } printf \"%.0f\", s }" /tmp/times)
    grep -E "^[0-9]+% tests passed" /tmp/test.log
    echo "scripts/test.sh, new machine and fresh clone: $(((ended - began) / 1000000000)) s wall, $cpu s CPU"
  '
fi
