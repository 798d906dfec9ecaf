// A stand-in for the system's PASSWORD.CPL. Its answer comes from the
// registry value VerifyAnswer; while "asking" it runs its own message loop
// for VerifyPumpMs milliseconds, as the system's dialog would, and with
// VerifyPostsClose set it posts a WM_CLOSE to the saver first. With
// VerifyFaults set it faults instead, as a broken system library would.
#include "test_log.h"

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  WriteTestDword("VerifyCalls", ReadTestDword("VerifyCalls", 0) + 1);
  WriteTestDword("VerifyWindow", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)));
  if (ReadTestDword("VerifyFaults", 0)) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
  }
  if (ReadTestDword("VerifyPostsClose", 0)) PostMessageA(window, WM_CLOSE, 0, 0);

  const DWORD pumpMs = ReadTestDword("VerifyPumpMs", 0);
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < pumpMs) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  }
  return ReadTestDword("VerifyAnswer", 0);
}
