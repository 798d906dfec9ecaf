# Sourced by the Linux program's tests (which set kelvaris, checker and
# work): start_display FILE [XVFB ARGS...] starts a private Xvfb, stopped
# when the test ends; picture_of checks a screenshot; fail counts failures.
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/x-server.sh"
stop_displays() { [ ${#x_server_pids[@]} -eq 0 ] || kill "${x_server_pids[@]}" 2>/dev/null; }
trap stop_displays EXIT
start_display() {
  local file=$1
  shift
  start_x_server "$file" Xvfb -screen 0 1024x768x24 "$@"
}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Waits until the centre of each area (WxH+X+Y) is lit, then checks that
# each shows the central sphere alone, centred and round, at its size. The
# wait is bounded only against a hang.
picture_of() {
  local shot=$work/screen.ppm
  for _ in $(seq 1200); do
    import -window root -depth 8 "$shot"
    python3 "$checker" --drawn "$shot" "$@" && break
    sleep 0.1
  done
  python3 "$checker" "$shot" "$@"
}
