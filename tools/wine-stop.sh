#!/usr/bin/env bash
# Stops what wine-start.sh started. Usage: wine-stop.sh STATE_DIR
set -uo pipefail
source "$(dirname "$0")/wine-env.sh" "$1"
for prefix in "$state"/prefix*; do
  [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k </dev/null >/dev/null 2>&1
done
if [ -f "$state/xvfb.pid" ]; then
  kill $(cat "$state/xvfb.pid") 2>/dev/null
  rm -f "$state/xvfb.pid" "$state"/display{,-noglx}{,.log}
fi
exit 0
