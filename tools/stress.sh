#!/usr/bin/env bash
# `make test-stress`: the whole Windows suite and the Linux programs' suite,
# side by side, RUNS times in a row while BUSY competing processes (default:
# one a core) keep the machine loaded; it starts and stops them itself.
# Stops at the first run with a failing case. Prints each suite's time.
# Usage: stress.sh RUNS JOBS [BUSY]
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3} jobs=${2:-2} busy=${3:-$(nproc)}

hogs=()
stop_hogs() { [ ${#hogs[@]} -eq 0 ] || kill "${hogs[@]}" 2>/dev/null; }
trap stop_hogs EXIT
for _ in $(seq "$busy"); do
  sh -c 'while :; do :; done' &
  hogs+=($!)
done
echo "stress: $busy busy processes on $(nproc) cores; $runs runs of the Windows and Linux suites with -j $jobs"

# The suites share nothing (no Wine on the Linux side, displays of their
# own), so they run side by side, as in make test.
suite() {
  local preset=$1 run=$2 start rc
  local log=build/$preset/stress-$run.log
  start=$(date +%s)
  ctest --preset "$preset" -j "$jobs" >"$log" 2>&1
  rc=$?
  echo "stress run $run, $preset: $(grep -E 'tests passed' "$log" | tail -n1) in $(($(date +%s) - start)) s"
  [ "$rc" -eq 0 ] || sed -n '/The following tests FAILED/,$p' "$log"
  grep -h 'wine-run:' "$log"
  return "$rc"
}
for run in $(seq "$runs"); do
  suite windows "$run" >build/windows/stress.out &
  windows=$!
  suite linux "$run" >build/linux/stress.out
  linux=$?
  wait "$windows"
  windows=$?
  cat build/windows/stress.out build/linux/stress.out
  if [ "$windows" -ne 0 ] || [ "$linux" -ne 0 ]; then
    echo "stress: FAILED in run $run (logs: build/*/stress-$run.log)"
    exit 1
  fi
done
echo "stress: ALL $runs RUNS PASSED"
