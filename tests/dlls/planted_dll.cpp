// A planted DLL, built under the names of system DLLs (opengl32.dll,
// uxtheme.dll, version.dll, ...): the kind of file a download folder or a
// temporary folder can hold beside a program.
// As OpenGL and GLU it exports, as do-nothing stand-ins, the functions a
// saver imports from the real one, so that a saver that imports it does
// start with it. When any process loads it, it
// leaves a file "<its own path>.loaded" behind, so a test can tell.
#include <windows.h>

extern "C" void* PlantedEntry() { return nullptr; }

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 8];
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  lstrcatA(path, ".loaded");
  HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
  return TRUE;
}
