# Sourced by the scripts that install Debian packages: one way to find what
# is missing and install it, as root or through sudo, waiting for the
# package lock when another apt or dpkg holds it instead of failing.
#   missing_packages PACKAGE...  prints those not installed, one a line
#   install_packages WHO PACKAGE...
#     installs the missing ones (status 0 when all are there afterwards);
#     status 2 without root and without sudo (nothing can be installed),
#     status 1 when apt fails (the archive unreachable, say). WHO prefixes
#     its messages.
# GRAZE_APT_LOCK_WAIT: seconds to wait for the package lock (default 600).

apt_lock_wait=${GRAZE_APT_LOCK_WAIT:-600}

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# As root, or through sudo, or nothing (status 1).
as_root_command() {
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    return 1
  fi
}

# apt-get update waits for the package lists' lock as the install waits for
# dpkg's: apt only waits for the latter itself, so the update is tried again
# while another apt holds the lists.
apt_update_waiting() {
  local who=$1 waited=0 log
  log=$(mktemp)
  while ! "${as_root[@]}" apt-get -qq -o DPkg::Lock::Timeout="$apt_lock_wait" update >"$log" 2>&1; do
    if grep -q "Could not get lock" "$log" && [ "$waited" -lt "$apt_lock_wait" ]; then
      [ "$waited" -eq 0 ] && echo "$who: waiting for another apt to release the package lists"
      sleep 5
      waited=$((waited + 5))
      continue
    fi
    cat "$log" >&2
    rm -f "$log"
    return 1
  done
  rm -f "$log"
}

install_packages() {
  local who=$1
  shift
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! as_root_command; then
    echo "$who: needs these Debian packages, not installed yet: ${missing[*]}" >&2
    echo "$who: install them as root, then run this again:" >&2
    echo "    apt-get install --no-install-recommends ${missing[*]}" >&2
    return 2
  fi
  echo "$who: installing ${missing[*]}"
  apt_update_waiting "$who" || return 1
  local log
  log=$(mktemp)
  if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    -o DPkg::Lock::Timeout="$apt_lock_wait" --no-install-recommends "${missing[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}
