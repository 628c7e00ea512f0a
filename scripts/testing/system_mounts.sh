# Sourced inside a private mount namespace by the scripts that run a command
# in another root (a debootstrap system, or this machine under an overlay):
#   mount_system_dirs ROOT
# mounts what programs expect of a running system under ROOT: /proc, /sys,
# /dev with its own shared memory and pseudo-terminals, and an empty /tmp.
mount_system_dirs() {
  local root=$1
  mount -t proc proc "$root/proc"
  mount -t sysfs sys "$root/sys"
  mount --bind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
  mount -t tmpfs -o mode=1777 tmp "$root/tmp"
}
