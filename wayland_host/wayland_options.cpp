#include "wayland_options.h"

const char kWaylandUsage[] =
    "usage: kelvaris-wayland [--idle MINUTES | --background | --window] [--count N] [--delay USEC]\n"
    "                        [--fps | --no-fps]\n"
    "  (none of these) the screen saver: above every window on every output, until a key,\n"
    "                  a click, a touch or a move of the pointer\n"
    "  --idle MINUTES  stay running, and show the screen saver each time there has been no\n"
    "                  input for MINUTES (such as 10 or 2.5, up to 71582), until stopped\n"
    "  --background    below every window on every output, taking no input, until stopped\n"
    "  --window        in a window of its own (Escape or q closes it)\n"
    "  --count N       number of satellites, 0 or more (default 5; at most 1000 are drawn)\n"
    "  --delay USEC    microseconds per tick of the animation (default 10000)\n"
    "  --fps, --no-fps show the frame rate in the lower left corner, or not (the default)\n"
    "  --help          print this and exit\n";

static bool SetMode(void* options, WaylandMode mode) {
  static_cast<WaylandOptions*>(options)->mode = mode;
  static_cast<WaylandOptions*>(options)->idleMilliseconds = 0;
  return true;
}

// Minutes, whole or with up to three decimals, in milliseconds; 0 for
// anything else, for none, and beyond kMaxIdleMinutes.
static uint32_t ParseMinutes(const char* text) {
  uint64_t minutes = 0, thousandths = 0;
  int wholeDigits = 0, decimals = -1;  // -1: no decimal point yet
  for (; *text; ++text) {
    if (*text == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (*text < '0' || *text > '9') return 0;
    const unsigned digit = static_cast<unsigned>(*text - '0');
    if (decimals >= 0) {
      if (++decimals > 3) return 0;
      thousandths = thousandths * 10 + digit;
    } else {
      minutes = minutes * 10 + digit;
      if (minutes > kMaxIdleMinutes) return 0;
      ++wholeDigits;
    }
  }
  if (wholeDigits == 0 || decimals == 0) return 0;
  for (int i = decimals < 0 ? 0 : decimals; i < 3; ++i) thousandths *= 10;
  const uint64_t milliseconds = minutes * 60000 + thousandths * 60;
  return milliseconds <= uint64_t{kMaxIdleMinutes} * 60000 ? static_cast<uint32_t>(milliseconds) : 0;
}

static bool SetIdle(void* options, const char* minutes) {
  const uint32_t milliseconds = ParseMinutes(minutes);
  if (!milliseconds) return false;
  SetMode(options, WaylandMode::kSaver);
  static_cast<WaylandOptions*>(options)->idleMilliseconds = milliseconds;
  return true;
}

static const OptionRule kWaylandRules[] = {
    {"background", false, [](void* o, const char*) { return SetMode(o, WaylandMode::kBackground); }},
    {"window", false, [](void* o, const char*) { return SetMode(o, WaylandMode::kWindow); }},
    {"idle", true, SetIdle},
};

WaylandOptions ReadWaylandOptions(int argc, const char* const* argv) {
  WaylandOptions options = {};
  options.mode = WaylandMode::kSaver;
  options.reading = ReadOptions(argc, argv, kWaylandRules, sizeof kWaylandRules / sizeof kWaylandRules[0],
                                &options, &options.scene);
  return options;
}
