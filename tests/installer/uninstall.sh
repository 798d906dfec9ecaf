# Sourced by the installer tests, after tools/wine-env.sh and the test
# library: the registry as `wine reg` reads it, and the uninstall.
uninstaller="$WINEPREFIX/drive_c/Program Files/Kelvaris/uninstall.exe"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaris'
# value KEY NAME: the value's data, empty when there is none.
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
# Runs the quiet uninstall command registered in Apps as a deployment tool
# does, its command line as it stands (from a batch file, which waits for
# it), and returns its exit code once it has returned.
uninstall() {
  printf '@%s\r\n' "$(value "$uninstall_key" QuietUninstallString)" >"$WINEPREFIX/drive_c/quiet-uninstall.bat"
  wine cmd /c 'C:\quiet-uninstall.bat' </dev/null >/dev/null 2>&1
}
