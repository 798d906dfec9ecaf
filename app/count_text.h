// The satellite count as the user types it: platform-free, so that it can
// be tested and fuzzed on its own.
#pragma once

#include <cstdint>

// Reads a count the way the C library's atoi does (leading white space,
// one optional sign, decimal digits up to the first other character, 0 when
// there are none) but saturates at the 32-bit limits instead of overflowing.
int32_t ParseCountText(const char* text);
