// The test libraries' answers and call log live in the registry, so that a
// test sees them whether the library ran in its own process or in a saver
// process it started.
#pragma once

#include <windows.h>

#define KELVARIS_TEST_KEY "Software\\KelvarisTest"

inline DWORD ReadTestDword(const char* name, DWORD fallback) {
  DWORD value = fallback, size = sizeof(value), type = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, KELVARIS_TEST_KEY, name, RRF_RT_REG_DWORD, &type, &value, &size) !=
      ERROR_SUCCESS) {
    return fallback;
  }
  return value;
}

inline void WriteTestDword(const char* name, DWORD value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, KELVARIS_TEST_KEY, name, REG_DWORD, &value, sizeof(value));
}

inline void WriteTestString(const char* name, const char* value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, KELVARIS_TEST_KEY, name, REG_SZ, value,
                  static_cast<DWORD>(lstrlenA(value) + 1));
}
