// Time from starting `kelvaris.scr /s` to its first frame on the screen,
// found by watching the screen's centre pixel turn from black.
// Usage: startup_bench SAVER RUNS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const int runs = std::atoi(argv[2]);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::printf("run,ms_to_first_frame\n");
  for (int run = 1; run <= runs; ++run) {
    std::string commandLine = std::string("\"") + argv[1] + "\" /s";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION saver = {};
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &saver)) {
      return 1;
    }
    HDC screen = GetDC(nullptr);
    double ms = -1;
    for (;;) {
      QueryPerformanceCounter(&now);
      const double elapsed = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
      if (GetPixel(screen, 512, 384) & 0xFFFFFF) {
        ms = elapsed;
        break;
      }
      if (elapsed > 10000) break;
      Sleep(1);
    }
    ReleaseDC(nullptr, screen);
    std::printf("%d,%.1f\n", run, ms);
    std::fflush(stdout);
    PostMessageA(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), WM_KEYDOWN, 'K', 0);
    WaitForSingleObject(saver.hProcess, 10000);
    CloseHandle(saver.hProcess);
    CloseHandle(saver.hThread);
    Sleep(300);  // let the screen go black again
  }
  return 0;
}
