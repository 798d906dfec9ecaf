// hold_file FILE READY: opens FILE as a program that reads it would, sharing
// it only for reading, so that nobody may replace or delete it; then
// creates READY and holds FILE until it is ended.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  HANDLE held = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 3;
  HANDLE ready = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 4;
  CloseHandle(ready);
  Sleep(INFINITE);
}
