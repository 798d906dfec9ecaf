# Sourced by every test script: failures counted one way, waits that end on
# an event (their bound only stops a hang), and, for the scripts that run the
# Windows saver, its start, its end and its settings key under Wine.

# Python is the distribution's, /usr/bin/python3, which setup installs with
# the modules the tests import: a Python of the user's own first on PATH
# (pyenv's shim, say) may lack them, and starts ten times slower, which the
# checks that poll a screenshot every 0.1 s pay in processor time.

failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Ends the script: 0 when no check failed.
finish() { exit $((failures > 0)); }

# poll SECONDS COMMAND [ARGS...]: runs the command every 0.1 s until it
# succeeds (status 0) or SECONDS have passed (status 1).
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# expect ACTUAL EXPECTED WHAT
expect() { if [ "$1" = "$2" ]; then ok "$3"; else fail "$3: got '$1', expected '$2'"; fi; }

# A command prefix (not a function, so that $! is the program itself) for
# the programs that refuse root (XScreenSaver's, sway): run as root, the
# tests run them as nobody; run by a user, as that user.
as_unprivileged=()
[ "$(id -u)" -ne 0 ] || as_unprivileged=(setpriv --reuid=nobody --regid=nogroup --clear-groups)

# The processor time (in clock ticks) a process has used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# stops_by_signal WHAT SHOWN SIGNAL COMMAND [ARGS...]: starts the command,
# waits until SHOWN says its frames are on the screen (a hang guard of
# 120 s), sends the signal, and expects it to end by that signal; says how
# long that took. The command's PID is in $stopped.
stops_by_signal() {
  local what=$1 shown=$2 signal=$3 start
  shift 3
  "$@" &
  stopped=$!
  poll 120 "$shown"
  start=$(date +%s%N)
  kill -"$signal" "$stopped"
  expect_end "$stopped" $((128 + $(kill -l "$signal"))) "SIG$signal $what ends it by that signal"
  echo "   ended $((($(date +%s%N) - start) / 1000000)) ms after SIG$signal"
}

running() { kill -0 "$1" 2>/dev/null; }
ended() { ! kill -0 "$1" 2>/dev/null; }
missing() { [ ! -e "$1" ]; }

# The saver's settings as `wine reg` reads and writes them.
settings_key='HKCU\Software\Quenwick\Zembrel'
store_count() { wine reg add "$settings_key" /v NumSatellites /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
# The stored count as reg prints it (0x7), empty when there is none.
stored_count() {
  wine reg query "$settings_key" /v NumSatellites 2>/dev/null | tr -d '\r' | awk '/NumSatellites/ {print $3}'
}
delete_settings() { wine reg delete "$settings_key" /f >/dev/null 2>&1; }

# A command prefix that runs a Windows program (by its absolute Unix path)
# as a Windows program's child and ends with the exit code that parent gets.
# `wine PROGRAM`'s own status is not that code on a loaded machine: Wine
# kills (SIGKILL, 137) a process whose Unix side is still tearing down (Mesa,
# its X connection) a second after its last thread ended.
as_windows_child=(wine start /wait /b /unix)

# start_saver SCR: starts SCR /s under Wine (its output to
# $wine_log, if set) and waits until its window has the keyboard focus, so
# that input sent now reaches it; $saver_pid runs as long as the saver and
# ends with its exit code. A start that Wine does not complete (the saver
# ends before its window appears, as seen on a loaded machine) is tried
# again, up to three times, each said with its exit code. Status 1 when no
# window came.
start_saver() {
  local scr=$1 try
  for try in 1 2 3; do
    "${as_windows_child[@]}" "$scr" /s </dev/null >>"${wine_log:-/dev/null}" 2>&1 &
    saver_pid=$!
    "$(dirname "${BASH_SOURCE[0]}")/../../tools/wait-for-saver.sh" "$saver_pid" && return 0
    if running "$saver_pid"; then
      echo "the saver runs but its window never had the focus"
      wine taskkill /f /im "$(basename "$scr")" </dev/null >/dev/null 2>&1
      wait "$saver_pid" 2>/dev/null
      return 1
    fi
    wait "$saver_pid"
    echo "the saver ended with $? before its window appeared (try $try of 3)"
  done
  return 1
}

# expect_end PID CODE WHAT: waits for the process PID, a child of this
# script, to end (a 120 s hang guard, after which it is killed) and checks
# its exit code.
expect_end() {
  local pid=$1 want=$2 what=$3 code
  if ! poll 120 ended "$pid"; then
    fail "$what: still running after 120 s"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    return 1
  fi
  wait "$pid"
  code=$?
  expect "$code" "$want" "$what, exit code"
}
