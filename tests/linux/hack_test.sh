#!/usr/bin/env bash
# The Linux program on a private Xvfb, as XScreenSaver and a user meet it:
# its own window shows the scene centred, also after a resize, and Escape
# closes it; the root window; a window of another program, which ends it
# when it goes; SIGTERM and SIGINT end it at once and quietly; bad options
# and an X server without GLX give a message and exit code 1.
# Usage: hack_test.sh KELVARIS CHECKER WORK_DIR
set -uo pipefail
kelvaris=$1 checker=$2 work=$3
mkdir -p "$work"
source "$(dirname "$0")/harness.sh"
expect() { if [ "$1" = "$2" ]; then echo "ok: $3"; else fail "$3: got '$1', expected '$2'"; fi; }
# Waits for the process $1 to end and checks its exit code.
expect_exit() {
  wait "$1"
  expect "$?" "$2" "$3"
}

start_display "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"

# A window of its own: the picture, a resize, and Escape.
"$kelvaris" -count 0 2>"$work/own.err" &
own=$!
window=$(xdotool search --sync --name '^Kelvaris$' | head -n1)
picture_of 800x600+0+0 || fail "own window: the picture"
xdotool windowsize "$window" 400 500
picture_of 400x500+0+0 || fail "own window after a resize: the picture"

# Another program's window, here that of the first: the second draws its
# satellites into it until the first ends and its window goes.
"$kelvaris" --window-id "$window" --count 100 2>"$work/guest.err" &
guest=$!
for _ in $(seq 1200); do  # until the guest's satellites show beside the sphere
  kill -0 "$guest" 2>/dev/null || break
  import -window root -depth 8 "$work/screen.ppm"
  python3 "$checker" "$work/screen.ppm" 400x500+0+0 >/dev/null || break
  sleep 0.1
done
xdotool keydown --window "$window" Escape
expect_exit "$own" 0 "Escape closes its own window, exit code 0"
expect_exit "$guest" 0 "the guest ends when the window goes, exit code 0"
expect "$(cat "$work/own.err" "$work/guest.err")" "" "neither printed anything"

# The root window, ended by each signal.
for signal in TERM INT; do
  "$kelvaris" -root -count 0 2>"$work/root.err" &
  root=$!
  picture_of 1024x768+0+0 || fail "root window: the picture"
  kill -"$signal" "$root"
  expect_exit "$root" 0 "SIG$signal ends it with exit code 0"
  expect "$(cat "$work/root.err")" "" "SIG$signal: nothing printed"
done

# Refused command lines: the usage on stderr and exit code 1.
for args in "-count" "-count -1" "--count 5x" "-count 2147483648" "-window-id 0" "-bogus" "extra"; do
  # shellcheck disable=SC2086
  "$kelvaris" $args 2>"$work/usage.err" </dev/null
  code=$?
  expect "$code $(head -c 6 "$work/usage.err")" "1 usage:" "'$args' is refused"
done

# Without GLX: one line, exit code 1.
start_display "$work/display-noglx" -extension GLX
DISPLAY=":$(head -n1 "$work/display-noglx")" "$kelvaris" -root 2>"$work/noglx.err"
expect "$? $(wc -l <"$work/noglx.err")" "1 1" "no GLX: one line and exit code 1 ($(cat "$work/noglx.err"))"
exit $((failures > 0))
