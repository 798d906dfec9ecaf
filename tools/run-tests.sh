#!/usr/bin/env bash
# Runs the tests of the given presets (default: all): the native tests
# directly, the Windows tests under Wine and the Linux program's tests on
# private X displays, then prints one summary line per preset. Exits
# non-zero on any failure.
# Usage: run-tests.sh [JOBS [PRESET...]]
set -uo pipefail
jobs=${1:-2}
presets=("${@:2}")
[ ${#presets[@]} -gt 0 ] || presets=(native windows linux)
status=0
summary=()
for preset in "${presets[@]}"; do
  log=build/$preset/last-test.log
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  line=$(grep -E 'tests passed' "$log" | tail -n1)
  summary+=("$preset: ${line:-no result} (ctest exit $rc)")
  [ "$rc" -eq 0 ] || status=1
done
echo
echo "==== test summary ===="
printf '%s\n' "${summary[@]}"
if [ $status -eq 0 ]; then echo "ALL PASSED"; else echo "FAILED"; fi
exit $status
