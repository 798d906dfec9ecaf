# Sourced by the installer tests, after tools/wine-env.sh and the test
# library. uninstall runs the installed uninstaller silently and returns,
# with its exit code, once it is done: Wine hands NSIS the _?= argument
# quoted (it holds a blank), so NSIS runs a copy of the uninstaller, which
# ends on its own a moment later and deletes the uninstaller last (120 s
# only guard a hang). Wine removes a deleted file once its last handle is
# closed, which may be a moment after the process ended.
uninstaller="$WINEPREFIX/drive_c/Program Files/Kelvaris/uninstall.exe"
uninstall() {
  wine "$uninstaller" /S "_?=C:\\Program Files\\Kelvaris"
  local code=$?
  poll 120 missing "$uninstaller" && return $code
}
