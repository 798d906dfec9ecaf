// Any bytes as the Linux programs' command lines and XSCREENSAVER_WINDOW:
// the first NUL-separated piece is the variable (absent when it is a single
// 0xFF byte), the rest are the arguments, read by both programs. What the
// readings accept is in range, and what they blame is one of the texts
// they were given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "hack_options.h"
#include "wayland_options.h"

static void Check(bool holds) {
  if (!holds) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> pieces(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\0') {
      pieces.emplace_back();
    } else {
      pieces.back() += static_cast<char>(data[i]);
    }
  }
  const char* environment = pieces[0] == "\xff" ? nullptr : pieces[0].c_str();
  std::vector<const char*> argv = {"kelvaris"};
  for (size_t i = 1; i < pieces.size(); ++i) argv.push_back(pieces[i].c_str());

  const HackOptions o = ReadHackOptions(static_cast<int>(argv.size()), argv.data(), environment);
  bool blamesAGivenText = o.reading.offending == environment;
  for (const char* argument : argv) blamesAGivenText = blamesAGivenText || o.reading.offending == argument;
  switch (o.reading.verdict) {
    case OptionsVerdict::kRun:
      Check(o.scene.count >= 0 && o.scene.delayMicroseconds >= 0 && !o.reading.offending);
      Check(o.target != DrawTarget::kWindowId || (o.windowId != 0 && o.windowId <= 0xFFFFFFFFu));
      break;
    case OptionsVerdict::kHelp:
      break;
    case OptionsVerdict::kBadValue:
      Check(o.reading.option && blamesAGivenText);
      break;
    case OptionsVerdict::kUnknownOption:
    case OptionsVerdict::kMissingValue:
      Check(blamesAGivenText && o.reading.offending != environment);
      break;
    case OptionsVerdict::kBadEnvironmentWindow:
      Check(environment && o.reading.offending == environment);
      break;
  }

  const WaylandOptions w = ReadWaylandOptions(static_cast<int>(argv.size()), argv.data());
  bool blamesAnArgument = false;
  for (const char* argument : argv) blamesAnArgument = blamesAnArgument || w.reading.offending == argument;
  if (w.reading.verdict == OptionsVerdict::kRun) {
    Check(w.scene.count >= 0 && w.scene.delayMicroseconds >= 0 && !w.reading.offending);
    Check(w.idleMilliseconds <= kMaxIdleMinutes * 60000ull &&
          (!w.idleMilliseconds || w.mode == WaylandMode::kSaver));
  } else if (w.reading.verdict != OptionsVerdict::kHelp) {
    Check(w.reading.verdict != OptionsVerdict::kBadEnvironmentWindow && blamesAnArgument);
    Check(w.reading.verdict != OptionsVerdict::kBadValue || w.reading.option);
  }
  return 0;
}
