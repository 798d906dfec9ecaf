#!/usr/bin/env bash
# The full-screen saver as a user meets it: xdotool on the test run's own
# display types a key, clicks, and moves the pointer, and each ends the saver
# with exit code 0; a small movement does not. The stored count survives.
# Usage: user_input.sh TOOLS_DIR WINE_STATE SCR
set -uo pipefail
tools=$1 state=$2 scr=$3
source "$tools/wine-env.sh" "$state"
source "$(dirname "$0")/../support/test_lib.sh"

store_count 7
# With the pointer at (200, 200), as each case expects.
start() {
  xdotool mousemove 200 200
  start_saver "$scr" && return 0
  fail "no saver window"
  return 1
}

start && { xdotool key a; expect_end "$saver_pid" 0 "a key"; }
start && { xdotool click 1; expect_end "$saver_pid" 0 "a left click"; }
start && { xdotool click 3; expect_end "$saver_pid" 0 "a right click"; }
if start; then
  xdotool mousemove 202 202  # travel 4
  sleep 0.5
  running "$saver_pid" && ok "travel of 4 keeps it" || fail "travel of 4 ended the saver"
  xdotool mousemove 203 202  # travel 5
  expect_end "$saver_pid" 0 "travel of 5"
fi

[ "$(stored_count)" = "0x7" ] && ok "stored count still 7" || fail "stored count is '$(stored_count)'"
delete_settings
finish
