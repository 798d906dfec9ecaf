#include "host.h"

// A close within this many milliseconds after a failed check is refused
// without asking again, so that one key press does not ask twice.
static const DWORD kRepeatGuardMs = 200;

void SetSaverRunning(BOOL running) {
  if (!isOlderFamily) return;
  UINT previous = running;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &previous, 0);
}

void LoadPasswordVerifier() {
  if (!isOlderFamily) return;
  if (passwordLibrary) UnloadPasswordVerifier();

  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS) return;
  DWORD usePassword = 0;
  DWORD size = sizeof(usePassword);
  const LONG result = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&usePassword), &size);
  if (result == ERROR_SUCCESS && usePassword != 0) {
    passwordLibrary = LoadLibraryA("PASSWORD.CPL");
    if (passwordLibrary) {
      verifyPasswordProc = reinterpret_cast<VerifyScreenSavePwdProc>(
          reinterpret_cast<void*>(GetProcAddress(passwordLibrary, "VerifyScreenSavePwd")));
      if (verifyPasswordProc) {
        SetSaverRunning(TRUE);
      } else {
        UnloadPasswordVerifier();
      }
    }
  }
  RegCloseKey(key);
}

void UnloadPasswordVerifier() {
  if (!isOlderFamily || !passwordLibrary) return;
  FreeLibrary(passwordLibrary);
  passwordLibrary = nullptr;
  // The notice is withdrawn exactly when it was given at load.
  if (verifyPasswordProc) {
    verifyPasswordProc = nullptr;
    SetSaverRunning(FALSE);
  }
}

UINT_PTR VerifyBeforeClose(HWND window) {
  if (verifyInProgress) return 0;
  if (!verifyPasswordProc) {
    closeApproved = 1;
    return 1;
  }
  if (lastVerifyTick != 0xFFFFFFFF && GetTickCount() - lastVerifyTick < kRepeatGuardMs) return 0;

  verifyInProgress = 1;
  // Ticks queued up before the check are stale; drop up to two.
  MSG stale;
  PeekMessageA(&stale, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
  PeekMessageA(&stale, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
  // Through the window, so that an application may answer it itself.
  const LRESULT result = SendMessageA(window, kVerifyRequest, 0, 0);
  closeApproved = static_cast<UINT_PTR>(result);
  verifyInProgress = 0;
  if (!closeApproved) SetCursor(nullptr);
  lastVerifyTick = GetTickCount();
  return closeApproved;
}

void ChangePassword(HWND owner) {
  HMODULE library = LoadLibraryA("MPR.DLL");
  if (!library) return;
  if (PwdChangePasswordAProc change = reinterpret_cast<PwdChangePasswordAProc>(
          reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")))) {
    change("SCRSAVE", owner, 0, nullptr);
  }
  FreeLibrary(library);
}
