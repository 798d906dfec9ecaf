#include "host.h"

HINSTANCE saverInstance = nullptr;
int isOlderFamily = 0;
HWND saverWindow = nullptr;
int isPreview = 0;
UINT autoPlayMessage = 0;
POINT lastCursorPos = {0, 0};
HMODULE imeLibrary = nullptr;
ImmAssociateContextProc associateContextProc = nullptr;
HIMC savedInputContext = nullptr;
UINT_PTR closeApproved = 0;
int verifyInProgress = 0;
HMODULE passwordLibrary = nullptr;
VerifyScreenSavePwdProc verifyPasswordProc = nullptr;
DWORD lastVerifyTick = 0xFFFFFFFF;
const DWORD mouseMoveThreshold = 4;

int DetectOlderFamily() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}
