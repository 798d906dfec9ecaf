#!/usr/bin/env bash
# The Wayland program on private headless compositors, one concern per run:
#   outputs     the saver on two outputs of different sizes and scales: each
#               shows the whole sphere centred and round, crisp at scale 2;
#               an output added gets the scene, one unplugged leaves the
#               others drawing, and outputs plugged in and out more times
#               than it has places each get the scene
#   input       a key, a button's press, the wheel and the pointer's travel
#               each end the saver with 0; a small jitter does not; a key on
#               a second seat; seats beyond its places released; the
#               saver covers the edge a panel keeps for itself
#   background  --background stays below a window and takes no input; the
#               saver covers a full-screen window, its key map not kept
#   slow-stop   SIGTERM and SIGINT at 1000 satellites on 3840x2160 end it by
#               the signal, five times, and a frame being drawn when the
#               signal came is not shown, and all it made is released; a
#               stop during start-up, with the compositor not answering,
#               ends it too
#   idle        no frames (no processor time) while the compositor is idle
#               or the window is on a hidden workspace; the window redrawn
#               at its output's new scale, not at another output's, and
#               ended with 0 when the compositor closes it; --idle
#               shows the saver after the time without input, ends it on a
#               key on one of two seats, and shows it again once that seat
#               is idle, idle meanwhile
#   gnome       on GNOME's compositor, without a layer shell: a full-screen
#               window on every monitor, ended by a key and the pointer's
#               travel (sent through its remote-desktop interface), and
#               --idle through its idle monitor, waiting while the session
#               manager says an application inhibits idling; nothing it
#               took from the session bus leaked at its close
#   kde         on KDE's compositor at scale 1.5: the saver and a window
#               drawn at the output's pixels, the saver ended by a touch, and
#               --idle through its idle protocol; everything it made
#               released at its close
#   faults      the messages for no compositor, no layer shell, no idle
#               watch, refused command lines; the compositor's end ends it
#               without a word
# Usage: wayland_test.sh CASE KELVARIS_WAYLAND VIRTUAL_POINTER FAKE_TOUCH CHECKER
#        WORK_DIR (the case's work goes to WORK_DIR-CASE)
set -uo pipefail
case=$1 kelvaris=$2 virtual_pointer=$3 fake_touch=$4 checker=$5 work=$6-$1
source "$(dirname "$0")/compositors.sh"
rm -rf "$work"
mkdir -p "$work"

# The output's screenshot in OUTPUT.ppm. A capture waits for the output's
# next frame, which an output going away may never draw: bounded far above a
# loaded machine's capture, so that a poll's own bound still ends it.
grab() { timeout 60 grim "$@"; }
shot() { grab -t ppm -o "$1" "$work/$1.ppm"; }
# The colour of the pixel at X,Y of the layout, as " R G B".
pixel() { grab -g "$1 1x1" -t ppm - | tail -c 3 | od -An -tu1 | tr -s ' '; }
# Whether the output shows the sphere alone, centred and round, framed by
# its narrower side.
sphere_shown() { /usr/bin/python3 "$checker" --narrower-side "$work/$1.ppm" "$(identify -format %wx%h "$work/$1.ppm")+0+0" >/dev/null; }
sphere_on() { shot "$1" && sphere_shown "$1"; }
# Whether the output shows sway's grey background alone.
missing_sphere() { shot "$1" && [ "$(identify -format '%k' "$work/$1.ppm")" = 1 ]; }
# Whether the output shows more than the sphere: satellites.
satellites_on() { shot "$1" && ! sphere_shown "$1"; }
# Whether the output's picture has changed since its last screenshot.
changed() { cp "$work/$1.ppm" "$work/$1.before.ppm" && shot "$1" && ! cmp -s "$work/$1.ppm" "$work/$1.before.ppm"; }
# The share (%) of the picture's rows whose first lit pixel is at an odd
# column: none in a picture drawn at half the size and doubled, about half
# where the sphere's edge is drawn at the output's own pixels.
odd_edges() {
  /usr/bin/python3 - "$1" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields = data.split(maxsplit=4)
width, height, pixels = int(fields[1]), int(fields[2]), fields[4]
edges = []
for y in range(height):
    row = pixels[3 * width * y:3 * width * (y + 1)]
    lit = [x for x in range(width) if max(row[3 * x:3 * x + 3]) > 16]
    if lit:
        edges.append(lit[0])
print(int(100 * sum(x % 2 for x in edges) / max(1, len(edges))))
PY
}
drawing() { ! idle_for_a_second "$1"; }
start_saver() {
  "$kelvaris" "$@" 2>>"$work/saver.err" &
  saver=$!
}
# The saver with its protocol log in FILE, emptied first: a check that polls
# the log must never read the last run's.
start_logged() {
  local log=$1
  shift
  : >"$log"
  WAYLAND_DEBUG=client "$kelvaris" "$@" 2>"$log" &
  saver=$!
}

case $case in
outputs)
  start_sway "$work/sway" "output HEADLESS-1 mode 1280x720 scale 1" || finish
  swaymsg create_output >/dev/null && swaymsg output HEADLESS-2 mode 720x1280 scale 2 pos 1280 0 >/dev/null
  start_saver --count 0
  poll 30 sphere_on HEADLESS-1 && ok "1280x720 at scale 1: the sphere centred and round" ||
    fail "1280x720 at scale 1: the picture"
  poll 30 sphere_on HEADLESS-2 && ok "720x1280 at scale 2: the sphere framed by the width" ||
    fail "720x1280 at scale 2: the picture"
  odd=$(odd_edges "$work/HEADLESS-2.ppm")
  [ "$odd" -gt 20 ] && ok "scale 2 drawn at the output's pixels (the edge at an odd column in $odd % of rows)" ||
    fail "scale 2 looks doubled: the edge at an odd column in $odd % of rows"
  swaymsg create_output >/dev/null && swaymsg output HEADLESS-3 mode 1024x768 pos 2000 0 >/dev/null
  poll 30 sphere_on HEADLESS-3 && ok "an output added gets the scene" || fail "an output added: the picture"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends it by that signal"
  # Outputs that can be unplugged: windows of another sway.
  start_sway "$work/outer" "output HEADLESS-1 mode 640x360" || finish
  outer=$SWAYSOCK
  start_nested_sway "$work/nested" || finish
  # The Wayland backend of this wlroots (0.15) can stall as sway makes an
  # output: the output's round trip reads the host's events, and in the same
  # pass the backend then waits on the host's socket for more, which a host
  # with nothing to draw never sends (swaymsg gives up after 3 s). A
  # configure from the host wakes it: WL-1 made full-screen and back.
  plug_output() {
    swaymsg create_output >/dev/null 2>&1 && return
    echo "   the nested sway stalled making an output: woken"
    swaymsg -s "$outer" '[title="wlroots - WL-1"] fullscreen enable' >/dev/null
    swaymsg -s "$outer" '[title="wlroots - WL-1"] fullscreen disable' >/dev/null
  }
  plug_output
  start_saver --count 0
  poll 30 sphere_on WL-1 && poll 30 sphere_on WL-2 || fail "the nested outputs: the picture"
  swaymsg -s "$outer" '[title="wlroots - WL-2"] kill' >/dev/null
  poll 30 changed WL-1 && poll 30 changed WL-1 && running "$saver" &&
    ok "an output unplugged: the saver runs on and draws on the other" || fail "an output unplugged: the saver stopped"
  # More outputs than it has places for (16), one at a time: each gone
  # output's place is free again, so the last one plugged in gets the scene.
  # Each is unplugged once the scene is on it: the centre of a picture
  # scaled down, no longer sway's grey.
  centre_drawn() { [ "$(grab -s 0.05 -o "$1" -t ppm - | /usr/bin/python3 -c 'import sys
d = sys.stdin.buffer.read(); f = d.split(maxsplit=4); w, h = int(f[1]), int(f[2])
i = 3 * (w * (h // 2) + w // 2); print(*f[4][i:i + 3])')" != "63 63 63" ]; }
  for n in $(seq 3 16); do
    plug_output
    poll 30 centre_drawn "WL-$n" || break
    swaymsg -s "$outer" "[title=\"wlroots - WL-$n\"] kill" >/dev/null
  done
  plug_output
  poll 30 sphere_on WL-17 && ok "outputs plugged in and out 15 times: the next one gets the scene" ||
    fail "outputs plugged in and out: no scene on WL-$n or after it"
  wtype -s 300 a
  expect_end "$saver" 0 "a key still ends it: the seat kept while outputs went"
  expect "$(cat "$work/saver.err")" "" "nothing printed"
  ;;
input)
  # A magenta bar along the bottom, whose edge sway keeps clear of windows.
  start_sway "$work/sway" "output HEADLESS-1 mode 1280x720" "bar {" "colors {" "background #ff00ff" "}" "}" || finish
  "$virtual_pointer" >"$work/pointer.out" &
  poll 30 grep -q ready "$work/pointer.out" || fail "no virtual pointer"
  bar_shown() { [ "$(pixel 1279,719)" = " 255 0 255" ]; }
  poll 30 bar_shown || fail "no bar"
  start_saver --count 0
  poll 30 sphere_on HEADLESS-1
  ! bar_shown && ok "the saver covers the bar's edge" || fail "the bar's edge shows beside the saver"
  wtype -s 300 a
  expect_end "$saver" 0 "a key ends the saver"

  swaymsg seat seat0 cursor set 640 360 >/dev/null
  start_saver --count 0
  poll 30 sphere_on HEADLESS-1
  # Two across and one down: within the threshold. Once a later frame is on
  # the screen, the saver has had the motion and still runs.
  swaymsg seat seat0 cursor move 2 1 >/dev/null
  poll 30 changed HEADLESS-1 && poll 30 changed HEADLESS-1
  running "$saver" && ok "a jitter of 2 and 1 pixels leaves the saver running" || fail "a small jitter ended the saver"
  swaymsg seat seat0 cursor move 3 0 >/dev/null
  expect_end "$saver" 0 "the pointer's travel beyond the threshold ends the saver"

  start_saver --count 0
  poll 30 sphere_on HEADLESS-1
  swaymsg seat seat0 cursor press button1 >/dev/null
  expect_end "$saver" 0 "a button's press ends the saver"
  swaymsg seat seat0 cursor release button1 >/dev/null
  start_saver --count 0
  poll 30 sphere_on HEADLESS-1
  swaymsg seat seat0 cursor press button4 >/dev/null
  expect_end "$saver" 0 "a turn of the wheel ends the saver"

  # A second seat: wtype types on it.
  swaymsg seat seat1 hide_cursor 0 >/dev/null
  start_saver --count 0
  poll 30 sphere_on HEADLESS-1
  wtype -s 300 a
  expect_end "$saver" 0 "a key on a second seat ends the saver"
  expect "$(cat "$work/saver.err")" "" "nothing printed"
  # More seats than it has places for (8): the one left over is handed back.
  for n in $(seq 2 8); do swaymsg seat "seat$n" hide_cursor 0 >/dev/null; done
  start_logged "$work/protocol" --count 0
  poll 30 sphere_on HEADLESS-1
  kill -TERM "$saver"
  expect_end "$saver" 143 "nine seats: SIGTERM ends it by that signal"
  expect "$(grep -c '"wl_seat", 5' "$work/protocol") $(unreleased "$work/protocol")" "9 " \
    "nine seats: every one released at its close"
  ;;
background)
  start_sway "$work/sway" "output HEADLESS-1 mode 1280x720" "default_border none" || finish
  hold_keyboard
  start_logged "$work/background.protocol" --background --count 50
  poll 30 satellites_on HEADLESS-1 || fail "--background: no satellites"
  "$kelvaris" --window --count 0 &
  window=$!
  poll 30 sphere_on HEADLESS-1 && ok "a window covers the background" || fail "the background shows over the window"
  swaymsg fullscreen enable >/dev/null
  background=$saver
  start_saver --count 50
  poll 30 satellites_on HEADLESS-1 && ok "the saver covers a full-screen window" ||
    fail "a full-screen window covers the saver"
  # The keyboard's key map, read from the compositor's file, is not kept.
  expect "$(grep -c ' r--p .*(deleted)$' "/proc/$saver/maps")" 0 "the key map's file unmapped once read"
  wtype -s 300 a
  expect_end "$saver" 0 "a key ends the saver"
  wtype -s 300 q
  expect_end "$window" 0 "q reaches the window, not the background"
  running "$background" && ok "the background still runs" || fail "the background ended"
  "$virtual_pointer" >"$work/pointer.out" &
  poll 30 grep -q ready "$work/pointer.out" || fail "no virtual pointer"
  swaymsg seat seat0 cursor move 20 20 >/dev/null && poll 30 changed HEADLESS-1 && poll 30 changed HEADLESS-1
  expect "$(grep -c 'wl_pointer@[0-9]*\.enter' "$work/background.protocol")" 0 \
    "the pointer over the background alone: not the background's"
  kill -INT "$background"
  expect_end "$background" 130 "SIGINT ends the background by that signal"
  ;;
slow-stop)
  start_sway "$work/sway" "output HEADLESS-1 mode 3840x2160" || finish
  # The sphere at the centre, not sway's grey background: a frame is shown.
  centre_lit() { [ "$(pixel 1920,1080)" != " 63 63 63" ]; }
  for signal in TERM INT TERM INT TERM; do
    stops_by_signal "at 1000 satellites on 3840x2160" centre_lit "$signal" "$kelvaris" --count 1000 2>>"$work/saver.err"
  done
  expect "$(cat "$work/saver.err")" "" "nothing printed"
  # Held mid-frame, then stopped: the protocol it sends shows whether the
  # frame it was drawing was shown (a commit after the signal). Held while
  # it was sending a frame drawn before the signal, that frame lands after:
  # so up to three tries, of which one must show no commit.
  shown_after_stop() { tail -n +$((mark + 1)) "$work/protocol" | grep -q 'wl_surface@[0-9]*\.commit'; }
  # Held while the renderer's threads finish the frame's drawing, the main
  # thread asleep on them: that drawing must end before the stop check, so
  # that the frame is not shown.
  state() { awk '{print $3}' "$1/stat" 2>/dev/null; }
  finishing_frame() {
    [ "$(state "/proc/$saver/task/$saver")" = S ] && grep -q futex "/proc/$saver/task/$saver/wchan" || return 1
    local thread
    for thread in /proc/"$saver"/task/*; do
      [[ "$(cat "$thread/comm")" == llvmpipe* && "$(state "$thread")" == R ]] && return 0
    done
    return 1
  }
  for try in 1 2 3; do
    start_logged "$work/protocol" --count 1000
    poll 60 centre_lit
    poll 60 finishing_frame
    kill -STOP "$saver"
    mark=$(wc -l <"$work/protocol")
    kill -TERM "$saver"
    kill -CONT "$saver"
    expect_end "$saver" 143 "SIGTERM in the middle of a frame (try $try) ends it by that signal"
    shown_after_stop || break
  done
  shown_after_stop && fail "a frame was shown after SIGTERM, three times" ||
    ok "the frame it was finishing was not shown (try $try)"
  expect "$(unreleased "$work/protocol")" "" "stopped mid-frame: everything it made released at its close"
  # The compositor stopped: a start-up waits on it for ever, until stopped.
  kill -STOP "${compositor_pids[-1]}"
  connected() { [ -n "$(find "/proc/$stopped/fd" -lname 'socket:*' 2>/dev/null)" ]; }
  for signal in TERM INT; do
    stops_by_signal "during a start-up the compositor does not answer" connected "$signal" "$kelvaris" --count 0
  done
  kill -CONT "${compositor_pids[-1]}"
  ;;
idle)
  # weston stops frame callbacks once idle (after a second without input).
  start_weston "$work/weston" --width=1280 --height=720 --idle-time=1 || finish
  start_logged "$work/protocol" --window --count 0
  poll 30 drawing "$saver" || fail "the window never drew"
  poll 60 idle_for_a_second "$saver" && ok "no frames while weston is idle" || fail "it draws while weston is idle"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends the window by that signal"
  expect "$(unreleased "$work/protocol")" "" "the window: everything it made released at its close"
  # Waiting with no frame to come, a stop is still seen, even when what
  # started it left the stop signals blocked.
  /usr/bin/python3 -c 'import os, signal, sys
signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM})
os.execv(sys.argv[1], sys.argv[1:])' "$kelvaris" --window --count 0 &
  saver=$!
  poll 60 idle_for_a_second "$saver"
  kill -INT "$saver"
  expect_end "$saver" 130 "SIGINT ends the idle window by that signal, its start's blocked signals let in"
  # A window on a workspace that is not shown gets no frame callbacks.
  start_sway "$work/sway" "output HEADLESS-1 mode 1280x720" "default_border none" || finish
  start_saver --window --count 0
  poll 30 sphere_on HEADLESS-1
  swaymsg workspace 2 >/dev/null
  poll 60 idle_for_a_second "$saver" && ok "no frames while its workspace is hidden" || fail "it draws while hidden"
  swaymsg workspace 1 >/dev/null
  poll 30 drawing "$saver" && ok "shown again, it draws again" || fail "shown again, it draws nothing"
  expect "$(swaymsg -t get_tree | grep -cE '"(app_id": "kelvaris|name": "Kelvaris)"')" 2 "the window's title and application id"
  crisp() { shot HEADLESS-1 && [ "$(odd_edges "$work/HEADLESS-1.ppm")" -gt 20 ]; }
  swaymsg output HEADLESS-1 scale 2 >/dev/null
  poll 30 crisp && ok "its output's scale changed to 2: redrawn at the output's pixels" ||
    fail "its output's scale changed to 2: drawn doubled"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends the window by that signal"
  start_saver --window --count 0
  poll 30 crisp && ok "opened at scale 2: drawn at the output's pixels" || fail "opened at scale 2: drawn doubled"
  # Closed as a user closes a window: the compositor asks it to close.
  swaymsg kill >/dev/null
  expect_end "$saver" 0 "the window closed through sway ends it"
  swaymsg output HEADLESS-1 scale 1 >/dev/null
  # Ticks a minute apart: after the first frame, nothing to draw until then.
  start_saver --delay 60000000 --count 0
  poll 30 sphere_on HEADLESS-1
  poll 4 idle_for_a_second "$saver" && ok "no frames between ticks a minute apart" || fail "it draws between ticks"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends the saver by that signal"
  # --idle 0.1: six seconds without input. Its start takes processor time.
  # Two seats: wtype types on the second, the first stays idle.
  swaymsg seat seat1 hide_cursor 0 >/dev/null
  WAYLAND_DEBUG=client start_saver --idle 0.1 --count 0
  poll 4 idle_for_a_second "$saver" && missing_sphere HEADLESS-1 &&
    ok "--idle: nothing shown and no processor time while waiting" || fail "--idle: busy or shown while waiting"
  poll 30 sphere_on HEADLESS-1 && ok "--idle: the saver shown after the time without input" || fail "--idle: never shown"
  wtype -s 300 a
  poll 30 missing_sphere HEADLESS-1 && idle_for_a_second "$saver" && running "$saver" &&
    ok "--idle: a key hides it, and it waits again" ||
    fail "--idle: a key did not hide it, or ended the watch"
  poll 30 sphere_on HEADLESS-1 && ok "--idle: shown again after the time" || fail "--idle: not shown again"
  # A pointer on the first seat (sway puts a new device on no seat once
  # there are two) hides it; then a key on the second, with nothing shown
  # to take it: it must wait for both seats' idle time, the key's the later.
  # Its cursor is in the screenshots from now on: the protocol tells.
  count() { grep -c "$1" "$work/saver.err"; }
  more_than() { [ "$(count "$1")" -gt "$2" ]; }
  "$virtual_pointer" >"$work/pointer.out" &
  poll 30 grep -q ready "$work/pointer.out" || fail "no virtual pointer"
  hidden=$(count 'layer_surface_v1@[0-9]*\.destroy') shown=$(count get_layer_surface)
  entered=$(count 'wl_pointer@[0-9]*\.enter')
  swaymsg seat seat0 attach 0:0:virtual_pointer >/dev/null
  swaymsg seat seat0 cursor set 640 360 >/dev/null
  # Moved only once the saver has the seat's new pointer: a move before it
  # would be where the pointer enters, no travel at all.
  poll 30 more_than 'wl_pointer@[0-9]*\.enter' "$entered" || fail "--idle: the pointer never entered it"
  swaymsg seat seat0 cursor move 20 0 >/dev/null
  poll 30 more_than 'layer_surface_v1@[0-9]*\.destroy' "$hidden" || fail "--idle: the pointer did not hide it"
  wtype -s 300 a
  poll 30 more_than get_layer_surface "$shown" || fail "--idle: not shown again after input on both seats"
  expect "$(awk '/\.resumed\(\)/ {idled = 0} /\.idled?\(\)/ {idled++} /get_layer_surface/ {shown = idled}
    END {print shown}' "$work/saver.err")" 2 \
    "--idle: after input on each seat, shown once both were idle again"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends --idle by that signal"
  expect "$(unreleased "$work/saver.err")" "" "--idle: everything it made released at its close"
  # Another output's scale is not the window's. Last: sway keeps an output
  # it made, and the cases above count on one.
  start_logged "$work/window.protocol" --window --count 0
  poll 30 sphere_on HEADLESS-1
  swaymsg create_output >/dev/null && swaymsg output HEADLESS-2 scale 2 >/dev/null
  { poll 30 grep -q 'wl_output@[0-9]*\.scale(2)' "$work/window.protocol" && poll 30 changed HEADLESS-1 &&
    poll 30 changed HEADLESS-1; } || fail "another output at scale 2: never told to the window, or no frame after"
  expect "$(grep -c 'set_buffer_scale(2)' "$work/window.protocol")" 0 "another output at scale 2: the window kept at 1"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends the window by that signal"
  ;;
faults)
  env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" "$kelvaris" 2>"$work/err"
  expect "$? $(cat "$work/err")" "1 kelvaris-wayland: WAYLAND_DISPLAY is not set, and no compositor answers at wayland-0" \
    "no compositor at all"
  WAYLAND_DISPLAY=nothing-here XDG_RUNTIME_DIR="$work" "$kelvaris" 2>"$work/err"
  expect "$? $(cat "$work/err")" "1 kelvaris-wayland: the compositor at WAYLAND_DISPLAY=nothing-here cannot be reached" \
    "a compositor that is not there"
  start_weston "$work/weston" --width=640 --height=480 || finish
  # Refused with a compositor there that it could draw on: it must not start.
  timeout 30 "$kelvaris" --window --count 5x 2>"$work/err"
  expect "$? $(head -n1 "$work/err") $(sed -n 2p "$work/err" | head -c 6)" \
    "1 kelvaris-wayland: bad value for --count: 5x usage:" "a bad count"
  timeout 30 "$kelvaris" --window --count 2>"$work/err"
  expect "$? $(head -n1 "$work/err") $(head -n1 "$work/err" | wc -l)" \
    "1 kelvaris-wayland: option --count needs a value 1" "a count missing, said in a whole line"
  timeout 30 "$kelvaris" --window --root 2>"$work/err"
  expect "$? $(head -n1 "$work/err")" "1 kelvaris-wayland: unrecognised option: --root" "an X11 option"
  "$kelvaris" --background 2>"$work/err"
  expect "$? $(cat "$work/err")" "1 kelvaris-wayland: the compositor offers no layer shell (zwlr_layer_shell_v1), \
which a background needs; kelvaris-wayland --window draws in a window instead" "no layer shell, and --window named"
  env -u DBUS_SESSION_BUS_ADDRESS "$kelvaris" --idle 1 2>"$work/err"
  expect "$? $(cat "$work/err")" "1 kelvaris-wayland: the compositor offers no idle protocol (ext-idle-notify-v1, \
org_kde_kwin_idle) and GNOME's idle monitor does not answer on the session bus: start kelvaris-wayland from an idle \
daemon instead" "--idle with no idle protocol and no session bus"
  start_sway "$work/sway" "output HEADLESS-1 mode 1280x720" || finish
  start_saver --count 0
  poll 30 sphere_on HEADLESS-1
  kill "${compositor_pids[-1]}"
  expect_end "$saver" 1 "the compositor's end ends it"
  expect "$(cat "$work/saver.err")" "" "the compositor's end: nothing printed"
  ;;
gnome)
  start_mutter "$work/mutter" 640x360 512x384 || finish
  mutter=${compositor_pids[-1]}
  start_logged "$work/protocol" --count 0
  # Each window full screen at its monitor's size, and frames shown on both.
  sized() { grep -o "xdg_toplevel@[0-9]*\.configure($1" "$work/protocol" | sort -u | wc -l; }
  drawn_on_both() {
    [ "$(grep -o 'wl_surface@[0-9]*\.commit' "$work/protocol" | sort | uniq -c | awk '$1 > 2' | wc -l)" -ge 2 ]
  }
  poll 30 drawn_on_both
  expect "$(grep -c 'set_fullscreen(wl_output' "$work/protocol") $(sized '640, 360') $(sized '512, 384')" \
    "2 1 1" "no layer shell: a full-screen window on each monitor, at its size"
  drawn_on_both && ok "frames drawn on both" || fail "frames not drawn on both"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends it by that signal"
  # Input as a remote-desktop client sends it: its keyboard and pointer
  # come with the first key and motion it sends, and go when it ends. Each
  # run below sees them go and come back.
  send() { echo "$*" >&"${input[1]}" && read -r -t 30 -u "${input[0]}" _; }
  remote_input() {
    coproc input { /usr/bin/python3 "$(dirname "$0")/gnome_input.py"; }
    read -r -t 30 -u "${input[0]}" _ && send key 42 && send move 1 0 || fail "no remote-desktop session"
  }
  # Focus moving between the two windows enters a device again: the new one
  # is known by an enter after the old ones went.
  entered() { grep -q "wl_$1@[0-9]*\.enter" "$work/protocol"; }
  entered_anew() { sed -n '/capabilities(0)/,$p' "$work/protocol" | grep -q "wl_$1@[0-9]*\.enter"; }
  devices_replaced() {
    local pid=$input_PID
    eval "exec ${input[1]}>&-"
    wait "$pid"
    poll 30 grep -q 'capabilities(0)' "$work/protocol"
    remote_input
  }
  remote_input
  start_logged "$work/protocol" --count 0
  poll 30 entered keyboard && devices_replaced && poll 30 entered_anew keyboard || fail "no keyboard came back"
  send key 30
  expect_end "$saver" 0 "a key on a keyboard that came while it ran ends it"
  start_logged "$work/protocol" --count 0
  # Where the pointer entered, Mutter says only roughly (some pixels off
  # the next motion's place): the jitter is tried on sway. Its first pointer
  # is known by its asking for one, not by an enter, which into a window
  # mapped under a still pointer waits on Mutter's repaint; the new one
  # enters on its first motion.
  poll 30 grep -q 'wl_seat@[0-9]*\.get_pointer' "$work/protocol" && devices_replaced &&
    poll 30 entered_anew pointer ||
    { fail "no pointer came back (log: $work/pointer.protocol)"; cp "$work/protocol" "$work/pointer.protocol"; }
  send move 8 0
  expect_end "$saver" 0 "the travel of a pointer that came while it ran ends it"
  # GNOME's idle time counts from the last input. Two applications inhibit
  # idling (the session manager says so); the helper's SIGUSR1 ends one.
  start_session() {
    : >"$work/session.out"
    /usr/bin/python3 "$(dirname "$0")/gnome_session.py" >"$work/session.out" &
    session=$!
    compositor_pids+=("$session")
    poll 30 grep -q ready "$work/session.out" || fail "no session manager"
  }
  start_session
  start_logged "$work/protocol" --idle 0.2 --count 0
  poll 4 idle_for_a_second "$saver" && ! grep -q set_fullscreen "$work/protocol" &&
    ok "--idle: nothing shown and no processor time while waiting" || fail "--idle: busy or shown while waiting"
  asked() { [ "$(grep -c asked "$work/session.out")" -ge "$1" ]; }
  poll 30 asked 1 && idle_for_a_second "$saver" && ! grep -q set_fullscreen "$work/protocol" &&
    ok "--idle: idle, but nothing shown while idling is inhibited" || fail "--idle: shown while idling is inhibited"
  kill -USR1 "$session"
  poll 30 asked 2 && idle_for_a_second "$saver" && ! grep -q set_fullscreen "$work/protocol" &&
    ok "--idle: one inhibitor gone, one left: still nothing shown" || fail "--idle: shown while one inhibitor was left"
  kill -USR1 "$session"
  poll 30 drawn_on_both && ok "--idle: shown on both monitors once the last inhibitor went" || fail "--idle: never shown"
  send key 30
  hidden() { [ "$(grep -c 'xdg_toplevel@[0-9]*\.destroy' "$work/protocol")" = 2 ]; }
  poll 30 hidden && idle_for_a_second "$saver" && ok "--idle: a key hides it, and it waits again" ||
    fail "--idle: a key did not hide it, or it did not wait again"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends --idle by that signal"
  expect "$(unreleased "$work/protocol")" "" "everything it made released at its close"
  expect "$(grep kelvaris-wayland: "$work/protocol")" "" "nothing said"
  # Nothing it took from the session bus kept: LeakSanitizer reports only at
  # an exit, so this run, shown once both inhibitors went, ends by the
  # compositor's end (1; 23 on a leak). Mesa's driver, kept loaded so that
  # its frames can be named, leaks on its own and is left out.
  kill "$session" && wait "$session"
  start_session
  echo "leak:/dri/swrast_dri.so" >"$work/leaks.supp"
  LD_PRELOAD="$(gcc -print-file-name=liblsan.so.0) $(echo /usr/lib/*/dri/swrast_dri.so)" \
    LSAN_OPTIONS="suppressions=$work/leaks.supp:print_suppressions=0" \
    start_logged "$work/protocol" --idle 0.05 --count 0
  poll 30 asked 1 && kill -USR1 "$session" && poll 30 asked 2 && kill -USR1 "$session" && poll 30 drawn_on_both ||
    fail "--idle under LeakSanitizer: never shown"
  kill "$mutter"
  expect_end "$saver" 1 "--idle: the compositor's end ends it, nothing leaked"
  grep -A 3 'leak of' "$work/protocol" | head -n 20
  ;;
kde)
  # KWin's output, 1920x1080 pixels at scale 1.5, shows as a 960x540 picture
  # in the middle of sway's 1280x720.
  start_sway "$work/sway" "output HEADLESS-1 mode 1280x720" "default_border none" || finish
  start_nested_kwin "$work/kwin" 1280x720 1.5 || finish
  kwin_shot() { in_host shot HEADLESS-1 && convert "$work/HEADLESS-1.ppm" -crop 960x540+160+90 "$work/kwin.ppm"; }
  kwin_sphere() { kwin_shot && /usr/bin/python3 "$checker" --narrower-side "$work/kwin.ppm" 960x540+0+0 >/dev/null; }
  kwin_blank() { kwin_shot && [ "$(identify -format '%k' "$work/kwin.ppm")" = 1 ]; }
  start_logged "$work/protocol" --count 0
  poll 30 kwin_sphere && ok "the saver drawn whole, centred and round" || fail "the saver's picture"
  # The last buffer's size and the surface's, from the protocol log.
  last_sizes() {
    echo "$(grep -o 'create_buffer(.*' "$1" | tail -n 1 | cut -d, -f3,4) \
$(grep -o 'set_destination(.*' "$1" | tail -n 1)"
  }
  expect "$(last_sizes "$work/protocol")" " 1920, 1080 set_destination(1280, 720)" \
    "at scale 1.5, 1920x1080 pixels behind the 1280x720 surface"
  # A finger once the saver has the seat's touch (which KWin gives the seat
  # with the fake-input device): keys are the idle part's, below. The log
  # shows get_touch when the saver writes it, and a touch KWin meets before
  # reading it is lost; requests are read in order, so an answer to a
  # callback asked for after it says KWin has it.
  coproc touch { "$fake_touch"; }
  has_touch() {
    awk '/capabilities\(7\)/ { seat = 1 }
         seat && /-> wl_seat@[0-9]+\.get_touch\(/ { touch = 1 }
         touch && match($0, /new id wl_callback@[0-9]+/) { asked[substr($0, RSTART + 19, RLENGTH - 19)] = 1 }
         touch && match($0, /wl_callback@[0-9]+\.done/) && (substr($0, RSTART + 12, RLENGTH - 17) in asked) { found = 1 }
         END { exit !found }' "$1"
  }
  read -r -t 30 -u "${touch[0]}" _ && poll 30 has_touch "$work/protocol" &&
    echo "tap 480 270" >&"${touch[1]}" && read -r -t 30 -u "${touch[0]}" _ || fail "no touch to give"
  expect_end "$saver" 0 "a touch ends the saver" ||
    { cp "$work/protocol" "$work/touch.protocol"; echo "log: $work/touch.protocol"; }
  start_logged "$work/window.protocol" --window --count 0
  at_one_and_a_half() {
    last_sizes "$work/window.protocol" | { read -r w h size; size=${size#*(}; size=${size%)}
      [ -n "$size" ] && [ "${w%,}" = $((${size%,*} * 3 / 2)) ] && [ "$h" = $((${size#*, } * 3 / 2)) ]; }
  }
  poll 30 at_one_and_a_half && ok "--window drawn at scale 1.5 too" ||
    fail "--window at scale 1.5: $(last_sizes "$work/window.protocol")"
  # The touchscreen gone, the seat's touch goes with it: released after the
  # seat's last capabilities without touch.
  touch_let_go() {
    local gone
    gone=$(grep -nE 'wl_seat@[0-9]+\.capabilities\([0-3]\)' "$1" | tail -n 1 | cut -d: -f1)
    [ -n "$gone" ] && tail -n +"$gone" "$1" | grep -q 'wl_touch@[0-9]*\.release()'
  }
  has_touch "$work/window.protocol" && eval "exec ${touch[1]}>&-" &&
    poll 30 touch_let_go "$work/window.protocol" &&
    ok "--window: its touch let go once the seat had none" || fail "--window: its touch kept after the seat's went"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends the window by that signal"
  start_logged "$work/protocol" --idle 0.1 --count 0
  poll 4 idle_for_a_second "$saver" && kwin_blank && ok "--idle: nothing shown and no processor time while waiting" ||
    fail "--idle: busy or shown while waiting"
  poll 30 kwin_sphere && ok "--idle: shown after the time without input" || fail "--idle: never shown"
  in_host wtype -s 300 a
  poll 30 kwin_blank && running "$saver" && ok "--idle: a key hides it, and it waits again" ||
    fail "--idle: a key did not hide it, or ended the watch"
  poll 30 kwin_sphere && ok "--idle: shown again after the time" || fail "--idle: not shown again"
  expect "$(grep -c 'ext_idle_notifier_v1@[0-9]*\.get_idle_notification' "$work/protocol")" 1 \
    "--idle: asked through ext-idle-notify"
  # A compositor may close a layer surface whenever it likes (KWin does at
  # a script's request): the saver must take it off the screen.
  echo 'workspace.clientList().forEach(w => w.closeWindow());' >"$work/close.js"
  dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript \
    string:"$work/close.js" >/dev/null &&
    dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start >/dev/null
  poll 30 kwin_blank && ok "closed by KWin: its surface taken down" || fail "closed by KWin: its surface still there"
  kill -TERM "$saver"
  expect_end "$saver" 143 "SIGTERM ends --idle by that signal"
  expect "$(unreleased "$work/protocol")" "" "everything it made released at its close"
  ;;
*)
  fail "no such case: $case"
  ;;
esac
finish
