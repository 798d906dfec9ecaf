// Which stored registry data the settings store takes. Platform-free, so
// that it can also be tested and fuzzed natively.
#pragma once

#include <cstdint>

// Copies data into the 4 bytes at destination when it is a whole REG_DWORD
// (type 4, 4 bytes) and returns true; leaves destination alone otherwise.
bool AcceptStoredDword(uint32_t type, const void* data, uint32_t size, void* destination);
