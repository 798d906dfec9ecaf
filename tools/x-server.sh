# Sourced by the scripts that need private X servers. start_x_server FILE
# COMMAND [ARGS...] starts an X server (Xvfb, or Xephyr inside another) that
# picks a free display number and writes it into FILE, its output going to
# FILE.log; its PID is added to x_server_pids. Exits when the server does
# not come up within 60 s, a bound only against a hang. -noreset: a server
# that resets when its last client goes puts the pointer back in the middle
# of the screen and drops added modes, so a pointer placed by xdotool just
# before a program starts would be elsewhere once it started.
x_server_pids=()
start_x_server() {
  local file=$1
  shift
  rm -f "$file"
  "$@" -noreset -displayfd 3 -nolisten tcp 3>"$file" </dev/null >"$file.log" 2>&1 &
  x_server_pids+=($!)
  for _ in $(seq 600); do
    grep -q '^[0-9]' "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "X server did not start: $*"
  cat "$file.log"
  exit 1
}
