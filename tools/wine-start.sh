#!/usr/bin/env bash
# Starts the test run's private Xvfb display and wineserver, creating the
# build tree's Wine prefix on first use. Usage: wine-start.sh STATE_DIR
set -euo pipefail
mkdir -p "$1"
here=$(dirname "$0")
"$here/wine-stop.sh" "$1"
source "$here/wine-env.sh" "$1"
source "$here/x-server.sh"

# Starts an Xvfb display named $1 (the file with its number); its further
# arguments go to Xvfb. wine-stop.sh stops it.
start_display() {
  local name=$1
  shift
  start_x_server "$state/$name" Xvfb -screen 0 1024x768x24 "$@"
  echo "${x_server_pids[-1]}" >>"$state/xvfb.pid"
}
# KELVARIS_SCREEN (WxH) gives the main display another size than 1024x768,
# for the benchmark of wide desks.
start_display display ${KELVARIS_SCREEN:+-screen 0 "${KELVARIS_SCREEN}x24"}
# A second display without OpenGL, for the tests of a saver that gets no
# pixel format or context.
start_display display-noglx -extension GLX
source "$here/wine-env.sh" "$1"

# All Wine output goes to a log: a wineserver that inherits ctest's pipe
# would keep ctest waiting long after the tests end.
log="$state/wine.log"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i </dev/null >"$log" 2>&1
  # Unhandled faults must end the process, not start the debugger, which
  # would wait forever on a headless display.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d 'no-debugger.exe' /f </dev/null >>"$log" 2>&1
  # No window manager runs on the private display; unmanaged windows keep
  # Wine from waiting for one when a window is hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >>"$log" 2>&1
  wineserver -w
fi
wineserver -p </dev/null >>"$log" 2>&1
wine cmd /c exit </dev/null >>"$log" 2>&1

# The display without OpenGL gets a copy of the prefix and its own server.
(
  export KELVARIS_DISPLAY=display-noglx
  source "$here/wine-env.sh" "$1"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Hard links save 700 MB; the registry files, which the server
    # rewrites, are real copies.
    cp -al "$state/prefix" "$WINEPREFIX"
    for reg in "$state"/prefix/*.reg; do cp --remove-destination "$reg" "$WINEPREFIX/"; done
  fi
  wineserver -p </dev/null >>"$log" 2>&1
  wine cmd /c exit </dev/null >>"$log" 2>&1
)
echo "Wine ready on display $DISPLAY, prefix $WINEPREFIX"
