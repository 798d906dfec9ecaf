#include "options.h"

#include <cstring>

bool ParseUnsigned(const char* text, unsigned base, uint64_t limit, uint64_t* value) {
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

static bool ParseNonNegative(const char* text, int32_t* value) {
  uint64_t parsed = 0;
  if (!ParseUnsigned(text, 10, INT32_MAX, &parsed)) return false;
  *value = static_cast<int32_t>(parsed);
  return true;
}

static SceneOptions& Scene(void* options) { return *static_cast<SceneOptions*>(options); }

static const OptionRule kSceneRules[] = {
    {"count", true, [](void* o, const char* value) { return ParseNonNegative(value, &Scene(o).count); }},
    {"delay", true,
     [](void* o, const char* value) { return ParseNonNegative(value, &Scene(o).delayMicroseconds); }},
    {"fps", false,
     [](void* o, const char*) {
       Scene(o).showFps = true;
       return true;
     }},
    {"no-fps", false,
     [](void* o, const char*) {
       Scene(o).showFps = false;
       return true;
     }},
};

// The rule named `name` among `rules`, or null.
static const OptionRule* FindRule(const char* name, const OptionRule* rules, int ruleCount) {
  for (int i = 0; i < ruleCount; ++i)
    if (std::strcmp(rules[i].name, name) == 0) return &rules[i];
  return nullptr;
}

OptionsReading ReadOptions(int argc, const char* const* argv, const OptionRule* rules, int ruleCount,
                           void* options, SceneOptions* scene) {
  *scene = {kDefaultSatelliteCount, kDefaultDelayMicroseconds, false};
  for (int i = 1; i < argc; ++i) {
    // The name without its one or two leading dashes.
    const char* name = argv[i][0] == '-' ? argv[i] + (argv[i][1] == '-' ? 2 : 1) : "";
    if (std::strcmp(name, "help") == 0) return {OptionsVerdict::kHelp, nullptr, nullptr};
    const OptionRule* rule = *name ? FindRule(name, rules, ruleCount) : nullptr;
    void* record = options;
    if (*name && !rule) {
      rule = FindRule(name, kSceneRules, sizeof kSceneRules / sizeof kSceneRules[0]);
      record = scene;
    }
    if (!rule) return {OptionsVerdict::kUnknownOption, argv[i], nullptr};
    if (!rule->takesValue) {
      rule->apply(record, nullptr);
    } else if (i + 1 == argc) {
      return {OptionsVerdict::kMissingValue, argv[i], nullptr};
    } else if (!rule->apply(record, argv[i + 1])) {
      return {OptionsVerdict::kBadValue, argv[i + 1], argv[i]};
    } else {
      ++i;
    }
  }
  return {OptionsVerdict::kRun, nullptr, nullptr};
}
