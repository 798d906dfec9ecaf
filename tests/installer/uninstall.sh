# Sourced by the installer tests, after tools/wine-env.sh and the test
# library. uninstall runs the quiet uninstall command registered in Apps as
# a deployment tool does, its command line as it stands (from a batch file,
# which waits for it), and returns its exit code once it has returned.
uninstaller="$WINEPREFIX/drive_c/Program Files/Kelvaris/uninstall.exe"
uninstall() {
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaris'
  wine reg query "$key" /v QuietUninstallString 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *QuietUninstallString *REG_SZ *\(.*\)/@\1\r/p' >"$WINEPREFIX/drive_c/quiet-uninstall.bat"
  wine cmd /c 'C:\quiet-uninstall.bat' </dev/null >/dev/null 2>&1
}
