#include "program_start.h"

#include <cstdio>
#include <ctime>

#include "fault_report.h"

bool StartProgram(const OptionsReading& reading, const char* usage, const SceneOptions& scene,
                  int* exitCode) {
  if (reading.verdict == OptionsVerdict::kHelp) {
    std::fputs(usage, stdout);
    *exitCode = 0;
    return false;
  }
  if (reading.verdict != OptionsVerdict::kRun) {
    ReportCommandLineFault(usage, reading);
    *exitCode = 1;
    return false;
  }
  numSatellites = scene.count;
  StartScene(static_cast<uint32_t>(std::time(nullptr)));
  return true;
}
