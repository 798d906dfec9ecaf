// Any text typed or pasted into the count field: the conversion agrees with
// the C library's 64-bit conversion held to the 32-bit range.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "count_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const char* s = text.c_str();

  errno = 0;
  long long expected = std::strtoll(s, nullptr, 10);
  if (expected > INT32_MAX) expected = INT32_MAX;
  if (expected < INT32_MIN) expected = INT32_MIN;
  if (ParseCountText(s) != expected) std::abort();
  return 0;
}
