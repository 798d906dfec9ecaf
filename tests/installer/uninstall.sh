# Sourced by the installer tests, after tools/wine-env.sh.
# gone FILE waits for a file to go: Wine removes a deleted file once its last
# handle is closed, which may be a moment after the process ended (120 s only
# guard a hang).
# uninstall runs the installed uninstaller silently and returns, with its
# exit code, once it is done: Wine hands NSIS the _?= argument quoted (it
# holds a blank), so NSIS runs a copy of the uninstaller, which ends on its
# own a moment later and deletes the uninstaller last.
uninstaller="$WINEPREFIX/drive_c/Program Files/Kelvaris/uninstall.exe"
gone() { for _ in $(seq 1200); do [ -e "$1" ] || return 0; sleep 0.1; done; return 1; }
uninstall() {
  wine "$uninstaller" /S "_?=C:\\Program Files\\Kelvaris"
  local code=$?
  gone "$uninstaller" && return $code
}
