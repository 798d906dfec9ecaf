# Sourced, after tools/wine-env.sh and tools/x-server.sh, by the end-to-end
# scripts that run Wine on an X server of their own, with settings Wine reads
# when it starts. own_wine NAME LOG gives them the prefix
# $state/prefix-NAME, hard-linked from the run's with the registry files
# copied (so that what it writes there stays its own), and a wineserver of
# its own; on exit that wineserver and the X servers the script started are
# stopped, Wine's output going to LOG.
own_wine() {
  local main_prefix=$WINEPREFIX
  export WINEPREFIX="$state/prefix-$1"
  own_wine_log=$2
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    cp -al "$main_prefix" "$WINEPREFIX"
    for reg in "$main_prefix"/*.reg; do cp --remove-destination "$reg" "$WINEPREFIX/"; done
  fi
  trap stop_own_wine EXIT
}
stop_own_wine() {
  wineserver -k </dev/null >>"$own_wine_log" 2>&1
  [ ${#x_server_pids[@]} -eq 0 ] || kill "${x_server_pids[@]}" 2>/dev/null
}
