#include <cstring>

#include "app.h"

// Entries of Windows Vista and later, looked up by name so that the saver
// still starts on older systems, where it simply draws on.
typedef HPOWERNOTIFY(WINAPI* RegisterPowerSettingNotificationProc)(HANDLE, LPCGUID, DWORD);
typedef BOOL(WINAPI* UnregisterPowerSettingNotificationProc)(HPOWERNOTIFY);

HPOWERNOTIFY displayStateNotice;

static FARPROC UserEntry(const char* name) { return GetProcAddress(GetModuleHandleA("USER32.DLL"), name); }

void WatchDisplayState(HWND window) {
  if (RegisterPowerSettingNotificationProc watch = reinterpret_cast<RegisterPowerSettingNotificationProc>(
          reinterpret_cast<void*>(UserEntry("RegisterPowerSettingNotification")))) {
    displayStateNotice = watch(window, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
  }
}

void StopWatchingDisplayState() {
  if (!displayStateNotice) return;
  if (UnregisterPowerSettingNotificationProc unwatch =
          reinterpret_cast<UnregisterPowerSettingNotificationProc>(
              reinterpret_cast<void*>(UserEntry("UnregisterPowerSettingNotification")))) {
    unwatch(displayStateNotice);
  }
  displayStateNotice = nullptr;
}

DisplayState ReadDisplayState(LPARAM lParam) {
  const POWERBROADCAST_SETTING* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
  DWORD state;
  if (!setting || !IsEqualGUID(setting->PowerSetting, GUID_CONSOLE_DISPLAY_STATE) ||
      setting->DataLength < sizeof(state)) {
    return DisplayState::kUnknown;
  }
  std::memcpy(&state, setting->Data, sizeof(state));
  return state == 0 ? DisplayState::kOff : DisplayState::kLit;
}
