#!/usr/bin/env bash
# The Linux program on private Xvfb displays, as XScreenSaver and a user meet
# it, one concern per run, each on X servers of its own so that the runs go
# side by side:
#   own-window  its own window shows the scene centred, also after a resize,
#               and Escape closes it; a window of another program, which ends
#               it when it goes and survives it when it is stopped
#   options     the options other hacks take; the frame rate over the scene
#   slow-stop   the root window of a large screen at the slowest frames the
#               program allows, stopped within a frame by SIGTERM and SIGINT,
#               the frame being drawn never shown
#   x-end       the X server going away
#   refused     the messages for refused command lines and displays
#   no-glx      an X server without GLX
# Usage: hack_test.sh CASE KELVARIS CHECKER WORK_DIR (the case's work goes
# to WORK_DIR-CASE)
set -uo pipefail
case=$1 kelvaris=$2 checker=$3 work=$4-$1
mkdir -p "$work"
source "$(dirname "$0")/harness.sh"
# Whether the picture in the area WxH+X+Y is no longer the sphere alone: a
# guest's satellites are on the screen. Only the area is read, so that a
# frame an earlier run left on the root window does not pass for them.
satellites_shown() {
  import -window root -crop "$1" +repage -depth 8 "$work/screen.ppm"
  ! /usr/bin/python3 "$checker" "$work/screen.ppm" "${1%%+*}+0+0" >/dev/null
}
wait_for_satellites() { poll 120 satellites_shown "$1" || fail "no satellites appeared"; }
# The brightest channel (0-255) in the area WxH+X+Y of the screen.
brightest() { import -window root -crop "$1" -depth 8 -format '%[fx:int(255*maxima)]' info:; }
lit() { [ "$(brightest "$1")" -gt 16 ]; }
# The mean brightness (0-255) of the area.
mean() { import -window root -crop "$1" -depth 8 -format '%[fx:int(255*mean)]' info:; }

# The cases that draw on the default display get one of their own.
case $case in
  own-window | options) start_display "$work/display" && export DISPLAY=":$(head -n1 "$work/display")" ;;
  no-glx) start_display "$work/display" -extension GLX && export DISPLAY=":$(head -n1 "$work/display")" ;;
esac

case $case in
own-window)
  # A window of its own: the picture, a resize, and Escape. Two frames a
  # second, so that a guest's frames stay on the screen long enough to be seen.
  "$kelvaris" -count 0 -delay 500000 -visual default 2>"$work/own.err" &
  own=$!
  window=$(timeout 60 xdotool search --sync --name '^Kelvaris$' | head -n1)
  expect "$(xprop -id "$window" WM_CLASS _NET_WM_PID | tr -d ' ')" \
    "WM_CLASS(STRING)=\"kelvaris\",\"Kelvaris\"
_NET_WM_PID(CARDINAL)=$own" "its window's class and process id"
  picture_of 800x600+0+0 || fail "own window: the picture"
  xdotool windowsize "$window" 400 500
  picture_of 400x500+0+0 || fail "own window after a resize: the picture"

  # Guests in that window, at the slowest frames (1000 satellites): one stopped
  # by SIGTERM leaves the window to its owner; one is ended by the window's end.
  "$kelvaris" --window-id "$window" --count 1000 2>"$work/guest.err" &
  guest=$!
  wait_for_satellites 400x500+0+0
  kill -TERM "$guest"
  expect_end "$guest" 143 "SIGTERM ends a guest by that signal"
  expect "$(xdotool getwindowname "$window" 2>&1)" "Kelvaris" "the guest left its host's window alone"
  "$kelvaris" --window-id "$window" --count 1000 2>>"$work/guest.err" &
  guest=$!
  wait_for_satellites 400x500+0+0
  xdotool keydown --window "$window" Escape
  expect_end "$own" 0 "Escape closes its own window"
  expect_end "$guest" 0 "the guest ends when the window goes"
  expect "$(cat "$work/own.err" "$work/guest.err")" "" "neither printed anything"
  ;;
options)
  # The options other hacks take, in a window of its own: the frame rate
  # shows in the lower left corner, and the scene beside it is drawn as
  # without it.
  "$kelvaris" -window -count 0 -fps -delay 20000 -visual TrueColor -install -noinstall -mono \
    -display "$DISPLAY" 2>"$work/options.err" &
  options=$!
  poll 60 lit 150x40+0+560
  window=$(xdotool search --name '^Kelvaris$' | head -n1)
  expect "$(xwininfo -id "$window" | sed -n 's/^ *Depth: //p')" 32 "-visual TrueColor takes the deepest TrueColor visual"
  expect "$(brightest 150x40+0+560)" 255 "-fps draws the frame rate in the corner"
  # White text on a dark backdrop: the text's box is mostly dark.
  [ "$(mean 80x16+8+574)" -lt 100 ] || fail "-fps: the text's box is not mostly dark (mean $(mean 80x16+8+574))"
  # A row of its F, in font pixels of 2x2 from (10, 580): only the bar on
  # the left is lit.
  [ "$(brightest 2x2+10+580)" = 255 ] && [ "$(brightest 2x2+18+580)" -lt 128 ] &&
    ok "-fps: the F reads left to right" || fail "-fps: the F is not drawn as an F"
  import -window root -crop 480x600+160+0 +repage -depth 8 "$work/scene.ppm"
  /usr/bin/python3 "$checker" "$work/scene.ppm" 480x600+0+0 >/dev/null || fail "-fps: the scene beside the rate is drawn wrong"
  kill -TERM "$options"
  expect_end "$options" 143 "every option other hacks take is accepted"
  ;;
slow-stop)
  # The root window of a large screen at 1000 satellites, where one frame takes
  # many ticks: each signal ends it within that frame, by the signal.
  start_display "$work/large" -screen 0 3840x2160x24
  centre_lit() { lit 1x1+1920+1080; }
  for signal in TERM INT; do
    DISPLAY=":$(head -n1 "$work/large")" stops_by_signal "at 1000 satellites on 3840x2160" centre_lit "$signal" \
      "$kelvaris" -root -count 1000 2>"$work/root.err"
    expect "$(cat "$work/root.err")" "" "SIG$signal: nothing printed"
  done
  # A guest in a window whose owner is held still, so that nothing else draws
  # there: held mid-frame while the screen is read, then signalled, the frame
  # it was drawing is never shown. (Held while it was swapping a frame drawn
  # before the signal, that frame lands after: so up to three tries, of which
  # one must show no change.)
  export DISPLAY=":$(head -n1 "$work/large")"
  "$kelvaris" -count 0 -delay 500000 &
  host=$!
  window=$(timeout 60 xdotool search --sync --name '^Kelvaris$' | head -n1)
  xdotool windowsize "$window" 1280 720
  poll 60 lit 1x1+640+360
  kill -STOP "$host"
  for try in 1 2 3; do
    "$kelvaris" --window-id "$window" --count 1000 &
    guest=$!
    wait_for_satellites 1280x720+0+0
    kill -STOP "$guest"
    import -window root -crop 1280x720+0+0 -depth 8 "$work/before.rgb"
    kill -TERM "$guest"
    kill -CONT "$guest"
    expect_end "$guest" 143 "SIGTERM in the middle of a frame ends it by that signal"
    import -window root -crop 1280x720+0+0 -depth 8 "$work/after.rgb"
    cmp -s "$work/before.rgb" "$work/after.rgb" && break
  done
  cmp -s "$work/before.rgb" "$work/after.rgb" && ok "the frame it was drawing was not shown (try $try)" ||
    fail "a frame was shown after SIGTERM, three times"
  kill -CONT "$host"
  kill "$host"
  ;;
x-end)
  # A window that is not there: the error the X server gave is named.
  start_display "$work/doomed"
  DISPLAY=":$(head -n1 "$work/doomed")" "$kelvaris" -window-id 0x1234567 2>"$work/gone.err"
  expect "$? $(grep -o '(X error: [A-Za-z]*' "$work/gone.err")" "1 (X error: BadWindow" \
    "a window that is not there is said so ($(cat "$work/gone.err"))"
  # The X server goes away: it ends at once without a word.
  DISPLAY=":$(head -n1 "$work/doomed")" "$kelvaris" -root -count 0 2>"$work/doomed.err" &
  doomed=$!
  DISPLAY=":$(head -n1 "$work/doomed")" /usr/bin/python3 "$checker" --wait "$work/screen.ppm" 1024x768+0+0 >/dev/null
  kill "${x_server_pids[-1]}"
  expect_end "$doomed" 1 "the X server's end ends it"
  expect "$(cat "$work/doomed.err")" "" "the X server's end: nothing printed"
  ;;
refused)
  # Help, and refused command lines: what was wrong, the usage, exit code 1.
  "$kelvaris" --help >"$work/help.out" 2>&1
  expect "$? $(head -c 6 "$work/help.out")" "0 usage:" "--help prints the usage and exits with 0"
  # (Which values are refused is the unit tests' part; here, each message.)
  for args in "-count" "--count 5x" "extra"; do
    # shellcheck disable=SC2086
    "$kelvaris" $args 2>"$work/usage.err" </dev/null
    expect "$? $(sed -n 2p "$work/usage.err" | head -c 6)" "1 usage:" "'$args' is refused ($(head -n1 "$work/usage.err"))"
  done
  "$kelvaris" -root -bogus 2>"$work/usage.err"
  expect "$(head -n1 "$work/usage.err")" "kelvaris: unrecognised option: -bogus" "an unknown option is named"
  XSCREENSAVER_WINDOW=0xZZ "$kelvaris" 2>"$work/variable.err"
  expect "$? $(cat "$work/variable.err")" "1 kelvaris: XSCREENSAVER_WINDOW is not a window id: 0xZZ" \
    "a bad XSCREENSAVER_WINDOW is named"
  "$kelvaris" -display :999 2>"$work/display.err"
  expect "$? $(cat "$work/display.err")" "1 kelvaris: display :999: cannot be opened" "a display that is not there is named"
  env -u DISPLAY "$kelvaris" 2>"$work/display.err"
  expect "$? $(cat "$work/display.err")" "1 kelvaris: DISPLAY is not set, and no -display was given" \
    "no display at all is said so"
  ;;
no-glx)
  "$kelvaris" -root 2>"$work/noglx.err"
  expect "$? $(wc -l <"$work/noglx.err")" "1 1" "no GLX: one line and exit code 1 ($(cat "$work/noglx.err"))"
  ;;
*)
  fail "no such case: $case"
  ;;
esac
finish
