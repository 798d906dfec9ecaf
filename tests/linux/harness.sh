# Sourced by the Linux program's tests (which set kelvaris, checker and
# work): start_display FILE [XVFB ARGS...] starts a private Xvfb, 1024x768
# unless the arguments give another -screen 0, stopped when the test ends;
# picture_of checks a screenshot; as_nobody runs a command as nobody; fail
# counts failures.
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

# Runs a command as the unprivileged user nobody, with HOME=$home and this
# DISPLAY: the XScreenSaver daemon and settings program refuse to run hacks
# as root.
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$home" DISPLAY="$DISPLAY" "$@"; }

# Checks, once the first frames are on the screen, that each area
# (WxH+X+Y) shows the central sphere alone, centred and round, at its size.
picture_of() { python3 "$checker" --wait "$work/screen.ppm" "$@"; }
