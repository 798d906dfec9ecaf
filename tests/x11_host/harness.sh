# Sourced by the Linux program's tests (which set kelvaris, checker and
# work), with the test library: start_display FILE [XVFB ARGS...] starts a
# private Xvfb, 1024x768 unless the arguments give another -screen 0,
# stopped when the test ends; picture_of checks a screenshot; as_nobody runs
# a command as nobody.
here_support=$(dirname "${BASH_SOURCE[0]}")/../support
source "$here_support/test_lib.sh"
source "$here_support/../../tools/x-server.sh"
stop_displays() { [ ${#x_server_pids[@]} -eq 0 ] || kill "${x_server_pids[@]}" 2>/dev/null; }
trap stop_displays EXIT
start_display() {
  local file=$1
  shift
  start_x_server "$file" Xvfb -screen 0 1024x768x24 "$@"
}

# Runs a command as the unprivileged user nobody, with HOME=$home and this
# DISPLAY: the XScreenSaver daemon and settings program refuse to run hacks
# as root.
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$home" DISPLAY="$DISPLAY" "$@"; }

# Checks, once the first frames are on the screen, that each area
# (WxH+X+Y) shows the central sphere alone, centred and round, at its size.
picture_of() { python3 "$checker" --wait "$work/screen.ppm" "$@"; }
