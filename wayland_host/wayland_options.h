// kelvaris-wayland's command line. Platform-free, so that the tests of
// every preset read it.
#pragma once

#include "options.h"

// What the Wayland program draws on.
enum class WaylandMode {
  kSaver,       // the default: above everything on every output, ended by input
  kBackground,  // --background: below every window on every output, taking no input
  kWindow,      // --window: an ordinary window
};

struct WaylandOptions {
  OptionsReading reading;  // never kBadEnvironmentWindow
  SceneOptions scene;  // frames follow the compositor; the delay is one tick of the animation
  WaylandMode mode;    // the last of --background, --window and --idle holds
  // --idle: the saver, shown after this long without input (--idle takes
  // minutes, with up to three decimals), again and again until stopped; 0
  // to show it at once, once.
  uint32_t idleMilliseconds;
};

// The longest --idle, whose milliseconds a Wayland idle timeout still holds.
constexpr uint32_t kMaxIdleMinutes = 71582;

WaylandOptions ReadWaylandOptions(int argc, const char* const* argv);

extern const char kWaylandUsage[];
