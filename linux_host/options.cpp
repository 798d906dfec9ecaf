#include "options.h"

#include <cstring>

const char kUsage[] =
    "usage: kelvaris [-window | -root | -window-id ID] [-count N]\n"
    "  -window        draw in a window of its own (the default)\n"
    "  -root          draw on the root window\n"
    "  -window-id ID  draw in the window ID (decimal or 0x hex), as XSCREENSAVER_WINDOW does\n"
    "  -count N       number of satellites, 0 or more (default 5; at most 1000 are drawn)\n";

// Digits in the given base (10 or 16) up to the end, at most `limit`.
static bool ParseUnsigned(const char* text, unsigned base, uint64_t limit, uint64_t* value) {
  if (!*text) return false;
  uint64_t result = 0;
  for (; *text; ++text) {
    unsigned digit;
    if (*text >= '0' && *text <= '9') {
      digit = static_cast<unsigned>(*text - '0');
    } else if (base == 16 && ((*text | 0x20) >= 'a' && (*text | 0x20) <= 'f')) {
      digit = static_cast<unsigned>((*text | 0x20) - 'a' + 10);
    } else {
      return false;
    }
    result = result * base + digit;
    if (result > limit) return false;
  }
  *value = result;
  return true;
}

bool ParseWindowId(const char* text, unsigned long* id) {
  uint64_t value = 0;
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (!ParseUnsigned(hex ? text + 2 : text, hex ? 16 : 10, 0xFFFFFFFFu, &value) || value == 0) return false;
  *id = static_cast<unsigned long>(value);
  return true;
}

// The option's name without its one or two leading dashes; null when the
// argument is no option.
static const char* OptionName(const char* argument) {
  if (argument[0] != '-') return nullptr;
  return argument[1] == '-' ? argument + 2 : argument + 1;
}

HackOptions ReadHackOptions(int argc, const char* const* argv, const char* environmentWindow) {
  HackOptions options = {true, DrawTarget::kOwnWindow, 0, 5};
  bool root = false, windowIdGiven = false;
  for (int i = 1; i < argc && options.valid; ++i) {
    const char* name = OptionName(argv[i]);
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    uint64_t count = 0;
    if (!name) {
      options.valid = false;
    } else if (std::strcmp(name, "window") == 0) {
      root = false;
    } else if (std::strcmp(name, "root") == 0) {
      root = true;
    } else if (std::strcmp(name, "window-id") == 0) {
      options.valid = value && ParseWindowId(value, &options.windowId);
      windowIdGiven = true;
      ++i;
    } else if (std::strcmp(name, "count") == 0) {
      options.valid = value && ParseUnsigned(value, 10, INT32_MAX, &count);
      options.count = static_cast<int32_t>(count);
      ++i;
    } else {
      options.valid = false;
    }
  }
  if (!windowIdGiven && environmentWindow && *environmentWindow) {
    options.valid = options.valid && ParseWindowId(environmentWindow, &options.windowId);
    windowIdGiven = true;
  }
  options.target = windowIdGiven ? DrawTarget::kWindowId : root ? DrawTarget::kRoot : DrawTarget::kOwnWindow;
  return options;
}
