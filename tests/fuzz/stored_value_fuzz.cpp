// Any stored type, size and data: the count changes only for a whole
// REG_DWORD, and then to exactly its bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "stored_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  uint32_t type, claimed;
  std::memcpy(&type, data, 4);
  std::memcpy(&claimed, data + 4, 4);
  const uint8_t* value = data + 8;
  const uint32_t available = static_cast<uint32_t>(size - 8);
  const uint32_t valueSize = claimed < available ? claimed : available;

  int32_t count = 5;
  const bool taken = AcceptStoredDword(type, value, valueSize, &count);
  const bool whole = type == 4 && valueSize == 4;
  if (taken != whole) std::abort();
  if (taken ? std::memcmp(&count, value, 4) != 0 : count != 5) std::abort();
  return 0;
}
