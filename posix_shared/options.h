// How the Linux programs read their command lines, as XScreenSaver's hacks
// read theirs: each option with one dash or two, its value in the next
// argument; and the options both programs take. Platform-free.
#pragma once

#include <cstdint>

#include "scene.h"

// What to do after reading the command line.
enum class OptionsVerdict {
  kRun,
  kHelp,                  // -help or --help: the usage on standard output, exit 0
  kUnknownOption,         // `offending` is the option (or a stray argument)
  kMissingValue,          // `offending` is the option that needs one
  kBadValue,              // `offending` is the value; `option` the option it belongs to
  kBadEnvironmentWindow,  // the X11 hack's XSCREENSAVER_WINDOW names no window; `offending` is its value
};

// What both programs take for the scene: -count, -delay, -fps and -no-fps.
struct SceneOptions {
  int32_t count;              // satellites, kDefaultSatelliteCount unless -count says otherwise
  int32_t delayMicroseconds;  // one tick of the animation
  bool showFps;
};

// The default -delay: one tick of the animation.
constexpr int32_t kDefaultDelayMicroseconds = kTickMilliseconds * 1000;

// A window of the program's own (-window, --window), until it is resized.
constexpr int32_t kDefaultWindowWidth = 800;
constexpr int32_t kDefaultWindowHeight = 600;

// One option of a program: its name without dashes, whether the next
// argument is its value, and what it does to the program's own options
// record with that value (null for a switch); false when the value does not
// read.
struct OptionRule {
  const char* name;
  bool takesValue;
  bool (*apply)(void* options, const char* value);
};

// Where the reading ended: kRun or kHelp, or what was wrong, pointing into
// argv.
struct OptionsReading {
  OptionsVerdict verdict;
  const char* offending;
  const char* option;  // with kBadValue
};

// Reads argv[1..argc-1] by the program's rules, applied to `options`, and
// the scene's, applied to `scene` (which starts at the defaults); -help and
// --help ask for the usage. A help request or the first error ends it.
OptionsReading ReadOptions(int argc, const char* const* argv, const OptionRule* rules, int ruleCount,
                           void* options, SceneOptions* scene);

// Digits in the given base (10 or 16) up to the end, at most `limit`.
bool ParseUnsigned(const char* text, unsigned base, uint64_t limit, uint64_t* value);
