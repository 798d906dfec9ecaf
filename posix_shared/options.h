// The command lines of the Linux programs, read as XScreenSaver's hacks read
// theirs: each option with one dash or two. Platform-free.
#pragma once

#include <cstdint>

#include "scene.h"

enum class DrawTarget {
  kOwnWindow,  // a window of the program's own (-window, the default)
  kRoot,       // the root window (-root)
  kWindowId,   // a window another program made (-window-id, XSCREENSAVER_WINDOW)
};

// What to do after reading the command line.
enum class OptionsVerdict {
  kRun,
  kHelp,                  // -help or --help: the usage on standard output, exit 0
  kUnknownOption,         // `offending` is the option (or a stray argument)
  kMissingValue,          // `offending` is the option that needs one
  kBadValue,              // `offending` is the value; `option` the option it belongs to
  kBadEnvironmentWindow,  // XSCREENSAVER_WINDOW is set but names no window; `offending` is its value
};

// How the visual of a window of our own is picked (-visual).
enum class VisualChoice {
  kBest,     // the deepest double-buffered RGBA visual with a depth buffer (the default)
  kDefault,  // the screen's default visual
  kClass,    // the deepest visual of the class `visualClass` with OpenGL and a depth buffer
  kId,       // the visual `visualId`
};

struct HackOptions {
  OptionsVerdict verdict;
  const char* offending;  // points into argv or the environment value; see OptionsVerdict
  const char* option;     // with kBadValue
  DrawTarget target;
  unsigned long windowId;     // with kWindowId
  int32_t count;              // satellites, 5 unless -count says otherwise
  int32_t delayMicroseconds;  // between frames; one tick of the animation each
  bool showFps;
  const char* displayName;  // -display, or null for $DISPLAY
  VisualChoice visual;
  unsigned long visualId;  // with VisualChoice::kId
  int visualClass;         // with VisualChoice::kClass: X's number, StaticGray (0) to DirectColor (5)
};

// The default -delay: one tick of the animation.
constexpr int32_t kDefaultDelayMicroseconds = kTickMilliseconds * 1000;

// Reads argv[1..argc-1]. environmentWindow is XSCREENSAVER_WINDOW's value,
// or null when it is not set: the window it names, like -window-id, comes
// before -root and -window. Of two -window-id options the later holds. The
// first error ends the reading.
HackOptions ReadHackOptions(int argc, const char* const* argv, const char* environmentWindow);

// A window or visual id: decimal, or hexadecimal after 0x. False for
// anything else, for 0, and for values beyond 32 bits (X ids have 29).
bool ParseXId(const char* text, unsigned long* id);

extern const char kUsage[];

// What the Wayland program draws on (kelvaris-wayland).
enum class WaylandMode {
  kSaver,       // the default: above everything on every output, ended by input
  kBackground,  // --background: below every window on every output, taking no input
  kWindow,      // --window: an ordinary window
};

struct WaylandOptions {
  OptionsVerdict verdict;  // never kBadEnvironmentWindow
  const char* offending;   // as in HackOptions
  const char* option;
  WaylandMode mode;  // the last of --background and --window holds
  int32_t count;
  int32_t delayMicroseconds;  // one tick of the animation; frames follow the compositor
  bool showFps;
};

WaylandOptions ReadWaylandOptions(int argc, const char* const* argv);

extern const char kWaylandUsage[];

// Says on standard error what was wrong with the command line (kUnknownOption,
// kMissingValue or kBadValue), as "PROGRAM: ...", followed by the usage.
void ReportCommandLineFault(const char* program, const char* usage, OptionsVerdict verdict,
                            const char* offending, const char* option);
