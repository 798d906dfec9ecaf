#!/usr/bin/env bash
# The installer under Wine, silently, as an administrator's script runs it:
# it places the saver in the system folder, registers its uninstaller, sets
# the current saver only when asked, and the uninstaller takes all of that
# back: the saver and ScreenSaveActive from before come back while ours is
# current in any spelling, and another saver the user chose since is left
# alone.
# Usage: installer_test.sh TOOLS_DIR WINE_STATE INSTALLER
set -uo pipefail
tools=$1 state=$2 installer=$3
source "$tools/wine-env.sh" "$state"
source "$(dirname "$0")/uninstall.sh"
failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

saver="$WINEPREFIX/drive_c/windows/system32/kelvaris.scr"
desktop='HKCU\Control Panel\Desktop'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaris'

value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
wine reg delete "$desktop" /v SCRNSAVE.EXE /f >/dev/null 2>&1
rm -f "$saver"

wine "$installer" /S || fail "silent install exit code $?"
[ -f "$saver" ] && ok "the saver is in system32" || fail "no saver in system32"
cmp -s "$saver" "$(dirname "$installer")/kelvaris.scr" && ok "it is the built saver" || fail "system32 holds another file"
[ -z "$(value "$desktop" SCRNSAVE.EXE)" ] && ok "not made the current saver unasked" || fail "made current unasked"
[ "$(value "$uninstall_key" DisplayName)" = "Kelvaris Screen Saver" ] && ok "uninstaller registered" \
  || fail "no uninstall entry"
[ "$(value "$uninstall_key" UninstallString)" = '"C:\Program Files\Kelvaris\uninstall.exe"' ] && ok "it names the uninstaller" \
  || fail "UninstallString is '$(value "$uninstall_key" UninstallString)'"
# Apps shows the size (KB) and the place: the saver alone is over 100 KB.
size=$(value "$uninstall_key" EstimatedSize)
[ $((size)) -ge 100 ] && [ "$(value "$uninstall_key" InstallLocation)" = 'C:\Program Files\Kelvaris' ] &&
  ok "size ($((size)) KB) and location registered" ||
  fail "EstimatedSize '$size', InstallLocation '$(value "$uninstall_key" InstallLocation)'"

wine "$installer" /S /CURRENT || fail "silent install with /CURRENT exit code $?"
[ "$(value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\kelvaris.scr' ] && ok "made the current saver" \
  || fail "SCRNSAVE.EXE is '$(value "$desktop" SCRNSAVE.EXE)'"
[ "$(value "$desktop" ScreenSaveActive)" = 1 ] && ok "saver active" || fail "ScreenSaveActive not 1"

uninstall || fail "silent uninstall exit code $?"
gone "$saver" && ok "uninstall removed the saver" || fail "the saver is still in system32"
key_exists "$uninstall_key" && fail "uninstall entry left" || ok "uninstall entry removed"
[ -z "$(value "$desktop" SCRNSAVE.EXE)" ] && ok "current saver cleared" || fail "SCRNSAVE.EXE left"
key_exists 'HKCU\Software\Quenwick\Zembrel' && fail "settings key left" || ok "settings key removed"

# Another saver, current but not active, comes back when ours goes, also
# when the value names ours in another spelling.
other="$WINEPREFIX/drive_c/windows/system32/other.scr"
touch "$other"
for spelling in '%SystemRoot%\system32\KELVARIS.SCR' 'C:\windows\\system32\kelvaris.scr'; do
  wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
  wine reg add "$desktop" /v ScreenSaveActive /t REG_SZ /d 0 /f >/dev/null 2>&1
  wine "$installer" /S /CURRENT
  wine "$installer" /S /CURRENT  # a second install keeps what came before the first
  wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d "$spelling" /f >/dev/null 2>&1
  uninstall
  [ "$(value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\other.scr' ] &&
    [ "$(value "$desktop" ScreenSaveActive)" = 0 ] && ok "the saver from before is back after $spelling" ||
    fail "after $spelling: SCRNSAVE.EXE '$(value "$desktop" SCRNSAVE.EXE)', active '$(value "$desktop" ScreenSaveActive)'"
done
# A saver from before that is gone by now is not set again.
wine "$installer" /S /CURRENT
rm -f "$other"
uninstall
[ -z "$(value "$desktop" SCRNSAVE.EXE)" ] && ok "a vanished saver from before is not set" ||
  fail "SCRNSAVE.EXE is '$(value "$desktop" SCRNSAVE.EXE)'"

# Another saver chosen after ours stays chosen.
wine "$installer" /S /CURRENT
wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
uninstall
[ "$(value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\other.scr' ] && ok "another saver left alone" \
  || fail "another saver's setting changed"
wine reg delete "$desktop" /v SCRNSAVE.EXE /f >/dev/null 2>&1
exit $((failures > 0))
