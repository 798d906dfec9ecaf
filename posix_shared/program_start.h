// What both POSIX programs do once their command line is read.
#pragma once

#include "options.h"

// The usage on standard output after a help request (exit code 0), what was
// wrong with the command line and the usage on standard error (1), or the
// scene started as the options ask. False, with *exitCode, when the program
// ends here.
bool StartProgram(const OptionsReading& reading, const char* usage, const SceneOptions& scene, int* exitCode);
