// Any bytes as a command line: the argument text and what the mode reading
// hands on must lie inside the text, and reading never runs past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "command_line.h"

// Steps like a double-byte code page: a lead byte takes the next byte with
// it, but never the terminating NUL.
static const char* StepDoubleByte(const char* text) {
  if (!*text) return text;
  const unsigned char c = static_cast<unsigned char>(*text);
  if (c >= 0x81 && c <= 0xFE && text[1]) return text + 2;
  return text + 1;
}

static void Check(bool holds) {
  if (!holds) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  const char* begin = text.data();
  const char* end = begin + std::strlen(begin);

  const char* args = SkipProgramName(begin, StepDoubleByte);
  Check(args >= begin && args <= end);
  Check(*args == '\0' || static_cast<unsigned char>(*args) > ' ');

  const ModeRequest request = ReadModeRequest(args);
  if (request.argument) {
    Check(request.argument >= args && request.argument <= end);
    ParseWindowHandle(request.argument);
  }
  const bool needsArgument =
      request.mode == SaverMode::kPreview || request.mode == SaverMode::kChangePassword;
  Check(!needsArgument || request.argument);
  return 0;
}
