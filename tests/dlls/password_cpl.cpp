// A stand-in for the system's PASSWORD.CPL. Its answer comes from the
// registry value VerifyAnswer; while "asking" it runs its own message loop,
// as the system's dialog would, until VerifyPumpCount messages numbered
// VerifyPumpMessage have reached the saver window, and with VerifyPostsClose
// set it posts a WM_CLOSE to the saver first. With VerifyFaults set it
// faults instead, as a broken system library would.
#include "hang_guard.h"
#include "test_log.h"

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  WriteTestDword("VerifyCalls", ReadTestDword("VerifyCalls", 0) + 1);
  WriteTestDword("VerifyWindow", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)));
  if (ReadTestDword("VerifyFaults", 0)) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
  }
  if (ReadTestDword("VerifyPostsClose", 0)) PostMessageA(window, WM_CLOSE, 0, 0);

  // Counted in messages, not time, so that a slow machine asks as long.
  const UINT pumpMessage = ReadTestDword("VerifyPumpMessage", 0);
  DWORD left = ReadTestDword("VerifyPumpCount", 0);
  const DWORD start = GetTickCount();
  MSG msg;
  while (left > 0 && GetTickCount() - start < kHangGuardMs) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    if (msg.hwnd == window && msg.message == pumpMessage) --left;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return ReadTestDword("VerifyAnswer", 0);
}
