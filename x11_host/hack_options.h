// The X11 hack's command line and XSCREENSAVER_WINDOW. Platform-free, so
// that the tests of every preset read it.
#pragma once

#include <cstdint>

#include "options.h"

enum class DrawTarget {
  kOwnWindow,  // a window of the program's own (-window, the default)
  kRoot,       // the root window (-root)
  kWindowId,   // a window another program made (-window-id, XSCREENSAVER_WINDOW)
};

// How the visual of a window of our own is picked (-visual).
enum class VisualChoice {
  kBest,     // the deepest double-buffered RGBA visual with a depth buffer (the default)
  kDefault,  // the screen's default visual
  kClass,    // the deepest visual of the class `visualClass` with OpenGL and a depth buffer
  kId,       // the visual `visualId`
};

struct HackOptions {
  OptionsReading reading;  // `offending` may point into the environment value too
  SceneOptions scene;
  DrawTarget target;
  unsigned long windowId;   // with kWindowId
  const char* displayName;  // -display, or null for $DISPLAY
  VisualChoice visual;
  unsigned long visualId;  // with VisualChoice::kId
  int visualClass;         // with VisualChoice::kClass: X's number, StaticGray (0) to DirectColor (5)
};

// Reads argv[1..argc-1]. environmentWindow is XSCREENSAVER_WINDOW's value,
// or null when it is not set: the window it names, like -window-id, comes
// before -root and -window. Of two -window-id options the later holds. The
// first error ends the reading.
HackOptions ReadHackOptions(int argc, const char* const* argv, const char* environmentWindow);

// A window or visual id: decimal, or hexadecimal after 0x. False for
// anything else, for 0, and for values beyond 32 bits (X ids have 29).
bool ParseXId(const char* text, unsigned long* id);

extern const char kHackUsage[];
