#!/usr/bin/env bash
# `make test-stress`: the whole Windows suite and the Linux programs' suite
# RUNS times in a row while BUSY competing processes (default: one a core)
# keep the machine loaded; it starts and stops them itself. Stops at the
# first run with a failing case. Prints each run's time.
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

for run in $(seq "$runs"); do
  for preset in windows linux; do
    log=build/$preset/stress-$run.log
    start=$(date +%s)
    ctest --preset "$preset" -j "$jobs" >"$log" 2>&1
    rc=$?
    took=$(($(date +%s) - start))
    echo "stress run $run, $preset: $(grep -E 'tests passed' "$log" | tail -n1) in ${took} s"
    if [ "$rc" -ne 0 ]; then
      sed -n '/The following tests FAILED/,$p' "$log"
      grep -h 'wine-run:' "$log"
      echo "stress: FAILED in run $run (log: $log)"
      exit 1
    fi
    grep -h 'wine-run:' "$log"
  done
done
echo "stress: ALL $runs RUNS PASSED"
