#!/usr/bin/env bash
# Builds the given presets (default: all) and runs their tests: the native
# tests directly, the Windows tests under Wine and the Linux programs' tests
# on private X displays and compositors, then prints one summary line per
# preset. Exits non-zero on any failure. The Linux tests share nothing with
# the others (no Wine, X servers of their own), so the Linux programs are
# built first and their tests run beside the others' builds and tests, at a
# lower priority; their output follows once they are done. The Windows tests
# are the longest to run after their build, so the native build and tests
# follow the Windows build and run beside its tests instead of before them.
# Usage: run-tests.sh [JOBS [WERROR [PRESET...]]]
set -uo pipefail
jobs=${1:-2} werror=${2:-OFF}
presets=("${@:3}")
[ ${#presets[@]} -gt 0 ] || presets=(native windows linux)
build() {
  cmake --preset "$1" -DKELVARIS_WERROR="$werror" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}
run() {
  ctest --preset "$1" -j "$jobs" >"build/$1/last-test.log" 2>&1
  echo $? >"build/$1/last-test.rc"
}

# Job control puts the Linux tests in a process group of their own, to be
# stopped whole should another preset fail to build.
set -m
beside=
if [ ${#presets[@]} -gt 1 ] && [[ " ${presets[*]} " == *" linux "* ]]; then
  build linux || exit 1
  # At a lower priority: the others' tests run one at a time (one display,
  # one registry), and only once their build is done.
  (renice -n 5 "$BASHPID" >/dev/null && run linux) &
  beside=$!
fi
# Windows first, so that the presets after it build and test beside its tests.
order=()
[[ " ${presets[*]} " != *" windows "* ]] || order+=(windows)
for preset in "${presets[@]}"; do
  [ "$preset" = windows ] || { [ -n "$beside" ] && [ "$preset" = linux ]; } || order+=("$preset")
done
stop_beside() { [ -z "$beside" ] || kill -- -"$beside"; [ -z "$windows" ] || kill -- -"$windows"; }
windows=
for preset in "${order[@]}"; do
  build "$preset" || { stop_beside; exit 1; }
  : >"build/$preset/last-test.log"
  run "$preset" &
  if [ "$preset" = windows ] && [ ${#order[@]} -gt 1 ]; then
    windows=$!
    continue
  fi
  tail -n +1 --pid=$! -f "build/$preset/last-test.log"
  wait $!
done
if [ -n "$windows" ]; then
  tail -n +1 --pid="$windows" -f build/windows/last-test.log
  wait "$windows"
fi
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
