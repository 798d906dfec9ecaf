#include "hack_options.h"

const char kHackUsage[] =
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

// The options while they are read: where to draw is settled at the end.
struct HackReading {
  HackOptions options;
  bool root;
  bool windowIdGiven;
};

static HackReading& Reading(void* reading) { return *static_cast<HackReading*>(reading); }

static bool SetRoot(void* reading, bool root) {
  Reading(reading).root = root;
  return true;
}

static const OptionRule kHackRules[] = {
    {"window", false, [](void* r, const char*) { return SetRoot(r, false); }},
    {"root", false, [](void* r, const char*) { return SetRoot(r, true); }},
    {"window-id", true,
     [](void* r, const char* value) {
       Reading(r).windowIdGiven = true;
       return ParseXId(value, &Reading(r).options.windowId);
     }},
    {"display", true,
     [](void* r, const char* value) {
       Reading(r).options.displayName = value;
       return *value != '\0';
     }},
    {"visual", true, [](void* r, const char* value) { return ParseVisual(value, &Reading(r).options); }},
    // Accepted and ignored: the scene needs no colormap and is drawn in colour.
    {"install", false, [](void*, const char*) { return true; }},
    {"noinstall", false, [](void*, const char*) { return true; }},
    {"mono", false, [](void*, const char*) { return true; }},
};

HackOptions ReadHackOptions(int argc, const char* const* argv, const char* environmentWindow) {
  HackReading reading = {};
  HackOptions& options = reading.options;
  options.visual = VisualChoice::kBest;
  options.reading =
      ReadOptions(argc, argv, kHackRules, sizeof kHackRules / sizeof kHackRules[0], &reading, &options.scene);
  if (options.reading.verdict != OptionsVerdict::kRun) return options;
  if (!reading.windowIdGiven && environmentWindow && *environmentWindow) {
    if (!ParseXId(environmentWindow, &options.windowId)) {
      options.reading.verdict = OptionsVerdict::kBadEnvironmentWindow;
      options.reading.offending = environmentWindow;
      return options;
    }
    reading.windowIdGiven = true;
  }
  options.target = reading.windowIdGiven ? DrawTarget::kWindowId
                   : reading.root        ? DrawTarget::kRoot
                                         : DrawTarget::kOwnWindow;
  return options;
}
