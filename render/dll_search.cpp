#include "dll_search.h"

#include "system_path.h"

typedef BOOL(WINAPI* SetDefaultDllDirectoriesProc)(DWORD);

static bool searchRestricted;

void RestrictDllSearch() {
  if (searchRestricted) return;
  const SetDefaultDllDirectoriesProc restrict = reinterpret_cast<SetDefaultDllDirectoriesProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "SetDefaultDllDirectories")));
  searchRestricted = restrict&& restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Wine's own imm32 and uxtheme load these by a search that ignores the
  // restriction; loaded now from the system folder, they are found among the
  // loaded modules then. On Windows ole32 is a known system DLL anyway.
  if (searchRestricted) {
    LoadSystemLibrary(L"ole32.dll");
    LoadSystemLibrary(L"msimg32.dll");
  }
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (searchRestricted) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  wchar_t folder[MAX_PATH], path[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !JoinPath(folder, name, path, MAX_PATH)) return nullptr;
  return LoadLibraryW(path);
}
