// The saver's settings key, as the tests read, write and clear it.
#pragma once

#include <windows.h>

#include <cstring>

const char kSettingsKey[] = "Software\\Quenwick\\Zembrel";

// The count as stored, of whatever type: its type, size and first four
// bytes; all 0 when the value or the key is missing.
struct StoredValue {
  DWORD type = 0, size = 0, data = 0;
};

inline StoredValue ReadStored() {
  StoredValue v;
  unsigned char bytes[16] = {};
  DWORD size = sizeof(bytes);
  if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "NumSatellites", RRF_RT_ANY | RRF_NOEXPAND, &v.type,
                   bytes, &size) != ERROR_SUCCESS)
    return {};
  v.size = size;
  std::memcpy(&v.data, bytes, 4);
  return v;
}

// The stored count when it is a REG_DWORD, else 0xBAD.
inline DWORD StoredCount() {
  const StoredValue v = ReadStored();
  return v.type == REG_DWORD && v.size == 4 ? v.data : 0xBAD;
}

inline bool SettingsKeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

inline void StoreRawSetting(DWORD type, const void* data, DWORD size) {
  RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "NumSatellites", type, data, size);
}

inline void StoreCount(DWORD count) { StoreRawSetting(REG_DWORD, &count, sizeof(count)); }

inline void DeleteSettingsKey() { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }
