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
; Command line: /S installs silently; /DOWNGRADE lets it replace a newer
; Kelvaris, which it otherwise asks about, or, silent, refuses with exit
; code 1638 (as Windows Installer does); /CURRENT also makes Kelvaris the
; current screen saver of the account that runs the installer, for
; deployment. Without it no per-user setting is touched: the installer runs
; elevated, and a per-user write would land in the elevating administrator's
; settings instead of the user's, so the user chooses Kelvaris in the screen
; saver settings, as the last page says.
;
; With /CURRENT the saver and ScreenSaveActive found before are kept in the
; saver's settings key; the uninstaller puts them back while the current
; saver is still Kelvaris, in whatever spelling the value names it.

Unicode true
Target amd64-unicode
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "WordFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaris"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "Software\Quenwick\Zembrel"
!define IDCANCEL 2  ; a dialog's Cancel button

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

Var MakeCurrent    ; 1 with /CURRENT
Var CurrentLine    ; the first page's line about it
Var FinishText
Var UninstallNote  ; what the uninstaller did with the current saver
Var ConfirmText    ; the uninstaller's first page, which says what it will do
Var UninstallTitle ; its last page's title

; Nothing is written before the user has read what will be done and agreed.
!define MUI_WELCOMEPAGE_TITLE "Install the Kelvaris screen saver"
; Each path has a line of its own, where it is never broken.
!define MUI_WELCOMEPAGE_TEXT "Setup will put on this computer:$\r$\n$\r$\n\
- the screen saver, in the system folder, where Windows finds screen savers:$\r$\n\
$SYSDIR\kelvaris.scr$\r$\n\
- its uninstaller, in a folder of its own:$\r$\n\
$INSTDIR\uninstall.exe$\r$\n\
- $\"Kelvaris Screen Saver$\" in Apps, from where it can be uninstalled.$CurrentLine$\r$\n$\r$\n\
Nothing has been changed yet. Click Install to go on, or Cancel to leave this computer as it is."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW WelcomeShow
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Kelvaris is installed"
!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$ConfirmText"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "$UninstallTitle"
!define MUI_FINISHPAGE_TEXT "$UninstallNote"
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CURRENT" $1
  ${IfNot} ${Errors}
    StrCpy $MakeCurrent 1
    StrCpy $CurrentLine "$\r$\n- Kelvaris as the current screen saver of the account that runs Setup (/CURRENT)."
  ${EndIf}
  ; A newer Kelvaris stays unless the user agrees, or /DOWNGRADE says so.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $1 != ""
    ${VersionCompare} "${VERSION}" $1 $2
    ClearErrors
    ${GetOptions} $0 "/DOWNGRADE" $3
    ${If} $2 == 2
    ${AndIf} ${Errors}
      ${If} ${Silent}
        SetErrorLevel 1638
        Quit
      ${EndIf}
      MessageBox MB_YESNO|MB_ICONQUESTION "Kelvaris $1 is installed, which is newer than this Kelvaris ${VERSION}.$\r$\n$\r$\n\
Replace it with the older version?" /SD IDNO IDYES +2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  StrCpy $UninstallTitle "Kelvaris is uninstalled"
  ClearErrors
  ReadRegStr $0 HKCU "${SETTINGS_KEY}" "PreviousScreenSaver"
  ${If} ${Errors}
    StrCpy $ConfirmText "The Kelvaris screen saver will be removed from the system folder and from Apps. \
If Kelvaris is your screen saver, no screen saver is set afterwards."
  ${Else}
    StrCpy $ConfirmText "The Kelvaris screen saver will be removed from the system folder and from Apps. \
If Kelvaris is your screen saver, the one you had before it is made current again, if it is still on this computer."
  ${EndIf}
FunctionEnd

Function WelcomeShow
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:&Install"
FunctionEnd

; The file a screen saver value names: variables expanded, and a name
; without a folder taken from the system folder, as Windows takes it. On the
; stack: the value in, the file out (empty for an empty value).
!macro DEFINE_VALUE_FILE prefix
Function ${prefix}ValueFile
  Exch $0
  Push $1
  Push $2
  ExpandEnvStrings $0 $0
  StrCmp $0 "" done
  StrCpy $1 0
  next:
    StrCpy $2 $0 1 $1
    StrCmp $2 "" bare
    StrCmp $2 "\" done
    StrCmp $2 "/" done
    StrCmp $2 ":" done
    IntOp $1 $1 + 1
    Goto next
  bare:
    StrCpy $0 "$SYSDIR\$0"
  done:
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro DEFINE_VALUE_FILE ""
!insertmacro DEFINE_VALUE_FILE "un."

; The path a screen saver value names, as the system resolves it: the value's
; file, full, with long names, so that every spelling of one file gives one
; text (compared without case). On the stack: the value in, the path out.
!macro DEFINE_RESOLVED_PATH prefix
Function ${prefix}ResolvedPath
  Call ${prefix}ValueFile
  Exch $0
  Push $1
  Push $2
  GetFullPathName $1 $0
  ${If} $1 != ""
    StrCpy $0 $1
    System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
    ${If} $2 > 0
      StrCpy $0 $1
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro DEFINE_RESOLVED_PATH ""
!insertmacro DEFINE_RESOLVED_PATH "un."

; Sets $0 to 1 when the current screen saver value names our saver, else 0.
!macro DEFINE_NAMES_OUR_SAVER prefix
Function ${prefix}NamesOurSaver
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $0 0
  StrCmp $1 "" done
  Push $1
  Call ${prefix}ResolvedPath
  Pop $1
  Push "$SYSDIR\kelvaris.scr"
  Call ${prefix}ResolvedPath
  Pop $2
  StrCmp $1 $2 0 done
  StrCpy $0 1
  done:
FunctionEnd
!macroend
!insertmacro DEFINE_NAMES_OUR_SAVER ""
!insertmacro DEFINE_NAMES_OUR_SAVER "un."

; The settings dialog that the process with the ID on the stack shows, or 0.
!macro DEFINE_SETTINGS_DIALOG_OF prefix
Function ${prefix}SettingsDialogOf
  Exch $0
  Push $1
  Push $2
  StrCpy $1 0
  ${Do}
    FindWindow $1 "#32770" "Zembrel Screensaver Config" 0 $1
    ${If} $1 = 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
    ${If} $2 = $0
      ${Break}
    ${EndIf}
  ${Loop}
  StrCpy $0 $1
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro DEFINE_SETTINGS_DIALOG_OF ""
!insertmacro DEFINE_SETTINGS_DIALOG_OF "un."

; Ends every Kelvaris that runs from the system folder before its file is
; replaced or removed (Windows lets no program's file be replaced or deleted
; while it runs): the full-screen saver as any input ends it, by a close to
; its window; the settings dialog as its Cancel button does, which leaves
; the settings as they were and gives the window that opened it back its
; input; a preview, which takes no input, by ending its process. Waits 5 s
; at most for each.
!macro DEFINE_END_RUNNING_SAVER prefix
; Ends the Kelvaris whose process ID and handle are on the stack (the ID
; pushed first), and waits for it.
Function ${prefix}EndSaverProcess
  Exch $1
  Exch
  Exch $0
  Push $2
  Push $3
  Push $4
  ; One still starting has not made its window or dialog yet, and ended
  ; then it could leave the window that owns its dialog disabled: first
  ; wait until it waits for input, 5 s at most.
  System::Call 'user32::WaitForInputIdle(p r1, i 5000)'
  FindWindow $2 "WindowsScreenSaverClass" "Screen Saver"
  StrCpy $3 0
  System::Call 'user32::GetWindowThreadProcessId(p r2, *i .r3)'
  Push $0
  Call ${prefix}SettingsDialogOf
  Pop $4
  ${If} $3 = $0
    SendMessage $2 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${ElseIf} $4 <> 0
    SendMessage $4 ${WM_COMMAND} ${IDCANCEL} 0 /TIMEOUT=5000
  ${Else}
    System::Call 'kernel32::TerminateProcess(p r1, i 0)'
  ${EndIf}
  System::Call 'kernel32::WaitForSingleObject(p r1, i 5000)'
  Pop $4
  Pop $3
  Pop $2
  Pop $0
  Pop $1
FunctionEnd

Function ${prefix}EndRunningSaver
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R7
  System::Alloc 16384
  Pop $R0
  System::Call 'kernel32::K32EnumProcesses(p R0, i 16384, *i .R1) i .R2'
  ${If} $R2 = 0
    StrCpy $R1 0
  ${EndIf}
  IntOp $R1 $R1 / 4
  StrCpy $R2 0
  ${While} $R2 < $R1
    IntOp $R3 $R2 * 4
    IntPtrOp $R3 $R0 + $R3
    System::Call '*$R3(i .R3)'
    ; SYNCHRONIZE | PROCESS_QUERY_INFORMATION (which WaitForInputIdle needs)
    ; | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE
    System::Call 'kernel32::OpenProcess(i 0x101401, i 0, i R3) p .R4'
    ${If} $R4 P<> 0
      StrCpy $R7 ""
      System::Call 'kernel32::QueryFullProcessImageNameW(p R4, i 0, w .R7, *i ${NSIS_MAX_STRLEN})'
      ${If} $R7 == "$SYSDIR\kelvaris.scr"
        Push $R3
        Push $R4
        Call ${prefix}EndSaverProcess
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p R4)'
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${EndWhile}
  System::Free $R0
  Pop $R7
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_SAVER ""
!insertmacro DEFINE_END_RUNNING_SAVER "un."

; "Kelvaris Screen Saver" in Apps: what it is, its size, and how to
; uninstall it, by hand or by a deployment tool.
Function RegisterInApps
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
  ; Deployment tools run this, often as SYSTEM, and go on once it returns.
  ; The uninstaller started as it is would copy itself into %TEMP% (for
  ; SYSTEM C:\Windows\Temp, where any user may put a DLL for it to load) and
  ; return at once. So this command, from the system folder, copies it into a
  ; new folder inside the install folder, which only administrators can
  ; write, runs it there with that folder for its temporary files (NSIS's
  ; plug-ins) and current folder, waits for it, removes the folder, and ends
  ; with its exit code (3010 when Windows must restart to finish).
  StrCpy $0 "$INSTDIR\uninstalling"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$SYSDIR\cmd.exe" /d /v:on /c "rmdir /s /q "$0" 2>nul & mkdir "$0" && \
copy /y "$INSTDIR\uninstall.exe" "$0\uninstall.exe" >nul && set "TEMP=$0" && set "TMP=$0" && \
start "" /d "$0" /wait "$0\uninstall.exe" /S _?=$INSTDIR & set code=!errorlevel! & \
rmdir /s /q "$0" & rmdir "$INSTDIR" 2>nul & exit !code!"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
FunctionEnd

Section "Kelvaris"
  SetRegView 64
  SetOutPath "$SYSDIR"
  ; No file time is stored, so that two builds of one commit are the same.
  SetDateSave off
  Call EndRunningSaver
  ; A file still in use is replaced when Windows starts next, never with a
  ; question the user cannot answer well.
  SetOverwrite try
  ClearErrors
  File "/oname=kelvaris.scr" "${SAVER}"
  ${If} ${Errors}
    File "/oname=kelvaris.scr.new" "${SAVER}"
    Rename /REBOOTOK "$SYSDIR\kelvaris.scr.new" "$SYSDIR\kelvaris.scr"
  ${EndIf}
  SetOverwrite on

  CreateDirectory "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  Call RegisterInApps

  ${If} $MakeCurrent == 1
    ; What was chosen before is kept for the uninstaller, unless that is
    ; Kelvaris already (a second install), whose record stays as it is.
    Call NamesOurSaver
    ${If} $0 == 0
      ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      ReadRegStr $2 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
      WriteRegStr HKCU "${SETTINGS_KEY}" "PreviousScreenSaver" $1
      WriteRegStr HKCU "${SETTINGS_KEY}" "PreviousScreenSaveActive" $2
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\kelvaris.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    StrCpy $FinishText "Kelvaris is now the screen saver of this account.$\r$\n$\r$\n"
  ${Else}
    StrCpy $FinishText "Your screen saver has not been changed.$\r$\n$\r$\n"
  ${EndIf}
  ; The settings are not opened from here: they would open elevated, as
  ; the administrator who allowed the installation.
  StrCpy $FinishText "$FinishText\
To choose Kelvaris, or to set the number of satellites, open the screen saver settings: \
search Start for $\"screen saver$\", or go to Settings > Personalization > Lock screen > Screen saver."
  ${If} ${RebootFlag}
    StrCpy $FinishText "The screen saver was in use: the new Kelvaris takes its place when Windows starts next.$\r$\n$\r$\n$FinishText"
    SetErrorLevel 3010
  ${EndIf}
SectionEnd

Section "Uninstall"
  SetRegView 64
  ; The current saver is the user's: changed only while it is ours. A file
  ; that the value names and that goes with ours was ours too, however the
  ; value spells it.
  Call un.NamesOurSaver
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Push $1
  Call un.ValueFile
  Pop $1
  StrCpy $2 0
  ${If} $1 != ""
  ${AndIf} ${FileExists} $1
    StrCpy $2 1
  ${EndIf}
  Call un.EndRunningSaver
  Delete /REBOOTOK "$SYSDIR\kelvaris.scr"
  ${If} $2 == 1
  ${AndIfNot} ${FileExists} $1
    StrCpy $0 1
  ${EndIf}
  ${If} $0 == 1
    Call un.RestoreScreenSaver
  ${Else}
    StrCpy $UninstallNote "Your screen saver is not Kelvaris and was left as it is."
  ${EndIf}
  DetailPrint $UninstallNote
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Quenwick"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} ${RebootFlag}
    StrCpy $UninstallTitle "Kelvaris is removed when Windows starts next"
    StrCpy $UninstallNote "The screen saver was in use: its file is deleted when Windows starts next.$\r$\n$\r$\n$UninstallNote"
    SetErrorLevel 3010
  ${EndIf}
SectionEnd

; Kelvaris is the current saver and is going: the saver and ScreenSaveActive
; from before it come back when the installer kept them and that saver is
; still there; otherwise no saver is left set, and the last page says so.
Function un.RestoreScreenSaver
  ClearErrors
  ReadRegStr $3 HKCU "${SETTINGS_KEY}" "PreviousScreenSaver"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    StrCpy $UninstallNote "Kelvaris was your screen saver, so no screen saver is set now. \
Choose another in the screen saver settings."
    Return
  ${EndIf}
  ReadRegStr $4 HKCU "${SETTINGS_KEY}" "PreviousScreenSaveActive"
  ${If} $4 == ""
    DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $4
  ${EndIf}
  Push $3
  Call un.ValueFile
  Pop $5
  ${If} $3 != ""
  ${AndIf} ${FileExists} $5
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $3
    StrCpy $UninstallNote "Your screen saver from before Kelvaris is current again: $3"
  ${ElseIf} $3 == ""
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    StrCpy $UninstallNote "Kelvaris was your screen saver; you had none before it, and none is set now."
  ${Else}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    StrCpy $UninstallNote "Kelvaris was your screen saver. The one you had before it, $3, is no longer \
on this computer, so no screen saver is set now: choose another in the screen saver settings."
  ${EndIf}
FunctionEnd
