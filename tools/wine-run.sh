#!/usr/bin/env bash
# Runs a Windows program under the test run's Wine and display.
# Usage: wine-run.sh STATE_DIR PROGRAM [ARGS...]
source "$(dirname "$0")/wine-env.sh" "$1"
shift
exec wine "$@"
