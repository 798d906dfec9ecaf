#include "host.h"

// Their start values are set by ResetHostState, below.
HINSTANCE saverInstance;
int isOlderFamily;
HWND saverWindow;
int isPreview;
UINT autoPlayMessage;
POINT lastCursorPos;
HMODULE imeLibrary;
ImmAssociateContextProc associateContextProc;
HIMC savedInputContext;
UINT_PTR closeApproved;
int verifyInProgress;
HMODULE passwordLibrary;
VerifyScreenSavePwdProc verifyPasswordProc;
DWORD lastVerifyTick;
const DWORD mouseMoveThreshold = 4;

void ResetHostState() {
  saverInstance = nullptr;
  isOlderFamily = 0;
  saverWindow = nullptr;
  isPreview = 0;
  autoPlayMessage = 0;
  lastCursorPos = {0, 0};
  imeLibrary = nullptr;
  associateContextProc = nullptr;
  savedInputContext = nullptr;
  closeApproved = 0;
  verifyInProgress = 0;
  passwordLibrary = nullptr;
  verifyPasswordProc = nullptr;
  lastVerifyTick = 0xFFFFFFFF;  // no check yet
}

// The one place the start values are written: before any mode runs, while
// the program's static data is initialised.
static const bool hostStateStarted = (ResetHostState(), true);

int DetectOlderFamily() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}
