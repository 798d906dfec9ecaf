// The command line of the Linux program, read as XScreenSaver's hacks read
// theirs: each option with one dash or two. Platform-free.
#pragma once

#include <cstdint>

enum class DrawTarget {
  kOwnWindow,  // a window of the program's own (-window, the default)
  kRoot,       // the root window (-root)
  kWindowId,   // a window another program made (-window-id, XSCREENSAVER_WINDOW)
};

struct HackOptions {
  bool valid;  // false: an unknown option or a bad value; print the usage
  DrawTarget target;
  unsigned long windowId;  // with kWindowId
  int32_t count;           // satellites, 5 unless -count says otherwise
};

// Reads argv[1..argc-1]. environmentWindow is XSCREENSAVER_WINDOW's value,
// or null when it is not set: the window it names, like -window-id, comes
// before -root and -window. Of two -window-id options the later holds.
HackOptions ReadHackOptions(int argc, const char* const* argv, const char* environmentWindow);

// A window id: decimal, or hexadecimal after 0x. False for anything else,
// for 0, and for values beyond 32 bits (X ids have 29).
bool ParseWindowId(const char* text, unsigned long* id);

extern const char kUsage[];
