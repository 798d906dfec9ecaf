// What the Linux programs say when they cannot go on: one line on standard
// error, "PROGRAM: what is missing or wrong, and what to do".
#pragma once

#include "options.h"

// The program's name at the start of every message; each main sets it first.
extern const char* faultProgram;

// Says why the program cannot go on, printf-style; false, so that a step
// can end with `return Fail(...)`.
bool Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Says what was wrong with the command line (kUnknownOption, kMissingValue
// or kBadValue), followed by the usage.
void ReportCommandLineFault(const char* usage, const OptionsReading& reading);
