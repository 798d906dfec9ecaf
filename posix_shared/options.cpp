#include "options.h"

#include <cstdio>
#include <cstring>

const char kUsage[] =
    "usage: kelvaris [-window | -root | -window-id ID] [-count N] [-delay USEC] [-fps | -no-fps]\n"
    "                [-display NAME] [-visual VISUAL] [-install | -noinstall] [-mono]\n"
    "  -window         draw in a window of its own (the default)\n"
    "  -root           draw on the root window\n"
    "  -window-id ID   draw in the window ID (decimal or 0x hex), as XSCREENSAVER_WINDOW does\n"
    "  -count N        number of satellites, 0 or more (default 5; at most 1000 are drawn)\n"
    "  -delay USEC     microseconds from one frame to the next, each one tick of the animation\n"
    "                  (default 10000)\n"
    "  -fps, -no-fps   show the frame rate in the lower left corner, or not (the default)\n"
    "  -display NAME   the X display to use (default $DISPLAY)\n"
    "  -visual VISUAL  the visual of a window of its own: best (the default), default, a class\n"
    "                  (TrueColor, DirectColor, PseudoColor, StaticColor, GrayScale, StaticGray)\n"
    "                  or an id\n"
    "  -install, -noinstall, -mono\n"
    "                  accepted and ignored: the scene needs no colormap and is drawn in colour\n"
    "  -help, --help   print this and exit\n";

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

bool ParseXId(const char* text, unsigned long* id) {
  uint64_t value = 0;
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (!ParseUnsigned(hex ? text + 2 : text, hex ? 16 : 10, 0xFFFFFFFFu, &value) || value == 0) return false;
  *id = static_cast<unsigned long>(value);
  return true;
}

// X's visual classes, by their numbers (StaticGray 0 to DirectColor 5).
static const char* const kVisualClasses[] = {"StaticGray",  "GrayScale", "StaticColor",
                                             "PseudoColor", "TrueColor", "DirectColor"};

static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether two names are the same, whatever the case of their letters.
static bool SameName(const char* a, const char* b) {
  while (*a && Lower(*a) == Lower(*b)) ++a, ++b;
  return Lower(*a) == Lower(*b);
}

// As the hacks read -visual: names in any case.
static bool ParseVisual(const char* text, HackOptions* options) {
  if (SameName(text, "best") || SameName(text, "gl")) {
    options->visual = VisualChoice::kBest;
    return true;
  }
  if (SameName(text, "default")) {
    options->visual = VisualChoice::kDefault;
    return true;
  }
  for (int visualClass = 0; visualClass < 6; ++visualClass) {
    if (SameName(text, kVisualClasses[visualClass])) {
      options->visual = VisualChoice::kClass;
      options->visualClass = visualClass;
      return true;
    }
  }
  options->visual = VisualChoice::kId;
  return ParseXId(text, &options->visualId);
}

static bool ParseNonNegative(const char* text, int32_t* value) {
  uint64_t parsed = 0;
  if (!ParseUnsigned(text, 10, INT32_MAX, &parsed)) return false;
  *value = static_cast<int32_t>(parsed);
  return true;
}

// The option's name without its one or two leading dashes; null when the
// argument is no option.
static const char* OptionName(const char* argument) {
  if (argument[0] != '-') return nullptr;
  return argument[1] == '-' ? argument + 2 : argument + 1;
}

static bool Is(const char* name, const char* option) { return std::strcmp(name, option) == 0; }

// Options that only switch something; false when `name` is none of them.
static bool ReadSwitch(const char* name, HackOptions* options, bool* root) {
  if (Is(name, "window")) {
    *root = false;
  } else if (Is(name, "root")) {
    *root = true;
  } else if (Is(name, "fps")) {
    options->showFps = true;
  } else if (Is(name, "no-fps")) {
    options->showFps = false;
  } else if (Is(name, "help")) {
    options->verdict = OptionsVerdict::kHelp;
  } else if (!Is(name, "install") && !Is(name, "noinstall") && !Is(name, "mono")) {
    return false;
  }
  return true;
}

static bool TakesValue(const char* name) {
  return Is(name, "window-id") || Is(name, "count") || Is(name, "delay") || Is(name, "display") ||
         Is(name, "visual");
}

// Reads the value of an option that takes one; false when it does not read.
static bool ReadValue(const char* name, const char* value, HackOptions* options, bool* windowIdGiven) {
  if (Is(name, "window-id")) {
    *windowIdGiven = true;
    return ParseXId(value, &options->windowId);
  }
  if (Is(name, "count")) return ParseNonNegative(value, &options->count);
  if (Is(name, "delay")) return ParseNonNegative(value, &options->delayMicroseconds);
  if (Is(name, "visual")) return ParseVisual(value, options);
  options->displayName = value;
  return *value != '\0';
}

HackOptions ReadHackOptions(int argc, const char* const* argv, const char* environmentWindow) {
  HackOptions options = {};
  options.verdict = OptionsVerdict::kRun;
  options.count = kDefaultSatelliteCount;
  options.delayMicroseconds = kDefaultDelayMicroseconds;
  options.visual = VisualChoice::kBest;
  bool root = false, windowIdGiven = false;
  for (int i = 1; i < argc && options.verdict == OptionsVerdict::kRun; ++i) {
    const char* name = OptionName(argv[i]);
    options.offending = argv[i];
    const bool isOption = name && *name;
    if (isOption && ReadSwitch(name, &options, &root)) continue;
    if (!isOption || !TakesValue(name)) {
      options.verdict = OptionsVerdict::kUnknownOption;
    } else if (i + 1 == argc) {
      options.verdict = OptionsVerdict::kMissingValue;
    } else {
      options.option = argv[i];
      options.offending = argv[++i];
      if (!ReadValue(name, options.offending, &options, &windowIdGiven))
        options.verdict = OptionsVerdict::kBadValue;
    }
  }
  if (options.verdict != OptionsVerdict::kRun) return options;
  options.offending = nullptr;
  options.option = nullptr;
  if (!windowIdGiven && environmentWindow && *environmentWindow) {
    if (!ParseXId(environmentWindow, &options.windowId)) {
      options.verdict = OptionsVerdict::kBadEnvironmentWindow;
      options.offending = environmentWindow;
      return options;
    }
    windowIdGiven = true;
  }
  options.target = windowIdGiven ? DrawTarget::kWindowId : root ? DrawTarget::kRoot : DrawTarget::kOwnWindow;
  return options;
}

WaylandOptions ReadWaylandOptions(int argc, const char* const* argv) {
  WaylandOptions options = {};
  options.verdict = OptionsVerdict::kRun;
  options.mode = WaylandMode::kSaver;
  options.count = kDefaultSatelliteCount;
  options.delayMicroseconds = kDefaultDelayMicroseconds;
  for (int i = 1; i < argc && options.verdict == OptionsVerdict::kRun; ++i) {
    const char* name = OptionName(argv[i]);
    options.offending = argv[i];
    if (!name || !*name) {
      options.verdict = OptionsVerdict::kUnknownOption;
    } else if (Is(name, "background")) {
      options.mode = WaylandMode::kBackground;
    } else if (Is(name, "window")) {
      options.mode = WaylandMode::kWindow;
    } else if (Is(name, "fps") || Is(name, "no-fps")) {
      options.showFps = Is(name, "fps");
    } else if (Is(name, "help")) {
      options.verdict = OptionsVerdict::kHelp;
    } else if (!Is(name, "count") && !Is(name, "delay")) {
      options.verdict = OptionsVerdict::kUnknownOption;
    } else if (i + 1 == argc) {
      options.verdict = OptionsVerdict::kMissingValue;
    } else {
      options.option = argv[i];
      options.offending = argv[++i];
      if (!ParseNonNegative(options.offending, Is(name, "count") ? &options.count : &options.delayMicroseconds))
        options.verdict = OptionsVerdict::kBadValue;
    }
  }
  if (options.verdict == OptionsVerdict::kRun) options.offending = options.option = nullptr;
  return options;
}

void ReportCommandLineFault(const char* program, const char* usage, OptionsVerdict verdict,
                            const char* offending, const char* option) {
  if (verdict == OptionsVerdict::kUnknownOption) {
    std::fprintf(stderr, "%s: unrecognised option: %s\n", program, offending);
  } else if (verdict == OptionsVerdict::kMissingValue) {
    std::fprintf(stderr, "%s: option %s needs a value\n", program, offending);
  } else {
    std::fprintf(stderr, "%s: bad value for %s: %s\n", program, option, offending);
  }
  std::fputs(usage, stderr);
}
