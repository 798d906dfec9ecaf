; The Kelvaris installer. Built by `make dist` with Debian's makensis:
;   makensis -DVERSION=x.y.z -DSAVER=path/to/kelvaris.scr -DICON=path/to/kelvaris.ico
;            -DOUTFILE=setup.exe [-DSIGN=path/to/sign.sh] kelvaris.nsi
; With SIGN, the uninstaller and the installer are each handed to that
; command (with the file's path) as they are built, to be signed in place.
;
; A 64-bit installer: it sees the real 64-bit system folder, where Windows
; looks for screen savers, without the file-system redirection that would
; send a 32-bit installer's files to SysWOW64.
;
; Command line: /S installs silently; /CURRENT also makes Kelvaris the
; current screen saver (asked in a message box when not silent).

Unicode true
Target amd64-unicode
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaris"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Kelvaris Screen Saver"
OutFile "${OUTFILE}"
BrandingText "Kelvaris ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif
InstallDir "$PROGRAMFILES64\Kelvaris"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Kelvaris Screen Saver"
VIAddVersionKey /LANG=1033 "FileDescription" "Kelvaris Screen Saver installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "The Kelvaris developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 The Kelvaris developers"

!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Kelvaris"
  SetRegView 64
  SetOutPath "$SYSDIR"
  ; No file time is stored, so that two builds of one commit are the same.
  SetDateSave off
  File "/oname=kelvaris.scr" "${SAVER}"

  CreateDirectory "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kelvaris Screen Saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Kelvaris developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\kelvaris.scr"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; The size Apps shows, in KB: the saver and the uninstaller.
  ${GetSize} "$SYSDIR" "/M=kelvaris.scr /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CURRENT" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION "Make Kelvaris your screen saver now?" /SD IDNO IDNO done
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\kelvaris.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  done:
SectionEnd

Function .onInstSuccess
  ; Shows the screen saver settings, where Kelvaris can be chosen and set up.
  IfSilent +2
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Uninstall"
  SetRegView 64
  Delete "$SYSDIR\kelvaris.scr"
  ; The current saver setting is the user's: cleared only while it names ours.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == "$SYSDIR\kelvaris.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
