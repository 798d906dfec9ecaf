#include "stored_value.h"

#include <cstring>

static const uint32_t kRegDword = 4;  // REG_DWORD, little-endian

bool AcceptStoredDword(uint32_t type, const void* data, uint32_t size, void* destination) {
  if (type != kRegDword || size != 4) return false;
  std::memcpy(destination, data, 4);
  return true;
}
