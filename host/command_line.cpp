#include "command_line.h"

const char* SkipProgramName(const char* commandLine, NextCharFn next) {
  const char* p = commandLine;
  if (*p == '"') {
    // A quoted program name may hold blanks.
    do {
      p = next(p);
    } while (*p && *p != '"');
    if (*p == '"') ++p;
  } else if (static_cast<unsigned char>(*p) > ' ') {
    while (static_cast<unsigned char>(*p) > ' ') p = next(p);
  }
  while (*p && static_cast<unsigned char>(*p) <= ' ') p = next(p);
  return p;
}

static const char* SkipBlanks(const char* text) {
  while (*text == ' ') ++text;
  return text;
}

ModeRequest ReadModeRequest(const char* args) {
  while (*args == ' ' || *args == '-' || *args == '/') ++args;
  const char* rest = *args ? args + 1 : args;
  // Taken as a signed character: bytes above 127 are no letter.
  switch (static_cast<signed char>(*args)) {
    case 0:
      return {SaverMode::kConfigWithoutOwner, nullptr};
    case 'S':
    case 's':
      return {SaverMode::kFullScreen, nullptr};
    case 'P':
    case 'p':
    case 'L':
    case 'l':
      return {SaverMode::kPreview, SkipBlanks(rest)};
    case 'C':
    case 'c':
      // Only a handle joined by a colon is read: "/c 1234" names no owner.
      return {SaverMode::kConfig, *rest == ':' ? rest + 1 : nullptr};
    case 'A':
    case 'a':
      return {SaverMode::kChangePassword, SkipBlanks(rest)};
  }
  return {SaverMode::kUnknown, nullptr};
}

unsigned int ParseWindowHandle(const char* text) {
  unsigned int value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<unsigned int>(*text - '0');
  return value;
}
