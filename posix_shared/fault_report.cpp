#include "fault_report.h"

#include <cstdarg>
#include <cstdio>

const char* faultProgram = "kelvaris";

bool Fail(const char* format, ...) {
  std::fprintf(stderr, "%s: ", faultProgram);
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(stderr, format, arguments);
  va_end(arguments);
  std::fputc('\n', stderr);
  return false;
}

void ReportCommandLineFault(const char* usage, const OptionsReading& reading) {
  if (reading.verdict == OptionsVerdict::kUnknownOption) {
    Fail("unrecognised option: %s", reading.offending);
  } else if (reading.verdict == OptionsVerdict::kMissingValue) {
    Fail("option %s needs a value", reading.offending);
  } else {
    Fail("bad value for %s: %s", reading.option, reading.offending);
  }
  std::fputs(usage, stderr);
}
