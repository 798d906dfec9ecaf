#!/usr/bin/env bash
# Runs the tests of the given presets (default: all): the native tests
# directly, the Windows tests under Wine and the Linux program's tests on
# private X displays, then prints one summary line per preset. Exits
# non-zero on any failure. The Linux tests share nothing with the others
# (no Wine, X servers of their own), so they run beside them, and their
# output follows once they are done.
# Usage: run-tests.sh [JOBS [PRESET...]]
set -uo pipefail
jobs=${1:-2}
presets=("${@:2}")
[ ${#presets[@]} -gt 0 ] || presets=(native windows linux)
run() {
  ctest --preset "$1" -j "$jobs" >"build/$1/last-test.log" 2>&1
  echo $? >"build/$1/last-test.rc"
}

beside=
if [ ${#presets[@]} -gt 1 ] && [[ " ${presets[*]} " == *" linux "* ]]; then
  run linux &
  beside=$!
fi
for preset in "${presets[@]}"; do
  [ -n "$beside" ] && [ "$preset" = linux ] && continue
  : >"build/$preset/last-test.log"
  run "$preset" &
  tail -n +1 --pid=$! -f "build/$preset/last-test.log"
  wait $!
done
if [ -n "$beside" ]; then
  wait "$beside"
  cat build/linux/last-test.log
fi

status=0
summary=()
for preset in "${presets[@]}"; do
  rc=$(cat "build/$preset/last-test.rc")
  line=$(grep -E 'tests passed' "build/$preset/last-test.log" | tail -n1)
  summary+=("$preset: ${line:-no result} (ctest exit $rc)")
  [ "$rc" -eq 0 ] || status=1
done
echo
echo "==== test summary ===="
printf '%s\n' "${summary[@]}"
if [ $status -eq 0 ]; then echo "ALL PASSED"; else echo "FAILED"; fi
exit $status
