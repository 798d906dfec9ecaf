// Reading the saver's command line, byte by byte. Platform-free, so that it
// can also be tested and fuzzed natively; the Windows entry supplies the
// system's character stepping.
#pragma once

// Steps to the next character of a text in the system's code page; never
// steps past the terminating NUL.
typedef const char* (*NextCharFn)(const char* text);

// The argument text behind the program name (quoted or not) and the run of
// blanks and control characters after it.
const char* SkipProgramName(const char* commandLine, NextCharFn next);

enum class SaverMode {
  kConfigWithoutOwner,  // no letter at all
  kFullScreen,
  kPreview,
  kConfig,
  kChangePassword,
  kUnknown,
};

struct ModeRequest {
  SaverMode mode;
  // Preview and change password: the text behind the letter and its blanks.
  // Configuration: the text behind "c:", or null when no owner was given.
  const char* argument;
};

// Reads the mode letter and what follows it from the argument text.
ModeRequest ReadModeRequest(const char* args);

// Reads leading decimal digits as a window handle (0 when there are none);
// the value wraps modulo 2^32.
unsigned int ParseWindowHandle(const char* text);
