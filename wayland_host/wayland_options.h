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
  OptionsVerdict verdict;  // never kBadEnvironmentWindow
  const char* offending;   // as in OptionsReading
  const char* option;
  SceneOptions scene;  // frames follow the compositor; the delay is one tick of the animation
  WaylandMode mode;    // the last of --background and --window holds
};

WaylandOptions ReadWaylandOptions(int argc, const char* const* argv);

extern const char kWaylandUsage[];
