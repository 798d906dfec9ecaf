#include "wayland_options.h"

const char kWaylandUsage[] =
    "usage: kelvaris-wayland [--background | --window] [--count N] [--delay USEC] [--fps | --no-fps]\n"
    "  (neither)       the screen saver: above every window on every output, until a key,\n"
    "                  a click, a touch or a move of the pointer\n"
    "  --background    below every window on every output, taking no input, until stopped\n"
    "  --window        in a window of its own (Escape or q closes it)\n"
    "  --count N       number of satellites, 0 or more (default 5; at most 1000 are drawn)\n"
    "  --delay USEC    microseconds per tick of the animation (default 10000)\n"
    "  --fps, --no-fps show the frame rate in the lower left corner, or not (the default)\n"
    "  --help          print this and exit\n";

static bool SetMode(void* options, WaylandMode mode) {
  static_cast<WaylandOptions*>(options)->mode = mode;
  return true;
}

static const OptionRule kWaylandRules[] = {
    {"background", false, [](void* o, const char*) { return SetMode(o, WaylandMode::kBackground); }},
    {"window", false, [](void* o, const char*) { return SetMode(o, WaylandMode::kWindow); }},
};

WaylandOptions ReadWaylandOptions(int argc, const char* const* argv) {
  WaylandOptions options = {};
  options.mode = WaylandMode::kSaver;
  const OptionsReading outcome = ReadOptions(
      argc, argv, kWaylandRules, sizeof kWaylandRules / sizeof kWaylandRules[0], &options, &options.scene);
  options.verdict = outcome.verdict;
  options.offending = outcome.offending;
  options.option = outcome.option;
  return options;
}
