#include "count_text.h"

static bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int32_t ParseCountText(const char* text) {
  while (IsSpace(*text)) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;

  // Held at the limit of the sign's range once it is reached.
  const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
  int64_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
