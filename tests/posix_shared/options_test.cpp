// The Linux program's command line, read as XScreenSaver's hacks read theirs,
// and its frame clock.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame_clock.h"
#include "options.h"

namespace {

HackOptions Read(std::vector<const char*> args, const char* environmentWindow = nullptr) {
  args.insert(args.begin(), "kelvaris");
  return ReadHackOptions(static_cast<int>(args.size()), args.data(), environmentWindow);
}

TEST(HackOptions, WhereItDrawsHowManyAndHowOften) {
  HackOptions o = Read({});
  EXPECT_EQ(o.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(o.target, DrawTarget::kOwnWindow);
  EXPECT_EQ(o.count, 5);
  EXPECT_EQ(o.delayMicroseconds, 10000);  // the animation's 10 ms tick
  EXPECT_FALSE(o.showFps);
  EXPECT_EQ(o.displayName, nullptr);
  EXPECT_EQ(o.visual, VisualChoice::kBest);

  o = Read({"--root", "-count", "0", "-delay", "0", "-fps", "-display", ":3", "-visual", "0x21", "-install",
            "-noinstall", "-mono"});
  EXPECT_EQ(o.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(o.target, DrawTarget::kRoot);
  EXPECT_EQ(o.count, 0);
  EXPECT_EQ(o.delayMicroseconds, 0);
  EXPECT_TRUE(o.showFps);
  EXPECT_STREQ(o.displayName, ":3");
  EXPECT_EQ(o.visual, VisualChoice::kId);
  EXPECT_EQ(o.visualId, 0x21u);
  EXPECT_EQ(Read({"-root", "--window"}).target, DrawTarget::kOwnWindow);  // the later holds
  EXPECT_FALSE(Read({"-fps", "-no-fps"}).showFps);
  EXPECT_EQ(Read({"-visual", "default"}).visual, VisualChoice::kDefault);
  EXPECT_EQ(Read({"-visual", "GL"}).visual, VisualChoice::kBest);
  o = Read({"-visual", "truecolor"});
  EXPECT_EQ(o.visual, VisualChoice::kClass);
  EXPECT_EQ(o.visualClass, 4);  // X's TrueColor
  // Every class by X's number for it, in any case.
  const char* const classes[] = {"StaticGray", "grayscale", "STATICCOLOR", "PseudoColor", "TrueColor", "directcolor"};
  for (int number = 0; number < 6; ++number) {
    o = Read({"-visual", classes[number]});
    EXPECT_EQ(o.visual, VisualChoice::kClass) << classes[number];
    EXPECT_EQ(o.visualClass, number) << classes[number];
  }
  EXPECT_EQ(Read({"-root", "--help", "-bogus"}).verdict, OptionsVerdict::kHelp);

  // XScreenSaver's window comes before -root; a -window-id given comes first.
  // Ids use all of X's 29 bits, and hexadecimal in either case.
  o = Read({"--root", "--count", "2147483647"}, "0x1fffffff");
  EXPECT_EQ(o.target, DrawTarget::kWindowId);
  EXPECT_EQ(o.windowId, 0x1fffffffu);
  EXPECT_EQ(o.count, INT32_MAX);
  EXPECT_EQ(Read({"-window-id", "4194306"}, "0x1a00007").windowId, 4194306u);
  EXPECT_EQ(Read({"-window-id", "0XfF"}).windowId, 255u);
}

// Each refusal names what was wrong, pointing into the argument it came from.
TEST(HackOptions, RefusalsNameTheirCause) {
  const char* const bogus[] = {"kelvaris", "-root", "-fpsx", "-count", "1"};
  HackOptions o = ReadHackOptions(5, bogus, nullptr);
  EXPECT_EQ(o.verdict, OptionsVerdict::kUnknownOption);
  EXPECT_EQ(o.offending, bogus[2]);

  const char* const bad[] = {"kelvaris", "--delay", "1e4"};
  o = ReadHackOptions(3, bad, nullptr);
  EXPECT_EQ(o.verdict, OptionsVerdict::kBadValue);
  EXPECT_EQ(o.option, bad[1]);
  EXPECT_EQ(o.offending, bad[2]);

  const std::vector<std::vector<const char*>> refused = {{"-count", "-1"},
                                                         {"-count", "+5"},
                                                         {"-count", ""},
                                                         {"-count", "2147483648"},
                                                         {"-window-id", "0"},
                                                         {"-window-id", "0x"},
                                                         {"-window-id", "0x100000000"},
                                                         {"-window-id", "12ab"},
                                                         {"-delay", "-5"},
                                                         {"-visual", "truecolour"},
                                                         {"-display", ""}};
  for (const auto& args : refused)
    EXPECT_EQ(Read(args).verdict, OptionsVerdict::kBadValue) << args[0] << " " << args[1];
  for (const char* name : {"-count", "-window-id", "-delay", "-display", "-visual"})
    EXPECT_EQ(Read({name}).verdict, OptionsVerdict::kMissingValue) << name;
  for (const char* name : {"---root", "root", "-", "--", "-pair"})
    EXPECT_EQ(Read({name}).verdict, OptionsVerdict::kUnknownOption) << name;

  o = Read({"-root"}, "not a window");
  EXPECT_EQ(o.verdict, OptionsVerdict::kBadEnvironmentWindow);
  EXPECT_STREQ(o.offending, "not a window");
  EXPECT_EQ(Read({}, "").verdict, OptionsVerdict::kRun);                      // set but empty: as if not set
  EXPECT_EQ(Read({"-window-id", "7"}, "bad").verdict, OptionsVerdict::kRun);  // not read when given
}

TEST(WaylandOptions, ModesValuesAndRefusals) {
  auto read = [](std::vector<const char*> args) {
    args.insert(args.begin(), "kelvaris-wayland");
    return ReadWaylandOptions(static_cast<int>(args.size()), args.data());
  };
  WaylandOptions o = read({});
  EXPECT_EQ(o.mode, WaylandMode::kSaver);
  EXPECT_EQ(o.count, 5);
  EXPECT_EQ(o.delayMicroseconds, 10000);
  o = read({"--background", "-window", "-count", "1000", "--delay", "0", "--fps"});
  EXPECT_EQ(o.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(o.mode, WaylandMode::kWindow);  // the later holds
  EXPECT_EQ(o.count, 1000);
  EXPECT_EQ(o.delayMicroseconds, 0);
  EXPECT_TRUE(o.showFps);
  EXPECT_EQ(read({"--window", "--background"}).mode, WaylandMode::kBackground);
  EXPECT_EQ(read({"-help"}).verdict, OptionsVerdict::kHelp);
  EXPECT_EQ(read({"--root"}).verdict, OptionsVerdict::kUnknownOption);  // the hack's own options are not taken
  EXPECT_EQ(read({"--count"}).verdict, OptionsVerdict::kMissingValue);
  o = read({"--delay", "-1"});
  EXPECT_EQ(o.verdict, OptionsVerdict::kBadValue);
  EXPECT_STREQ(o.option, "--delay");
  EXPECT_STREQ(o.offending, "-1");
}

TEST(FrameClock, OneFramePerIntervalAndNoneMadeUp) {
  const long long ms = 1000000;
  EXPECT_EQ(NextFrameDue(100 * ms, 100 * ms, 10 * ms), 110 * ms);  // on time
  EXPECT_EQ(NextFrameDue(100 * ms, 105 * ms, 10 * ms), 110 * ms);  // late within the interval: keeps the beat
  EXPECT_EQ(NextFrameDue(100 * ms, 160 * ms, 10 * ms),
            170 * ms);                                       // far behind: the missed frames are dropped
  EXPECT_EQ(NextFrameDue(100 * ms, 160 * ms, 0), 160 * ms);  // -delay 0: every pass draws
}

TEST(FrameClock, RateTextAsTheHacksShowIt) {
  char text[32];
  FormatFrameRate(78, 1000000000LL, text, sizeof text);
  EXPECT_STREQ(text, "FPS: 78.0");
  FormatFrameRate(5, 2000000000LL, text, sizeof text);
  EXPECT_STREQ(text, "FPS: 2.5");
}

}  // namespace
