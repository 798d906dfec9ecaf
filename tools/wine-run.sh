#!/usr/bin/env bash
# Runs a Windows program under the test run's Wine and display.
# Usage: wine-run.sh STATE_DIR PROGRAM [ARGS...]
#
# A test program marks its start (tests/support/started_marker.cpp). One that ends
# with a failure before that mark was never started by Wine, which happens
# now and then on a loaded machine; that is no verdict on a test case, so the
# start is tried again, up to three times, and the harness says so. The mark
# also receives the program's verdict once its cases have run: one killed
# (SIGKILL, exit code 137) after it wrote "passed" was killed on its way out,
# after the test, and counts as passed, which the harness says too.
source "$(dirname "$0")/wine-env.sh" "$1"
shift
# The program's output goes to a file and is shown once it has ended: a
# Wine service that the program starts inherits its output and lives on
# with the run's wineserver, and were that ctest's pipe, ctest would wait
# for it forever (seen: a prefix's services started anew by a test
# program, long after the run's warm-up started them, and ctest hung).
output="$state/output.$$"
trap 'rm -f "$output"' EXIT
run_wine() {
  wine "$@" >"$output" 2>&1
  code=$?
  cat "$output"
}
case "$1" in
  */tests/bin/*.exe) ;;
  *)
    run_wine "$@"
    exit "$code"
    ;;
esac

marker="$state/started.$$"
export KELVARIS_STARTED="Z:${marker//\//\\}"
for attempt in 1 2 3; do
  rm -f "$marker"
  run_wine "$@"
  if [ "$code" -eq 0 ] || [ -e "$marker" ]; then
    if [ "$code" -eq 137 ] && [ "$(cat "$marker")" = passed ]; then
      echo "wine-run: $(basename "$1") was killed on its way out after its cases passed; counted as passed" >&2
      code=0
    fi
    rm -f "$marker"
    exit "$code"
  fi
  echo "wine-run: Wine did not start $(basename "$1") (exit code $code, try $attempt of 3)" >&2
done
exit "$code"
