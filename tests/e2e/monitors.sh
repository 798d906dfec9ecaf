#!/usr/bin/env bash
# The full-screen saver on two monitors, as Wine presents them from a nested
# X server (Xephyr, inside a private Xvfb) with two Xinerama screens: 640x480
# and, to its right, a portrait 300x400. The screen, read as a user sees it,
# must show the central sphere centred and round on each monitor, at the
# size of that monitor's narrower side (its height on the wide one, its
# width on the portrait one), and nothing where no monitor is; a key ends the
# saver with 0. Done twice: with the left screen as the primary, and with the
# right one, which puts the left monitor at negative coordinates.
# Usage: monitors.sh TOOLS_DIR WINE_STATE SCR
set -uo pipefail
tools=$1 state=$2 scr=$3
here=$(dirname "$0")
source "$tools/wine-env.sh" "$state"
source "$tools/x-server.sh"
source "$here/own_wine.sh"
source "$here/../support/test_lib.sh"
dir="$state/monitors"
mkdir -p "$dir"
wine_log="$dir/wine.log"

# A Wine of its own: the monitor settings below are read when Wine starts.
own_wine monitors "$wine_log"

start_x_server "$dir/host" Xvfb -screen 0 1400x1000x24
DISPLAY=":$(head -n1 "$dir/host")" start_x_server "$dir/nested" Xephyr +xinerama -screen 640x480 -screen 300x400
export DISPLAY=":$(head -n1 "$dir/nested")"
monitors=(640x480+0+0 300x400+640+0)  # in X's coordinates, whichever is the primary

for primary in 0 1; do
  {
    wineserver -k
    # With XRandR Wine sees one monitor; from Xinerama it takes each screen,
    # and the one named here as the primary, at (0, 0).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /t REG_SZ /d "$primary" /f
    store_count 0
    wineserver -k
    wineserver -p
  } </dev/null >>"$wine_log" 2>&1

  start_saver "$scr" || { fail "primary $primary: no saver window"; continue; }
  /usr/bin/python3 "$here/../support/check_monitors.py" --wait --narrower-side "$dir/primary-$primary.ppm" "${monitors[@]}" ||
    fail "primary $primary: the picture"
  xdotool key a
  expect_end "$saver_pid" 0 "primary $primary: a key"
done
finish
