// A stand-in for the system's MPR.DLL that records how the password change
// was asked for.
#include "test_log.h"

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD flags, LPVOID reserved) {
  WriteTestDword("ChangeCalls", ReadTestDword("ChangeCalls", 0) + 1);
  WriteTestString("ChangeProvider", provider ? provider : "(null)");
  WriteTestDword("ChangeOwner", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner)));
  WriteTestDword("ChangeArgs", flags | (reserved ? 0x100 : 0));
  return 0;
}
