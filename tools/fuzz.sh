#!/usr/bin/env bash
# `make fuzz`: runs every fuzz target for SECONDS (default 60) from the
# committed seed corpus, and fails on any finding. New inputs go to a
# working corpus under build/fuzz, not into the committed one.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
status=0
summary=()
for target in command_line count_text stored_value linux_options; do
  work=build/fuzz/corpus/$target
  mkdir -p "$work" build/fuzz/findings
  log=build/fuzz/$target.log
  build/fuzz/tests/fuzz/${target}_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/findings/${target}- "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ $rc -eq 0 ]; then
    summary+=("$target: ${runs:-?} executions in ${seconds} s, no finding")
  else
    summary+=("$target: FINDING after ${runs:-?} executions (exit $rc); see $log and build/fuzz/findings")
    status=1
  fi
done
printf '%s\n' "${summary[@]}"
exit $status
