#include "app.h"
#include "scene.h"
#include "stored_value.h"

static const char kSettingsKey[] = "Software\\Quenwick\\Zembrel";

bool ReadRegistryDword(const char* valueName, void* destination) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  // Read into a buffer of our own and take only a whole 4-byte REG_DWORD:
  // a value of another type or size must never leave part of its bytes in
  // the destination.
  DWORD type = REG_NONE;
  DWORD data = 0;
  DWORD size = sizeof(data);
  const LONG result = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (result == ERROR_SUCCESS) AcceptStoredDword(type, &data, size, destination);
  RegCloseKey(key);
  return true;
}

bool WriteRegistryDword(const char* valueName, const void* source) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegSetValueExA(key, valueName, 0, REG_DWORD, static_cast<const BYTE*>(source), 4);
  RegCloseKey(key);
  return true;
}

bool LoadSettings() { return ReadRegistryDword("NumSatellites", &numSatellites); }

bool SaveSettings() { return WriteRegistryDword("NumSatellites", &numSatellites); }
