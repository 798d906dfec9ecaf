#!/usr/bin/env bash
# The installer under Wine, silently, as an administrator's script runs it,
# one case per run, each from a system without Kelvaris:
#   install-uninstall  it places the saver in the system folder and
#                      registers its uninstaller, without making it the
#                      current saver; the uninstaller takes all of it back,
#                      and nothing else: a user's file in the install
#                      folder stays, and DLLs planted in %TEMP% and beside
#                      the uninstaller are not loaded
#   current            /CURRENT makes it the current, active saver; with none
#                      from before, uninstall leaves no saver set
#   restore-spellings  the saver and ScreenSaveActive from before come back
#                      while ours is current in any spelling (a name without
#                      a folder is one in the system folder), also after a
#                      second install, and also when the one from before was
#                      named without a folder
#   vanished-previous  a saver from before that is gone by now is not set again
#   chosen-since       another saver the user chose since is left alone
#   downgrade          a newer Kelvaris stays: refused with 1638 unless
#                      /DOWNGRADE
#   asks-first         started without /S, nothing is written while its
#                      first page waits for an answer
#   running-saver      with the full-screen saver, a preview or the settings
#                      dialog running, an upgrade ends it (the dialog as
#                      Cancel, giving its owner back its input) and replaces
#                      the file, and the quiet uninstall registered in Apps
#                      ends it and returns only when everything is gone, so
#                      that an install right after it stays
#   in-use             with the saver's file held open, install and
#                      uninstall finish at the next start: exit code 3010
#                      and the pending rename and deletion recorded
# Usage: installer_test.sh CASE TOOLS_DIR WINE_STATE INSTALLER
set -uo pipefail
case=$1 tools=$2 state=$3 installer=$4
source "$tools/wine-env.sh" "$state"
here=$(dirname "$0")
source "$here/../support/test_lib.sh"
source "$here/uninstall.sh"

saver="$WINEPREFIX/drive_c/windows/system32/kelvaris.scr"
other="$WINEPREFIX/drive_c/windows/system32/other.scr"
desktop='HKCU\Control Panel\Desktop'

test_bin="$(dirname "$installer")/tests/bin"
pending_key='HKLM\System\CurrentControlSet\Control\Session Manager'

# A saver of this prefix: one left by another run's prefix is not ours.
saver_process() {
  local pid
  for pid in $(pgrep -f '^C:.windows.system32.kelvaris\.scr'); do
    grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && return 0
  done
  return 1
}
no_saver_process() { ! saver_process; }
set_saver() {
  wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d "$1" /f >/dev/null 2>&1
  [ $# -lt 2 ] || wine reg add "$desktop" /v ScreenSaveActive /t REG_SZ /d "$2" /f >/dev/null 2>&1
}
install() { wine "$installer" /S "$@" </dev/null >/dev/null 2>&1 || fail "silent install $* exit code $?"; }
current_is() {
  [ "$(value "$desktop" SCRNSAVE.EXE)" = "$1" ] && ok "$2" || fail "$2: SCRNSAVE.EXE is '$(value "$desktop" SCRNSAVE.EXE)'"
}

# No Kelvaris and no current saver, whatever a case before left.
key_exists "$uninstall_key" && uninstall
wine reg delete "$desktop" /v SCRNSAVE.EXE /f >/dev/null 2>&1
delete_settings
rm -f "$saver" "$other"

case $case in
  install-uninstall)
    install
    [ -f "$saver" ] && ok "the saver is in system32" || fail "no saver in system32"
    cmp -s "$saver" "$(dirname "$installer")/kelvaris.scr" && ok "it is the built saver" ||
      fail "system32 holds another file"
    current_is "" "not made the current saver unasked"
    entry() { value "$uninstall_key" "$1"; }
    expect "$(entry DisplayName), $(entry Publisher), $(entry DisplayIcon), $(entry NoModify) $(entry NoRepair)" \
      'Kelvaris Screen Saver, The Kelvaris developers, C:\windows\system32\kelvaris.scr, 0x1 0x1' \
      "the entry in Apps: name, publisher, icon, neither change nor repair"
    [ "$(value "$uninstall_key" UninstallString)" = '"C:\Program Files\Kelvaris\uninstall.exe"' ] &&
      ok "it names the uninstaller" || fail "UninstallString is '$(value "$uninstall_key" UninstallString)'"
    # Apps shows the size (KB) and the place: the saver alone is over 100 KB.
    size=$(value "$uninstall_key" EstimatedSize)
    [ $((size)) -ge 100 ] && [ "$(value "$uninstall_key" InstallLocation)" = 'C:\Program Files\Kelvaris' ] &&
      ok "size ($((size)) KB) and location registered" ||
      fail "EstimatedSize '$size', InstallLocation '$(value "$uninstall_key" InstallLocation)'"
    store_count 7  # the user's settings, which go with the saver
    wine reg add 'HKCU\Software\Quenwick\Other' /v Kept /t REG_DWORD /d 1 /f >/dev/null 2>&1
    folder=$(dirname "$uninstaller")
    echo notes >"$folder/notes.txt"
    # Where the uninstall as SYSTEM would find them: C:\Windows\Temp is its
    # %TEMP%, and any user may write there.
    temp=$(winepath -u "$(wine cmd /c 'echo %TEMP%' | tr -d '\r')")
    planted=$(dirname "$installer")/tests/planted
    for dll in version uxtheme dwmapi; do
      cp "$planted/$dll.dll" "$temp/" && cp "$planted/$dll.dll" "$folder/"
    done
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;version,uxtheme,dwmapi=n,b" uninstall
    expect "$?" 0 "the quiet uninstall beside planted DLLs, exit code"
    loaded=$(find "$temp" "$folder" -iname '*.dll.loaded')
    [ -z "$loaded" ] && ok "no planted DLL loaded" || fail "planted DLLs loaded: $loaded"
    rm -f "$temp"/{version,uxtheme,dwmapi}.dll*
    [ -f "$folder/notes.txt" ] && ok "a user's file in the install folder is kept" ||
      fail "a user's file in the install folder was deleted"
    rm -rf "$folder"
    key_exists 'HKCU\Software\Quenwick\Other' && ok "another program's key beside ours is kept" ||
      fail "another program's key beside ours went too"
    wine reg delete 'HKCU\Software\Quenwick' /f >/dev/null 2>&1
    missing "$saver" && ok "uninstall removed the saver" || fail "the saver is still in system32"
    missing "$uninstaller" && ok "the uninstaller is gone" || fail "the uninstaller is left"
    key_exists "$uninstall_key" && fail "uninstall entry left" || ok "uninstall entry removed"
    key_exists "$settings_key" && fail "settings key left" || ok "settings key removed"
    ;;
  current)
    install /CURRENT
    current_is 'C:\windows\system32\kelvaris.scr' "made the current saver"
    [ "$(value "$desktop" ScreenSaveActive)" = 1 ] && ok "saver active" || fail "ScreenSaveActive not 1"
    uninstall || fail "silent uninstall exit code $?"
    current_is "" "with none from before, no saver is left set"
    ;;
  restore-spellings)
    # Another saver, current but not active, comes back when ours goes.
    touch "$other"
    # Z: is Wine's drive for the Unix root: a spelling only the file's going
    # with ours tells apart.
    for spelling in '%SystemRoot%\system32\KELVARIS.SCR' 'C:\windows\\system32\kelvaris.scr' kelvaris.scr \
      "Z:${WINEPREFIX//\//\\}\\drive_c\\windows\\system32\\kelvaris.scr"; do
      for previous in 'C:\windows\system32\other.scr' other.scr; do
        set_saver "$previous" 0
        install /CURRENT
        install /CURRENT  # a second install keeps what came before the first
        set_saver "$spelling"
        uninstall || fail "the quiet uninstall after $spelling: exit code $?"
        [ "$(value "$desktop" SCRNSAVE.EXE)" = "$previous" ] && [ "$(value "$desktop" ScreenSaveActive)" = 0 ] &&
          ok "$previous is back after $spelling" ||
          fail "$previous after $spelling: SCRNSAVE.EXE '$(value "$desktop" SCRNSAVE.EXE)', active '$(value "$desktop" ScreenSaveActive)'"
      done
    done
    ;;
  vanished-previous)
    touch "$other"
    set_saver 'C:\windows\system32\other.scr' 0
    install /CURRENT
    rm -f "$other"
    uninstall
    expect "$?" 0 "the quiet uninstall, exit code"
    current_is "" "a vanished saver from before is not set"
    ;;
  chosen-since)
    install /CURRENT
    set_saver 'C:\windows\system32\other.scr'
    uninstall
    current_is 'C:\windows\system32\other.scr' "another saver chosen since is left alone"
    ;;
  downgrade)
    install
    wine reg add "$uninstall_key" /v DisplayVersion /t REG_SZ /d 9.9.9 /f >/dev/null 2>&1
    wine "$installer" /S </dev/null >/dev/null 2>&1
    # The shell sees the low byte of a Windows exit code: 1638 is 102.
    expect "$?" $((1638 % 256)) "a newer Kelvaris is not replaced silently, exit code (1638)"
    expect "$(value "$uninstall_key" DisplayVersion)" 9.9.9 "the newer one stays registered"
    install /DOWNGRADE
    [ "$(value "$uninstall_key" DisplayVersion)" != 9.9.9 ] && ok "/DOWNGRADE replaces it" || fail "/DOWNGRADE changed nothing"
    uninstall
    ;;
  asks-first)
    wine "$installer" </dev/null >/dev/null 2>&1 &
    setup=$!
    page() { xdotool search --name 'Kelvaris Screen Saver Setup' >/dev/null 2>&1; }
    poll 120 page || fail "no first page"
    missing "$saver" && ! key_exists "$uninstall_key" && ok "nothing written while the first page waits" ||
      fail "written before the first page was answered"
    xdotool key Escape  # Cancel
    expect_end "$setup" 1 "Cancel on the first page ends it"
    missing "$saver" && ok "Cancel installs nothing" || fail "Cancel installed the saver"
    ;;
  running-saver)
    # Each time a saver of ours runs from the system folder, a marked copy
    # that a replaced file is told apart from.
    install
    run_marked() {
      cat "$(dirname "$installer")/kelvaris.scr" >"$saver" && printf 'old' >>"$saver"
      if [ "$1" != full-screen ]; then
        wine "$test_bin/preview_host.exe" 'C:\windows\system32\kelvaris.scr' "${2:-/p }" </dev/null >/dev/null 2>&1 &
        poll 120 saver_process || fail "no $1 started"
      else
        start_saver "$saver" || fail "no full-screen saver started"
      fi
      host=$!
    }
    ended_well() {
      wait "$host"
      expect "$?" 0 "the $kind saver's end, as its caller sees it (4: the dialog's owner left disabled)"
    }
    for kind in full-screen preview settings; do
      mode=
      [ $kind = settings ] && mode=/c:
      run_marked "$kind" "$mode"
      install
      poll 120 no_saver_process && ok "an upgrade ends the $kind saver" || fail "the $kind saver still runs after the upgrade"
      cmp -s "$saver" "$(dirname "$installer")/kelvaris.scr" && ok "an upgrade replaces the $kind saver's file" ||
        fail "the $kind saver's file was not replaced"
      ended_well
      run_marked "$kind" "$mode"
      uninstall
      expect "$?" 0 "the registered quiet uninstall with the $kind saver running, exit code"
      # Done when it returns: nothing is left to wait for. The saver's file
      # is gone, which Windows allows only once its process has ended; the
      # Unix side of that process may still be going for a second (under
      # load), hence the wait for it.
      missing "$saver" && missing "$uninstaller" && missing "$(dirname "$uninstaller")" &&
        ! key_exists "$uninstall_key" && ok "the $kind saver ended and everything is gone when it returns" ||
        fail "after the quiet uninstall: saver $(ls "$saver" 2>&1), uninstaller $(ls "$uninstaller" 2>&1)"
      poll 120 no_saver_process || fail "the $kind saver still runs after the quiet uninstall"
      ended_well
      install  # at once after the uninstall: nothing of it may interfere
      [ -f "$saver" ] && [ -f "$uninstaller" ] && ok "an install at once after it stays installed" ||
        fail "an install at once after the quiet uninstall lost files"
    done
    uninstall
    ;;
  in-use)
    wine reg delete "$pending_key" /v PendingFileRenameOperations /f >/dev/null 2>&1
    install
    wine "$test_bin/hold_file.exe" 'C:\windows\system32\kelvaris.scr' 'C:\held' </dev/null >/dev/null 2>&1 &
    holder=$!
    poll 120 test -f "$WINEPREFIX/drive_c/held" || fail "the saver's file was not held"
    pending() { value "$pending_key" PendingFileRenameOperations; }
    # Each operation a pair of names, the second empty for a deletion; reg
    # shows the names with \0 between them.
    scr='\??\C:\windows\system32\kelvaris.scr'
    rename="$scr.new\0!$scr"
    # The shell sees the low byte of a Windows exit code: 3010 is 194.
    wine "$installer" /S </dev/null >/dev/null 2>&1
    expect "$?" $((3010 % 256)) "an install over a file in use, exit code (3010)"
    expect "$(pending)" "$rename" "the new saver replaces it at the next start"
    uninstall
    expect "$?" $((3010 % 256)) "an uninstall with the file in use, exit code (3010)"
    after=$(pending) deleted="$rename\0$scr\0"
    expect "$after" "$deleted" "then the saver is deleted"
    # Beside 8 busy processes this once read nothing. A restart of Wine
    # would have ended the holder and carried the operations out; a failed
    # read would not: reg's own words, the holder and the files say which.
    [ "$after" = "$deleted" ] || {
      echo "read again: $(wine reg query "$pending_key" /v PendingFileRenameOperations </dev/null 2>&1 | tr -d '\r')"
      echo "the holder $(running "$holder" && echo runs || echo ended); system32 holds: $(cd "$(dirname "$saver")" && echo kelvaris*)"
    }
    missing "$uninstaller" && ! key_exists "$uninstall_key" && ok "the rest is gone at once" ||
      fail "the uninstaller or its entry is left"
    kill "$holder"
    wait "$holder" 2>/dev/null
    wine reg delete "$pending_key" /v PendingFileRenameOperations /f >/dev/null 2>&1
    rm -f "$saver" "$saver.new" "$WINEPREFIX/drive_c/held"
    ;;
  *) fail "no such case: $case" ;;
esac
wine reg delete "$desktop" /v SCRNSAVE.EXE /f >/dev/null 2>&1
rm -f "$other"
finish
