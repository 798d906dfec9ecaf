#!/usr/bin/env bash
# The full-screen saver on two monitors, as Wine presents them from a nested
# X server (Xephyr, inside a private Xvfb) with two Xinerama screens: 640x480
# and, to its right, 512x384. The screen, read as a user sees it, must show
# the central sphere centred and round on each monitor, at that monitor's
# size, and nothing where no monitor is; a key ends the saver with 0. Done
# twice: with the left screen as the primary, and with the right one, which
# puts the left monitor at negative coordinates.
# Usage: monitors.sh TOOLS_DIR WINE_STATE SCR
set -uo pipefail
tools=$1 state=$2 scr=$3
here=$(dirname "$0")
source "$tools/wine-env.sh" "$state"
source "$tools/x-server.sh"
dir="$state/monitors"
mkdir -p "$dir"
log="$dir/wine.log"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A prefix of its own, hard-linked from the run's, with its own wineserver:
# the monitor settings below are read when Wine starts.
main_prefix=$WINEPREFIX
export WINEPREFIX="$state/prefix-monitors"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  cp -al "$main_prefix" "$WINEPREFIX"
  for reg in "$main_prefix"/*.reg; do cp --remove-destination "$reg" "$WINEPREFIX/"; done
fi

cleanup() {
  wineserver -k </dev/null >>"$log" 2>&1
  [ ${#x_server_pids[@]} -eq 0 ] || kill "${x_server_pids[@]}" 2>/dev/null
}
trap cleanup EXIT

start_x_server "$dir/host" Xvfb -screen 0 1400x1000x24
DISPLAY=":$(head -n1 "$dir/host")" start_x_server "$dir/nested" Xephyr +xinerama -screen 640x480 -screen 512x384
export DISPLAY=":$(head -n1 "$dir/nested")"
monitors=(640x480+0+0 512x384+640+0)  # in X's coordinates, whichever is the primary

for primary in 0 1; do
  {
    wineserver -k
    # With XRandR Wine sees one monitor; from Xinerama it takes each screen,
    # and the one named here as the primary, at (0, 0).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /t REG_SZ /d "$primary" /f
    wine reg add 'HKCU\Software\Quenwick\Zembrel' /v NumSatellites /t REG_DWORD /d 0 /f
    wineserver -k
    wineserver -p
  } </dev/null >>"$log" 2>&1

  wine "$scr" /s </dev/null >>"$log" 2>&1 &
  saver=$!
  if ! "$tools/wait-for-saver.sh"; then
    fail "primary $primary: no saver window"
    kill "$saver"
    continue
  fi
  python3 "$here/check_monitors.py" --wait "$dir/primary-$primary.ppm" "${monitors[@]}" ||
    fail "primary $primary: the picture"
  xdotool key a
  wait "$saver"
  code=$?
  [ "$code" -eq 0 ] && echo "ok: primary $primary: a key ends it with 0" || fail "primary $primary: exit code $code"
done
exit $((failures > 0))
