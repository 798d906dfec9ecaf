#!/usr/bin/env bash
# The saver opened from a folder that also holds a planted opengl32.dll and
# glu32.dll, with Wine told to prefer DLLs found beside the program (as
# Windows does for any DLL that is not a known system one): the saver must
# draw the scene with the system's OpenGL, end with 0 on a key, and load
# neither planted file. Without the system's OpenGL or GLU it ends at once,
# with the exit code of a window it cannot make (-1).
# Usage: planted_dlls.sh TOOLS_DIR WINE_STATE SCR PLANTED_DIR
set -uo pipefail
tools=$1 state=$2 scr=$3 planted=$4
here=$(dirname "$0")
source "$tools/wine-env.sh" "$state"
source "$here/../support/test_lib.sh"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;opengl32=n,b;glu32=n,b"

downloads="$state/downloads"
rm -rf "$downloads"
mkdir -p "$downloads"
cp "$scr" "$planted/opengl32.dll" "$planted/glu32.dll" "$downloads/"
store_count 0

xdotool mousemove 200 200
if start_saver "$downloads/$(basename "$scr")"; then
  /usr/bin/python3 "$here/../support/check_monitors.py" --wait "$downloads/screen.ppm" 1024x768+0+0 >/dev/null &&
    ok "the scene is drawn" || fail "the scene is not drawn"
  xdotool key a
  expect_end "$saver_pid" 0 "a key"
else
  fail "no saver window"
fi
# The mark takes the name the DLL was loaded by, in whatever case.
for dll in opengl32 glu32; do
  [ -n "$(find "$downloads" -iname "$dll.dll.loaded")" ] && fail "the planted $dll.dll was loaded" ||
    ok "$dll.dll not loaded"
done
for dll in opengl32 glu32; do
  # A start that Wine does not complete (seen once in CI: exit code 1 on a
  # loaded machine) is tried again, up to three times, as start_saver does;
  # Wine's own messages are shown with each. 120 s only guard against a
  # saver that runs on without it.
  for try in 1 2 3; do
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$dll=" timeout 120 "${as_windows_child[@]}" "$scr" /s </dev/null >"$downloads/without-$dll.log" 2>&1
    code=$?
    [ "$code" -ne 255 ] || break
    echo "without $dll.dll the saver ended with $code (try $try of 3); Wine said:"
    tail -n 5 "$downloads/without-$dll.log"
  done
  expect "$code" 255 "without $dll.dll it ends with -1"
done
finish
