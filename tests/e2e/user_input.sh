#!/usr/bin/env bash
# The full-screen saver as a user meets it: xdotool on the test run's own
# display types a key, clicks, and moves the pointer, and each ends the saver
# with exit code 0; a small movement does not. The stored count survives.
# Usage: user_input.sh TOOLS_DIR WINE_STATE SCR
set -uo pipefail
tools=$1 state=$2 scr=$3
source "$tools/wine-env.sh" "$state"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

wine reg add 'HKCU\Software\Quenwick\Zembrel' /v NumSatellites /t REG_DWORD /d 7 /f >/dev/null 2>&1

# Starts the saver with the pointer at (200, 200) and waits until its
# window has the keyboard focus.
start_saver() {
  xdotool mousemove 200 200
  wine "$scr" /s &
  saver=$!
  "$tools/wait-for-saver.sh" "$saver" && return 0
  kill -0 "$saver" 2>/dev/null && fail "no focused saver window appeared" ||
    fail "the saver ended before showing a window (exit code $(wait "$saver"; echo $?))"
  return 1
}

# Waits for the saver to end (120 s only guard against a hang) and checks
# its exit code.
expect_exit_zero() {
  local what=$1
  for _ in $(seq 1200); do
    kill -0 "$saver" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$saver" 2>/dev/null; then
    fail "$what did not end the saver"
    kill "$saver"
    wait "$saver" 2>/dev/null
    return
  fi
  wait "$saver"
  local code=$?
  [ "$code" -eq 0 ] && echo "ok: $what ends the saver with 0" || fail "$what: exit code $code"
}

start_saver && { xdotool key a; expect_exit_zero "a key"; }
start_saver && { xdotool click 1; expect_exit_zero "a left click"; }
start_saver && { xdotool click 3; expect_exit_zero "a right click"; }
if start_saver; then
  xdotool mousemove 202 202  # travel 4
  sleep 0.5
  kill -0 "$saver" 2>/dev/null && echo "ok: travel of 4 keeps it" || fail "travel of 4 ended the saver"
  xdotool mousemove 203 202  # travel 5
  expect_exit_zero "travel of 5"
fi

stored=$(wine reg query 'HKCU\Software\Quenwick\Zembrel' /v NumSatellites 2>/dev/null | tr -d '\r' | awk '/NumSatellites/ {print $3}')
[ "$stored" = "0x7" ] && echo "ok: stored count still 7" || fail "stored count is '$stored'"
wine reg delete 'HKCU\Software\Quenwick\Zembrel' /f >/dev/null 2>&1
exit $((failures > 0))
