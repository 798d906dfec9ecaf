// Linked into every Windows test program: tells tools/wine-run.sh that the
// program really started under Wine, by creating the file that
// KELVARIS_STARTED names before any case runs, and, once every case has
// run, writes the program's verdict into it ("passed" or "failed"), so that
// a program killed on its way out after its cases passed is told apart
// from one that failed.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

void WriteMarker(const char* text) {
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("KELVARIS_STARTED", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
  CloseHandle(file);
}

class VerdictMarker : public testing::EmptyTestEventListener {
  void OnTestProgramEnd(const testing::UnitTest& unit) override {
    WriteMarker(unit.Passed() ? "passed" : "failed");
  }
};

struct StartedMarker {
  StartedMarker() {
    WriteMarker("");
    testing::UnitTest::GetInstance()->listeners().Append(new VerdictMarker);
  }
};

StartedMarker marker;

}  // namespace
