# Sourced by the Linux program's tests (which set kelvaris, checker and
# work), with the test library: start_display FILE [XVFB ARGS...] starts a
# private Xvfb, 1024x768 unless the arguments give another -screen 0,
# stopped when the test ends; picture_of checks a screenshot; as_saver_user
# and the others below run XScreenSaver's programs as the user they allow.
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

# The XScreenSaver daemon and settings program refuse to run hacks as root:
# run as root, the tests run them as nobody; run by a user, as that user.
# as_saver_user runs a command so, with HOME=$home and this DISPLAY;
# give_to_saver_user hands it the files it writes; with_config_folder runs
# a command so with a folder mounted over XScreenSaver's folder of settings
# files, for that command alone (by root in a mount namespace of its own,
# by a user in a user namespace).
as_saver_user() { "${as_unprivileged[@]}" env HOME="$home" DISPLAY="$DISPLAY" "$@"; }
if [ "$(id -u)" -eq 0 ]; then
  saver_user=nobody
  give_to_saver_user() { chown -R nobody:nogroup "$@"; }
  with_config_folder() {
    unshare -m --propagation private sh -c 'mount --bind "$1" /usr/share/xscreensaver/config && shift && exec "$@"' \
      - "$1" "${as_unprivileged[@]}" "${@:2}"
  }
else
  saver_user=$(id -un)
  give_to_saver_user() { :; }
  with_config_folder() {
    unshare -r -m --propagation private sh -c 'mount --bind "$1" /usr/share/xscreensaver/config && shift && exec "$@"' \
      - "$1" unshare --map-user="$(id -u)" --map-group="$(id -g)" "${@:2}"
  }
fi

# Checks, once the first frames are on the screen, that each area
# (WxH+X+Y) shows the central sphere alone, centred and round, at its size.
picture_of() { /usr/bin/python3 "$checker" --wait "$work/screen.ppm" "$@"; }
