#!/usr/bin/env bash
# `make run`: the saver full screen under Wine, with a private Wine prefix in
# build/run. With a DISPLAY it runs there until you press a key; without one
# it runs a few seconds on a private Xvfb, saves build/screenshot.png, and
# ends it with a key press as a user would.
set -uo pipefail
cd "$(dirname "$0")/.."
state=build/run
scr=build/windows/kelvaris.scr
user_display=${DISPLAY:-}

tools/wine-start.sh "$state" >/dev/null || exit 1
trap 'tools/wine-stop.sh "$state"' EXIT
source tools/wine-env.sh "$state"

if [ -n "$user_display" ]; then
  export DISPLAY=$user_display
  echo "Kelvaris runs on $DISPLAY: press a key, click or move the mouse to end it."
  wine "$scr" /s
  code=$?
else
  echo "No DISPLAY: running on a private Xvfb ($DISPLAY)."
  wine "$scr" /s &
  saver=$!
  if ! tools/wait-for-saver.sh; then
    echo "The saver window did not appear."
    kill "$saver"
    exit 1
  fi
  sleep 3
  import -window root build/screenshot.png && echo "Screenshot: build/screenshot.png"
  xdotool key space
  wait "$saver"
  code=$?
fi
echo "kelvaris.scr /s exited with code $code"
exit "$code"
