# Sourced by the scripts and tests that show the game on a virtual X server.
#   start_virtual_display LOG_FILE
# starts Xvfb (640x480x24, -noreset: the server stays up between clients, so
# a program started right after another has left, or a screenshot taken
# between two, is not refused) on a display number it picks itself, waits
# until it accepts clients, exports DISPLAY and sets virtual_display_pid.
# Xvfb writes the number it took once it is ready, so a server another
# system or user already runs on a number (whose lock file this one may not
# see) is never taken for ours. Status 1 within seconds when it does not start.
start_virtual_display() {
  local log=$1 number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$number" >"$log" 2>&1 &
  virtual_display_pid=$!
  for _ in $(seq 100); do
    [ -s "$number" ] && break
    kill -0 "$virtual_display_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$number" ]; then
    rm -f "$number"
    kill "$virtual_display_pid" 2>/dev/null || true
    cat "$log" >&2
    echo "the virtual X server did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$number")"
  rm -f "$number"
}
