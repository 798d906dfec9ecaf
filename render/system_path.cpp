#include "system_path.h"

#include <cwchar>

bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* path, size_t capacity) {
  const size_t folderLength = std::wcslen(folder);
  const bool separator = folderLength == 0 || folder[folderLength - 1] != L'\\';
  const size_t length = folderLength + (separator ? 1 : 0) + std::wcslen(name);
  if (capacity == 0) return false;
  path[0] = L'\0';
  if (length >= capacity) return false;
  std::wcscpy(path, folder);
  if (separator) path[folderLength] = L'\\';
  std::wcscpy(path + folderLength + (separator ? 1 : 0), name);
  return true;
}
