#!/usr/bin/env bash
# Real display changes while the full-screen saver runs: on an Xvfb of its
# own that offers several modes, a Windows program changes the resolution
# through ChangeDisplaySettingsExA, shrinking and growing, eleven times in a
# row, and Wine announces each with a real WM_DISPLAYCHANGE; last, a change
# made on the X side (xrandr), which Wine does not announce. After each, the
# saver's window must cover the new screen exactly and the screen must show
# the sphere centred and round at the new size; a key then ends it with 0.
# Usage: display_change.sh TOOLS_DIR WINE_STATE SCR CHANGE_DISPLAY_EXE
set -uo pipefail
tools=$1 state=$2 scr=$3 change=$4
here=$(dirname "$0")
source "$tools/wine-env.sh" "$state"
source "$tools/x-server.sh"
source "$here/own_wine.sh"
source "$here/../support/test_lib.sh"
dir="$state/display-change"
mkdir -p "$dir"
wine_log="$dir/wine.log"

# A Wine of its own, on the display below.
own_wine display-change "$wine_log"

# As large as the largest mode.
start_x_server "$dir/display" Xvfb -screen 0 1280x1024x24
export DISPLAY=":$(head -n1 "$dir/display")"
xrandr --newmode 640x480 25.175 640 656 752 800 480 490 492 525 -hsync -vsync
xrandr --newmode 800x600 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
xrandr --newmode 1024x768 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
for mode in 640x480 800x600 1024x768; do xrandr --addmode screen "$mode"; done
{
  wineserver -k
  store_count 0
  wineserver -p
} </dev/null >>"$wine_log" 2>&1

# The pointer in the corner that every mode keeps: a change that moved it
# would end the saver as a user's mouse movement does.
xdotool mousemove 0 0
start_saver "$scr" || { fail "no saver window"; finish; }
window=$(xdotool search --name '^Screen Saver$' | head -n1)

# Whether the window covers the screen of $size exactly and the screen
# shows the scene at that size; true too once the saver has ended, which
# the caller reports. Says in $verdict what is wrong.
refitted() {
  running "$saver_pid" || return 0
  geometry=$(xdotool getwindowgeometry "$window" | tr -d ' ' |
    sed -n 's/^Position:\([0-9]*\),\([0-9]*\).*/\1+\2/p;s/^Geometry://p' | tr '\n' ' ')
  [ "$geometry" = "0+0 $size " ] || return 1
  import -window root -depth 8 "$dir/screen.ppm"
  /usr/bin/python3 "$here/../support/check_monitors.py" "$dir/screen.ppm" "$size+0+0" >"$dir/check.log" && { verdict=; return 0; }
  verdict="the picture: $(grep FAIL "$dir/check.log" | tr '\n' ' ')"
  return 1
}

# Each size differs from the one before: every change needs a new window.
# One marked "x" is made on the X side.
changes=(800x600 1280x1024 640x480 1024x768 800x600 1280x1024 1024x768 640x480 1280x1024 800x600 1024x768 x800x600)
right=0
for size in "${changes[@]}"; do
  if [ "${size:0:1}" = x ]; then
    size=${size:1}
    xrandr --output screen --mode "$size"
  elif ! wine "$change" "${size%x*}" "${size#*x}" </dev/null >>"$wine_log" 2>&1; then
    fail "$size: the change was refused"
    continue
  fi
  # The saver refits on the notice or on a later tick. 60 s only guard
  # against a saver that never does; the first wrong fit ends the run, so
  # that a failure is reported well inside the test's time limit.
  verdict="the window does not cover the screen"
  poll 60 refitted
  running "$saver_pid" || { fail "the saver ended during the changes"; break; }
  [ -n "$verdict" ] && { fail "after the change to $size: $verdict (window at $geometry)"; break; }
  right=$((right + 1))
done
echo "$right of ${#changes[@]} changes refitted right"
xdotool key a
expect_end "$saver_pid" 0 "a key"
finish
