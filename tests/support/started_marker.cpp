// Linked into every Windows test program: tells tools/wine-run.sh that the
// program really started under Wine, by creating the file that
// KELVARIS_STARTED names, before any case runs.
#include <windows.h>

namespace {

struct StartedMarker {
  StartedMarker() {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("KELVARIS_STARTED", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
};

StartedMarker marker;

}  // namespace
